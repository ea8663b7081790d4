#include "DbaseCursor_p.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DbError.h"
#include "DbNumbers_p.h"
#include "DbaseFormat.h"
#include "FileNames.h"

namespace {

// Records are read in runs of about this many bytes (at least one record).
constexpr std::size_t ReadAhead = 64 * 1024;

std::string_view trimTrailing(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

// Numbers are right-aligned text; some writers put a decimal comma or a "+" sign. Blanks,
// overflow stars, "null" and other text that is no number read as Null.
Variant numberValue(std::string_view raw, TFieldType type) {
  long long whole = 0;
  if (type != ftFloat && ParseDbInteger(raw, whole))
    return type == ftInteger ? Variant(static_cast<int>(whole)) : Variant(whole);
  double value = 0;
  if (!ParseDbFloat(raw, value, true)) return Null();
  if (type == ftFloat) return Variant(value);
  // An integer field holding "12.0": keep it when it is a whole number in range.
  if (value != std::trunc(value) || std::fabs(value) > 9.0e18) return Null();
  return type == ftInteger ? Variant(static_cast<int>(value)) : Variant(static_cast<long long>(value));
}

Variant dateValue(std::string_view raw) {
  if (raw.size() < 8) return Null();
  int parts[3] = {};
  const int widths[3] = {4, 2, 2};
  const char* p = raw.data();
  for (int i = 0; i < 3; ++i) {
    auto [next, ec] = std::from_chars(p, p + widths[i], parts[i]);
    if (ec != std::errc() || next != p + widths[i]) return Null();
    p = next;
  }
  TDateTime date = 0;
  if (!TryEncodeDate(parts[0], parts[1], parts[2], date)) return Null();
  return Variant::FromDateTime(date);
}

Variant logicalValue(std::string_view raw) {
  switch (raw.empty() ? ' ' : raw.front()) {
    case 'T': case 't': case 'Y': case 'y': return Variant(true);
    case 'F': case 'f': case 'N': case 'n': return Variant(false);
    default: return Null();
  }
}

}  // namespace

TDbaseCursor::TDbaseCursor(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo, AnsiString FileName)
    : table_(std::move(Table)), fileName_(std::move(FileName)) {
  layout_ = ReadDbaseLayout(*table_, fileName_);
  if (Memo && layout_.HasMemoFields())
    memo_.emplace(std::move(Memo), layout_.Version == dbase::VersionDbase4Memo, ChangeFileExt(fileName_, ".dbt"));
  for (const TDbaseField& field : layout_.Fields) columns_.push_back(DbaseColumn(field));
  const std::size_t recordLength = layout_.RecordLength;
  buffer_.resize(std::max<std::size_t>(1, ReadAhead / recordLength) * recordLength);
  Rewind();
}

void TDbaseCursor::Rewind() {
  table_->SetPosition(layout_.HeaderLength);
  bufferUsed_ = bufferAt_ = 0;
  recordsRead_ = 0;
}

const char* TDbaseCursor::nextRecord() {
  const std::size_t recordLength = layout_.RecordLength;
  if (bufferAt_ == bufferUsed_) {
    const std::uint32_t left = layout_.RecordCount - recordsRead_;
    if (left == 0) return nullptr;
    const std::size_t want = std::min<std::size_t>(left, buffer_.size() / recordLength) * recordLength;
    const std::int64_t got = table_->Read(buffer_.data(), std::int64_t(want));
    // The header was checked against the file size; a file cut short since then ends here.
    if (got < std::int64_t(recordLength)) RaiseDbError(fileName_, "the file ends inside a record");
    bufferUsed_ = std::size_t(got) / recordLength * recordLength;
    bufferAt_ = 0;
  }
  const char* record = buffer_.data() + bufferAt_;
  bufferAt_ += recordLength;
  ++recordsRead_;
  return record;
}

bool TDbaseCursor::Next(std::vector<Variant>& Row) {
  for (;;) {
    const char* record = nextRecord();
    if (!record) return false;
    if (static_cast<std::uint8_t>(record[0]) == dbase::RecordDeleted) continue;
    Row.resize(layout_.Fields.size());
    for (std::size_t i = 0; i < layout_.Fields.size(); ++i) fieldValue(i, record, Row[i]);
    return true;
  }
}

void TDbaseCursor::text(std::string_view Bytes, Variant& Value) const {
  if (layout_.CodePage == 0)
    Value.SetText(Bytes);
  else
    Value.SetText(WideToAnsi(AnsiToWide(Bytes, layout_.CodePage)));
}

void TDbaseCursor::fieldValue(std::size_t Index, const char* Record, Variant& Value) {
  const TDbaseField& field = layout_.Fields[Index];
  const std::string_view raw(Record + field.Offset, field.Length);
  switch (field.Type) {
    case 'N':
    case 'F': Value = numberValue(raw, columns_[Index].DataType); break;
    case 'D': Value = dateValue(raw); break;
    case 'L': Value = logicalValue(raw); break;
    case 'M': memoValue(raw, Value); break;
    default: text(trimTrailing(raw), Value); break;
  }
}

// The block number is decimal text (dBASE) or, in 4-byte fields, a binary number.
void TDbaseCursor::memoValue(std::string_view Raw, Variant& Value) {
  std::uint32_t block = 0;
  if (Raw.size() == 4) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(Raw.data());
    block = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
  } else {
    const std::string_view digits = TrimField(Raw);
    if (digits.empty()) {
      Value = Null();
      return;
    }
    auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), block);
    if (ec != std::errc() || p != digits.data() + digits.size())
      RaiseDbError(fileName_, "a memo field does not hold a block number");
  }
  if (block == 0) {
    Value = Null();
    return;
  }
  if (!memo_) RaiseDbError(fileName_, "the table has memo fields but its memo file is missing");
  text(memo_->Read(block), Value);
}
