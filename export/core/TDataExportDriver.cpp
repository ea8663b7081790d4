// The export driver of TDataExport and its base steps.
#include <thread>

#include "CodePage.h"
#include "ExportMessages.h"
#include "TDataExport.h"
#include "TExportCol.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TExportLocale.h"
#include "TExportRow.h"
#include "TListItems.h"
#include "TListView.h"

namespace {

// Runs a clean-up step while another exception is on its way out: a failure of the clean-up
// itself must not replace (or terminate) the one that is reported.
template <class Step>
void cleanUpQuietly(Step&& step) {
  try {
    step();
  } catch (...) {
  }
}

bool sameSource(const TExportSourceRef& a, const TExportSourceRef& b) {
  return a.Kind == b.Kind && SourceComponent(a) == SourceComponent(b) && SourceDataSet(a) == SourceDataSet(b);
}

}  // namespace

void TDataExport::ExportToStream(TStream* Stream) {
  writer_.reset(WriterClass().Create(this, Stream));
  try {
    DoExport();
    writer_->Finish();
  } catch (...) {
    writer_.reset();
    throw;
  }
  writer_.reset();
}

void TDataExport::DoExport() {
  recNo_ = 0;
  CheckSource();
  if (!SourceActive()) RaiseExportError(SExportSourceClosed, {SourceName(exportSource_)});
  if (!exportEmpty_ && SourceEmpty()) RaiseExportError(SExportSourceEmpty, {SourceName(exportSource_)});

  // The controls are enabled on the source that was disabled, and only while it is still this
  // exporter's source: one freed meanwhile has been cleared by the free notification.
  const TExportSourceRef disabled = SourceRef();
  SourceDisableControls(disabled);
  auto enable = [&] {
    if (sameSource(disabled, SourceRef())) SourceEnableControls(disabled);
  };
  auto body = [&] {
    BeginExport();
    if (aborted_) return;
    if (autoCalcColWidth_) {
      columns_->CalcColWidths(allowCaptions_);
      if (aborted_) return;
    }
    try {
      [&] {
        if (allowCaptions_) {
          WriteCaptionRow();
          if (aborted_) return;
        }
        if (goToFirstRecord_) {
          GoFirst();
          recNo_ = 0;
        }
        BeforeExport();
        if (aborted_) return;
        Skip(skipRecCount_);
        if (aborted_) return;
        loop();
        AfterExport();
      }();
    } catch (...) {
      cleanUpQuietly([&] { EndExport(); });
      throw;
    }
    EndExport();
  };
  try {
    body();
  } catch (...) {
    cleanUpQuietly(enable);
    throw;
  }
  enable();
}

void TDataExport::loop() {
  recNo_ = 0;
  for (;;) {
    if (EndOfSource()) break;
    if (exportRecCount_ != 0 && recNo_ >= exportRecCount_) break;
    if (aborted_ && !CanContinue()) break;
    bool accept = true;
    FillRow();
    if (OnBeforeExportRow) OnBeforeExportRow(this, row_.get(), accept);
    if (accept) {
      WriteDataRow();
      if (OnExportedRecord) OnExportedRecord(this, recNo_);
    }
    if (currentRecordOnly_) break;
    GoNext();
    // Other threads get their turn every few hundred records: a yield per record costs more
    // than the record on a loaded machine.
    if (recNo_ % 256 == 0) std::this_thread::yield();
  }
}

bool TDataExport::CanContinue() {
  bool can = !aborted_;
  if (OnStopExport) OnStopExport(this, can);
  aborted_ = !can;
  return can;
}

TExportWriterClass TDataExport::WriterClass() { return ExportWriterClass<TExportWriter>(); }

void TDataExport::BeginExport() {
  textSettings_.Reset(*formats_);
  columns_->Fill(false);
  row_->Clear();
  for (int i = 0; i < columns_->Count(); ++i) row_->AddCol(columns_->Items(i)->Name(), i);
  aborted_ = false;
  if (exportSource_ == esListView && listView_ != nullptr) {
    // A list view has no cursor: the counts are held to the items it has.
    const int items = listView_->Items()->Count();
    skipRecCount_ = std::min(skipRecCount_, items);
    if (exportRecCount_ > 0) exportRecCount_ = std::min(exportRecCount_, items);
  }
  if (OnBeginExport) OnBeginExport(this);
}

void TDataExport::BeforeExport() {}

// The separators are no longer installed process-wide while values are formatted, so there is
// nothing to put back.
void TDataExport::AfterExport() {}

void TDataExport::EndExport() {
  if (OnEndExport) OnEndExport(this);
}

bool TDataExport::EndOfSource() { return SourceEof(SourceRef(), recNo_, skipRecCount_, exportRecCount_); }

void TDataExport::GetCaptionLine(WideString& Line) {
  Line.clear();
  AnsiString caption;
  for (int i = 0; i < columns_->Count(); ++i) {
    GetColCaption(i, caption);
    Line += AnsiToWide(caption);
  }
}

void TDataExport::WriteCaptionRow() {}

void TDataExport::FillRow() {
  const bool byPosition = row_->Count() == columns_->Count();
  Variant value;
  WideString text;
  for (int i = 0; i < columns_->Count(); ++i) {
    TExportColumn* column = columns_->Items(i);
    // Each value goes to the row value of its own column; two columns of the same name keep
    // their own values.
    TExportCol* col = byPosition ? row_->Items(i) : row_->Find(column->Name());
    Variant& v = col != nullptr ? col->Value() : value;
    WideString& t = col != nullptr ? col->Data() : text;
    // Taken afresh for every value: an event handler may free the source.
    const TExportSourceRef source = SourceRef();
    GetColumnValue(source, *column, recNo_, skipRecCount_, *formats_, textSettings_, v, t);
    if (OnCustomFormat && exportSource_ == esDataSet) OnCustomFormat(this, SourceField(source, column->ColumnIndex()), t);
    if (OnGetExportText) OnGetExportText(this, i, t);
  }
}

void TDataExport::GetDataLine(WideString& Line) {
  Line.clear();
  WideString text;
  for (int i = 0; i < row_->Count(); ++i) {
    GetColText(row_->Items(i), text);
    Line += text;
  }
}

void TDataExport::WriteDataRow() {}

void TDataExport::GetColCaption(int Index, AnsiString& Caption) {
  WideString prepared;
  PrepareText(AnsiToWide(columns_->Items(Index)->Caption()), prepared);
  Caption = WideToAnsi(prepared);
}

void TDataExport::GetColData(const WideString& Text, TExportColumn*, WideString& Result) { Result = Text; }

void TDataExport::ClearParams(TExportParams& Params) { Params.fill(0); }

void TDataExport::Execute() {}

void TDataExport::Abort() { aborted_ = true; }

void TDataExport::PrepareText(const WideString& Text, WideString& Result) { Result = Text; }

void TDataExport::GetColText(TExportCol* Col, WideString& Text) {
  // Only a data set's field has a null of its own; the other sources' texts stay as read.
  const bool fieldNull = (exportSource_ == esDataSet || exportSource_ == esDBGrid) && Col->Value().IsNull();
  WideString prepared;
  PrepareText(fieldNull ? formats_->NULLString() : Col->Data(), prepared);
  const int i = Col->ColumnIndex();
  GetColData(prepared, i >= 0 && i < columns_->Count() ? columns_->Items(i) : nullptr, Text);
}
