#include "Biff8Records_p.h"

#include <cstring>

#include "Biff8Records.h"
#include "DbError.h"
#include "Format.h"

TBiff8Data::TBiff8Data(std::vector<std::string_view> Fragments, const AnsiString& FileName)
    : fragments_(std::move(Fragments)), fileName_(FileName) {}

std::size_t TBiff8Data::Remaining() const {
  std::size_t left = 0;
  for (std::size_t i = fragment_; i < fragments_.size(); ++i) left += fragments_[i].size() - (i == fragment_ ? at_ : 0);
  return left;
}

void TBiff8Data::next() {
  while (fragment_ < fragments_.size() && at_ == fragments_[fragment_].size()) {
    ++fragment_;
    at_ = 0;
  }
}

// Count bytes (at most 8) that may straddle fragments.
const std::uint8_t* TBiff8Data::take(std::size_t Count) {
  for (std::size_t i = 0; i < Count; ++i) {
    next();
    if (fragment_ == fragments_.size()) RaiseDbError(fileName_, "a record ends before its data");
    scratch_[i] = static_cast<std::uint8_t>(fragments_[fragment_][at_++]);
  }
  return scratch_;
}

std::uint8_t TBiff8Data::U8() { return take(1)[0]; }

std::uint16_t TBiff8Data::U16() {
  const std::uint8_t* p = take(2);
  return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t TBiff8Data::U32() {
  const std::uint8_t* p = take(4);
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

double TBiff8Data::F64() {
  const std::uint8_t* p = take(8);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void TBiff8Data::Skip(std::uint64_t Count) {
  if (Count > Remaining()) RaiseDbError(fileName_, "a record ends before its data");
  while (Count > 0) {
    next();
    const std::size_t step = std::min<std::uint64_t>(Count, fragments_[fragment_].size() - at_);
    at_ += step;
    Count -= step;
  }
}

WideString TBiff8Data::UnicodeString(int CountBytes) {
  const std::size_t count = CountBytes == 1 ? U8() : U16();
  std::uint8_t flags = U8();
  const std::uint16_t runs = (flags & 0x08) ? U16() : 0;
  const std::uint32_t phonetic = (flags & 0x04) ? U32() : 0;
  WideString text;
  text.reserve(std::min(count, Remaining()));
  while (text.size() < count) {
    if (fragment_ < fragments_.size() && at_ == fragments_[fragment_].size()) {
      next();
      if (fragment_ == fragments_.size()) RaiseDbError(fileName_, "a string runs past the end of its record");
      flags = static_cast<std::uint8_t>(fragments_[fragment_][at_++]);
    }
    if (fragment_ == fragments_.size()) RaiseDbError(fileName_, "a string runs past the end of its record");
    // Compressed characters are the low bytes of UTF-16 code units.
    text += (flags & 0x01) ? char16_t(U16()) : char16_t(U8());
  }
  Skip(std::uint64_t{runs} * 4 + phonetic);
  return text;
}

bool TBiff8RecordReader::Next(TBiff8Record& Record) {
  if (at_ >= stream_.size()) return false;
  if (stream_.size() - at_ < 4)
    RaiseDbError(fileName_, Format("the stream ends inside a record header at offset %d", {int(at_)}));
  const auto* p = reinterpret_cast<const std::uint8_t*>(stream_.data() + at_);
  const std::uint16_t id = std::uint16_t(p[0] | (p[1] << 8));
  const std::size_t length = p[2] | (p[3] << 8);
  if (length > stream_.size() - at_ - 4)
    RaiseDbError(fileName_, Format("record $%.4x at offset %d runs past the end of its stream", {int(id), int(at_)}));
  Record.Id = id;
  Record.Offset = at_;
  Record.Data = stream_.substr(at_ + 4, length);
  at_ += 4 + length;
  return true;
}

TBiff8Data TBiff8RecordReader::WithContinues(const TBiff8Record& Record) {
  std::vector<std::string_view> fragments{Record.Data};
  for (;;) {
    const std::size_t before = at_;
    TBiff8Record next;
    if (!Next(next)) break;
    if (next.Id != biff8::CONTINUE) {
      at_ = before;  // read again by the caller
      break;
    }
    fragments.push_back(next.Data);
  }
  return TBiff8Data(std::move(fragments), fileName_);
}
