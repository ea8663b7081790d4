#include "TDataExportDBF.h"

#include <algorithm>
#include <cmath>

#include "CodePage.h"
#include "DateTimeText.h"
#include "DbfFieldDescriptor.h"
#include "DbfRecord.h"
#include "FloatText.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "StringRoutines.h"
#include "TDBFWriter.h"
#include "TExportCol.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TExportRow.h"
#include "TShortFieldNameGenerator.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExportDBF, TDataExportText,
             Published::Class("Captions", &TDataExport::Captions, &TDataExport::SetCaptions),
             Published::Class("ColumnsLength", &TDataExport::ColumnsLength, &TDataExport::SetColumnsLength),
             Published::Class("ColumnsPrecision", &TDataExportDBF::ColumnsPrecision,
                              &TDataExportDBF::SetColumnsPrecision),
             Published::Integer("DefaultFloatSize", &TDataExportDBF::DefaultFloatSize,
                                &TDataExportDBF::SetDefaultFloatSize),
             Published::Integer("DefaultFloatDecimal", &TDataExportDBF::DefaultFloatDecimal,
                                &TDataExportDBF::SetDefaultFloatDecimal),
             Published::Boolean("ExportTimeAsStr", &TDataExportDBF::ExportTimeAsStr,
                                &TDataExportDBF::SetExportTimeAsStr),
             Published::String("NullValue", &TDataExportDBF::NullValue, &TDataExportDBF::SetNullValue))

namespace {

// Field lengths of the types with fixed ones.
constexpr int IntegerLength = 11;  // a 32-bit integer with its sign
constexpr int BigintLength = 20;   // a 64-bit integer with its sign
constexpr int DateTimeTextLength = 25;
constexpr int UnknownLength = 50;
constexpr int LogicalLength = 1;

// The name of a column's field before it is shortened: its caption upper-cased, with control
// characters (a 0 byte would end the name for readers) made "_"; "FIELD<n>" for a caption
// with nothing to show.
AnsiString fieldName(const AnsiString& caption, int index) {
  AnsiString name = UpperCase(caption);
  for (char& ch : name)
    if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) ch = '_';
  if (Trim(name).empty()) name = "FIELD" + IntToStr(index + 1);
  return name;
}

bool rawInteger(const Variant& value, std::int64_t& result) {
  switch (value.VarType()) {
    case varInteger:
    case varInt64: result = value.AsInt64(); return true;
    default: return false;
  }
}

bool rawNumber(const Variant& value, double& result) {
  switch (value.VarType()) {
    case varInteger:
    case varInt64:
    case varDouble:
    case varCurrency: result = value.AsFloat(); return true;
    default: return false;
  }
}

// A number text as a source gave it: with the reading settings, or with "." as the point.
double numberFromText(const AnsiString& text, const TFormatSettings& read) {
  double value;
  if (TryStrToFloat(text, value, read)) return value;
  TFormatSettings point = read;
  point.DecimalSeparator = '.';
  point.ThousandSeparator = '\0';
  if (TryStrToFloat(text, value, point)) return value;
  return StrToFloat(text, read);  // raises EConvertError
}

}  // namespace

TDataExportDBF::TDataExportDBF(TComponent* AOwner)
    : TDataExportText(AOwner), columnsPrecision_(std::make_unique<TStringList>()) {
  // The terminals read their tables in the ANSI code page.
  SetEncoding(0);
  Formats()->SetNULLString(u"null");
}

TDataExportDBF::~TDataExportDBF() = default;

TStrings* TDataExportDBF::ColumnsPrecision() const { return columnsPrecision_.get(); }
void TDataExportDBF::SetColumnsPrecision(TStrings* Value) { columnsPrecision_->Assign(Value); }

AnsiString TDataExportDBF::NullValue() const { return WideToAnsi(Formats()->NULLString()); }
void TDataExportDBF::SetNullValue(const AnsiString& Value) { Formats()->SetNULLString(AnsiToWide(Value)); }

TExportWriterClass TDataExportDBF::WriterClass() { return ExportWriterClass<TDBFWriter>(); }

TDBFWriter* TDataExportDBF::dbfWriter() const { return dynamic_cast<TDBFWriter*>(Writer()); }

