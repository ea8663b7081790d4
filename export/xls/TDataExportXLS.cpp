// TDataExportXLS: the component, its settings, Execute, and the driver that writes the sheets.
#include "TDataExportXLS.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "CodePage.h"
#include "ExportMessages.h"
#include "Format.h"
#include "TDataExportXLS_p.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportIniFile.h"
#include "TExportLocale.h"
#include "TMemoryStream.h"
#include "TStrings.h"
#include "TXLSOptions.h"
#include "TXLSWriter.h"
#include "TWideStringList.h"
#include "TxlsCell.h"
#include "TxlsChart.h"
#include "TxlsFieldFormat.h"
#include "TxlsGraphic.h"
#include "TxlsHyperlink.h"
#include "TxlsImage.h"
#include "TxlsMergedCells.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "TxlsWorkbookFile.h"
#include "TxlsWorkbookWriter.h"
#include "TypInfo.h"
#include "XlsColors.h"

DEFINE_CLASS(TDataExportXLS, TDataExportFormatText,
             Published::Class("ColumnsWidth", &TDataExport::ColumnsWidth, &TDataExport::SetColumnsWidth),
             Published::Boolean("AutoAddSheet", &TDataExportXLS::AutoAddSheet, &TDataExportXLS::SetAutoAddSheet),
             Published::Boolean("AutoCalcColWidth", &TDataExport::AutoCalcColWidth, &TDataExport::SetAutoCalcColWidth),
             Published::Boolean("AutoTruncateValue", &TDataExportXLS::AutoTruncateValue,
                                &TDataExportXLS::SetAutoTruncateValue),
             Published::Class("Options", &TDataExportXLS::Options, &TDataExportXLS::SetOptions),
             Published::Class("FieldFormats", &TDataExportXLS::FieldFormats, &TDataExportXLS::SetFieldFormats),
             Published::Class("StripStyles", &TDataExportXLS::StripStyles, &TDataExportXLS::SetStripStyles),
             Published::Enum("StripType", {"ssNone", "ssCol", "ssRow"}, &TDataExportXLS::StripType,
                             &TDataExportXLS::SetStripType),
             Published::Class("Hyperlinks", &TDataExportXLS::Hyperlinks, &TDataExportXLS::SetHyperlinks),
             Published::Class("Notes", &TDataExportXLS::Notes, &TDataExportXLS::SetNotes),
             Published::Class("Charts", &TDataExportXLS::Charts, &TDataExportXLS::SetCharts),
             Published::Class("Sheets", &TDataExportXLS::Sheets, &TDataExportXLS::SetSheets),
             Published::Class("Pictures", &TDataExportXLS::Pictures, &TDataExportXLS::SetPictures),
             Published::Class("Images", &TDataExportXLS::Images, &TDataExportXLS::SetImages),
             Published::Class("Cells", &TDataExportXLS::Cells, &TDataExportXLS::SetCells),
             Published::Class("MergedCells", &TDataExportXLS::MergedCells, &TDataExportXLS::SetMergedCells),
             Published::Class("Background", &TDataExportXLS::Background, &TDataExportXLS::SetBackground),
             Published::Integer("HeaderRows", &TDataExportXLS::HeaderRows, &TDataExportXLS::SetHeaderRows),
             Published::Integer("StartDataCol", &TDataExportXLS::StartDataCol, &TDataExportXLS::SetStartDataCol),
             Published::Integer("FooterRows", &TDataExportXLS::FooterRows, &TDataExportXLS::SetFooterRows),
             Published::String("SubAggControlColumn", &TDataExportXLS::SubAggControlColumn,
                               &TDataExportXLS::SetSubAggControlColumn),
             Published::Event("OnExportedSheetRecord", &TDataExportXLS::OnExportedSheetRecord),
             Published::Event("OnAdvancedGetExportText", &TDataExportXLS::OnAdvancedGetExportText),
             Published::Event("OnAdvancedGetExportData", &TDataExportXLS::OnAdvancedGetExportData),
             Published::Event("OnAdvancedBeforeExportRow", &TDataExportXLS::OnAdvancedBeforeExportRow),
             Published::Event("OnGetHeaderParams", &TDataExportXLS::OnGetHeaderParams),
             Published::Event("OnGetCaptionParams", &TDataExportXLS::OnGetCaptionParams),
             Published::Event("OnGetBeforeDataParams", &TDataExportXLS::OnGetBeforeDataParams),
             Published::Event("OnGetDataParams", &TDataExportXLS::OnGetDataParams),
             Published::Event("OnGetAggregateParams", &TDataExportXLS::OnGetAggregateParams),
             Published::Event("OnGetFooterParams", &TDataExportXLS::OnGetFooterParams),
             Published::Event("OnBeforeExportSheet", &TDataExportXLS::OnBeforeExportSheet),
             Published::Event("OnAfterExportSheet", &TDataExportXLS::OnAfterExportSheet))

