#include "TextCursor_p.h"

#include <algorithm>

#include "CodePage.h"
#include "DbColumns_p.h"
#include "DbError.h"
#include "Format.h"
#include "StringRoutines.h"
#include "TMemoryStream.h"
#include "TextValue_p.h"

namespace {

const char* typeName(TFieldType type) {
  switch (type) {
    case ftBoolean: return "Bit";
    case ftWord: return "Byte";
    case ftSmallint: return "Short";
    case ftInteger: return "Long";
    case ftCurrency: return "Currency";
    case ftFloat: return "Double";
    default: return "DateTime";
  }
}

std::size_t characters(std::string_view text, bool utf8) {
  if (!utf8) return text.size();
  return std::size_t(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// UTF-16 text (little- or big-endian) as UTF-8.
std::unique_ptr<TStream> utf16AsUtf8(TStream& input, std::int64_t start, bool bigEndian) {
  std::string bytes(std::size_t(std::max<std::int64_t>(0, input.Size() - start)), '\0');
  input.SetPosition(start);
  bytes.resize(std::size_t(std::max<std::int64_t>(0, input.Read(bytes.data(), std::int64_t(bytes.size())))));
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lo = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
    text[i] = char16_t(lo | (hi << 8));
  }
  const std::string utf8 = WideToUtf8(text);
  auto out = std::make_unique<TMemoryStream>();
  out->WriteBuffer(utf8.data(), std::int64_t(utf8.size()));
  return out;
}

}  // namespace

TTextCursor::TTextCursor(std::unique_ptr<TStream> Input, TTextSchema Schema, AnsiString FileName)
    : input_(std::move(Input)), schema_(std::move(Schema)), fileName_(std::move(FileName)) {
  if (schema_.Layout == TTextLayout::FixedLength) {
    if (schema_.Columns.empty()) RaiseDbError(fileName_, "a fixed-length file needs Col entries with widths in Schema.ini");
    for (const TTextColumnSpec& c : schema_.Columns)
      if (c.Width == 0) RaiseDbError(fileName_, Format("the fixed-length column %s has no width", {c.Name}));
  }
  bool bigEndian = false;
  std::int64_t start = readByteOrderMark(bigEndian);
  if (schema_.CodePage == CodePageUtf16) {
    input_ = utf16AsUtf8(*input_, start, bigEndian);
    start = 0;
  }
  if (schema_.CodePage == GetACP()) schema_.CodePage = 0;
  unicode_ = schema_.CodePage == CP_UTF8 || schema_.CodePage == CodePageUtf16 || (schema_.CodePage == 0 && GetACP() == CP_UTF8);
  reader_.emplace(*input_, start, schema_, fileName_);
  scanColumns();
  Rewind();
}

// A byte-order mark decides the encoding whatever the schema says.
std::int64_t TTextCursor::readByteOrderMark(bool& BigEndian) {
  unsigned char mark[3] = {};
  input_->SetPosition(0);
  const std::int64_t got = input_->Read(mark, 3);
  if (got >= 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
    schema_.CodePage = CP_UTF8;
    return 3;
  }
  if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
    schema_.CodePage = CodePageUtf16;
    return 2;
  }
  if (got >= 2 && mark[0] == 0xFE && mark[1] == 0xFF) {
    schema_.CodePage = CodePageUtf16;
    BigEndian = true;
    return 2;
  }
  return 0;
}

