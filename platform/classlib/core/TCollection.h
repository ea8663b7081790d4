// TCollection: an ordered, owning list of TCollectionItem of one item class.
//
// The item class is given at creation as a TCollectionItemClass, made for an item type T with
// CollectionItemClass<T>():
//
//   TCollection columns(CollectionItemClass<TListColumn>());
//   auto* column = static_cast<TListColumn*>(columns.Add());
//
// Change notification: a descendant overrides Update(Item), called after every change with
// the item that changed or nullptr for a change of several (adding, removing, moving, Clear,
// Assign); BeginUpdate/EndUpdate hold the calls back and make one Update(nullptr) at the end.
// Notify(Item, Action) tells of each item added, taken out or about to be deleted. Both are
// not called from the collection's own destructor.
//
// Errors: an index out of range raises EListError "List index out of bounds (n)".
//
// A collection publishes nothing; its owner publishes it as a class property, and its items are
// reached by index.
#pragma once

#include <vector>

#include "TCollectionItem.h"

class TClassInfo;

struct TCollectionItemClass {
  const TClassInfo* Info;
  TCollectionItem* (*Create)(TCollection* Collection);
};

template <class T>
TCollectionItemClass CollectionItemClass() {
  return {&T::StaticClass(), [](TCollection* collection) -> TCollectionItem* { return new T(collection); }};
}

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollection : public TPersistent {
  DECLARE_CLASS(TCollection, TPersistent)

  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;

  // A new item of the item class at the end.
  TCollectionItem* Add();
  // A new item at Index.
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // From another collection: its items are copied one by one through the items' Assign.
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate();
  virtual void EndUpdate();

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int Index) const;
  // Copies Value into the item at Index (the item stays; Value is not taken over).
  void SetItems(int Index, TCollectionItem* Value);
  TCollectionItem* FindItemID(int ID) const;
  const TClassInfo& ItemClass() const { return *itemClass_.Info; }
  // The object that owns the collection: nothing here, the owner for TOwnedCollection.
  virtual TPersistent* GetOwner() const;
  TPersistent* Owner() const { return GetOwner(); }

protected:
  virtual void Update(TCollectionItem* Item);
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
  // Update(nullptr) unless an update is in progress.
  void Changed();
  int UpdateCount() const { return updateCount_; }

private:
  friend class TCollectionItem;
  // The item joins at the end; Notify and Update follow in added() once it is complete.
  void attach(TCollectionItem* Item);
  void added(TCollectionItem* Item);
  // Takes the item out, telling descendants when Tell is set.
  void detach(TCollectionItem* Item, bool Tell);

  TCollectionItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int nextID_ = 0;
  int updateCount_ = 0;
};
