#include "DataPacketXml.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include "CodePage.h"
#include "DateRoutines.h"
#include "IntegerText.h"
#include "TStream.h"

namespace {

// ---- field types and their names ----

struct TTypeName {
  TFieldType Type;
  const char* Name;
};

constexpr TTypeName TypeNames[] = {
    {ftString, "String"},       {ftWideString, "WideString"}, {ftFixedChar, "FixedChar"},
    {ftFixedWideChar, "FixedWideChar"}, {ftGuid, "Guid"},     {ftSmallint, "Smallint"},
    {ftInteger, "Integer"},     {ftWord, "Word"},             {ftAutoInc, "AutoInc"},
    {ftLargeint, "Largeint"},   {ftFloat, "Float"},           {ftCurrency, "Currency"},
    {ftBCD, "BCD"},             {ftFMTBcd, "FMTBcd"},         {ftDate, "Date"},
    {ftTime, "Time"},           {ftDateTime, "DateTime"},     {ftTimeStamp, "TimeStamp"},
    {ftBoolean, "Boolean"},     {ftMemo, "Memo"},             {ftWideMemo, "WideMemo"},
    {ftFmtMemo, "FmtMemo"},     {ftBlob, "Blob"},             {ftBytes, "Bytes"},
    {ftVarBytes, "VarBytes"},   {ftGraphic, "Graphic"},       {ftTypedBinary, "TypedBinary"},
    {ftParadoxOle, "ParadoxOle"}, {ftDBaseOle, "DBaseOle"},   {ftOraBlob, "OraBlob"},
    {ftOraClob, "OraClob"},
};

const char* typeName(TFieldType Type) {
  for (const TTypeName& t : TypeNames)
    if (t.Type == Type) return t.Name;
  return nullptr;
}

std::optional<TFieldType> typeOfName(std::string_view Name) {
  for (const TTypeName& t : TypeNames)
    if (Name == t.Name) return t.Type;
  return std::nullopt;
}

// How a column's values are written.
enum class TValueKind { Integer, Float, Amount, Date, Boolean, Text, WideText, Binary };

TValueKind valueKind(TFieldType Type) {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint: return TValueKind::Integer;
    case ftFloat: return TValueKind::Float;
    case ftCurrency: case ftBCD: case ftFMTBcd: return TValueKind::Amount;
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: return TValueKind::Date;
    case ftBoolean: return TValueKind::Boolean;
    case ftWideString: case ftFixedWideChar: case ftWideMemo: return TValueKind::WideText;
    case ftString: case ftFixedChar: case ftGuid: case ftMemo: case ftFmtMemo: case ftOraClob: return TValueKind::Text;
    default: return TValueKind::Binary;
  }
}

// ---- texts XML can carry ----

bool xmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// True when every character is one XML allows and every surrogate is paired.
bool xmlText(std::u16string_view Text) {
  for (std::size_t i = 0; i < Text.size(); ++i) {
    char16_t c = Text[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= Text.size() || Text[i + 1] < 0xDC00 || Text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (!xmlChar(c)) {
      return false;
    }
  }
  return true;
}

bool plainAscii(std::string_view Text) {
  for (unsigned char c : Text)
    if (c >= 0x80 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) return false;
  return true;
}

// The UTF-8 text of 8-bit text in the ANSI code page, when XML can carry it and it reads back
// as the same bytes.
std::optional<std::string> ansiAsXmlText(std::string_view Text) {
  // The ANSI code pages agree with ASCII, so plain ASCII text is its own UTF-8.
  if (plainAscii(Text)) return std::string(Text);
  WideString wide = AnsiToWide(Text);
  if (!xmlText(wide) || WideToAnsi(wide) != Text) return std::nullopt;
  return WideToUtf8(wide);
}

std::string base64(std::string_view Bytes) {
  return QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size())).toBase64().toStdString();
}

std::string wideBytes(std::u16string_view Text) {
  std::string bytes;
  bytes.reserve(Text.size() * 2);
  for (char16_t c : Text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// ---- value texts ----

std::string floatText(double Value) {
  if (std::isnan(Value)) return "NaN";
  if (std::isinf(Value)) return Value > 0 ? "INF" : "-INF";
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
  return std::string(buffer, result.ptr);
}

std::string amountText(Currency Value) {
  const bool negative = Value.Value < 0;
  // Work with the magnitude as unsigned, so the most negative amount is no overflow.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(Value.Value) : static_cast<std::uint64_t>(Value.Value);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / Currency::Scale);
  std::uint64_t fraction = magnitude % Currency::Scale;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + Currency::Scale).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    text += "." + digits;
  }
  return text;
}