void TTextCursor::scanColumns() {
  std::vector<AnsiString> headerNames;
  std::vector<TTextKind> kinds;
  std::vector<std::size_t> longest;
  std::size_t count = 0;
  bool first = true;
  while (reader_->Next(cells_, count)) {
    if (first && schema_.Header) {
      for (std::size_t i = 0; i < count; ++i) headerNames.push_back(ansiName(Trim(cells_[i].Text)));
      first = false;
      continue;
    }
    first = false;
    if (count > kinds.size()) {
      kinds.resize(count, TTextKind::Empty);
      longest.resize(count, 0);
    }
    for (std::size_t i = 0; i < count; ++i) {
      const TTextCell& c = cells_[i];
      kinds[i] = MergeCellKind(kinds[i], c.Text, c.Quoted);
      longest[i] = std::max(longest[i], characters(c.Text, unicode_));
    }
  }

  std::size_t columnCount = std::max({schema_.Columns.size(), headerNames.size(), kinds.size()});
  if (schema_.Layout == TTextLayout::FixedLength) columnCount = schema_.Columns.size();
  if (columnCount == 0) RaiseDbError(fileName_, "the file holds no columns");
  kinds.resize(columnCount, TTextKind::Empty);
  longest.resize(columnCount, 0);
  for (std::size_t i = 0; i < columnCount; ++i) {
    TDbColumn column;
    const TTextColumnSpec* spec = i < schema_.Columns.size() ? &schema_.Columns[i] : nullptr;
    column.Name = spec ? spec->Name : i < headerNames.size() ? headerNames[i] : AnsiString();
    if (spec && spec->Type != ftUnknown && spec->Type != ftString && spec->Type != ftMemo) {
      column.DataType = spec->Type;
    } else {
      TTextKind kind = kinds[i];
      if (spec && spec->Type != ftUnknown) kind = TTextKind::Text;  // declared Text or Memo
      column.DataType = TextKindFieldType(kind, schema_.CodePage != 0, longest[i]);
      if (spec && spec->Type == ftMemo) column.DataType = schema_.CodePage != 0 ? ftWideMemo : ftMemo;
      if (column.DataType == ftString || column.DataType == ftWideString)
        column.Size = int(std::max<std::size_t>({1, longest[i], spec ? std::size_t(spec->Width) : 0}));
    }
    AddNamedColumn(columns_, std::move(column));
  }
}

void TTextCursor::Rewind() {
  reader_->Rewind();
  headerPending_ = schema_.Header;
}

bool TTextCursor::Next(std::vector<Variant>& Row) {
  std::size_t count = 0;
  if (!reader_->Next(cells_, count)) return false;
  if (headerPending_) {
    headerPending_ = false;
    if (!reader_->Next(cells_, count)) return false;
  }
  Row.resize(columns_.size());
  static const TTextCell empty;
  for (std::size_t i = 0; i < columns_.size(); ++i) cellValue(i, i < count ? cells_[i] : empty, Row[i]);
  return true;
}

// Column names are ANSI text whatever the file's encoding.
AnsiString TTextCursor::ansiName(std::string_view Text) const {
  if (schema_.CodePage == 0) return AnsiString(Text);
  return WideToAnsi(wideText(Text));
}

WideString TTextCursor::wideText(std::string_view Text) const {
  return schema_.CodePage == CP_UTF8 || schema_.CodePage == CodePageUtf16 ? Utf8ToWide(Text)
                                                                           : AnsiToWide(Text, schema_.CodePage);
}

void TTextCursor::cellValue(std::size_t Column, const TTextCell& Cell, Variant& Value) const {
  if (Cell.Text.empty()) {
    Value = Null();
    return;
  }
  const TDbColumn& column = columns_[Column];
  switch (column.DataType) {
    case ftString:
    case ftMemo: Value.SetText(Cell.Text); return;
    case ftWideString:
    case ftWideMemo: Value.SetText(wideText(Cell.Text)); return;
    default:
      if (!TextCellValue(Cell.Text, column.DataType, Value)) {
        // Only a type declared in Schema.ini can meet a cell it does not hold: guessed types
        // were taken from every cell.
        RaiseDbError(fileName_, Format("line %d: \"%s\" in column %s is not a %s value",
                                       {reader_->Line(), ansiName(Cell.Text), column.Name, typeName(column.DataType)}));
      }
  }
}
