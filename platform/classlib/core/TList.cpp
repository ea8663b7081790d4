#include "TList.h"

#include <algorithm>

#include "Exception.h"
#include "Format.h"
#include "QuickSort.h"
#include "RTLConsts.h"
#include "TypInfo.h"

DEFINE_CLASS(TList, TObject)

TList::~TList() = default;

int TList::Add(void* Item) {
  items_.push_back(Item);
  if (Item != nullptr) Notify(Item, TListNotification::lnAdded);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) Error(SListIndexError, Index);
  items_.insert(items_.begin() + Index, Item);
  if (Item != nullptr) Notify(Item, TListNotification::lnAdded);
}

void TList::Delete(int Index) {
  checkIndex(Index);
  void* item = items_[static_cast<std::size_t>(Index)];
  items_.erase(items_.begin() + Index);
  if (item != nullptr) Notify(item, TListNotification::lnDeleted);
}

int TList::Remove(const void* Item) {
  int index = IndexOf(Item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(const void* Item) {
  int index = IndexOf(Item);
  if (index < 0) return nullptr;
  void* item = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  Notify(item, TListNotification::lnExtracted);
  return item;
}

void TList::Clear() {
  SetCount(0);
  items_.shrink_to_fit();
}

void TList::Pack() {
  for (int i = Count() - 1; i >= 0; --i)
    if (items_[static_cast<std::size_t>(i)] == nullptr) items_.erase(items_.begin() + i);
}

void TList::Exchange(int Index1, int Index2) {
  checkIndex(Index1);
  checkIndex(Index2);
  std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  checkIndex(CurIndex);
  checkIndex(NewIndex);
  void* item = items_[static_cast<std::size_t>(CurIndex)];
  items_.erase(items_.begin() + CurIndex);
  items_.insert(items_.begin() + NewIndex, item);
}

void TList::Sort(const TListSortCompare& Compare) {
  if (items_.size() < 2) return;
  quicksort::SortRange(
      0, Count() - 1,
      [&](int i, int j) { return Compare(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]); },
      [&](int i, int j) { std::swap(items_[static_cast<std::size_t>(i)], items_[static_cast<std::size_t>(j)]); });
}

int TList::IndexOf(const void* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error(SListCountError, NewCount);
  if (NewCount >= Count()) {
    items_.resize(static_cast<std::size_t>(NewCount), nullptr);
    return;
  }
  // One at a time, last first, so that each deleted item is notified with the list consistent.
  while (Count() > NewCount) Delete(Count() - 1);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) Error(SListCapacityError, NewCapacity);
  items_.reserve(static_cast<std::size_t>(NewCapacity));
}

void* TList::Items(int Index) const {
  checkIndex(Index);
  return items_[static_cast<std::size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
  checkIndex(Index);
  void* old = items_[static_cast<std::size_t>(Index)];
  if (old == Item) return;
  items_[static_cast<std::size_t>(Index)] = Item;
  if (old != nullptr) Notify(old, TListNotification::lnDeleted);
  if (Item != nullptr) Notify(Item, TListNotification::lnAdded);
}

void TList::Notify(void*, TListNotification) {}

void TList::Error(const char* Msg, int Data) { throw EListError(Format(Msg, {Data})); }

void TList::checkIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error(SListIndexError, Index);
}