std::string twoDigits(int Value) { return (Value < 10 ? "0" : "") + std::to_string(Value); }

TDateTime composeDateTime(TDateTime Date, TDateTime Time) { return Date < 0 ? Date - Time : Date + Time; }

// ISO 8601 text of a date-time value, and whether it reads back as exactly that value.
std::string dateText(TDateTime Value, TFieldType Type, bool& Exact) {
  int y, m, d, h, n, s, ms;
  DecodeDateTime(Value, y, m, d, h, n, s, ms);
  if (y == 0) {
    Exact = false;
    return "0001-01-01";
  }
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", y, m, d);
  std::string time = twoDigits(h) + ":" + twoDigits(n) + ":" + twoDigits(s);
  if (ms != 0) {
    time += "." + std::to_string(ms + 1000).substr(1);
  }
  Exact = composeDateTime(EncodeDate(y, m, d), EncodeTime(h, n, s, ms)) == Value;
  const bool midnight = h == 0 && n == 0 && s == 0 && ms == 0;
  if (Type == ftTime && y == 1899 && m == 12 && d == 30) return time;
  if (midnight && Type != ftTime) return date;
  return std::string(date) + "T" + time;
}

// ---- the writer ----

class TXmlOut {
public:
  explicit TXmlOut(TStream* Stream) : stream_(Stream) {}
  void raw(std::string_view Text) {
    buffer_.append(Text);
    if (buffer_.size() >= FlushSize) flush();
  }
  // Element content: markup characters and carriage returns as references.
  void text(std::string_view Utf8) {
    for (char c : Utf8) {
      switch (c) {
        case '&': buffer_ += "&amp;"; break;
        case '<': buffer_ += "&lt;"; break;
        case '>': buffer_ += "&gt;"; break;
        case '\r': buffer_ += "&#13;"; break;
        default: buffer_ += c;
      }
    }
    if (buffer_.size() >= FlushSize) flush();
  }
  // An attribute: also quotes, tabs and line ends, which attribute values would lose.
  void attribute(std::string_view Name, std::string_view Utf8) {
    buffer_ += ' ';
    buffer_ += Name;
    buffer_ += "=\"";
    for (char c : Utf8) {
      switch (c) {
        case '&': buffer_ += "&amp;"; break;
        case '<': buffer_ += "&lt;"; break;
        case '>': buffer_ += "&gt;"; break;
        case '"': buffer_ += "&quot;"; break;
        case '\t': buffer_ += "&#9;"; break;
        case '\n': buffer_ += "&#10;"; break;
        case '\r': buffer_ += "&#13;"; break;
        default: buffer_ += c;
      }
    }
    buffer_ += '"';
  }
  void flush() {
    stream_->WriteBuffer(buffer_.data(), static_cast<std::int64_t>(buffer_.size()));
    buffer_.clear();
  }

private:
  static constexpr std::size_t FlushSize = 1 << 16;
  TStream* stream_;
  std::string buffer_;
};

// <FIELD Name="..." Type="..." .../>
void writeField(TXmlOut& Out, const TDbColumn& Column) {
  Out.raw("      <FIELD");
  if (std::optional<std::string> name = ansiAsXmlText(Column.Name)) {
    Out.attribute("Name", *name);
  } else {
    Out.attribute("NameBase64", base64(Column.Name));
  }
  Out.attribute("Type", typeName(Column.DataType));
  if (Column.Size != 0) Out.attribute("Size", std::to_string(Column.Size));
  if (Column.Precision != 0) Out.attribute("Precision", std::to_string(Column.Precision));
  if (Column.Scale != 0) Out.attribute("Scale", std::to_string(Column.Scale));
  if (Column.Required) Out.attribute("Required", "true");
  Out.raw("/>\n");
}

// <METADATA><FIELDS>...</FIELDS></METADATA>
void writeMetadata(TXmlOut& Out, const std::vector<TDbColumn>& Columns) {
  Out.raw("  <METADATA>\n    <FIELDS>\n");
  for (const TDbColumn& column : Columns) writeField(Out, column);
  Out.raw("    </FIELDS>\n  </METADATA>\n");
}

