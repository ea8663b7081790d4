// TCollectionItem: one item of a TCollection.
//
// An item belongs to one collection at a time, which owns and deletes it. Items are created
// through their collection (Add, Insert), which calls the item class's constructor with
// itself; the constructor joins the collection, and Add then tells the collection (Notify,
// Update) once the item is complete. Deleting an item takes it out of its collection.
//
// A descendant publishes its own properties (a list column's Caption, Width ...); the item
// itself publishes nothing. The translation walk reaches them as "Columns.Item0.Caption".
#pragma once

#include "TPersistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
  DECLARE_CLASS(TCollectionItem, TPersistent)

  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to another collection (or none, which leaves it unowned), telling both.
  void SetCollection(TCollection* Value);
  // A number unique within the collection, given in order of joining and never reused.
  int ID() const { return id_; }
  // Position in the collection, -1 without one.
  int Index() const;
  // Moves the item within its collection; an index out of range raises EListError.
  virtual void SetIndex(int Value);
  // The text a designer shows for the item; by default the class name.
  virtual AnsiString DisplayName() const;
  virtual void SetDisplayName(const AnsiString& Value);
  // The collection.
  virtual TPersistent* GetOwner() const;

protected:
  // Tells the collection that this item (AllItems false) or every item changed.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
  int id_ = 0;
};
