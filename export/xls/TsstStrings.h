// TsstStrings: the workbook's shared string table (SST). Cells refer to their texts by the
// index AddString returns; each distinct text is stored once.
//
// AddString turns every CR into LF, dropping an LF right after a CR, so CR LF and a lone CR
// both end a line as Excel does. A text longer than 32767 characters raises ExlsFileError
// "String too large", unless truncation is allowed: then its first 32767 characters are kept,
// one fewer when the cut would split a surrogate pair.
//
// SaveToStream writes SST and its CONTINUE records: every string in 16-bit characters, whole in
// one record when it fits (a record holds 8224 bytes), else started in the next CONTINUE
// record; a string longer than a record is split into pieces of 4110 characters after its
// count and option byte, and then 4111 characters after the option byte of each CONTINUE.
// No EXTSST is written.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStream;

class TsstStrings {
public:
  explicit TsstStrings(bool AllowTruncate = false) : allowTruncate_(AllowTruncate) {}

  bool AllowTruncate() const { return allowTruncate_; }
  void SetAllowTruncate(bool Value) { allowTruncate_ = Value; }

  std::uint32_t AddString(std::u16string_view Text);

  // Number of AddString calls, and of distinct texts.
  std::uint32_t TotalReferences() const { return totalReferences_; }
  std::uint32_t UniqueStrings() const { return static_cast<std::uint32_t>(strings_.size()); }
  // The text stored under an index.
  std::u16string_view Strings(std::uint32_t Index) const { return strings_.at(Index); }

  void SaveToStream(TStream& Stream) const;

private:
  // Index of the string equal to Text, or of the free slot where it belongs.
  std::size_t slotOf(std::u16string_view Text, std::uint64_t Hash) const;
  std::uint32_t add(std::u16string_view Text, std::uint64_t Hash);
  void grow();

  bool allowTruncate_;
  std::uint32_t totalReferences_ = 0;
  // The texts, by index, in blocks that never move once filled; an open-addressing table of
  // index + 1 (0: free) finds a text again. A workbook holds up to millions of strings: this
  // keeps them in few allocations.
  std::vector<std::unique_ptr<char16_t[]>> blocks_;
  std::size_t blockUsed_ = 0;
  std::size_t blockSize_ = 0;
  std::vector<std::u16string_view> strings_;
  std::vector<std::uint64_t> hashes_;
  std::vector<std::uint32_t> slots_;
};