bool TDataExportDBF::precisionLine(const AnsiString& Name, int& Size, int& Decimals) const {
  const int at = columnsPrecision_->IndexOfName(Name);
  if (at < 0) return false;
  const AnsiString value = columnsPrecision_->ValueFromIndex(at);
  const std::size_t comma = value.find(',');
  if (comma == AnsiString::npos) return false;
  Size = StrToIntDef(Trim(value.substr(0, comma)), 0);
  Decimals = StrToIntDef(Trim(value.substr(comma + 1)), 0);
  return Size >= 1 || Decimals >= 1;
}

void TDataExportDBF::PrecisionOf(const AnsiString& Name, int& Size, int& Decimals) const {
  if (!precisionLine(Name, Size, Decimals)) {
    Size = defaultFloatSize_;
    Decimals = defaultFloatDecimal_;
  }
  // A field holds 1 to 254 bytes, and its decimals leave room for a digit.
  if (Size < 1) Size = std::clamp(defaultFloatSize_, 1, dbase::MaxCharacterLength);
  Size = std::min(Size, dbase::MaxCharacterLength);
  Decimals = std::clamp(Decimals, 0, Size - 1);
}

int TDataExportDBF::integerLength(const AnsiString& Name, int Default) const {
  int size, decimals;
  if (!precisionLine(Name, size, decimals) || size < 1) return Default;
  return std::min(size, dbase::MaxCharacterLength);
}

int TDataExportDBF::stringLength(int Index, const AnsiString& Name) const {
  const TStrings* lengths = ColumnsLength();
  const int named = lengths->IndexOfName(Name);
  int length;
  if (named >= 0) {
    AnsiString caption = Columns()->Items(Index)->Caption();
    const int byCaption = lengths->IndexOfName(caption);
    length = StrToIntDef(Trim(lengths->ValueFromIndex(byCaption >= 0 ? byCaption : named)), 0);
  } else {
    length = Columns()->Items(Index)->Length();
  }
  // A character field holds at least one byte.
  return std::clamp(length, 1, dbase::MaxCharacterLength);
}

void TDataExportDBF::describeField(int Index, const AnsiString& Name, TDBFFieldDescriptor& Field) {
  TExportColumn* column = Columns()->Items(Index);
  Field.Name = Name;
  Field.Decimals = 0;
  if (column->IsBlob()) {
    Field.Type = 'M';
    Field.Length = dbase::MemoFieldLength;
    return;
  }
  switch (column->ColType()) {
    case ectInteger:
      Field.Type = 'N';
      Field.Length = integerLength(column->Name(), IntegerLength);
      break;
    case ectBigint:
      Field.Type = 'N';
      Field.Length = integerLength(column->Name(), BigintLength);
      break;
    case ectFloat:
    case ectCurrency:
      Field.Type = 'N';
      PrecisionOf(column->Name(), Field.Length, Field.Decimals);
      break;
    case ectDate:
      Field.Type = 'D';
      Field.Length = dbase::DateLength;
      break;
    case ectTime:
    case ectDateTime:
      if (exportTimeAsStr_) {
        Field.Type = 'C';
        Field.Length = DateTimeTextLength;
        column->SetColType(ectString);
      } else {
        Field.Type = 'D';
        Field.Length = dbase::DateLength;
      }
      break;
    case ectString:
      Field.Type = 'C';
      Field.Length = stringLength(Index, Name);
      break;
    case ectBoolean:
      Field.Type = 'L';
      Field.Length = LogicalLength;
      break;
    default:
      Field.Type = 'C';
      Field.Length = UnknownLength;
      break;
  }
}

void TDataExportDBF::BeginExport() {
  TDataExportText::BeginExport();
  TDBFWriter* writer = dbfWriter();
  if (writer == nullptr) return;
  TShortFieldNameGenerator names;
  std::uint32_t position = 0;
  AnsiString caption;
  for (int i = 0; i < Columns()->Count(); ++i) {
    GetColCaption(i, caption);
    TDBFFieldDescriptor field;
    describeField(i, names.Generate(fieldName(caption, i)), field);
    field.Position = position;
    position += static_cast<std::uint32_t>(field.Length);
    writer->AddField(field);
  }
  writer->WriteHeader();
}