void writeBase64Value(TXmlOut& Out, std::string_view Bytes) {
  Out.raw("<V enc=\"base64\">");
  Out.raw(base64(Bytes));
  Out.raw("</V>");
}

void writeTextValue(TXmlOut& Out, std::string_view Utf8) {
  if (Utf8.empty()) {
    Out.raw("<V/>");
    return;
  }
  Out.raw("<V>");
  Out.text(Utf8);
  Out.raw("</V>");
}

// <V>...</V> of one value.
void writeValue(TXmlOut& Out, const TDbColumn& Column, const Variant& Value) {
  if (Value.IsNull()) {
    Out.raw("<V null=\"true\"/>");
    return;
  }
  switch (valueKind(Column.DataType)) {
    case TValueKind::Integer: writeTextValue(Out, IntToStr(Value.AsInt64())); break;
    case TValueKind::Float: writeTextValue(Out, floatText(Value.AsFloat())); break;
    case TValueKind::Amount: writeTextValue(Out, amountText(Value.AsCurrency())); break;
    case TValueKind::Boolean: writeTextValue(Out, Value.AsBoolean() ? "true" : "false"); break;
    case TValueKind::Date: {
      const TDateTime date = Value.AsDateTime();
      bool exact = false;
      std::string text = dateText(date, Column.DataType, exact);
      if (exact) {
        writeTextValue(Out, text);
      } else {
        Out.raw("<V");
        Out.attribute("raw", floatText(date));
        Out.raw(">");
        Out.text(text);
        Out.raw("</V>");
      }
      break;
    }
    case TValueKind::Text: {
      AnsiString text = Value.AsString();
      if (std::optional<std::string> utf8 = ansiAsXmlText(text)) {
        writeTextValue(Out, *utf8);
      } else {
        writeBase64Value(Out, text);
      }
      break;
    }
    case TValueKind::WideText: {
      WideString text = Value.AsWideString();
      if (xmlText(text)) {
        writeTextValue(Out, WideToUtf8(text));
      } else {
        writeBase64Value(Out, wideBytes(text));
      }
      break;
    }
    case TValueKind::Binary: writeBase64Value(Out, Value.AsString()); break;
  }
}

// <ROWDATA><ROW>...</ROW>...</ROWDATA>
void writeRowData(TXmlOut& Out, const TDataPacket& Packet) {
  Out.raw("  <ROWDATA>\n");
  const std::vector<TDbColumn>& columns = Packet.Columns();
  std::vector<Variant> values;
  for (std::int64_t r = 0; r < Packet.RecordCount(); ++r) {
    Packet.ReadRecord(r, values);
    Out.raw("    <ROW>");
    for (std::size_t c = 0; c < columns.size(); ++c) writeValue(Out, columns[c], values[c]);
    Out.raw("</ROW>\n");
  }
  Out.raw("  </ROWDATA>\n");
}

// ---- the reader ----

class TPacketReader {
public:
  TPacketReader(TStream* Stream, const AnsiString& SourceName) : stream_(Stream), source_(SourceName) {
    // Names and values are read as they are written; namespaces play no part.
    xml_.setNamespaceProcessing(false);
  }

  TDataPacket read();

private:
  [[noreturn]] void fail(const std::string& Reason) const;
  bool feed();
  QXmlStreamReader::TokenType next();
  // The next start or end of an element; only blanks, comments and processing instructions
  // may come before it.
  QXmlStreamReader::TokenType nextElement();
  void expectStart(const char* Name);
  void expectEnd(const char* Name);
  bool isStart(const char* Name) const {
    return xml_.tokenType() == QXmlStreamReader::StartElement && xml_.name() == QLatin1String(Name);
  }
  // The text of the current element up to its end; a child element is an error.
  QString elementText();
  std::string attribute(const char* Name) const;
  bool hasAttribute(const char* Name) const { return xml_.attributes().hasAttribute(QLatin1String(Name)); }
  void allowOnly(std::initializer_list<const char*> Names) const;

  TDbColumn readField();
  Variant readValue(const TDbColumn& Column);
  [[noreturn]] void badValue(const TDbColumn& Column, const QString& Text) const;
  int readNumberAttribute(const char* Name) const;

  TStream* stream_;
  AnsiString source_;
  QXmlStreamReader xml_;
  std::int64_t row_ = 0;
};

