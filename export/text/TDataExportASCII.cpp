#include "TDataExportASCII.h"

#include "CodePage.h"
#include "CsvText.h"
#include "DifRecords.h"
#include "ExportTextHelpers.h"
#include "SylkRecords.h"
#include "TASCIIWriter.h"
#include "TExportCol.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportIniFile.h"
#include "TExportRow.h"
#include "TStrings.h"
#include "TWideStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExportASCII, TDataExportFormatText,
             Published::Enum("ExportType", {HHM_EXPORT_ASCII_TYPE_NAMES}, &TDataExportASCII::ExportType,
                             &TDataExportASCII::SetExportType),
             Published::Integer("CSVComma", &TDataExportASCII::CSVComma, &TDataExportASCII::SetCSVComma),
             Published::Integer("CSVQuote", &TDataExportASCII::CSVQuote, &TDataExportASCII::SetCSVQuote),
             Published::Boolean("CSVQuoteStrings", &TDataExportASCII::CSVQuoteStrings,
                                &TDataExportASCII::SetCSVQuoteStrings),
             Published::Boolean("CSVQuoteCaptions", &TDataExportASCII::CSVQuoteCaptions,
                                &TDataExportASCII::SetCSVQuoteCaptions),
             Published::Integer("TXTSpacing", &TDataExportASCII::TXTSpacing, &TDataExportASCII::SetTXTSpacing),
             Published::Boolean("AutoCalcColWidth", &TDataExport::AutoCalcColWidth, &TDataExport::SetAutoCalcColWidth),
             Published::Boolean("TrimCaptionsToDataLength", &TDataExportASCII::TrimCaptionsToDataLength,
                                &TDataExportASCII::SetTrimCaptionsToDataLength),
             Published::Class("ColumnsAlign", &TDataExport::ColumnsAlign, &TDataExport::SetColumnsAlign),
             Published::Class("ColumnsWidth", &TDataExport::ColumnsWidth, &TDataExport::SetColumnsWidth),
             Published::Event("OnFetchedRecord", &TDataExport::OnFetchedRecord))

namespace {

constexpr const char* Section = "ASCII";
constexpr std::u16string_view LineEnd = u"\r\n";
// The rule under a fixed-width file's title.
constexpr int TitleRuleLength = 80;

// Text cut to Width characters or padded to them by the alignment.
WideString fitted(const WideString& text, int width, int align) {
  switch (align) {
    case ExportAlignCenter: return TExportWriter::PadCenter(text, u' ', width);
    case ExportAlignRight: return TExportWriter::PadLeft(text, u' ', width);
    default: return TExportWriter::PadRight(text, u' ', width);
  }
}

// A delimiter or quote character (a byte of the ANSI code page) as text.
char16_t wideChar(char c) {
  WideString w;
  AnsiToWide(std::string_view(&c, 1), w);
  return w.size() == 1 ? w[0] : u'\uFFFD';
}

}  // namespace

TDataExportASCII::TDataExportASCII(TComponent* AOwner)
    : TDataExportFormatText(AOwner), csvComma_(ExportListSeparator()) {}

void TDataExportASCII::SetExportType(TExportASCIIType Value) {
  if (Value < etTXT || Value > etSYLK || Value == exportType_) return;
  exportType_ = Value;
  if (Value == etTXT) SetAutoCalcColWidth(true);
}

char16_t TDataExportASCII::wideComma() const { return wideChar(csvComma_); }
char16_t TDataExportASCII::wideQuote() const { return wideChar(csvQuote_); }

TExportWriterClass TDataExportASCII::WriterClass() { return ExportWriterClass<TASCIIWriter>(); }

void TDataExportASCII::BeginExport() {
  TDataExportFormatText::BeginExport();
  trailerWritten_ = false;
  rowCount_ = 0;
  SetAutoCalcColWidth(AutoCalcColWidth() && exportType_ == etTXT);
  switch (exportType_) {
    case etTXT: beginText(); break;
    case etCSV: writeLines(Header()); break;
    case etDIF: beginDif(); break;
    case etSYLK: {
      WideString id;
      SylkId(id);
      Writer()->Write(id);
      break;
    }
  }
  // The driver stops after an aborted BeginExport without ending the export: a CSV or DIF file
  // gets its closing lines here.
  if (Aborted() && (exportType_ == etCSV || exportType_ == etDIF)) writeTrailer();
}

void TDataExportASCII::beginText() {
  Writer()->WriteSignature();
  if (!Title().empty()) {
    Writer()->WriteLn(AnsiToWide(Title()));
    Writer()->CharLine(u'-', TitleRuleLength);
    Writer()->EmptyLine();
  }
  writeLines(Header());
}

