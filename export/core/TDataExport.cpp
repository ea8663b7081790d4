#include "TDataExport.h"

#include "TExportColumns.h"
#include "TDBGrid.h"
#include "TDataSet.h"
#include "TExportCustomSource.h"
#include "TExportFormats.h"
#include "TExportRow.h"
#include "TListView.h"
#include "TStringGrid.h"
#include "TStringList.h"
#include "TWideStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExport, TComponent,
             Published::Enum("ExportSource", {HHM_EXPORT_SOURCE_NAMES}, &TDataExport::ExportSource,
                             &TDataExport::SetExportSource),
             Published::Class("DataSet", &TDataExport::DataSet, &TDataExport::SetDataSet),
             Published::Class("CustomSource", &TDataExport::CustomSource, &TDataExport::SetCustomSource),
             Published::Class("ListView", &TDataExport::ListView, &TDataExport::SetListView),
             Published::Class("DBGrid", &TDataExport::DBGrid, &TDataExport::SetDBGrid),
             Published::Class("StringGrid", &TDataExport::StringGrid, &TDataExport::SetStringGrid),
             Published::Class("ExportedFields", &TDataExport::ExportedFields, &TDataExport::SetExportedFields),
             Published::Boolean("CurrentRecordOnly", &TDataExport::CurrentRecordOnly,
                                &TDataExport::SetCurrentRecordOnly),
             Published::Boolean("GoToFirstRecord", &TDataExport::GoToFirstRecord, &TDataExport::SetGoToFirstRecord),
             Published::Integer("ExportRecCount", &TDataExport::ExportRecCount, &TDataExport::SetExportRecCount),
             Published::Integer("SkipRecCount", &TDataExport::SkipRecCount, &TDataExport::SetSkipRecCount),
             Published::Boolean("OnlyVisibleFields", &TDataExport::OnlyVisibleFields,
                                &TDataExport::SetOnlyVisibleFields),
             Published::Boolean("AutoCalcStrType", &TDataExport::AutoCalcStrType, &TDataExport::SetAutoCalcStrType),
             Published::Integer("CaptionRow", &TDataExport::CaptionRow, &TDataExport::SetCaptionRow),
             Published::Boolean("ExportEmpty", &TDataExport::ExportEmpty, &TDataExport::SetExportEmpty),
             Published::String("About", &TDataExport::About, &TDataExport::SetAbout),
             Published::String("_Version", &TDataExport::Version_, &TDataExport::SetVersion_),
             Published::Event("OnBeginExport", &TDataExport::OnBeginExport),
             Published::Event("OnEndExport", &TDataExport::OnEndExport),
             Published::Event("OnSkippedRecord", &TDataExport::OnSkippedRecord),
             Published::Event("OnExportedRecord", &TDataExport::OnExportedRecord),
             Published::Event("OnStopExport", &TDataExport::OnStopExport),
             Published::Event("OnGetExportText", &TDataExport::OnGetExportText),
             Published::Event("OnBeforeExportRow", &TDataExport::OnBeforeExportRow),
             Published::Event("OnCustomFormat", &TDataExport::OnCustomFormat))

TDataExport::TDataExport(TComponent* AOwner)
    : TComponent(AOwner),
      formats_(std::make_unique<TExportFormats>()),
      columns_(std::make_unique<TExportColumns>(
          this, [this](const WideString& Text, WideString& Result) { PrepareText(Text, Result); })),
      row_(std::make_unique<TExportRow>(columns_.get(), formats_.get())),
      exportedFields_(std::make_unique<TStringList>()),
      header_(std::make_unique<TWideStringList>()),
      captions_(std::make_unique<TStringList>()),
      footer_(std::make_unique<TWideStringList>()),
      userFormats_(std::make_unique<TStringList>()),
      columnsWidth_(std::make_unique<TStringList>()),
      columnsAlign_(std::make_unique<TStringList>()),
      columnsLength_(std::make_unique<TStringList>()) {
  textSettings_.Reset(*formats_);
}

TDataExport::~TDataExport() = default;

AnsiString TDataExport::About() const { return AnsiString("Data export components ") + DataExportVersion; }

