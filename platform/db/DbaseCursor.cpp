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
#include "Format.h"
#include "StringRoutines.h"

namespace {

// Records are read in runs of about this many bytes (at least one record).
constexpr std::size_t ReadAhead = 64 * 1024;

std::string_view trimTrailing(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

bool integerColumn(TFieldType type) { return type == ftInteger || type == ftLargeint; }

// Whether a whole number fits the column's integer type.
bool fits(double value, TFieldType type) {
  return type == ftInteger ? std::fabs(value) <= 2147483647.0 : std::fabs(value) <= 9.0e18;
}

// A number field that holds no number but is null as dBASE writers leave it: blanks, a run of
// stars (the value did not fit), or "null" (the dBASE exporter's text for an empty float).
bool nullNumber(std::string_view trimmed) {
  return trimmed.empty() || trimmed.find_first_not_of('*') == std::string_view::npos || SameText(trimmed, "null");
}

// Numbers are right-aligned text; some writers put a decimal comma or a "+" sign. False for
// text that is no number, or a fraction in an integer column.
bool numberValue(std::string_view raw, TFieldType type, Variant& value) {
  const std::string_view s = TrimField(raw);
  if (nullNumber(s)) {
    value = Null();
    return true;
  }
  long long whole = 0;
  if (type != ftFloat && ParseDbInteger(s, whole)) {
    value = type == ftInteger ? Variant(static_cast<int>(whole)) : Variant(whole);
    return true;
  }
  double number = 0;
  if (!ParseDbFloat(s, number, true)) return false;
  if (type == ftFloat) {
    value = number;
    return true;
  }
  // An integer field holding "12.0" or "1e3".
  if (number != std::trunc(number) || !fits(number, type)) return false;
  value = type == ftInteger ? Variant(static_cast<int>(number)) : Variant(static_cast<long long>(number));
  return true;
}

// A value of an integer column that only a float holds: "1.7" in a field declared without
// decimals. dBASE writers do not check a value against the declared decimals.
bool needsFloat(std::string_view raw, TFieldType type) {
  double number = 0;
  return ParseDbFloat(raw, number, true) && (number != std::trunc(number) || !fits(number, type));
}

// False for a text that is no "yyyymmdd" date; blanks and zeros are null.
bool dateValue(std::string_view raw, Variant& value) {
  const std::string_view s = TrimField(raw);
  if (s.find_first_not_of('0') == std::string_view::npos) {
    value = Null();
    return true;
  }
  if (s.size() != 8) return false;
  int parts[3] = {};
  const int widths[3] = {4, 2, 2};
  const char* p = s.data();
  for (int i = 0; i < 3; ++i) {
    auto [next, ec] = std::from_chars(p, p + widths[i], parts[i]);
    if (ec != std::errc() || next != p + widths[i]) return false;
    p = next;
  }
  TDateTime date = 0;
  if (!TryEncodeDate(parts[0], parts[1], parts[2], date)) return false;
  value = Variant::FromDateTime(date);
  return true;
}

// "?" is dBASE's not-yet-set logical.
bool logicalValue(std::string_view raw, Variant& value) {
  switch (raw.empty() ? ' ' : raw.front()) {
    case 'T': case 't': case 'Y': case 'y': value = true; return true;
    case 'F': case 'f': case 'N': case 'n': value = false; return true;
    case ' ': case '?': case '\0': value = Null(); return true;
    default: return false;
  }
}

}  // namespace

TDbaseCursor::TDbaseCursor(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo, AnsiString FileName,
                           AnsiString MemoFileName)
    : table_(std::move(Table)), fileName_(std::move(FileName)) {
  layout_ = ReadDbaseLayout(*table_, fileName_);
  if (Memo && layout_.HasMemoFields())
    memo_.emplace(std::move(Memo), layout_.Version == dbase::VersionDbase4Memo, std::move(MemoFileName), fileName_);
  for (const TDbaseField& field : layout_.Fields) columns_.push_back(DbaseColumn(field));
  const std::size_t recordLength = layout_.RecordLength;
  buffer_.resize(std::max<std::size_t>(1, ReadAhead / recordLength) * recordLength);
  Rewind();
  widenFractionalColumns();
}

// The columns are known before the first record is handed out, so the integer columns are read
// through once for values with a fraction; a column holding one is read as floats.
void TDbaseCursor::widenFractionalColumns() {
  std::vector<std::size_t> integers;
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (integerColumn(columns_[i].DataType)) integers.push_back(i);
  // Most fields hold plain integers: only one with a point, a comma or an exponent is parsed.
  auto plain = [](const char* p, int length) {
    for (const char* end = p + length; p != end; ++p)
      if (*p == '.' || *p == ',' || *p == 'e' || *p == 'E') return false;
    return true;
  };
  while (!integers.empty()) {
    const char* record = nextRecord();
    if (!record) break;
    if (static_cast<std::uint8_t>(record[0]) == dbase::RecordDeleted) continue;
    for (std::size_t n = 0; n < integers.size(); ++n) {
      const std::size_t i = integers[n];
      const TDbaseField& field = layout_.Fields[i];
      if (plain(record + field.Offset, field.Length) ||
          !needsFloat(std::string_view(record + field.Offset, field.Length), columns_[i].DataType))
        continue;
      columns_[i].DataType = ftFloat;
      integers.erase(integers.begin() + std::ptrdiff_t(n--));
    }
  }
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

void TDbaseCursor::badValue(std::size_t Index, std::string_view Raw, const char* Kind) const {
  RaiseDbError(fileName_, Format("record %u, field %s: \"%s\" is not %s",
                                 {recordsRead_, layout_.Fields[Index].Name, AnsiString(TrimField(Raw)), Kind}));
}

void TDbaseCursor::fieldValue(std::size_t Index, const char* Record, Variant& Value) {
  const TDbaseField& field = layout_.Fields[Index];
  const std::string_view raw(Record + field.Offset, field.Length);
  switch (field.Type) {
    case 'N':
    case 'F':
      if (!numberValue(raw, columns_[Index].DataType, Value)) badValue(Index, raw, "a number");
      break;
    case 'D':
      if (!dateValue(raw, Value)) badValue(Index, raw, "a date (yyyymmdd)");
      break;
    case 'L':
      if (!logicalValue(raw, Value)) badValue(Index, raw, "a logical value");
      break;
    case 'M': memoValue(Index, raw, Value); break;
    default: text(trimTrailing(raw), Value); break;
  }
}

// The block number is decimal text (dBASE) or, in 4-byte fields, a binary number.
void TDbaseCursor::memoValue(std::size_t Index, std::string_view Raw, Variant& Value) {
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
    if (ec != std::errc() || p != digits.data() + digits.size()) badValue(Index, Raw, "a memo block number");
  }
  if (block == 0) {
    Value = Null();
    return;
  }
  if (!memo_) RaiseDbError(fileName_, "the table has memo fields but its memo file is missing");
  text(memo_->Read(block), Value);
}
