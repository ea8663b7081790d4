#include "ExportSource.h"

#include <algorithm>

#include "ExportMessages.h"
#include "TColumn.h"
#include "TDBGrid.h"
#include "TDBGridColumns.h"
#include "TDataSource.h"
#include "TExportCustomSource.h"
#include "TExportLocale.h"
#include "TFields.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TStringGrid.h"

namespace {

TListItems* itemsOf(const TExportSourceRef& s) {
  return s.Kind == esListView && s.ListView != nullptr ? s.ListView->Items() : nullptr;
}

TExportCustomSource* customOf(const TExportSourceRef& s) { return s.Kind == esCustom ? s.CustomSource : nullptr; }

TStringGrid* gridOf(const TExportSourceRef& s) { return s.Kind == esStringGrid ? s.StringGrid : nullptr; }

// The data set behind a data-aware grid: its data source's.
TDataSet* gridDataSet(const TDBGrid* grid) {
  TDataSource* source = grid != nullptr ? grid->DataSource() : nullptr;
  return source != nullptr ? source->DataSet() : nullptr;
}

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
    case esDBGrid: return Source.DBGrid;
    case esStringGrid: return Source.StringGrid;
    case esCustom: return Source.CustomSource;
  }
  return nullptr;
}

TDataSet* SourceDataSet(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet: return Source.DataSet;
    case esDBGrid: return gridDataSet(Source.DBGrid);
    default: return nullptr;
  }
}

TField* SourceField(const TExportSourceRef& Source, int Index) {
  if (Source.Kind == esDBGrid) {
    if (gridDataSet(Source.DBGrid) == nullptr) return nullptr;
    TDBGridColumns* columns = Source.DBGrid->Columns();
    return Index >= 0 && Index < columns->Count() ? columns->Items(Index)->Field() : nullptr;
  }
  TDataSet* ds = Source.Kind == esDataSet ? Source.DataSet : nullptr;
  if (ds == nullptr || Index < 0 || Index >= ds->FieldCount()) return nullptr;
  return ds->Fields()->Fields(Index);
}

void CheckSourceAssigned(const TExportSourceRef& Source) {
  // A data-aware grid needs its data source and that source's data set as well.
  const bool assigned = Source.Kind == esDBGrid ? gridDataSet(Source.DBGrid) != nullptr : SourceComponent(Source) != nullptr;
  if (!assigned) RaiseExportError(SExportSourceNotAssigned, {SourceName(Source.Kind)});
}

bool SourceIsActive(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet:
    case esDBGrid: return openDataSet(Source) != nullptr;
    case esListView:
    case esStringGrid:
    case esCustom: return true;
  }
  return false;
}

bool SourceIsEmpty(const TExportSourceRef& Source) {
  switch (Source.Kind) {
    case esDataSet:
    case esDBGrid: {
      TDataSet* ds = openDataSet(Source);
      return ds == nullptr || ds->IsEmpty();
    }
    case esStringGrid: return Source.StringGrid == nullptr || Source.StringGrid->RowCount() == Source.StringGrid->FixedRows();
    case esListView: return itemsOf(Source) == nullptr || itemsOf(Source)->Count() == 0;
    // A custom source has no record count: its records are known only as they are asked for.
    case esCustom: return Source.CustomSource == nullptr;
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
  } else if (TStringGrid* grid = gridOf(Source)) {
    position.Index = grid->Row();
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
  } else if (TStringGrid* grid = gridOf(Source)) {
    if (Position.Index >= grid->FixedRows() && Position.Index < grid->RowCount()) grid->SetRow(Position.Index);
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
  } else if (TStringGrid* grid = gridOf(Source)) {
    if (grid->RowCount() > grid->FixedRows()) grid->SetRow(grid->FixedRows());
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->First();
  }
}

void SourceNext(const TExportSourceRef& Source, int& RecNo) {
  ++RecNo;
  if (TDataSet* ds = openDataSet(Source)) {
    ds->Next();
  } else if (TStringGrid* grid = gridOf(Source)) {
    if (grid->Row() < grid->RowCount() - 1) grid->SetRow(grid->Row() + 1);
  } else if (TExportCustomSource* custom = customOf(Source)) {
    custom->Next();
  }
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
    case esDataSet:
    case esDBGrid: return SourceDataSet(Source)->Eof();
    case esListView: return RecNo >= rowLimit(itemsOf(Source)->Count(), Skipped, ExportRecCount);
    case esStringGrid: {
      const TStringGrid* grid = Source.StringGrid;
      return RecNo >= rowLimit(grid->RowCount() - grid->FixedRows(), Skipped, ExportRecCount);
    }
    case esCustom: {
      TExportCustomSource* custom = Source.CustomSource;
      return custom->Eof() || !custom->OnGetNextRecord;
    }
  }
  return true;
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