void TPacketReader::fail(const std::string& Reason) const {
  std::string message = Reason + " (line " + std::to_string(xml_.lineNumber()) + ")";
  if (row_ > 0) message = "row " + std::to_string(row_) + ": " + message;
  throw EDatabaseError(source_.empty() ? message : source_ + ": " + message);
}

bool TPacketReader::feed() {
  char buffer[1 << 16];
  const std::int64_t n = stream_->Read(buffer, sizeof buffer);
  if (n <= 0) return false;
  xml_.addData(QByteArray(buffer, static_cast<qsizetype>(n)));
  return true;
}

QXmlStreamReader::TokenType TPacketReader::next() {
  for (;;) {
    QXmlStreamReader::TokenType token = xml_.readNext();
    if (token == QXmlStreamReader::DTD) fail("a document type declaration is not allowed in a data packet");
    if (token != QXmlStreamReader::Invalid) return token;
    if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && feed()) continue;
    fail("not a data packet: " + xml_.errorString().toStdString());
  }
}

QXmlStreamReader::TokenType TPacketReader::nextElement() {
  for (;;) {
    QXmlStreamReader::TokenType token = next();
    switch (token) {
      case QXmlStreamReader::StartElement:
      case QXmlStreamReader::EndElement: return token;
      case QXmlStreamReader::Characters:
        if (!xml_.isWhitespace()) fail("text outside a value");
        break;
      case QXmlStreamReader::EndDocument: fail("the data packet ends early");
      default: break;
    }
  }
}

void TPacketReader::expectStart(const char* Name) {
  if (nextElement() != QXmlStreamReader::StartElement || xml_.name() != QLatin1String(Name))
    fail(std::string("<") + Name + "> expected");
}

void TPacketReader::expectEnd(const char* Name) {
  if (nextElement() != QXmlStreamReader::EndElement) fail(std::string("</") + Name + "> expected");
}

QString TPacketReader::elementText() {
  QString text;
  for (;;) {
    switch (next()) {
      case QXmlStreamReader::Characters: text += xml_.text(); break;
      case QXmlStreamReader::EndElement: return text;
      case QXmlStreamReader::StartElement: fail("an element inside a value");
      case QXmlStreamReader::EndDocument: fail("the data packet ends early");
      default: break;
    }
  }
}

std::string TPacketReader::attribute(const char* Name) const {
  return xml_.attributes().value(QLatin1String(Name)).toString().toStdString();
}

void TPacketReader::allowOnly(std::initializer_list<const char*> Names) const {
  for (const QXmlStreamAttribute& a : xml_.attributes()) {
    bool known = false;
    for (const char* name : Names) known = known || a.name() == QLatin1String(name);
    if (!known) fail("unknown attribute " + a.name().toString().toStdString());
  }
}

int TPacketReader::readNumberAttribute(const char* Name) const {
  if (!hasAttribute(Name)) return 0;
  // Field sizes and digits are small; a larger number is no field of a table.
  constexpr int Limit = 1 << 30;
  std::string text = attribute(Name);
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > Limit)
    fail(std::string("invalid ") + Name + " '" + text + "'");
  return value;
}

