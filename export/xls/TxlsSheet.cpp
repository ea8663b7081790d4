#include "TxlsSheet.h"

#include <algorithm>
#include <string_view>

#include "CodePage.h"
#include "TDBGrid.h"
#include "TDataExport.h"
#include "TDataSet.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TExportCustomSource.h"
#include "TExportRow.h"
#include "TListView.h"
#include "TStringGrid.h"
#include "TStringList.h"
#include "TWideStringList.h"
#include "TXLSOptions.h"
#include "TxlsCell.h"
#include "TxlsChart.h"
#include "TxlsFieldFormat.h"
#include "TxlsGraphic.h"
#include "TxlsHyperlink.h"
#include "TxlsImage.h"
#include "TxlsMergedCells.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsSheet, TCollectionItem,
             Published::Boolean("AutoCalcColWidth", &TxlsSheet::AutoCalcColWidth, &TxlsSheet::SetAutoCalcColWidth),
             Published::WideString("Title", &TxlsSheet::Title, &TxlsSheet::SetTitle),
             Published::Class("Options", &TxlsSheet::Options, &TxlsSheet::SetOptions),
             Published::Class("FieldFormats", &TxlsSheet::FieldFormats, &TxlsSheet::SetFieldFormats),
             Published::Class("StripStyles", &TxlsSheet::StripStyles, &TxlsSheet::SetStripStyles),
             Published::Enum("StripType", {"ssNone", "ssCol", "ssRow"}, &TxlsSheet::StripType, &TxlsSheet::SetStripType),
             Published::Class("Hyperlinks", &TxlsSheet::Hyperlinks, &TxlsSheet::SetHyperlinks),
             Published::Class("Notes", &TxlsSheet::Notes, &TxlsSheet::SetNotes),
             Published::Class("Charts", &TxlsSheet::Charts, &TxlsSheet::SetCharts),
             Published::Class("Images", &TxlsSheet::Images, &TxlsSheet::SetImages),
             Published::Class("Cells", &TxlsSheet::Cells, &TxlsSheet::SetCells),
             Published::Class("MergedCells", &TxlsSheet::MergedCells, &TxlsSheet::SetMergedCells),
             Published::Class("Background", &TxlsSheet::Background, &TxlsSheet::SetBackground),
             Published::String("SubAggControlColumn", &TxlsSheet::SubAggControlColumn,
                               &TxlsSheet::SetSubAggControlColumn),
             Published::Enum("ExportSource", {HHM_EXPORT_SOURCE_NAMES}, &TxlsSheet::ExportSource,
                             &TxlsSheet::SetExportSource),
             Published::Class("DataSet", &TxlsSheet::DataSet, &TxlsSheet::SetDataSet),
             Published::Class("CustomSource", &TxlsSheet::CustomSource, &TxlsSheet::SetCustomSource),
             Published::Class("ListView", &TxlsSheet::ListView, &TxlsSheet::SetListView),
             Published::Class("DBGrid", &TxlsSheet::DBGrid, &TxlsSheet::SetDBGrid),
             Published::Class("StringGrid", &TxlsSheet::StringGrid, &TxlsSheet::SetStringGrid),
             Published::Integer("HeaderRows", &TxlsSheet::HeaderRows, &TxlsSheet::SetHeaderRows),
             Published::Integer("StartDataCol", &TxlsSheet::StartDataCol, &TxlsSheet::SetStartDataCol),
             Published::Integer("FooterRows", &TxlsSheet::FooterRows, &TxlsSheet::SetFooterRows),
             Published::Class("ExportedFields", &TxlsSheet::ExportedFields, &TxlsSheet::SetExportedFields),
             Published::Class("Header", &TxlsSheet::Header, &TxlsSheet::SetHeader),
             Published::Class("Footer", &TxlsSheet::Footer, &TxlsSheet::SetFooter),
             Published::Class("Captions", &TxlsSheet::Captions, &TxlsSheet::SetCaptions),
             Published::Class("UserFormats", &TxlsSheet::UserFormats, &TxlsSheet::SetUserFormats),
             Published::Class("ColumnsWidth", &TxlsSheet::ColumnsWidth, &TxlsSheet::SetColumnsWidth),
             Published::Class("Formats", &TxlsSheet::Formats, &TxlsSheet::SetFormats),
             Published::Integer("DefColWidth", &TxlsSheet::DefColWidth, &TxlsSheet::SetDefColWidth),
             Published::Boolean("AllowCaptions", &TxlsSheet::AllowCaptions, &TxlsSheet::SetAllowCaptions),
             Published::Boolean("GoToFirstRecord", &TxlsSheet::GoToFirstRecord, &TxlsSheet::SetGoToFirstRecord),
             Published::Integer("ExportRecCount", &TxlsSheet::ExportRecCount, &TxlsSheet::SetExportRecCount),
             Published::Integer("SkipRecCount", &TxlsSheet::SkipRecCount, &TxlsSheet::SetSkipRecCount),
             Published::Boolean("CurrentRecordOnly", &TxlsSheet::CurrentRecordOnly, &TxlsSheet::SetCurrentRecordOnly),
             Published::Boolean("OnlyVisibleFields", &TxlsSheet::OnlyVisibleFields, &TxlsSheet::SetOnlyVisibleFields),
             Published::Boolean("AutoCalcStrType", &TxlsSheet::AutoCalcStrType, &TxlsSheet::SetAutoCalcStrType),
             Published::Integer("CaptionRow", &TxlsSheet::CaptionRow, &TxlsSheet::SetCaptionRow),
             Published::Boolean("Exported", &TxlsSheet::Exported, &TxlsSheet::SetExported),
             Published::Integer("Tag", &TxlsSheet::Tag, &TxlsSheet::SetTag))

