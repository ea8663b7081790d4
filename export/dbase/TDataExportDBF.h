// TDataExportDBF: writes the rows of an export as a dBASE III table (FileName), with a memo
// file (.dbt) beside it when blob or memo fields are exported into a file. The terminals keep
// their data in these files.
//
// Fields, one per column, named after the column's caption: upper-cased (ASCII letters), cut
// to 10 bytes between two characters and made unique (TShortFieldNameGenerator); a caption
// that is empty or all blanks gives "FIELD" and the column's number, control characters
// become "_". By the column's type:
//   blob or memo             M 10
//   ectInteger               N 11        ectBigint  N 20; the size of a ColumnsPrecision line
//                            for the column's name when it has one
//   ectFloat, ectCurrency    N size,decimals: ColumnsPrecision "name=size,decimals" for the
//                            column's name, else DefaultFloatSize (15), DefaultFloatDecimal (4)
//   ectDate                  D 8
//   ectTime, ectDateTime     D 8 (the date only); with ExportTimeAsStr C 25, the text
//   ectString                C: the ColumnsLength line of the field's name (or of the caption),
//                            else the column's Length; 1 to 254
//   ectBoolean               L 1         ectUnknown C 50
// Values: numbers and dates are written from their values, not from their texts: integers in
// plain digits, floats with "." and the field's decimals (fewer when the number needs room;
// "*" in every byte when it does not fit at all), dates as yyyymmdd; booleans as T or F. Texts
// are read only where a source gives no value (a list view's or custom source's text that did
// not convert): a date or float text that cannot be read raises EConvertError. A null value,
// and a text equal to NullValue (Formats.NULLString, "null"; any case) when that is not empty,
// is empty: blanks, and NullValue in a float field. Text is written in the exporter's Encoding
// (0, the ANSI code page, by default).
//
// Published, besides those of TDataExportText: Captions, ColumnsLength, ColumnsPrecision,
// DefaultFloatSize (15), DefaultFloatDecimal (4), ExportTimeAsStr (False), NullValue ("null").
// Ini settings: section LENGTH holds the lines of ColumnsLength under "line0", "line1", ...
#pragma once

#include <memory>

#include "TDataExportText.h"

struct TDBFFieldDescriptor;
class TDBFWriter;
class TStringList;

class TDataExportDBF : public TDataExportText {
  DECLARE_CLASS(TDataExportDBF, TDataExportText)

  explicit TDataExportDBF(TComponent* AOwner);
  ~TDataExportDBF() override;

  TStrings* ColumnsPrecision() const;
  void SetColumnsPrecision(TStrings* Value);
  int DefaultFloatSize() const { return defaultFloatSize_; }
  void SetDefaultFloatSize(int Value) { defaultFloatSize_ = Value; }
  int DefaultFloatDecimal() const { return defaultFloatDecimal_; }
  void SetDefaultFloatDecimal(int Value) { defaultFloatDecimal_ = Value; }
  bool ExportTimeAsStr() const { return exportTimeAsStr_; }
  void SetExportTimeAsStr(bool Value) { exportTimeAsStr_ = Value; }
  AnsiString NullValue() const;
  void SetNullValue(const AnsiString& Value);

  TExportWriterClass WriterClass() override;
  void BeginExport() override;
  void BeforeExport() override;
  void AfterExport() override;
  void EndExport() override;
  void WriteDataRow() override;
  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;

  // The size and decimals of a float field of the column named Name.
  void PrecisionOf(const AnsiString& Name, int& Size, int& Decimals) const;

private:
  TDBFWriter* dbfWriter() const;
  // The size and decimals of Name's ColumnsPrecision line; false when it has none that counts.
  bool precisionLine(const AnsiString& Name, int& Size, int& Decimals) const;
  // The size of an integer field: its ColumnsPrecision line's, else Default.
  int integerLength(const AnsiString& Name, int Default) const;
  void describeField(int Index, const AnsiString& Name, TDBFFieldDescriptor& Field);
  int stringLength(int Index, const AnsiString& Name) const;

  std::unique_ptr<TStringList> columnsPrecision_;
  int defaultFloatSize_ = 15;
  int defaultFloatDecimal_ = 4;
  bool exportTimeAsStr_ = false;
  char savedDecimalSeparator_ = '.';
  // The null text in upper case, for the records of one export.
  WideString upperNullText_;
};
