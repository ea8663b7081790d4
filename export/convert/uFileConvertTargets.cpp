// The targets of a conversion: ConvertTo and one routine per target type.
#include <cstdint>
#include <vector>

#include "FileNames.h"
#include "StringRoutines.h"
#include "TADOCommand.h"
#include "TADOConnection.h"
#include "TAccessWriter.h"
#include "TADO_DataExportAccess.h"
#include "TAtomicFileStream.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TDataExportDBF.h"
#include "TDataExportXLS.h"
#include "TDatabaseReplacement.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TField.h"
#include "TFields.h"
#include "TStrings.h"
#include "TextFormatSettings.h"
#include "uFileConvert.h"
#include "uFileConvert_p.h"

namespace {

// Closes the connection when a conversion leaves, however it leaves.
class TConnectionCloser {
public:
  explicit TConnectionCloser(TADOConnection* Connection) : connection_(Connection) {}
  ~TConnectionCloser() {
    try {
      connection_->Close();
    } catch (...) {
      // Closing only releases the reader; there is nothing left to report.
    }
  }
  TConnectionCloser(const TConnectionCloser&) = delete;
  TConnectionCloser& operator=(const TConnectionCloser&) = delete;

private:
  TADOConnection* connection_;
};

bool isMemo(TFieldType Type) { return Type == ftMemo || Type == ftWideMemo || Type == ftFmtMemo; }

}  // namespace

void SetExactFormats(TExportFormats* Formats) {
  Formats->SetIntegerFormat("0");
  Formats->SetFloatFormat("");
  Formats->SetCurrencyFormat("0.####");
  Formats->SetDateFormat("yyyy-mm-dd");
  Formats->SetTimeFormat("hh:nn:ss");
  Formats->SetDateTimeFormat("yyyy-mm-dd hh:nn:ss");
}

bool TdmUtils::ConvertTo(const AnsiString& SourceName, const AnsiString& DestExt) {
  if (!IsSupportedFile(SourceName)) return fail("Not Support File Format:" + SourceName);
  // The readers take a source's folder: a name without one is in the current folder.
  const AnsiString Source = ExpandFileName(SourceName);
  TConnectionCloser closer(con1);
  if (!OpenSource(Source)) return false;
  const AnsiString ext = LowerCase(DestExt);
  if (LowerCase(ExtractFileExt(Source)) == ext) return true;
  const AnsiString dest = ConvertedFileName(Source, DestExt);
  if (ext == ".dbf") {
    exportDbf(dest);
  } else if (ext == ".txt") {
    if (!exportText(dest)) return false;
  } else if (ext == ".csv") {
    exportCsv(dest);
  } else if (ext == ".mdb") {
    exportAccess(dest);
  } else if (ext == ".xml") {
    exportXml(dest);
  } else if (ext == ".xls") {
    exportXls(dest);
  } else {
    return fail("Not Support File Format:" + DestExt);
  }
  return true;
}

void TdmUtils::exportAllFields(TDataExport* Export, bool WithBinary) {
  TStrings* list = Export->ExportedFields();
  list->Clear();
  // Without a list an export leaves out every blob field, memos among them; a memo is data
  // like any other text, so the conversions name all their fields.
  TFields* fields = ClientDataSet1->Fields();
  bool listed = false;
  for (int i = 0; i < fields->Count(); ++i)
    if (fields->Fields(i)->IsBlob() && (WithBinary || isMemo(fields->Fields(i)->DataType()))) listed = true;
  if (!listed) return;
  for (int i = 0; i < fields->Count(); ++i) {
    TField* field = fields->Fields(i);
    // A name holding "=" would be read as name=alias: such a source keeps the default list.
    if (field->FieldName().find('=') != AnsiString::npos) {
      list->Clear();
      return;
    }
    if (!field->IsBlob() || WithBinary || isMemo(field->DataType())) list->Add(field->FieldName());
  }
}

void TdmUtils::exportDbf(const AnsiString& Dest) {
  DataExportDBF1->SetFileName(Dest);
  exportAllFields(DataExportDBF1, true);
  DataExportDBF1->Execute();
}