DEFINE_CLASS(TxlsSheets, TOwnedCollection)

namespace {

// The settings a sheet and its exporter share by name.
constexpr const char* kSharedWithExporter[] = {
    "AutoCalcColWidth", "Options",        "FieldFormats",    "StripType",         "StripStyles",
    "Hyperlinks",       "Notes",          "Charts",          "Images",            "Cells",
    "MergedCells",      "Background",     "ExportSource",    "DataSet",           "CustomSource",
    "ListView",         "DBGrid",         "StringGrid",      "ExportedFields",    "HeaderRows",
    "StartDataCol",     "FooterRows",     "Header",          "Captions",          "Footer",
    "Formats",          "UserFormats",    "ColumnsWidth",    "AllowCaptions",     "GoToFirstRecord",
    "ExportRecCount",   "SkipRecCount",   "CurrentRecordOnly", "OnlyVisibleFields", "AutoCalcStrType",
    "CaptionRow",       "SubAggControlColumn"};

// What Assign leaves to each sheet.
constexpr std::string_view kSheetOwn[] = {"DefRowHeight", "DefColWidth", "Exported", "Tag"};

// Copies one property by name: values and references are set, owned objects take a copy
// through their setters. A property either side lacks, or cannot take, is left alone.
void copyProperty(const TObject* from, TObject* to, std::string_view name) {
  const TPropInfo* source = GetPropInfo(from, name);
  const TPropInfo* target = GetPropInfo(to, name);
  if (source == nullptr || target == nullptr || !target->HasSetter() || source->Kind != target->Kind) return;
  SetPropValue(to, *target, GetPropValue(from, *source));
}

}  // namespace

