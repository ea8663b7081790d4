// uListViews: what the program's list views share: the column sort state, comparing cells, and
// taking a snapshot of the selection.
//
// Sort state. Each column keeps its state in its Tag: 0 not sorted, 1 ascending, 2 descending,
// and shows it by its image of the view's sort arrows (imgSortList: image 0 ascending, image 1
// descending, -1 none). At most one column of a view is sorted. A click on a column sorts by it
// ascending, or descending when it already was ascending; the view's compare event (OnCompare)
// orders the items, with the column's index as the sort data. A view that is rebuilt is sorted
// again by its sorted column, so that the order the user chose survives refreshes.
#pragma once

#include <cstdint>
#include <vector>

#include "System.h"

class TListColumn;
class TListItem;
class TListView;

enum TSortState : int { ssNone = 0, ssAscending = 1, ssDescending = 2 };

// Makes Column the view's sorted column (toggling its direction) and sorts the view.
void SortByColumn(TListView* View, TListColumn* Column);
// The index of the first column from the left whose sort state is not ssNone; -1 when none is.
int SortedColumn(const TListView* View);
// Sorts the view again by its sorted column; a view with none keeps its order.
void Resort(TListView* View);
// The sort state of column Index.
int SortState(const TListView* View, int Index);

// Numbers as the compare tables order them: 1 when Value1 is greater, -1 when smaller, else 0.
// (Texts are ordered by CompareText: ASCII letters without regard to case, a shorter prefix
// first.)
int CompareNumbers(std::int64_t Value1, std::int64_t Value2);
// The text of an item's cell: column 0 is the caption, column i the sub-item i - 1 ("" when the
// item has none).
AnsiString CellText(const TListItem* Item, int Column);
// A cell holding a decimal number (the size and file-number cells of the terminal lists); 0
// when it holds none.
std::int64_t CellNumber(const TListItem* Item, int Column);

// A number kept as an item's data value (the PC list keeps each file's size there, whole: the
// data value holds 64 bits on the platforms the program is built for).
void SetItemNumber(TListItem* Item, std::int64_t Value);
std::int64_t ItemNumber(const TListItem* Item);

// The selected items of a view, in list order, taken whole (any number of them).
std::vector<TListItem*> SelectedItems(const TListView* View);
// The captions of the selected items.
std::vector<AnsiString> SelectedCaptions(const TListView* View);
