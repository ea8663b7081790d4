// TObjectList: a TList of objects that, with OwnsObjects (the default), deletes an object when
// it leaves the list by Delete, Remove, Clear, SetCount, SetItems or the list's own end.
// Extract takes an object out without deleting it.
#pragma once

#include "TList.h"

class TObjectList : public TList {
  DECLARE_CLASS(TObjectList, TList)

  explicit TObjectList(bool AOwnsObjects = true) : ownsObjects_(AOwnsObjects) {}
  ~TObjectList() override;

  int Add(TObject* AObject) { return TList::Add(AObject); }
  void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
  int Remove(TObject* AObject) { return TList::Remove(AObject); }
  TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
  int IndexOf(const TObject* AObject) const { return TList::IndexOf(AObject); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }
  TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
  void SetItems(int Index, TObject* AObject) { TList::SetItems(Index, AObject); }

  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

protected:
  void Notify(void* Ptr, TListNotification Action) override;

private:
  bool ownsObjects_;
};