TxlsSheet::TxlsSheet(TCollection* Collection)
    : TCollectionItem(Collection),
      options_(std::make_unique<TXLSOptions>()),
      fieldFormats_(std::make_unique<TxlsFieldFormats>(this)),
      stripStyles_(std::make_unique<TxlsFormats>(this)),
      hyperlinks_(std::make_unique<TxlsHyperlinks>(this)),
      notes_(std::make_unique<TxlsNotes>(this)),
      charts_(std::make_unique<TxlsCharts>(this)),
      images_(std::make_unique<TxlsImages>(this)),
      cells_(std::make_unique<TxlsCells>(this)),
      mergedCells_(std::make_unique<TxlsMergedCellList>(this)),
      background_(std::make_unique<TxlsGraphic>()),
      exportedFields_(std::make_unique<TStringList>()),
      header_(std::make_unique<TWideStringList>()),
      footer_(std::make_unique<TWideStringList>()),
      captions_(std::make_unique<TStringList>()),
      userFormats_(std::make_unique<TStringList>()),
      columnsWidth_(std::make_unique<TStringList>()),
      formats_(std::make_unique<TExportFormats>()) {
  const int count = Collection != nullptr ? Collection->Count() : 1;
  title_ = AnsiToWide("Sheet " + std::to_string(count));
  if (TPersistent* exporter = Exporter()) {
    auto* dataExport = dynamic_cast<TDataExport*>(exporter);
    TPrepareTextEvent prepare;
    if (dataExport != nullptr)
      prepare = [dataExport](const WideString& Text, WideString& Result) { dataExport->PrepareText(Text, Result); };
    columns_ = std::make_unique<TExportColumns>(this, prepare);
    row_ = std::make_unique<TExportRow>(columns_.get(), formats_.get());
  }
}

TxlsSheet::~TxlsSheet() = default;

TPersistent* TxlsSheet::Exporter() const { return Collection() != nullptr ? Collection()->Owner() : nullptr; }

