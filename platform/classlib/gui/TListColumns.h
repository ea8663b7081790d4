// TListColumns: the columns of a list view (its published Columns property).
#pragma once

#include "TOwnedCollection.h"

class TListColumn;
class TCustomListView;

class TListColumns : public TOwnedCollection {
  DECLARE_CLASS(TListColumns, TOwnedCollection)

  explicit TListColumns(TCustomListView* AOwner);

  TListColumn* Add();
  // Raises EListError for an index out of range.
  TListColumn* Items(int Index) const;
  TCustomListView* Owner() const;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};