bool TdmUtils::exportText(const AnsiString& Dest) {
  TTextFormat format;
  AnsiString reason;
  if (!TextFormatOf(ReadTextFormatEntries(FSettingsFile), format, reason)) return fail(reason);
  TDataExportASCII* e = DataExportASCII1;
  e->SetFileName(Dest);
  e->SetExportType(etCSV);
  e->SetCSVQuoteStrings(format.QuotedString);
  e->SetCSVQuoteCaptions(format.QuotedString);
  e->SetCSVQuote(format.Quote);
  e->SetCSVComma(format.Delimiter);
  e->SetAllowCaptions(format.IncludeTitle);
  exportAllFields(e, false);
  e->Execute();
  return true;
}

void TdmUtils::exportCsv(const AnsiString& Dest) {
  // A CSV file is written the same way whatever ".txt" file was written before it.
  TDataExportASCII* e = DataExportASCII1;
  e->SetFileName(Dest);
  e->SetExportType(etCSV);
  e->SetCSVComma(',');
  e->SetCSVQuote('"');
  e->SetCSVQuoteStrings(true);
  e->SetCSVQuoteCaptions(true);
  e->SetAllowCaptions(true);
  exportAllFields(e, false);
  e->Execute();
}

void TdmUtils::exportXls(const AnsiString& Dest) {
  DataExportXLS1->SetFileName(Dest);
  exportAllFields(DataExportXLS1, false);
  DataExportXLS1->Execute();
}

void TdmUtils::exportAccess(const AnsiString& Dest) {
  TDatabaseReplacement replacement(Dest);
  TADO_DataExportAccess* e = ADO_DataExportAccess1;
  // The conversion replaces its own table of a database it wrote before; the component
  // itself appends, and every other table stays as it was.
  if (replacement.Copied()) {
    TADOConnection database(nullptr);
    database.SetLoginPrompt(false);
    database.SetConnectionString(AccessConnectionString(AccessJetConnectionFormat, replacement.FileName()));
    TADOCommand drop(nullptr);
    drop.SetConnection(&database);
    drop.SetCommandText("drop table if exists [" + e->TableName() + "]");
    drop.Execute();
    database.CommitTrans();
  }
  e->SetDatabaseName(replacement.FileName());
  exportAllFields(e, false);
  try {
    e->Execute();
  } catch (...) {
    e->SetDatabaseName(Dest);
    throw;
  }
  e->SetDatabaseName(Dest);
  replacement.Commit();
}

void TdmUtils::ADO_DataExportAccess1BeginExport(TObject*) {
  std::vector<TExportColumn*> wide;
  TExportColumns* columns = ADO_DataExportAccess1->Columns();
  for (int i = 0; i < columns->Count(); ++i) {
    TExportColumn* c = columns->Items(i);
    if (c->ColType() == ectBigint && c->FieldType() == ftLargeint) wide.push_back(c);
  }
  if (wide.empty()) return;
  std::vector<bool> fits(wide.size(), true);
  TFields* fields = ClientDataSet1->Fields();
  const TBookmark position = ClientDataSet1->GetBookmark();
  for (ClientDataSet1->First(); !ClientDataSet1->Eof(); ClientDataSet1->Next())
    for (std::size_t i = 0; i < wide.size(); ++i) {
      if (!fits[i]) continue;
      const TField* field = fields->Fields(wide[i]->ColumnIndex());
      if (field->IsNull()) continue;
      const std::int64_t value = field->AsLargeInt();
      fits[i] = value >= INT32_MIN && value <= INT32_MAX;
    }
  ClientDataSet1->GotoBookmark(position);
  for (std::size_t i = 0; i < wide.size(); ++i)
    if (fits[i]) {
      wide[i]->SetColType(ectInteger);
      wide[i]->SetFieldType(ftInteger);
    }
}

void TdmUtils::exportXml(const AnsiString& Dest) {
  TAtomicFileStream file(Dest);
  ClientDataSet1->SaveToStream(&file);
  file.Commit();
}