namespace {

constexpr const char* XlsSection = "XLS";

// Runs a clean-up step while another exception is on its way out: a failure of the clean-up
// must not replace the one that is reported.
template <class Step>
void cleanUpQuietly(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

TExportSourceRef sourceOf(const TxlsSheet& sheet) {
  TExportSourceRef s;
  s.Kind = sheet.ExportSource();
  s.DataSet = sheet.DataSet();
  s.CustomSource = sheet.CustomSource();
  s.ListView = sheet.ListView();
  s.DBGrid = sheet.DBGrid();
  s.StringGrid = sheet.StringGrid();
  return s;
}

AnsiString sheetName(const TxlsSheet& sheet) { return sheet.DisplayName(); }

// The source's controls are held for as long as a sheet reads it.
class TControlsHeld {
public:
  explicit TControlsHeld(const TExportSourceRef& source) : source_(source) { SourceDisableControls(source_); }
  ~TControlsHeld() {
    cleanUpQuietly([&] { SourceEnableControls(source_); });
  }
  TControlsHeld(const TControlsHeld&) = delete;
  TControlsHeld& operator=(const TControlsHeld&) = delete;

private:
  TExportSourceRef source_;
};

}  // namespace

TDataExportXLS::TDataExportXLS(TComponent* AOwner)
    : TDataExportFormatText(AOwner),
      options_(std::make_unique<TXLSOptions>()),
      fieldFormats_(std::make_unique<TxlsFieldFormats>(this)),
      stripStyles_(std::make_unique<TxlsFormats>(this)),
      hyperlinks_(std::make_unique<TxlsHyperlinks>(this)),
      notes_(std::make_unique<TxlsNotes>(this)),
      charts_(std::make_unique<TxlsCharts>(this)),
      sheets_(std::make_unique<TxlsSheets>(this)),
      pictures_(std::make_unique<TxlsPictures>(this)),
      images_(std::make_unique<TxlsImages>(this)),
      cells_(std::make_unique<TxlsCells>(this)),
      mergedCells_(std::make_unique<TxlsMergedCellList>(this)),
      background_(std::make_unique<TxlsGraphic>()),
      chartColors_(XlsDefaultChartColors()) {}

TDataExportXLS::~TDataExportXLS() {
  // The sheets go first: their columns read this exporter's settings by name.
  sheets_.reset();
}

TExportWriterClass TDataExportXLS::WriterClass() { return ExportWriterClass<TXLSWriter>(); }

void TDataExportXLS::SetOptions(TXLSOptions* Value) { options_->Assign(Value); }
void TDataExportXLS::SetFieldFormats(TxlsFieldFormats* Value) { fieldFormats_->Assign(Value); }
void TDataExportXLS::SetStripStyles(TxlsFormats* Value) { stripStyles_->Assign(Value); }
void TDataExportXLS::SetHyperlinks(TxlsHyperlinks* Value) { hyperlinks_->Assign(Value); }
void TDataExportXLS::SetNotes(TxlsNotes* Value) { notes_->Assign(Value); }
void TDataExportXLS::SetCharts(TxlsCharts* Value) { charts_->Assign(Value); }
void TDataExportXLS::SetSheets(TxlsSheets* Value) { sheets_->Assign(Value); }
void TDataExportXLS::SetPictures(TxlsPictures* Value) { pictures_->Assign(Value); }
void TDataExportXLS::SetImages(TxlsImages* Value) { images_->Assign(Value); }
void TDataExportXLS::SetCells(TxlsCells* Value) { cells_->Assign(Value); }
void TDataExportXLS::SetMergedCells(TxlsMergedCellList* Value) { mergedCells_->Assign(Value); }
void TDataExportXLS::SetBackground(TxlsGraphic* Value) { background_->Assign(Value); }

void TDataExportXLS::Notification(TComponent* AComponent, TOperation Operation) {
  TDataExportFormatText::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || sheets_ == nullptr) return;
  for (int i = 0; i < sheets_->Count(); ++i) sheets_->Items(i)->RemoveSource(AComponent);
}

void TDataExportXLS::SaveToIni(TExportIniFile* IniFile) {
  TDataExportFormatText::SaveToIni(IniFile);
  IniFile->WriteBool(XlsSection, "AutoTruncateValue", autoTruncateValue_);
  IniFile->WriteBool(XlsSection, "AutoCalcColWidth", AutoCalcColWidth());
  IniFile->WriteBool(XlsSection, "AutoAddSheet", autoAddSheet_);
}

