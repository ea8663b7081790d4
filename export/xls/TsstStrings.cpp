#include "TsstStrings.h"

#include <algorithm>

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

std::uint64_t hashOf(std::u16string_view text) {
  // FNV-1a over the code units.
  std::uint64_t h = 14695981039346656037ull;
  for (char16_t c : text) h = (h ^ static_cast<std::uint64_t>(c)) * 1099511628211ull;
  return h;
}

}  // namespace

std::size_t TsstStrings::slotOf(std::u16string_view Text, std::uint64_t Hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = Hash & mask;; at = (at + 1) & mask) {
    const std::uint32_t entry = slots_[at];
    if (entry == 0) return at;
    if (hashes_[entry - 1] == Hash && strings_[entry - 1] == Text) return at;
  }
}

void TsstStrings::grow() {
  std::vector<std::uint32_t> old(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t entry : old) {
    if (entry == 0) continue;
    std::size_t at = hashes_[entry - 1] & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = entry;
  }
}

std::uint32_t TsstStrings::add(std::u16string_view Text, std::uint64_t Hash) {
  constexpr std::size_t kBlockChars = std::size_t{1} << 16;
  if (blockUsed_ + Text.size() > blockSize_) {
    blockSize_ = std::max(kBlockChars, Text.size());
    // Only the part of a block that texts were copied to is ever read.
    blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(blockSize_));
    blockUsed_ = 0;
  }
  char16_t* stored = blocks_.back().get() + blockUsed_;
  std::copy(Text.begin(), Text.end(), stored);
  blockUsed_ += Text.size();
  strings_.emplace_back(stored, Text.size());
  hashes_.push_back(Hash);
  return static_cast<std::uint32_t>(strings_.size() - 1);
}

std::uint32_t TsstStrings::AddString(std::u16string_view Text) {
  std::u16string changed;
  std::u16string_view text = Text;
  if (text.find(u'\r') != std::u16string_view::npos) {
    changed = normalizeLineBreaks(text);
    text = changed;
  }
  if (text.size() > static_cast<std::size_t>(biff8::MaxStringChars)) {
    if (!allowTruncate_) throw ExlsFileError(xlsmsg::StringTooLarge);
    std::size_t keep = biff8::MaxStringChars;
    if (isHighSurrogate(text[keep - 1])) --keep;
    text = text.substr(0, keep);
  }
  // Keep the table at most half full, so that probes stay short.
  if (2 * (strings_.size() + 1) > slots_.size()) grow();
  const std::uint64_t hash = hashOf(text);
  const std::size_t slot = slotOf(text, hash);
  ++totalReferences_;
  if (slots_[slot] != 0) return slots_[slot] - 1;
  const std::uint32_t index = add(text, hash);
  slots_[slot] = index + 1;
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
  for (const std::u16string_view s : strings_) {
    const std::size_t size = stringSize(s.size());
    if (record.Size() + size > kRecordLimit) flush();
    record.U16(static_cast<std::uint16_t>(s.size())).U8(kUnicodeChars);
    if (size <= kRecordLimit) {
      record.Chars(s);
      continue;
    }
    std::u16string_view rest = s;
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
