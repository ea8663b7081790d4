// Private to the Excel exporter; may change without notice.
//
// TxlsSheetWork: what the exporter keeps while it writes one exported sheet (and the sheets
// added for its rows that did not fit): where the sheet's source stands, the settings its values
// are read and written with, and what the per-sheet steps work out once per sheet.
#pragma once

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "ExportSource.h"
#include "ExportValueText.h"
#include "System.h"
#include "TXlsSubAggregates.h"

class TxlsSheet;
class TxlsSheets;

// The sheets an export adds (the one made from the exporter's own settings, and those that
// take the rows that did not fit) are taken away again when it ends, however it ends; a sheet
// whose ExportRecCount was shared with an added sheet gets its own back.
class TxlsAddedSheets {
public:
  explicit TxlsAddedSheets(TxlsSheets& Sheets) : sheets_(Sheets) {}
  ~TxlsAddedSheets();
  TxlsAddedSheets(const TxlsAddedSheets&) = delete;
  TxlsAddedSheets& operator=(const TxlsAddedSheets&) = delete;

  void Added(TxlsSheet* Sheet) { added_.push_back(Sheet); }
  // Remembers the sheet's ExportRecCount to give it back (not for an added sheet).
  void KeepCount(TxlsSheet* Sheet);

private:
  TxlsSheets& sheets_;
  std::vector<TxlsSheet*> added_;
  std::vector<std::pair<TxlsSheet*, int>> counts_;
};

struct TxlsSheetWork {
  TExportSourceRef Source;
  // Records passed, and records skipped before them (a list view's or string grid's row is
  // RecNo + Skipped).
  int RecNo = 0;
  int Skipped = 0;
  // The sheet's index in Sheets (told to events), and its place among the sheets written (the
  // key of its XFs in the format lists).
  int SheetIndex = 0;
  int SheetNo = 0;
  TExportTextSettings Settings;
  // Cells of the sheet's Cells collection (row, column, from 0): the steps leave them free.
  std::set<std::pair<int, int>> UserCells;
  // Per exported column: the number format of its values in the workbook.
  std::vector<WideString> ColumnFormats;
  // Per exported column: the date format last asked whether it shows milliseconds, and the
  // answer.
  std::vector<std::pair<AnsiString, bool>> MillisecondFormats;
  // The XF of each column's data cells, by strip phase (0: not yet worked out).
  std::vector<std::uint16_t> DataXF;
  int StripPhases = 1;
  // Per exported column, the first and last row its data cells went to (-1: none yet); the
  // sheet's column list takes them when the sheet is finished.
  std::vector<std::pair<int, int>> ColumnRows;
  // The row of the first data row; the rows the aggregates and footer will take.
  int FirstDataRow = 0;
  int AggregateRows = 0;
  int FooterRows = 0;
  // The exported columns that get an aggregate below them.
  TXlsSubAggregates Aggregates;
  // Where the sheets added by this export are kept.
  TxlsAddedSheets* Added = nullptr;
};