void TDataExport::SetEncoding(std::uint8_t Value) {
  // Only the six encodings the writer knows; anything else would silently write nothing.
  if (Value <= 5) encoding_ = Value;
}

void TDataExport::setSource(TComponent*& Slot, TComponent* Value) {
  if (Slot == Value) return;
  if (Slot != nullptr) Slot->RemoveFreeNotification(this);
  Slot = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TDataExport::SetDataSet(TDataSet* Value) {
  TComponent* slot = dataSet_;
  setSource(slot, Value);
  dataSet_ = Value;
}

void TDataExport::SetCustomSource(TExportCustomSource* Value) {
  TComponent* slot = customSource_;
  setSource(slot, Value);
  customSource_ = Value;
}

void TDataExport::SetDBGrid(TDBGrid* Value) {
  TComponent* slot = dbGrid_;
  setSource(slot, Value);
  dbGrid_ = Value;
}

void TDataExport::SetStringGrid(TStringGrid* Value) {
  TComponent* slot = stringGrid_;
  setSource(slot, Value);
  stringGrid_ = Value;
}

void TDataExport::SetListView(TListView* Value) {
  TComponent* slot = listView_;
  setSource(slot, Value);
  listView_ = Value;
}

void TDataExport::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == dataSet_) dataSet_ = nullptr;
  if (AComponent == customSource_) customSource_ = nullptr;
  if (AComponent == listView_) listView_ = nullptr;
  if (AComponent == dbGrid_) dbGrid_ = nullptr;
  if (AComponent == stringGrid_) stringGrid_ = nullptr;
}

void TDataExport::SetExportedFields(TStrings* Value) { exportedFields_->Assign(Value); }
void TDataExport::SetHeader(TWideStringList* Value) { header_->Assign(Value); }
void TDataExport::SetCaptions(TStrings* Value) { captions_->Assign(Value); }
void TDataExport::SetFooter(TWideStringList* Value) { footer_->Assign(Value); }
void TDataExport::SetFormats(TExportFormats* Value) { formats_->Assign(Value); }
void TDataExport::SetUserFormats(TStrings* Value) { userFormats_->Assign(Value); }
void TDataExport::SetColumnsWidth(TStrings* Value) { columnsWidth_->Assign(Value); }
void TDataExport::SetColumnsAlign(TStrings* Value) { columnsAlign_->Assign(Value); }
void TDataExport::SetColumnsLength(TStrings* Value) { columnsLength_->Assign(Value); }

// --- source operations on the current sources ---

TExportSourceRef TDataExport::SourceRef() const {
  TExportSourceRef s;
  s.Kind = exportSource_;
  s.DataSet = dataSet_;
  s.CustomSource = customSource_;
  s.ListView = listView_;
  s.DBGrid = dbGrid_;
  s.StringGrid = stringGrid_;
  return s;
}

void TDataExport::CheckSource() { CheckSourceAssigned(SourceRef()); }
bool TDataExport::SourceActive() { return SourceIsActive(SourceRef()); }
bool TDataExport::SourceEmpty() { return SourceIsEmpty(SourceRef()); }
void TDataExport::GoFirst() { SourceFirst(SourceRef()); }
void TDataExport::GoNext() { SourceNext(SourceRef(), recNo_); }
void TDataExport::Skip(int Count) {
  // The sources are taken afresh at each step: a handler may free one.
  for (int i = 0; i < Count; ++i) {
    GoNext();
    if (OnSkippedRecord) OnSkippedRecord(this, recNo_);
  }
}
TExportSourcePosition TDataExport::GetBookmark() { return SourceGetPosition(SourceRef()); }
void TDataExport::GoToBookmark(const TExportSourcePosition& Position) { SourceGoToPosition(SourceRef(), Position); }
void TDataExport::FreeBookmark(TExportSourcePosition& Position) { SourceFreePosition(SourceRef(), Position); }
void TDataExport::DisableControls() { SourceDisableControls(SourceRef()); }
void TDataExport::EnableControls() { SourceEnableControls(SourceRef()); }
