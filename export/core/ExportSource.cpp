#include "ExportSource.h"

#include <algorithm>

#include "ExportMessages.h"
#include "TExportCustomSource.h"
#include "TExportLocale.h"
#include "TFields.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"

namespace {

TListItems* itemsOf(const TExportSourceRef& s) {
  return s.Kind == esListView && s.ListView != nullptr ? s.ListView->Items() : nullptr;
}

TExportCustomSource* customOf(const TExportSourceRef& s) { return s.Kind == esCustom ? s.CustomSource : nullptr; }

// The data set of a data-set source, when it is open: a closed one has no records to move
// over (another component may close it while an export runs).
TDataSet* openDataSet(const TExportSourceRef& s) {
  TDataSet* ds = SourceDataSet(s);
  return ds != nullptr && ds->Active() ? ds : nullptr;
}

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
    case esDataSet: return Source.DataSet;
    case esListView: return Source.ListView;
    case esCustom: return Source.CustomSource;
    default: return nullptr;
  }
}

TDataSet* SourceDataSet(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet: return Source.DataSet;
    default: return nullptr;
  }
}

TField* SourceField(const TExportSourceRef& Source, int Index) {
  TDataSet* ds = Source.Kind == esDataSet ? Source.DataSet : nullptr;
  if (ds == nullptr || Index < 0 || Index >= ds->FieldCount()) return nullptr;
  return ds->Fields()->Fields(Index);
}

void CheckSourceAssigned(const TExportSourceRef& Source) {
  if (SourceComponent(Source) == nullptr) RaiseExportError(SExportSourceNotAssigned, {SourceName(Source.Kind)});
}

bool SourceIsActive(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet: return openDataSet(Source) != nullptr;
    case esListView:
    case esCustom: return true;
    default: return false;
  }
}

bool SourceIsEmpty(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet: {
      TDataSet* ds = openDataSet(Source);
      return ds == nullptr || ds->IsEmpty();
    }
    case esListView: return itemsOf(Source) == nullptr || itemsOf(Source)->Count() == 0;
    // A custom source has no record count; one without columns has no values to give.
    case esCustom: return Source.CustomSource == nullptr || Source.CustomSource->ColumnCount() == 0;
    default: return true;
  }
}

TExportSourcePosition SourceGetPosition(const TExportSourceRef& Source) {
  TExportSourcePosition position;
  if (TDataSet* ds = openDataSet(Source)) {
    position.Bookmark = ds->GetBookmark();
  } else if (Source.Kind == esListView && Source.ListView != nullptr) {
    TListItem* selected = Source.ListView->Selected();
    position.Index = selected != nullptr ? selected->Index() : 0;
  } else if (TExportCustomSource* custom = customOf(Source)) {
    position.Index = custom->RecNo();
  }
  return position;
}

void SourceGoToPosition(const TExportSourceRef& Source, const TExportSourcePosition& Position) {
  if (TDataSet* ds = openDataSet(Source)) {
    ds->GotoBookmark(Position.Bookmark);
  } else if (TListItems* items = itemsOf(Source)) {
    if (Position.Index >= 0 && Position.Index < items->Count()) Source.ListView->SetItemFocused(items->Item(Position.Index));
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->SetRecNo(Position.Index);
    custom->SetEof(false);
  }
}

void SourceFreePosition(const TExportSourceRef& Source, TExportSourcePosition& Position) {
  if (TDataSet* ds = SourceDataSet(Source))
    ds->FreeBookmark(Position.Bookmark);
  else
    Position.Bookmark = TBookmark{};
}

void SourceFirst(const TExportSourceRef& Source) {
  if (TDataSet* ds = openDataSet(Source)) {
    ds->First();
  } else if (TListItems* items = itemsOf(Source)) {
    if (items->Count() > 0) Source.ListView->SetItemFocused(items->Item(0));
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->First();
  }
}

void SourceNext(const TExportSourceRef& Source, int& RecNo) {
  ++RecNo;
  if (TDataSet* ds = openDataSet(Source))
    ds->Next();
  else if (TExportCustomSource* custom = customOf(Source))
    custom->Next();
}

void SourceSkip(const TExportSourceRef& Source, int Count, int& RecNo, TObject* Sender,
                const TExportedRecordEvent& OnSkipped) {
  for (int i = 0; i < Count; ++i) {
    SourceNext(Source, RecNo);
    if (OnSkipped) OnSkipped(Sender, RecNo);
  }
}

bool SourceEof(const TExportSourceRef& Source, int RecNo, int Skipped, int ExportRecCount) {
  // A source freed or closed by another component while it is read: the export cannot be
  // complete, and says so rather than end as if the records had run out.
  CheckSourceAssigned(Source);
  if (!SourceIsActive(Source)) RaiseExportError(SExportSourceClosed, {SourceName(Source.Kind)});
  switch (Source.Kind) {
    case esDataSet: return SourceDataSet(Source)->Eof();
    case esListView: return RecNo >= rowLimit(itemsOf(Source)->Count(), Skipped, ExportRecCount);
    case esCustom: {
      TExportCustomSource* custom = Source.CustomSource;
      return custom->Eof() || !custom->OnGetNextRecord || custom->ColumnCount() == 0;
    }
    default: return true;
  }
}

void SourceDisableControls(const TExportSourceRef& Source) {
  if (TDataSet* ds = SourceDataSet(Source))
    ds->DisableControls();
  else if (TListItems* items = itemsOf(Source))
    items->BeginUpdate();
}

void SourceEnableControls(const TExportSourceRef& Source) {
  if (TDataSet* ds = SourceDataSet(Source))
    ds->EnableControls();
  else if (TListItems* items = itemsOf(Source))
    items->EndUpdate();
}
