// TList: an ordered list of untyped pointers.
//
// The list does not own what it points to; descendants learn of every pointer that comes and
// goes through Notify (TObjectList frees its objects there). Null pointers are stored like any
// other but are never notified.
//
// Errors: an index or count out of range raises EListError "List index out of bounds (n)",
// "List count out of bounds (n)" or "List capacity out of bounds (n)".
#pragma once

#include <functional>
#include <vector>

#include "TObject.h"

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

// Compares two items: < 0, 0, > 0.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
  DECLARE_CLASS(TList, TObject)

  TList() = default;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Removes the first occurrence of Item; returns its former index, or -1.
  int Remove(const void* Item);
  // Removes the first occurrence of Item without deleting it (lnExtracted); returns Item, or
  // nullptr when it is not in the list.
  void* Extract(const void* Item);
  // Deletes every item, last first, and frees the storage.
  void Clear();
  // Removes the null pointers.
  void Pack();
  void Exchange(int Index1, int Index2);
  // Moves an item to another position without notification.
  void Move(int CurIndex, int NewIndex);
  void Sort(const TListSortCompare& Compare);

  int IndexOf(const void* Item) const;
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Count() const { return static_cast<int>(items_.size()); }
  // Growing adds null pointers; shrinking deletes the items beyond the new count.
  void SetCount(int NewCount);
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int NewCapacity);
  void* Items(int Index) const;
  // Replaces an item: the old one is notified lnDeleted, the new one lnAdded.
  void SetItems(int Index, void* Item);

  // Raises EListError with Msg (see RTLConsts.h) formatted with Data; the other indexed
  // containers raise their index errors through it too, so the text is the same everywhere.
  [[noreturn]] static void Error(const char* Msg, int Data);

protected:
  virtual void Notify(void* Ptr, TListNotification Action);

private:
  void checkIndex(int Index) const;

  std::vector<void*> items_;
};
