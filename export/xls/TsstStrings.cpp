#include "TsstStrings.h"

#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "TbiffBuffer.h"
#include "TbiffRecord.h"

namespace {

constexpr std::size_t kRecordLimit = biff8::MaxRecordData;
// Characters of the first piece of a long string (after its count and option byte) and of each
// further piece (after its option byte): the most that fills 8223 bytes.
constexpr std::size_t kFirstPieceChars = 4110;
constexpr std::size_t kNextPieceChars = 4111;
constexpr std::uint8_t kUnicodeChars = 0x01;

std::size_t stringSize(std::size_t chars) { return 2 * chars + 3; }

// CR LF and a lone CR both become LF.
std::u16string normalizeLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      out.push_back(u'\n');
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::uint32_t TsstStrings::AddString(std::u16string_view Text) {
  const bool plain = Text.find(u'\r') == std::u16string_view::npos && Text.size() <= biff8::MaxStringChars;
  // The common case, a text already stored as it is, needs no copy.
  if (plain) {
    if (auto found = index_.find(Text); found != index_.end()) {
      ++totalReferences_;
      return found->second;
    }
  }
  std::u16string text = plain ? std::u16string(Text) : normalizeLineBreaks(Text);
  if (text.size() > static_cast<std::size_t>(biff8::MaxStringChars)) {
    if (!allowTruncate_) throw ExlsFileError(xlsmsg::StringTooLarge);
    std::size_t keep = biff8::MaxStringChars;
    if (isHighSurrogate(text[keep - 1])) --keep;
    text.resize(keep);
  }
  ++totalReferences_;
  if (auto found = index_.find(text); found != index_.end()) return found->second;
  const auto index = static_cast<std::uint32_t>(strings_.size());
  strings_.push_back(std::move(text));
  index_.emplace(strings_.back(), index);
  return index;
}

void TsstStrings::SaveToStream(TStream& Stream) const {
  TbiffBuffer record;
  std::uint16_t id = biff8::SST;
  auto flush = [&] {
    WriteSingleBiffRecord(Stream, id, record.Data(), record.Size());
    id = biff8::CONTINUE;
    record.Clear();
  };
  record.U32(totalReferences_).U32(UniqueStrings());
  for (const std::u16string& s : strings_) {
    const std::size_t size = stringSize(s.size());
    if (record.Size() + size > kRecordLimit) flush();
    record.U16(static_cast<std::uint16_t>(s.size())).U8(kUnicodeChars);
    if (size <= kRecordLimit) {
      record.Chars(s);
      continue;
    }
    std::u16string_view rest(s);
    record.Chars(rest.substr(0, kFirstPieceChars));
    rest.remove_prefix(kFirstPieceChars);
    flush();
    while (1 + 2 * rest.size() > kRecordLimit) {
      record.U8(kUnicodeChars).Chars(rest.substr(0, kNextPieceChars));
      rest.remove_prefix(kNextPieceChars);
      flush();
    }
    record.U8(kUnicodeChars).Chars(rest);
  }
  flush();
}