void TDataExportXLS::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportFormatText::LoadFromIni(IniFile);
  autoTruncateValue_ = IniFile->ReadBool(XlsSection, "AutoTruncateValue", autoTruncateValue_);
  SetAutoCalcColWidth(IniFile->ReadBool(XlsSection, "AutoCalcColWidth", AutoCalcColWidth()));
  autoAddSheet_ = IniFile->ReadBool(XlsSection, "AutoAddSheet", autoAddSheet_);
}

void TDataExportXLS::Execute() {
  if (FileName().empty()) RaiseExportError(SResultFileNameMissing);
  ForceFileFolder();
  {
    TxlsWorkbookFile file(FileName());
    TxlsWorkbookWriter writer(file.Stream(), autoTruncateValue_);
    writer.SetGatherCells(true);
    writer.ChartColors() = chartColors_;
    TStream& globals = file.Globals();
    workbook_ = &writer;
    globals_ = &globals;
    try {
      ExportSheets();
    } catch (...) {
      workbook_ = nullptr;
      globals_ = nullptr;
      throw;
    }
    workbook_ = nullptr;
    globals_ = nullptr;
    // An export aborted before its first sheet has no workbook to keep.
    if (writer.BoundSheets().Count() == 0) return;
    file.Commit(globals, globalsAt_);
  }
  ShowOrPrintFile();
}

void TDataExportXLS::ExportSheets() {
  TxlsWorkbookWriter& writer = *workbook_;
  writer.WriteWorkbookPrologue();
  writeSection_ = 0;

  TxlsAddedSheets added(*sheets_);
  std::vector<TxlsSheet*> exported;
  for (int i = 0; i < sheets_->Count(); ++i)
    if (sheets_->Items(i)->Exported()) exported.push_back(sheets_->Items(i));
  if (exported.empty()) {
    TxlsSheet* own = sheets_->Add();
    added.Added(own);
    own->CopyFromExporter(this);
    exported.push_back(own);
  }

  // Every source is checked before anything is written.
  for (TxlsSheet* sheet : exported) {
    const TExportSourceRef source = sourceOf(*sheet);
    CheckSourceAssigned(source);
    if (!SourceIsActive(source)) RaiseExportError(SExportSourceClosed, {SourceName(source.Kind)});
    if (!ExportEmpty() && SourceIsEmpty(source)) RaiseExportError(SExportSourceEmpty, {SourceName(source.Kind)});
  }

  BeginExport();
  if (Aborted()) return;
  try {
    BeforeExport();
    if (Aborted()) {
      // Nothing of the data is written; the workbook still gets what makes it whole.
      EndExport();
      return;
    }
    for (TxlsSheet* sheet : exported) {
      if (Aborted()) break;
      TxlsSheetWork work;
      work.Added = &added;
      work_ = &work;
      exportSheet(sheet, work);
      work_ = nullptr;
    }
    TxlsWorkbookContent content;
    content.Pictures = pictures_.get();
    // The globals go in before the sheets when the file is written, which moves no sheet.
    globalsAt_ = writer.BuildWorkbookGlobals(content, *globals_);
    AfterExport();
  } catch (...) {
    work_ = nullptr;
    writeSection_ = 0;
    cleanUpQuietly([&] { EndExport(); });
    throw;
  }
  EndExport();
}

bool TDataExportXLS::roomForRecord(const TxlsSheet* Sheet) const {
  // The record's row, the row a change of the control column may close a group in, and the
  // rows still to come after the data.
  const int rows = 1 + (Sheet->SubAggControlColumn().empty() ? 0 : 1) + work_->AggregateRows + work_->FooterRows;
  return Sheet->CurrentRow + rows <= biff8::MaxRows;
}

TxlsSheet* TDataExportXLS::continueOnNewSheet(TxlsSheet* Sheet, TxlsSheetWork& Work) {
  auto* next = static_cast<TxlsSheet*>(sheets_->Insert(Sheet->Index() + 1));
  Work.Added->Added(next);
  const WideString title = next->Title();
  next->Assign(Sheet);
  next->SetTitle(title);
  next->SetDefRowHeight(Sheet->DefRowHeight());
  next->SetDefColWidth(Sheet->DefColWidth());
  next->SetSkipRecCount(0);
  if (Sheet->ExportRecCount() > 0) {
    Work.Added->KeepCount(Sheet);
    next->SetExportRecCount(Sheet->ExportRecCount() - Sheet->RecordsExported);
    Sheet->SetExportRecCount(Sheet->RecordsExported);
  }
  return next;
}

