#include "TStringList.h"

#include <utility>

#include "LocaleText.h"
#include "QuickSort.h"
#include "RTLConsts.h"
#include "TypInfo.h"

DEFINE_CLASS(TStringList, TStrings)

TStringList::~TStringList() {
  // No change events while the list goes away.
  OnChange = nullptr;
  OnChanging = nullptr;
}

int TStringList::Add(const AnsiString& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const AnsiString& S, TObject* AObject) {
  int index = Count();
  if (sorted_ && Find(S, index)) {
    if (duplicates_ == TDuplicates::dupIgnore) return index;
    if (duplicates_ == TDuplicates::dupError) Error(SDuplicateString, 0);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::Clear() {
  if (order_.empty()) return;
  Changing();
  slots_ = {};
  order_ = {};
  freeSlots_ = {};
  Changed();
}

void TStringList::Delete(int Index) {
  checkIndex(Index);
  Changing();
  std::uint32_t slot = order_[static_cast<std::size_t>(Index)];
  order_.erase(order_.begin() + Index);
  release(slot);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  checkIndex(Index1);
  checkIndex(Index2);
  Changing();
  std::swap(order_[static_cast<std::size_t>(Index1)], order_[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TStringList::Insert(int Index, const AnsiString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
  if (sorted_) Error(SSortedListError, 0);
  if (Index < 0 || Index > Count()) Error(SListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const AnsiString& S, TObject* AObject) {
  Changing();
  std::uint32_t slot;
  if (freeSlots_.empty()) {
    slot = static_cast<std::uint32_t>(slots_.size());
    slots_.push_back(TStringItem{S, AObject});
  } else {
    slot = freeSlots_.back();
    freeSlots_.pop_back();
    slots_[slot] = TStringItem{S, AObject};
  }
  order_.insert(order_.begin() + Index, slot);
  Changed();
}

int TStringList::IndexOf(const AnsiString& S) const {
  if (!sorted_) return TStrings::IndexOf(S);
  int index;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& S, int& Index) const {
  bool found = false;
  int L = 0, H = Count() - 1;
  while (L <= H) {
    int I = (L + H) / 2;
    int C = CompareStrings(item(I).String, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        found = true;
        if (duplicates_ != TDuplicates::dupAccept) L = I;
      }
    }
  }
  Index = L;
  return found;
}

int TStringList::compareLines(TStringList* List, int Index1, int Index2) {
  return List->CompareStrings(List->item(Index1).String, List->item(Index2).String);
}

void TStringList::Sort() { CustomSort(compareLines); }

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (!sorted_) sortBy(Compare);
}

void TStringList::sortBy(const TStringListSortCompare& Compare) {
  if (order_.size() < 2) return;
  Changing();
  quicksort::SortRange(
      0, Count() - 1, [&](int i, int j) { return Compare(this, i, j); },
      [&](int i, int j) { std::swap(order_[static_cast<std::size_t>(i)], order_[static_cast<std::size_t>(j)]); });
  Changed();
}

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) Error(SListCapacityError, NewCapacity);
  slots_.reserve(static_cast<std::size_t>(NewCapacity));
  order_.reserve(static_cast<std::size_t>(NewCapacity));
}

void TStringList::SetSorted(bool Value) {
  if (sorted_ == Value) return;
  if (Value) Sort();
  sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (caseSensitive_ == Value) return;
  caseSensitive_ = Value;
  // The order changes with the comparison; a sorted list must follow it or Find goes wrong.
  if (sorted_) sortBy(compareLines);
}

AnsiString TStringList::Get(int Index) const {
  checkIndex(Index);
  return item(Index).String;
}

int TStringList::GetCount() const { return static_cast<int>(order_.size()); }

TObject* TStringList::GetObject(int Index) const {
  checkIndex(Index);
  return item(Index).Object;
}

void TStringList::Put(int Index, const AnsiString& S) {
  if (sorted_) Error(SSortedListError, 0);
  checkIndex(Index);
  Changing();
  item(Index).String = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* AObject) {
  checkIndex(Index);
  Changing();
  item(Index).Object = AObject;
  Changed();
}

int TStringList::GetCapacity() const { return static_cast<int>(order_.capacity()); }

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
  return caseSensitive_ ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::release(std::uint32_t Slot) {
  slots_[Slot] = TStringItem{};
  freeSlots_.push_back(Slot);
  // When most slots are free (a list that shrank a lot), pack the lines into fresh slots.
  if (freeSlots_.size() > 64 && freeSlots_.size() > order_.size()) {
    std::vector<TStringItem> packed;
    packed.reserve(order_.size());
    for (std::uint32_t& slot : order_) {
      packed.push_back(std::move(slots_[slot]));
      slot = static_cast<std::uint32_t>(packed.size() - 1);
    }
    slots_ = std::move(packed);
    freeSlots_ = {};
  }
}

void TStringList::checkIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error(SListIndexError, Index);
}
