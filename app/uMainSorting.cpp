// Column sorting of the file lists: a click on a column header sorts the list by it (see
// uListViews), and each list's compare event orders two items by its table:
//
//   list                 column 0    column 1             column 2     column 3
//   listCpu              name text   size (item data)     date text    type text
//   listCbj, listCbj2    name text   size cell number     -            -
//   listdelCbj           name text   size cell number     date text    file-number cell number
//
// Texts compare without regard to the case of ASCII letters; a column marked "-" leaves the
// items as they are. A descending column inverts the result.
#include "StringRoutines.h"
#include "TListColumn.h"
#include "TListView.h"
#include "uListViews.h"
#include "uMain.h"

namespace {

constexpr int NameColumn = 0;
constexpr int SizeColumn = 1;
constexpr int DateColumn = 2;
constexpr int ThirdColumn = 3;

int compareTexts(const TListItem* Item1, const TListItem* Item2, int Column) {
  return CompareText(CellText(Item1, Column), CellText(Item2, Column));
}

int compareCellNumbers(const TListItem* Item1, const TListItem* Item2, int Column) {
  return CompareNumbers(CellNumber(Item1, Column), CellNumber(Item2, Column));
}

int directed(const TListView* View, int Column, int Result) {
  return SortState(View, Column) == ssDescending ? -Result : Result;
}

}  // namespace

void TFormmain::listCpuColumnClick(TObject*, TListColumn* Column) { SortByColumn(listCpu, Column); }
void TFormmain::listCbjColumnClick(TObject*, TListColumn* Column) { SortByColumn(listCbj, Column); }
void TFormmain::listCbj2ColumnClick(TObject*, TListColumn* Column) { SortByColumn(listCbj2, Column); }
void TFormmain::listdelCbjColumnClick(TObject*, TListColumn* Column) { SortByColumn(listdelCbj, Column); }

void TFormmain::listCpuCompare(TObject*, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  switch (Data) {
    case NameColumn:
    case DateColumn:
    case ThirdColumn: Compare = compareTexts(Item1, Item2, Data); break;
    case SizeColumn: Compare = CompareNumbers(ItemNumber(Item1), ItemNumber(Item2)); break;
    default: Compare = 0; break;
  }
  Compare = directed(listCpu, Data, Compare);
}

namespace {

// The terminal lists of the comm and special pages share one table.
int compareTerminalItems(const TListItem* Item1, const TListItem* Item2, int Column) {
  switch (Column) {
    case NameColumn: return compareTexts(Item1, Item2, Column);
    case SizeColumn: return compareCellNumbers(Item1, Item2, Column);
    default: return 0;
  }
}

}  // namespace

void TFormmain::listCbjCompare(TObject*, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  Compare = directed(listCbj, Data, compareTerminalItems(Item1, Item2, Data));
}

void TFormmain::listCbj2Compare(TObject*, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  Compare = directed(listCbj2, Data, compareTerminalItems(Item1, Item2, Data));
}

void TFormmain::listdelCbjCompare(TObject*, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  switch (Data) {
    case NameColumn:
    case DateColumn: Compare = compareTexts(Item1, Item2, Data); break;
    case SizeColumn:
    case ThirdColumn: Compare = compareCellNumbers(Item1, Item2, Data); break;
    default: Compare = 0; break;
  }
  Compare = directed(listdelCbj, Data, Compare);
}