void TDataExportDBF::BeforeExport() {
  TDataExportText::BeforeExport();
  upperNullText_ = WideUpperCase(Formats()->NULLString());
  // Numbers are written with "." while the table is written.
  TFormatSettings& write = MutableTextSettings().Write;
  savedDecimalSeparator_ = write.DecimalSeparator;
  write.DecimalSeparator = '.';
}

void TDataExportDBF::AfterExport() {
  MutableTextSettings().Write.DecimalSeparator = savedDecimalSeparator_;
  TDataExportText::AfterExport();
}

void TDataExportDBF::EndExport() {
  if (TDBFWriter* writer = dbfWriter()) {
    writer->WriteEndOfFile();
    writer->CloseMemo();
  }
  TDataExportText::EndExport();
}

void TDataExportDBF::WriteDataRow() {
  TDBFWriter* writer = dbfWriter();
  if (writer == nullptr) return;
  const TFormatSettings& read = TextSettings().Read;
  // Only a data set's fields are null of their own; other sources give texts.
  const bool fields = ExportSource() == esDataSet || ExportSource() == esDBGrid;
  // A text that is the null text stands for a null; an exporter whose null text is empty
  // blanks real nulls only, and data such as a customer named "Null" stays.
  const WideString& nullText = Formats()->NULLString();
  auto isNullText = [&](const WideString& Text) {
    return !nullText.empty() && Text.size() == nullText.size() && WideUpperCase(Text) == upperNullText_;
  };
  WideString text;
  std::string value;
  writer->StartRecord();
  const int count = std::min(Row()->Count(), writer->FieldCount());
  for (int i = 0; i < count; ++i) {
    const TDBFFieldDescriptor& field = writer->Field(i);
    if (field.Type == 'M') {
      writer->WriteMemoField(i);
      continue;
    }
    TExportCol* col = Row()->Items(i);
    GetColText(col, text);
    const Variant& raw = col->Value();
    const bool nullField = fields && (raw.IsNull() || raw.IsEmpty());
    const bool empty = text.empty() || nullField || isNullText(text);
    const TExportColType type = Columns()->Items(i)->ColType();
    value.clear();
    switch (field.Type) {
      case 'N':
        if (type == ectFloat || type == ectCurrency) {
          double number;
          if (empty)
            EncodeExportText(nullText, Encoding(), value);
          else if (rawNumber(raw, number))
            value = DbfNumberText(number, field.Length, field.Decimals);
          else
            value = DbfNumberText(numberFromText(WideToAnsi(text), read), field.Length, field.Decimals);
        } else if (!empty) {
          std::int64_t integer;
          double number;
          if (rawInteger(raw, integer))
            value = DbfIntegerText(integer);
          else if (rawNumber(raw, number))
            value = DbfNumberText(number, field.Length, 0);
          else if (TryStrToInt64(WideToAnsi(text), integer))
            value = DbfIntegerText(integer);
          else
            EncodeExportText(text, Encoding(), value);
        }
        break;
      case 'D':
        if (empty) break;
        if (raw.VarType() == varDate)
          value = DbfDateText(raw.AsDateTime());
        else
          value = DbfDateText(StrToDateTime(WideToAnsi(text), read));  // raises EConvertError
        break;
      case 'L':
        if (empty) break;
        if (raw.VarType() == varBoolean) {
          value = raw.AsBoolean() ? "T" : "F";
        } else {
          const AnsiString upper = UpperCase(WideToAnsi(text));
          value = upper.find("TRUE") != AnsiString::npos ? "T" : upper.find("FALSE") != AnsiString::npos ? "F" : "";
        }
        break;
      default:
        if (!empty) EncodeExportText(text, Encoding(), value);
        break;
    }
    writer->WriteFieldValue(i, value);
  }
  writer->EndRecord();
}

void TDataExportDBF::SaveToIni(TExportIniFile* IniFile) {
  TDataExportText::SaveToIni(IniFile);
  SaveListToIni(IniFile, "LENGTH", "line", ColumnsLength());
}

void TDataExportDBF::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportText::LoadFromIni(IniFile);
  LoadListFromIni(IniFile, "LENGTH", ColumnsLength(), true);
}
