#include "uListViews.h"

#include <cstdint>

#include "IntegerText.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TStrings.h"

void SortByColumn(TListView* View, TListColumn* Column) {
  TListColumns* columns = View->Columns();
  for (int i = 0; i < columns->Count(); ++i) {
    TListColumn* other = columns->Items(i);
    if (other == Column) continue;
    other->SetTag(ssNone);
    other->SetImageIndex(-1);
  }
  const int state = Column->Tag() == ssAscending ? ssDescending : ssAscending;
  Column->SetTag(state);
  Column->SetImageIndex(state - 1);
  View->CustomSort(nullptr, Column->Index());
}

int SortedColumn(const TListView* View) {
  const TListColumns* columns = View->Columns();
  for (int i = 0; i < columns->Count(); ++i)
    if (columns->Items(i)->Tag() != ssNone) return i;
  return -1;
}

void Resort(TListView* View) {
  const int column = SortedColumn(View);
  if (column >= 0) View->CustomSort(nullptr, column);
}

int SortState(const TListView* View, int Index) {
  const TListColumns* columns = View->Columns();
  return Index >= 0 && Index < columns->Count() ? columns->Items(Index)->Tag() : ssNone;
}

int CompareNumbers(std::int64_t Value1, std::int64_t Value2) { return Value1 > Value2 ? 1 : Value1 < Value2 ? -1 : 0; }

AnsiString CellText(const TListItem* Item, int Column) {
  if (Column == 0) return Item->Caption();
  const TStrings* cells = Item->SubItems();
  return Column > 0 && Column - 1 < cells->Count() ? cells->Strings(Column - 1) : AnsiString();
}

std::int64_t CellNumber(const TListItem* Item, int Column) { return StrToInt64Def(CellText(Item, Column), 0); }

static_assert(sizeof(std::intptr_t) >= sizeof(std::int64_t), "an item's data value holds a whole file size");

void SetItemNumber(TListItem* Item, std::int64_t Value) {
  Item->SetData(reinterpret_cast<void*>(static_cast<std::intptr_t>(Value)));
}

std::int64_t ItemNumber(const TListItem* Item) {
  return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(Item->Data()));
}

std::vector<TListItem*> SelectedItems(const TListView* View) {
  std::vector<TListItem*> items;
  const TListItems* all = View->Items();
  for (int i = 0; i < all->Count(); ++i)
    if (TListItem* item = all->Item(i); item->Selected()) items.push_back(item);
  return items;
}

std::vector<AnsiString> SelectedCaptions(const TListView* View) {
  std::vector<AnsiString> captions;
  for (const TListItem* item : SelectedItems(View)) captions.push_back(item->Caption());
  return captions;
}