std::optional<std::string> decodeBase64(const QString& Text) {
  auto result = QByteArray::fromBase64Encoding(Text.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
  if (!result) return std::nullopt;
  return result.decoded.toStdString();
}

TDbColumn TPacketReader::readField() {
  allowOnly({"Name", "NameBase64", "Type", "Size", "Precision", "Scale", "Required"});
  TDbColumn column;
  if (hasAttribute("NameBase64")) {
    std::optional<std::string> name = decodeBase64(xml_.attributes().value(QLatin1String("NameBase64")).toString());
    if (!name) fail("invalid NameBase64");
    column.Name = *name;
  } else if (hasAttribute("Name")) {
    column.Name = WideToAnsi(xml_.attributes().value(QLatin1String("Name")).toString().toStdU16String());
  } else {
    fail("a field without a name");
  }
  std::optional<TFieldType> type = typeOfName(attribute("Type"));
  if (!type) fail("unknown field type '" + attribute("Type") + "'");
  column.DataType = *type;
  column.Size = readNumberAttribute("Size");
  column.Precision = readNumberAttribute("Precision");
  column.Scale = readNumberAttribute("Scale");
  if (hasAttribute("Required")) {
    std::string required = attribute("Required");
    if (required != "true" && required != "false") fail("invalid Required '" + required + "'");
    column.Required = required == "true";
  }
  expectEnd("FIELD");
  return column;
}

template <class T>
bool parseWhole(std::string_view Text, T& Value) {
  auto [end, ec] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  return ec == std::errc() && end == Text.data() + Text.size() && !Text.empty();
}

bool parseFloat(std::string_view Text, double& Value) {
  if (Text == "NaN") Value = std::numeric_limits<double>::quiet_NaN();
  else if (Text == "INF") Value = std::numeric_limits<double>::infinity();
  else if (Text == "-INF") Value = -std::numeric_limits<double>::infinity();
  else return parseWhole(Text, Value) && std::isfinite(Value);
  return true;
}

bool parseAmount(std::string_view Text, Currency& Value) {
  const bool negative = !Text.empty() && Text[0] == '-';
  if (negative) Text.remove_prefix(1);
  const std::size_t point = Text.find('.');
  std::string_view whole = Text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : Text.substr(point + 1);
  if (whole.empty() || fraction.size() > 4 || (point != std::string_view::npos && fraction.empty())) return false;
  std::uint64_t units = 0, decimals = 0;
  if (!parseWhole(whole, units) || (!fraction.empty() && !parseWhole(fraction, decimals))) return false;
  for (std::size_t i = fraction.size(); i < 4; ++i) decimals *= 10;
  // Within the range of an amount: its magnitude times 10000 fits 63 bits (or exactly 2^63
  // for the most negative one).
  const std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1 : 0);
  if (units > (limit - decimals) / Currency::Scale) return false;
  const std::uint64_t scaled = units * Currency::Scale + decimals;
  Value.Value = negative ? static_cast<std::int64_t>(0 - scaled) : static_cast<std::int64_t>(scaled);
  return true;
}

// "YYYY-MM-DD", "YYYY-MM-DDThh:mm:ss[.fff]" or "hh:mm:ss[.fff]".
bool parseDate(std::string_view Text, TDateTime& Value) {
  auto number = [&](std::size_t At, std::size_t Digits, int& Out) {
    if (At + Digits > Text.size()) return false;
    for (std::size_t i = At; i < At + Digits; ++i)
      if (Text[i] < '0' || Text[i] > '9') return false;
    return parseWhole(Text.substr(At, Digits), Out);
  };
  TDateTime date = 0, time = 0;
  std::size_t at = 0;
  if (Text.size() >= 10 && Text[4] == '-') {
    int y, m, d;
    if (!number(0, 4, y) || Text[4] != '-' || !number(5, 2, m) || Text[7] != '-' || !number(8, 2, d)) return false;
    if (!TryEncodeDate(y, m, d, date)) return false;
    at = 10;
    if (at == Text.size()) {
      Value = date;
      return true;
    }
    if (Text[at] != 'T') return false;
    ++at;
  }
  int h, n, s, ms = 0;
  if (!number(at, 2, h) || at + 2 >= Text.size() || Text[at + 2] != ':' || !number(at + 3, 2, n) ||
      at + 5 >= Text.size() || Text[at + 5] != ':' || !number(at + 6, 2, s))
    return false;
  at += 8;
  if (at < Text.size()) {
    if (Text[at] != '.' || !number(at + 1, 3, ms) || at + 4 != Text.size()) return false;
  }
  if (!TryEncodeTime(h, n, s, ms, time)) return false;
  Value = composeDateTime(date, time);
  return true;
}

