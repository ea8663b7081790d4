// The sources an exporter reads, behind one set of operations.
//
// An exporter holds five candidate sources and a kind (TExportSource) that picks one. Each
// operation below takes them as a TExportSourceRef and acts on the source of the kind:
//
//   operation       data set          list view            data-aware grid     string grid        custom source
//   check assigned  data set missing  list view missing    grid, its data      grid missing       source missing
//                                                          source or data set
//   is active       Active            true                 its data set's      true               true
//   is empty        IsEmpty           no items             its data set's      RowCount=FixedRows never
//   get position    bookmark          first selected item  bookmark            current row        RecNo
//                                     (0: none selected)
//   go to position  bookmark          focus that item      bookmark            set current row    RecNo, Eof cleared
//   free position   bookmark          -                    bookmark            -                  -
//   first           First             focus item 0         First (when open)   row := FixedRows   First
//   next            Next              -                    Next                next row (not past Next
//                                                                              the last)
//   end of source   Eof               row limit reached    Eof                 row limit reached  Eof, no
//                                                                                                 OnGetNextRecord
//   disable/enable  data set's        item updates held    its data set's      -                  -
//   controls        controls          back
//
// "next" also adds one to the caller's record number, for every kind. A list view or a string
// grid has no cursor of its own: the record read is the caller's record number plus the
// skipped count (list view) or the grid's current row. Their row limit is n = item count (or
// RowCount - FixedRows) - skipped; with ExportRecCount below 1 the limit is max(n, 0), else
// max(min(ExportRecCount, n), 0).
//
// "check assigned" raises EDataExportError 34014 "Export source (%s) is not assigned" with the
// kind's name (SourceName). A source freed while an export runs is cleared from the exporter
// (free notification); every operation takes the sources afresh and does nothing with a
// missing or closed one, except "end of source", which raises 34014 for a source that is gone
// and 34016 "Export source (%s) is closed" for a data set closed meanwhile, so that an export
// cut short never passes for a complete one.
#pragma once

#include "ExportEvents.h"
#include "ExportTypes.h"
#include "System.h"
#include "TDataSet.h"

class TField;
class TDBGrid;
class TExportCustomSource;
class TListView;
class TStringGrid;

struct TExportSourceRef {
  TExportSource Kind = esDataSet;
  TDataSet* DataSet = nullptr;
  TExportCustomSource* CustomSource = nullptr;
  TListView* ListView = nullptr;
  TDBGrid* DBGrid = nullptr;
  TStringGrid* StringGrid = nullptr;
};

// Where a source stands; kept by value, freed by SourceFreePosition.
struct TExportSourcePosition {
  TBookmark Bookmark;  // data-set sources
  int Index = 0;       // list view, string grid, custom source
};

// "DataSet", "ListView", "DBGrid", "StringGrid", "CustomSource"; "" for another value.
AnsiString SourceName(TExportSource Kind);

void CheckSourceAssigned(const TExportSourceRef& Source);
bool SourceIsActive(const TExportSourceRef& Source);
bool SourceIsEmpty(const TExportSourceRef& Source);
TExportSourcePosition SourceGetPosition(const TExportSourceRef& Source);
void SourceGoToPosition(const TExportSourceRef& Source, const TExportSourcePosition& Position);
void SourceFreePosition(const TExportSourceRef& Source, TExportSourcePosition& Position);
void SourceFirst(const TExportSourceRef& Source);
void SourceNext(const TExportSourceRef& Source, int& RecNo);
// Count times "next", each followed by OnSkipped(Sender, RecNo) when it is set.
void SourceSkip(const TExportSourceRef& Source, int Count, int& RecNo, TObject* Sender,
                const TExportedRecordEvent& OnSkipped);
bool SourceEof(const TExportSourceRef& Source, int RecNo, int Skipped, int ExportRecCount);
void SourceDisableControls(const TExportSourceRef& Source);
void SourceEnableControls(const TExportSourceRef& Source);

// The data set a data-set or grid source reads (the grid's data source's), else nullptr.
TDataSet* SourceDataSet(const TExportSourceRef& Source);
// The field a data-set source reads at source position Index (the data set's field, or the
// field of the grid's column Index); nullptr for other sources or a position out of range.
TField* SourceField(const TExportSourceRef& Source, int Index);
// The component the kind selects, nullptr when it is missing.
TObject* SourceComponent(const TExportSourceRef& Source);