void TxlsSheet::Assign(TPersistent* Source) {
  if (auto* sheet = dynamic_cast<TxlsSheet*>(Source)) {
    for (const TPropInfo* prop : ClassType().Properties())
      if (std::find(std::begin(kSheetOwn), std::end(kSheetOwn), prop->Name) == std::end(kSheetOwn))
        copyProperty(sheet, this, prop->Name);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsSheet::DisplayName() const { return title_.empty() ? inherited::DisplayName() : WideToAnsi(title_); }

void TxlsSheet::CopyFromExporter(TPersistent* Exporter) {
  for (const char* name : kSharedWithExporter) copyProperty(Exporter, this, name);
  if (auto* options = dynamic_cast<TXLSOptions*>(GetPropInfo(Exporter, "Options") != nullptr
                                                     ? GetObjectProp(Exporter, "Options")
                                                     : nullptr))
    title_ = AnsiToWide(options->SheetTitle());
}

void TxlsSheet::CopyToExporter(TPersistent* Exporter) {
  for (const char* name : kSharedWithExporter) copyProperty(this, Exporter, name);
  if (auto* options = dynamic_cast<TXLSOptions*>(GetPropInfo(Exporter, "Options") != nullptr
                                                     ? GetObjectProp(Exporter, "Options")
                                                     : nullptr))
    options->SetSheetTitle(WideToAnsi(title_));
}

void TxlsSheet::RemoveSource(TComponent* Component) {
  if (Component == nullptr) return;
  if (dataSet_ == Component) dataSet_ = nullptr;
  if (customSource_ == Component) customSource_ = nullptr;
  if (listView_ == Component) listView_ = nullptr;
  if (dbGrid_ == Component) dbGrid_ = nullptr;
  if (stringGrid_ == Component) stringGrid_ = nullptr;
}

void TxlsSheet::watch(TComponent* Source) const {
  if (auto* exporter = dynamic_cast<TComponent*>(Exporter()); exporter != nullptr && Source != nullptr)
    Source->FreeNotification(exporter);
}

void TxlsSheet::SetDataSet(TDataSet* Value) {
  watch(Value);
  dataSet_ = Value;
}

void TxlsSheet::SetCustomSource(TExportCustomSource* Value) {
  watch(Value);
  customSource_ = Value;
}

void TxlsSheet::SetListView(TListView* Value) {
  watch(Value);
  listView_ = Value;
}

void TxlsSheet::SetDBGrid(TDBGrid* Value) {
  watch(Value);
  dbGrid_ = Value;
}

void TxlsSheet::SetStringGrid(TStringGrid* Value) {
  watch(Value);
  stringGrid_ = Value;
}

TxlsSheetFrame TxlsSheet::Frame() const {
  TxlsSheetFrame frame;
  frame.SheetIndex = Index();
  frame.Title = title_;
  frame.DefColWidth = defColWidth_;
  frame.DefRowHeight = defRowHeight_;
  frame.PageHeader = options_->PageHeader();
  frame.PageFooter = options_->PageFooter();
  frame.StartDataCol = startDataCol_;
  if (columns_ != nullptr)
    for (int i = 0; i < columns_->Count(); ++i) frame.ColumnWidths.push_back(columns_->Items(i)->Width());
  frame.Cells = cells_.get();
  frame.MergedCells = mergedCells_.get();
  frame.Hyperlinks = hyperlinks_.get();
  frame.Notes = notes_.get();
  frame.Images = images_.get();
  frame.Charts = charts_.get();
  frame.ColumnList = &columnList_;
  frame.Background = background_.get();
  if (TPersistent* exporter = Exporter(); exporter != nullptr && GetPropInfo(exporter, "Pictures") != nullptr)
    frame.Pictures = dynamic_cast<TxlsPictures*>(GetObjectProp(exporter, "Pictures"));
  return frame;
}

void TxlsSheet::SetOptions(TXLSOptions* Value) { options_->Assign(Value); }
void TxlsSheet::SetFieldFormats(TxlsFieldFormats* Value) { fieldFormats_->Assign(Value); }
void TxlsSheet::SetStripStyles(TxlsFormats* Value) { stripStyles_->Assign(Value); }
void TxlsSheet::SetHyperlinks(TxlsHyperlinks* Value) { hyperlinks_->Assign(Value); }
void TxlsSheet::SetNotes(TxlsNotes* Value) { notes_->Assign(Value); }
void TxlsSheet::SetCharts(TxlsCharts* Value) { charts_->Assign(Value); }
void TxlsSheet::SetImages(TxlsImages* Value) { images_->Assign(Value); }
void TxlsSheet::SetCells(TxlsCells* Value) { cells_->Assign(Value); }
void TxlsSheet::SetMergedCells(TxlsMergedCellList* Value) { mergedCells_->Assign(Value); }
void TxlsSheet::SetBackground(TxlsGraphic* Value) { background_->Assign(Value); }
TStrings* TxlsSheet::ExportedFields() const { return exportedFields_.get(); }
void TxlsSheet::SetExportedFields(TStrings* Value) { exportedFields_->Assign(Value); }
void TxlsSheet::SetHeader(TWideStringList* Value) { header_->Assign(Value); }
void TxlsSheet::SetFooter(TWideStringList* Value) { footer_->Assign(Value); }
TStrings* TxlsSheet::Captions() const { return captions_.get(); }
void TxlsSheet::SetCaptions(TStrings* Value) { captions_->Assign(Value); }
TStrings* TxlsSheet::UserFormats() const { return userFormats_.get(); }
void TxlsSheet::SetUserFormats(TStrings* Value) { userFormats_->Assign(Value); }
TStrings* TxlsSheet::ColumnsWidth() const { return columnsWidth_.get(); }
void TxlsSheet::SetColumnsWidth(TStrings* Value) { columnsWidth_->Assign(Value); }
void TxlsSheet::SetFormats(TExportFormats* Value) { formats_->Assign(Value); }

TxlsSheets::TxlsSheets(TPersistent* Exporter) : TOwnedCollection(Exporter, CollectionItemClass<TxlsSheet>()) {}

TxlsSheet* TxlsSheets::Add() { return static_cast<TxlsSheet*>(TCollection::Add()); }

TxlsSheet* TxlsSheets::Items(int Index) const { return static_cast<TxlsSheet*>(TCollection::Items(Index)); }