Variant TPacketReader::readValue(const TDbColumn& Column) {
  const TValueKind kind = valueKind(Column.DataType);
  bool encoded = false;
  std::string raw;
  // Most values have no attributes; the attribute list is looked at once.
  const QXmlStreamAttributes attributes = xml_.attributes();
  if (!attributes.isEmpty()) {
    allowOnly({"null", "enc", "raw"});
    if (attributes.hasAttribute(QLatin1String("null"))) {
      if (attribute("null") != "true") fail("invalid null '" + attribute("null") + "'");
      if (!elementText().isEmpty()) fail("a null value with text");
      return Variant::Null();
    }
    encoded = attributes.hasAttribute(QLatin1String("enc"));
    if (encoded && attribute("enc") != "base64") fail("unknown enc '" + attribute("enc") + "'");
    if (encoded && kind != TValueKind::Text && kind != TValueKind::WideText && kind != TValueKind::Binary)
      fail("enc on a value of field '" + Column.Name + "'");
    if (attributes.hasAttribute(QLatin1String("raw"))) {
      if (kind != TValueKind::Date) fail("raw on a value of field '" + Column.Name + "'");
      raw = attribute("raw");
    }
  }
  const QString text = elementText();
  auto bad = [&]() { badValue(Column, text); };

  if (encoded || kind == TValueKind::Binary) {
    std::optional<std::string> bytes = decodeBase64(text);
    if (!bytes) bad();
    if (kind != TValueKind::WideText) return Variant(*bytes);
    if (bytes->size() % 2 != 0) bad();
    WideString wide(bytes->size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
      wide[i] = static_cast<char16_t>(static_cast<unsigned char>((*bytes)[2 * i]) |
                                      static_cast<unsigned char>((*bytes)[2 * i + 1]) << 8);
    return Variant(wide);
  }
  if (kind == TValueKind::Text) {
    // The ANSI code pages agree with ASCII: plain ASCII text needs no conversion.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) return Variant(text.toLatin1().toStdString());
    return Variant(WideToAnsi(text.toStdU16String()));
  }
  if (kind == TValueKind::WideText) return Variant(text.toStdU16String());

  const std::string value = text.toStdString();
  switch (kind) {
    case TValueKind::Integer: {
      std::int64_t i;
      if (!parseWhole(value, i)) bad();
      if (Column.DataType == ftLargeint) return Variant(static_cast<long long>(i));
      if (i < INT32_MIN || i > INT32_MAX) bad();
      return Variant(static_cast<int>(i));
    }
    case TValueKind::Float: {
      double d;
      if (!parseFloat(value, d)) bad();
      return Variant(d);
    }
    case TValueKind::Amount: {
      Currency c;
      if (!parseAmount(value, c)) bad();
      return Variant(c);
    }
    case TValueKind::Boolean:
      if (value != "true" && value != "false") bad();
      return Variant(value == "true");
    case TValueKind::Date: {
      TDateTime d;
      if (!parseDate(value, d)) bad();
      if (!raw.empty()) {
        double exact;
        if (!parseFloat(raw, exact) || !std::isfinite(exact)) fail("invalid raw '" + raw + "'");
        d = exact;
      }
      return Variant::FromDateTime(d);
    }
    default: badValue(Column, text);
  }
}

void TPacketReader::badValue(const TDbColumn& Column, const QString& Text) const {
  fail("invalid value for field '" + Column.Name + "': '" + Text.left(40).toStdString() + "'");
}

TDataPacket TPacketReader::read() {
  feed();
  expectStart("DATAPACKET");
  allowOnly({"Version"});
  if (attribute("Version") != "1") fail("unknown data packet version '" + attribute("Version") + "'");
  expectStart("METADATA");
  expectStart("FIELDS");
  std::vector<TDbColumn> columns;
  while (nextElement() == QXmlStreamReader::StartElement) {
    if (!isStart("FIELD")) fail("<FIELD> expected");
    columns.push_back(readField());
  }
  expectEnd("METADATA");
  TDataPacket packet = [&] {
    try {
      return TDataPacket(columns);
    } catch (const EDatabaseError& e) {
      fail(e.Message());
    }
  }();
  expectStart("ROWDATA");
  std::vector<Variant> values;
  while (nextElement() == QXmlStreamReader::StartElement) {
    if (!isStart("ROW")) fail("<ROW> expected");
    ++row_;
    values.clear();
    while (nextElement() == QXmlStreamReader::StartElement) {
      if (!isStart("V")) fail("<V> expected");
      if (values.size() == columns.size()) fail("more values than fields");
      values.push_back(readValue(columns[values.size()]));
    }
    if (values.size() != columns.size()) fail("fewer values than fields");
    packet.AppendRecord(values);
  }
  row_ = 0;
  expectEnd("DATAPACKET");
  for (;;) {
    QXmlStreamReader::TokenType token = next();
    if (token == QXmlStreamReader::EndDocument) break;
    if (token == QXmlStreamReader::StartElement) fail("content after the data packet");
  }
  return packet;
}

}  // namespace

void WriteDataPacketXml(const TDataPacket& Packet, TStream* Stream) {
  TXmlOut out(Stream);
  out.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DATAPACKET Version=\"1\">\n");
  writeMetadata(out, Packet.Columns());
  writeRowData(out, Packet);
  out.raw("</DATAPACKET>\n");
  out.flush();
}

TDataPacket ReadDataPacketXml(TStream* Stream, const AnsiString& SourceName) {
  return TPacketReader(Stream, SourceName).read();
}
