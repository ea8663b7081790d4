// TStringList: the in-memory string list.
//
// Unsorted, lines stay where they are put. Sorted, every Add goes to its place in the order of
// CompareStrings (the user's locale, ignoring case unless CaseSensitive) and Find is a binary
// search; Insert and writing Strings[i] raise EStringListError "Operation not allowed on sorted
// list"; Duplicates decides what Add does with a line already present: dupIgnore keeps the
// existing one and returns its index, dupAccept adds another, dupError raises EStringListError
// "String list does not allow duplicates".
//
// Events: OnChanging before and OnChange after every change, or once around a
// BeginUpdate/EndUpdate bracket. The list does not own the associated objects.
//
// Defaults: unsorted, dupIgnore, not case-sensitive.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "TStrings.h"

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the lines at Index1 and Index2 of List: < 0, 0, > 0.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  DECLARE_CLASS(TStringList, TStrings)

  TStringList() = default;
  ~TStringList() override;

  int Add(const AnsiString& S) override;
  int AddObject(const AnsiString& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void Insert(int Index, const AnsiString& S) override;
  void InsertObject(int Index, const AnsiString& S, TObject* AObject) override;
  int IndexOf(const AnsiString& S) const override;
  // Binary search of a sorted list: true when S is present, Index its position (the first of
  // equal lines when duplicates are accepted); false with Index where S would go. Meaningless on
  // an unsorted list.
  bool Find(const AnsiString& S, int& Index) const;
  // Sorts an unsorted list in place (a sorted list is already in order).
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);
  void SetCapacity(int NewCapacity) override;

  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return caseSensitive_; }
  // Re-sorts a sorted list in the new order.
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const AnsiString& S) override;
  void PutObject(int Index, TObject* AObject) override;
  int GetCapacity() const override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const AnsiString& S, TObject* AObject);

private:
  struct TStringItem {
    AnsiString String;
    TObject* Object = nullptr;
  };

  static int compareLines(TStringList* List, int Index1, int Index2);
  void checkIndex(int Index) const;
  void sortBy(const TStringListSortCompare& Compare);
  TStringItem& item(int Index) { return slots_[order_[static_cast<std::size_t>(Index)]]; }
  const TStringItem& item(int Index) const { return slots_[order_[static_cast<std::size_t>(Index)]]; }
  void release(std::uint32_t Slot);

  // The lines live in slots that never move; order_ lists the slots in line order. Inserting,
  // deleting, exchanging and sorting so move 4-byte slot numbers instead of strings, which
  // keeps a sorted list of many thousand lines quick to fill.
  std::vector<TStringItem> slots_;
  std::vector<std::uint32_t> order_;
  std::vector<std::uint32_t> freeSlots_;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
  bool sorted_ = false;
  bool caseSensitive_ = false;
};
