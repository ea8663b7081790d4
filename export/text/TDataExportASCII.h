// TDataExportASCII: writes the rows of an export as one of four text formats, chosen by
// ExportType:
//   etTXT   fixed-width text: the byte-order mark of the Encoding, a title block when Title is
//           set, the Header lines, the captions and values each fitted to its column's width
//           (cut, or padded by its alignment) with TXTSpacing blanks between columns, the
//           Footer lines; every line ends CR LF.
//   etCSV   delimited text in the ANSI code page: Header lines, captions, values separated by
//           CSVComma, Footer lines. Text columns are quoted with CSVQuote when CSVQuoteStrings
//           is on (captions when CSVQuoteCaptions is on); any value or caption that holds the
//           delimiter, the quote or a line break is quoted whatever its type, so that it stays
//           one field. The quote inside a quoted value is doubled. CSVQuote 0 quotes nothing.
//   etDIF   the Data Interchange Format in the OEM code page: a header declaring the columns
//           and the rows (counted in a pass over the source before the export, firing
//           OnFetchedRecord per record), a caption tuple and one tuple per record. Numbers are
//           numeric values in invariant form ("1234.5"), all other values strings in double
//           quotes (quotes inside as they are, a line break a blank). The trailer is "-1,0"
//           "EOD".
//   etSYLK  the Symbolic Link format in the ANSI code page: "ID;PVASCIIEXPORT", one cell record
//           C;X<col>;Y<row>;K"<text>" per caption and value (a ";" inside a text doubled, a line
//           break the format's escape ESC " :"), "E".
// An aborted export ends its CSV file with an empty line and the Footer lines, its DIF file
// with the trailer, written once, after the last row that was written.
//
// Published, in this order: ExportType (etTXT; switching to etTXT also switches
// AutoCalcColWidth on), CSVComma (the locale's list separator, "," when it has none),
// CSVQuote ('"'), CSVQuoteStrings (True), CSVQuoteCaptions (True), TXTSpacing (1),
// AutoCalcColWidth (False; honoured for etTXT only), TrimCaptionsToDataLength (True),
// ColumnsAlign, ColumnsWidth, OnFetchedRecord; besides those of TDataExportFormatText.
//
// Ini settings (section ASCII): ExportType, Comma, Quote (a character as itself for codes
// 0x21 to 0x7F, else "#" and its code), QuoteStrings, QuoteCaptions, Spacing, Encoding,
// AutoCalcColWidth, TrimCaptionsToDataLength; sections ALIGN and WIDTH hold the lines of
// ColumnsAlign and ColumnsWidth under "line0", "line1", ... and read back as saved.
#pragma once

#include "TDataExportFormatText.h"

enum class TExportASCIIType { etTXT, etCSV, etDIF, etSYLK };
using enum TExportASCIIType;

#define HHM_EXPORT_ASCII_TYPE_NAMES "etTXT", "etCSV", "etDIF", "etSYLK"

class TDataExportASCII : public TDataExportFormatText {
  DECLARE_CLASS(TDataExportASCII, TDataExportFormatText)

  explicit TDataExportASCII(TComponent* AOwner);

  TExportASCIIType ExportType() const { return exportType_; }
  // A value outside etTXT .. etSYLK is refused.
  void SetExportType(TExportASCIIType Value);
  char CSVComma() const { return csvComma_; }
  void SetCSVComma(char Value) { csvComma_ = Value; }
  char CSVQuote() const { return csvQuote_; }
  void SetCSVQuote(char Value) { csvQuote_ = Value; }
  bool CSVQuoteStrings() const { return csvQuoteStrings_; }
  void SetCSVQuoteStrings(bool Value) { csvQuoteStrings_ = Value; }
  bool CSVQuoteCaptions() const { return csvQuoteCaptions_; }
  void SetCSVQuoteCaptions(bool Value) { csvQuoteCaptions_ = Value; }
  int TXTSpacing() const { return txtSpacing_; }
  void SetTXTSpacing(int Value) { txtSpacing_ = Value; }
  bool TrimCaptionsToDataLength() const { return trimCaptionsToDataLength_; }
  void SetTrimCaptionsToDataLength(bool Value) { trimCaptionsToDataLength_ = Value; }
  // The number of rows the last DIF export declared.
  int RowCount() const { return rowCount_; }

  TExportWriterClass WriterClass() override;
  void BeginExport() override;
  void EndExport() override;
  void GetCaptionLine(WideString& Line) override;
  void WriteCaptionRow() override;
  void GetDataLine(WideString& Line) override;
  void WriteDataRow() override;
  void GetColCaption(int Index, AnsiString& Caption) override;
  void GetColData(const WideString& Text, TExportColumn* Column, WideString& Result) override;
  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;
  void Abort() override;

private:
  void beginText();
  void beginDif();
  // The DIF counting pass; false when the export was aborted during it.
  bool countRows();
  // The closing lines of the format, written once per export.
  void writeTrailer();
  void writeLines(const TWideStringList* Lines);
  char16_t wideComma() const;
  char16_t wideQuote() const;

  TExportASCIIType exportType_ = etTXT;
  char csvComma_ = ',';
  char csvQuote_ = '"';
  bool csvQuoteStrings_ = true;
  bool csvQuoteCaptions_ = true;
  int txtSpacing_ = 1;
  bool trimCaptionsToDataLength_ = true;
  int rowCount_ = 0;
  bool trailerWritten_ = false;
};
