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
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

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
  const std::u16string& Strings(std::uint32_t Index) const { return strings_.at(Index); }

  void SaveToStream(TStream& Stream) const;

private:
  bool allowTruncate_;
  std::uint32_t totalReferences_ = 0;
  std::deque<std::u16string> strings_;  // by index; a deque keeps the index's keys in place
  std::unordered_map<std::u16string_view, std::uint32_t> index_;
};