void TDataExportXLS::exportSheet(TxlsSheet* Sheet, TxlsSheetWork& Work) {
  TxlsWorkbookWriter& writer = *workbook_;
  Work.Source = sourceOf(*Sheet);
  const TControlsHeld held(Work.Source);
  bool continued = false;
  for (TxlsSheet* sheet = Sheet; sheet != nullptr; continued = true) {
    Work.SheetIndex = sheet->Index();
    if (OnBeforeExportSheet) OnBeforeExportSheet(sheet, Work.SheetIndex);
    PrepareSheet(sheet);
    writer.WriteSheetPrologue(sheet->Frame());
    WriteSheetHeader(sheet);
    if (sheet->AllowCaptions()) WriteSheetCaptions(sheet);
    Work.FirstDataRow = sheet->CurrentRow;

    // A sheet that takes over the rows of a full one goes on from the record that did not fit.
    if (!continued) {
      if (sheet->GoToFirstRecord()) {
        SourceFirst(Work.Source);
        Work.RecNo = 0;
      }
      for (int i = 0; i < sheet->SkipRecCount(); ++i) {
        SourceNext(Work.Source, Work.RecNo);
        if (OnSkippedRecord) OnSkippedRecord(this, Work.RecNo);
      }
      Work.Skipped = sheet->SkipRecCount();
      Work.RecNo = 0;
    }

    TxlsSheet* next = nullptr;
    int passed = 0;
    writeSection_ = 3;
    while (!SourceEof(Work.Source, Work.RecNo, Work.Skipped, 0)) {
      if (sheet->ExportRecCount() > 0 && sheet->RecordsExported >= sheet->ExportRecCount()) break;
      if (!roomForRecord(sheet)) {
        if (!autoAddSheet_) RaiseExportError(SExcelRowLimit);
        // A fresh sheet would have no more room than this one.
        if (passed == 0)
          RaiseExportError(SSheetDefineError,
                           {sheetName(*sheet), "its header lines, captions and footer lines leave no row for data"});
        next = continueOnNewSheet(sheet, Work);
        break;
      }
      if (Aborted() && !CanContinue()) break;
      FillSheetRow(sheet);
      bool accept = true;
      if (OnBeforeExportRow) OnBeforeExportRow(this, sheet->Row(), accept);
      if (accept && OnAdvancedBeforeExportRow) OnAdvancedBeforeExportRow(sheet, Work.SheetIndex, sheet->Row(), accept);
      if (accept) {
        WriteSheetDataRow(sheet);
        ++sheet->RecordsExported;
      }
      ++passed;
      if (sheet->CurrentRecordOnly()) break;
      const int recNo = Work.RecNo;
      SourceNext(Work.Source, Work.RecNo);
      if (OnExportedRecord) OnExportedRecord(this, recNo);
      if (OnExportedSheetRecord) OnExportedSheetRecord(sheet, Work.SheetIndex, recNo);
      // Other threads get their turn every few hundred records: a yield per record costs more
      // than the record on a loaded machine.
      if (passed % 256 == 0) std::this_thread::yield();
    }

    WriteSheetAggregates(sheet);
    WriteSheetFooter(sheet);
    // Where each column's data went, for the ranges of charts by column.
    for (int i = 0; i < sheet->Columns()->Count(); ++i) {
      const auto [first, last] = Work.ColumnRows[static_cast<std::size_t>(i)];
      if (first < 0) continue;
      const AnsiString& name = sheet->Columns()->Items(i)->Name();
      sheet->ColumnList().Use(name, first, sheet->StartDataCol() + i);
      sheet->ColumnList().Use(name, last, sheet->StartDataCol() + i);
    }
    writeSection_ = 0;
    if (sheet->AutoCalcColWidth()) writer.PatchColumnWidths();
    writer.WriteSheetEpilogue(sheet->Frame());
    if (OnAfterExportSheet) OnAfterExportSheet(sheet, Work.SheetIndex);
    sheet = next;
  }
}

TxlsAddedSheets::~TxlsAddedSheets() {
  for (auto& [sheet, count] : counts_) sheet->SetExportRecCount(count);
  for (auto it = added_.rbegin(); it != added_.rend(); ++it) sheets_.Delete((*it)->Index());
}

void TxlsAddedSheets::KeepCount(TxlsSheet* Sheet) {
  if (std::find(added_.begin(), added_.end(), Sheet) != added_.end()) return;
  for (const auto& kept : counts_)
    if (kept.first == Sheet) return;
  counts_.emplace_back(Sheet, Sheet->ExportRecCount());
}