void TDataExportASCII::beginDif() {
  // The header declares the rows, so they are counted before anything is written.
  if (!countRows()) return;
  WideString header;
  DifTable(header, AnsiToWide(Title()));
  DifVectors(header, Columns()->Count());
  DifTuples(header, rowCount_);
  DifData(header);
  Writer()->Write(header);
}

bool TDataExportASCII::countRows() {
  TExportSourcePosition position = GetBookmark();
  struct TRelease {
    TDataExportASCII* Export;
    TExportSourcePosition& Position;
    ~TRelease() {
      try {
        Export->FreeBookmark(Position);
      } catch (...) {
      }
    }
  } release{this, position};
  GoFirst();
  int n = 0;
  SourceSkip(SourceRef(), SkipRecCount(), n, nullptr, nullptr);
  // The rows the export loop will pass: the same end and limit (a negative limit passes none).
  n = 0;
  const int limit = ExportRecCount();
  while (!SourceEof(SourceRef(), n, SkipRecCount(), limit) && !(limit != 0 && n >= limit)) {
    if (Aborted() && !CanContinue()) return false;
    SourceNext(SourceRef(), n);
    if (OnFetchedRecord) OnFetchedRecord(this, n);
  }
  GoToBookmark(position);
  rowCount_ = n;
  return true;
}

void TDataExportASCII::EndExport() {
  writeTrailer();
  TDataExportFormatText::EndExport();
}

void TDataExportASCII::writeTrailer() {
  if (trailerWritten_ || Writer() == nullptr) return;
  trailerWritten_ = true;
  WideString out;
  switch (exportType_) {
    case etTXT: writeLines(Footer()); return;
    case etCSV:
      // An aborted export marks where its rows end.
      if (Aborted()) Writer()->EmptyLine();
      writeLines(Footer());
      return;
    case etDIF: DifEod(out); break;
    case etSYLK: SylkEnd(out); break;
  }
  Writer()->Write(out);
}

void TDataExportASCII::writeLines(const TWideStringList* Lines) {
  for (int i = 0; i < Lines->Count(); ++i) Writer()->WriteLn(Lines->Strings(i));
}

void TDataExportASCII::GetColCaption(int Index, AnsiString& Caption) {
  TDataExportFormatText::GetColCaption(Index, Caption);
  if (exportType_ != etTXT || !trimCaptionsToDataLength_) return;
  const TExportColumn* column = Columns()->Items(Index);
  Caption = WideToAnsi(fitted(AnsiToWide(Caption), column->Width(), column->Align()));
}

void TDataExportASCII::GetColData(const WideString& Text, TExportColumn* Column, WideString& Result) {
  if (exportType_ == etTXT && Column != nullptr)
    Result = fitted(Text, Column->Width(), Column->Align());
  else
    TDataExportFormatText::GetColData(Text, Column, Result);
}

void TDataExportASCII::GetCaptionLine(WideString& Line) {
  Line.clear();
  const int count = Columns()->Count();
  const char16_t comma = wideComma(), quote = wideQuote();
  AnsiString caption;
  WideString text;
  if (exportType_ == etDIF) DifBot(Line);
  for (int i = 0; i < count; ++i) {
    GetColCaption(i, caption);
    AnsiToWide(caption, text);
    switch (exportType_) {
      case etTXT:
        Line += text;
        if (i < count - 1 && txtSpacing_ > 0) Line.append(static_cast<std::size_t>(txtSpacing_), u' ');
        break;
      case etCSV:
        if (i > 0) Line += comma;
        if (csvQuote_ != '\0' && (csvQuoteCaptions_ || CsvNeedsQuotes(text, comma, quote)))
          CsvAppendQuoted(Line, text, quote);
        else
          Line += text;
        break;
      case etDIF: DifString(Line, text); break;
      case etSYLK: SylkCell(Line, i + 1, 1, text); break;
    }
  }
  if (exportType_ == etTXT || exportType_ == etCSV) Line += LineEnd;
}

void TDataExportASCII::WriteCaptionRow() {
  WideString line;
  GetCaptionLine(line);
  if (!line.empty()) Writer()->Write(line);
}

