// TOwnedCollection: a collection that knows the object it belongs to (a list view's columns
// know their list view), so that GetOwner leads from the collection back to it.
#pragma once

#include "TCollection.h"

class TOwnedCollection : public TCollection {
  DECLARE_CLASS(TOwnedCollection, TCollection)

  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass), owner_(AOwner) {}

  TPersistent* GetOwner() const override { return owner_; }

private:
  TPersistent* owner_;
};
