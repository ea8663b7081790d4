#include "ExportSource.h"

#include <algorithm>

#include "ExportMessages.h"
#include "TExportCustomSource.h"
#include "TExportLocale.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"

namespace {

TListItems* itemsOf(const TExportSourceRef& s) {
  return s.Kind == esListView && s.ListView != nullptr ? s.ListView->Items() : nullptr;
}

TExportCustomSource* customOf(const TExportSourceRef& s) { return s.Kind == esCustom ? s.CustomSource : nullptr; }

// The number of records a control without a cursor holds past the skipped ones, within the
// caller's limit.
int rowLimit(int rows, int skipped, int exportRecCount) {
  const int n = rows - skipped;
  return exportRecCount < 1 ? std::max(n, 0) : std::max(std::min(exportRecCount, n), 0);
}

}  // namespace

AnsiString SourceName(TExportSource Kind) {
  switch (Kind) {
    case esDataSet: return "DataSet";
    case esListView: return "ListView";
    case esDBGrid: return "DBGrid";
    case esStringGrid: return "StringGrid";
    case esCustom: return "CustomSource";
  }
  return {};
}

TObject* SourceComponent(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esListView: return Source.ListView;
    case esCustom: return Source.CustomSource;
    default: return nullptr;
  }
}

TDataSet* SourceDataSet(const TExportSourceRef&) { return nullptr; }

TField* SourceField(const TExportSourceRef&, int) { return nullptr; }

void CheckSourceAssigned(const TExportSourceRef& Source) {
  if (SourceComponent(Source) == nullptr) RaiseExportError(SExportSourceNotAssigned, {SourceName(Source.Kind)});
}

bool SourceIsActive(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esListView:
    case esCustom: return true;
    default: return false;
  }
}

bool SourceIsEmpty(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esListView: return itemsOf(Source) == nullptr || itemsOf(Source)->Count() == 0;
    // A custom source has no record count; one without columns has no values to give.
    case esCustom: return Source.CustomSource == nullptr || Source.CustomSource->ColumnCount() == 0;
    default: return true;
  }
}

TExportSourcePosition SourceGetPosition(const TExportSourceRef& Source) {
  TExportSourcePosition position;
  if (Source.Kind == esListView && Source.ListView != nullptr) {
    TListItem* selected = Source.ListView->Selected();
    position.Index = selected != nullptr ? selected->Index() : 0;
  } else if (TExportCustomSource* custom = customOf(Source)) {
    position.Index = custom->RecNo();
  }
  return position;
}

void SourceGoToPosition(const TExportSourceRef& Source, const TExportSourcePosition& Position) {
  if (TListItems* items = itemsOf(Source)) {
    if (Position.Index >= 0 && Position.Index < items->Count()) Source.ListView->SetItemFocused(items->Item(Position.Index));
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->SetRecNo(Position.Index);
    custom->SetEof(false);
  }
}

void SourceFreePosition(const TExportSourceRef&, TExportSourcePosition& Position) { Position.Bookmark.reset(); }

void SourceFirst(const TExportSourceRef& Source) {
  if (TListItems* items = itemsOf(Source)) {
    if (items->Count() > 0) Source.ListView->SetItemFocused(items->Item(0));
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->First();
  }
}

void SourceNext(const TExportSourceRef& Source, int& RecNo) {
  ++RecNo;
  if (TExportCustomSource* custom = customOf(Source)) custom->Next();
}

void SourceSkip(const TExportSourceRef& Source, int Count, int& RecNo, TObject* Sender,
                const TExportedRecordEvent& OnSkipped) {
  for (int i = 0; i < Count; ++i) {
    SourceNext(Source, RecNo);
    if (OnSkipped) OnSkipped(Sender, RecNo);
  }
}

bool SourceEof(const TExportSourceRef& Source, int RecNo, int Skipped, int ExportRecCount) {
  switch (Source.Kind) {
    case esListView: {
      TListItems* items = itemsOf(Source);
      return items == nullptr || RecNo >= rowLimit(items->Count(), Skipped, ExportRecCount);
    }
    case esCustom: {
      TExportCustomSource* custom = Source.CustomSource;
      return custom == nullptr || custom->Eof() || !custom->OnGetNextRecord || custom->ColumnCount() == 0;
    }
    default: return true;
  }
}

void SourceDisableControls(const TExportSourceRef& Source) {
  if (TListItems* items = itemsOf(Source)) items->BeginUpdate();
}

void SourceEnableControls(const TExportSourceRef& Source) {
  if (TListItems* items = itemsOf(Source)) items->EndUpdate();
}