void TDataExportASCII::GetDataLine(WideString& Line) {
  Line.clear();
  TExportRow* row = Row();
  const int count = row->Count();
  const char16_t comma = wideComma(), quote = wideQuote();
  const int sylkRow = RecNo() + 1 + (AllowCaptions() ? 1 : 0);
  WideString text;
  if (exportType_ == etDIF) DifBot(Line);
  for (int i = 0; i < count; ++i) {
    TExportCol* col = row->Items(i);
    const int at = col->ColumnIndex();
    const TExportColumn* column = at >= 0 && at < Columns()->Count() ? Columns()->Items(at) : nullptr;
    // Numbers go into a DIF file as numbers, from their raw value.
    if (exportType_ == etDIF && column != nullptr && column->IsNumeric() && DifNumber(Line, col->Value())) continue;
    GetColText(col, text);
    switch (exportType_) {
      case etTXT:
        Line += text;
        if (i < count - 1 && txtSpacing_ > 0) Line.append(static_cast<std::size_t>(txtSpacing_), u' ');
        break;
      case etCSV: {
        if (i > 0) Line += comma;
        const bool isText = column == nullptr || column->ColType() == ectString || column->ColType() == ectUnknown;
        if (csvQuote_ != '\0' && ((csvQuoteStrings_ && isText) || CsvNeedsQuotes(text, comma, quote)))
          CsvAppendQuoted(Line, text, quote);
        else
          Line += text;
        break;
      }
      case etDIF: DifString(Line, text); break;
      case etSYLK: SylkCell(Line, i + 1, sylkRow, text); break;
    }
  }
  if (exportType_ == etTXT || exportType_ == etCSV) Line += LineEnd;
}

void TDataExportASCII::WriteDataRow() {
  WideString line;
  GetDataLine(line);
  Writer()->Write(line);
}

void TDataExportASCII::Abort() {
  // The closing lines follow the last row written, in EndExport (or at the end of an aborted
  // BeginExport), so they are written once.
  TDataExportFormatText::Abort();
}

void TDataExportASCII::SaveToIni(TExportIniFile* IniFile) {
  TDataExportFormatText::SaveToIni(IniFile);
  IniFile->WriteInteger(Section, "ExportType", static_cast<int>(exportType_));
  IniFile->WriteString(Section, "Comma", CharToIniText(csvComma_));
  IniFile->WriteString(Section, "Quote", CharToIniText(csvQuote_));
  IniFile->WriteBool(Section, "QuoteStrings", csvQuoteStrings_);
  IniFile->WriteBool(Section, "QuoteCaptions", csvQuoteCaptions_);
  IniFile->WriteInteger(Section, "Spacing", txtSpacing_);
  IniFile->WriteInteger(Section, "Encoding", Encoding());
  IniFile->WriteBool(Section, "AutoCalcColWidth", AutoCalcColWidth());
  IniFile->WriteBool(Section, "TrimCaptionsToDataLength", trimCaptionsToDataLength_);
  SaveListToIni(IniFile, "ALIGN", "line", ColumnsAlign());
  SaveListToIni(IniFile, "WIDTH", "line", ColumnsWidth());
}

void TDataExportASCII::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportFormatText::LoadFromIni(IniFile);
  const int type = IniFile->ReadInteger(Section, "ExportType", static_cast<int>(exportType_));
  if (type >= static_cast<int>(etTXT) && type <= static_cast<int>(etSYLK)) SetExportType(static_cast<TExportASCIIType>(type));
  csvComma_ = IniTextToChar(IniFile->ReadString(Section, "Comma", CharToIniText(csvComma_)));
  csvQuote_ = IniTextToChar(IniFile->ReadString(Section, "Quote", CharToIniText(csvQuote_)));
  csvQuoteStrings_ = IniFile->ReadBool(Section, "QuoteStrings", csvQuoteStrings_);
  csvQuoteCaptions_ = IniFile->ReadBool(Section, "QuoteCaptions", csvQuoteCaptions_);
  txtSpacing_ = IniFile->ReadInteger(Section, "Spacing", txtSpacing_);
  const int encoding = IniFile->ReadInteger(Section, "Encoding", Encoding());
  if (encoding >= 0 && encoding <= 5) SetEncoding(static_cast<std::uint8_t>(encoding));
  SetAutoCalcColWidth(IniFile->ReadBool(Section, "AutoCalcColWidth", AutoCalcColWidth()));
  trimCaptionsToDataLength_ = IniFile->ReadBool(Section, "TrimCaptionsToDataLength", trimCaptionsToDataLength_);
  // Saved as "line<i>=name=value": read back as the lines that were saved.
  LoadListFromIni(IniFile, "ALIGN", ColumnsAlign(), true);
  LoadListFromIni(IniFile, "WIDTH", ColumnsWidth(), true);
}
