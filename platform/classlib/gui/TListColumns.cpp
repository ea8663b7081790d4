#include "TListColumns.h"

#include "TCustomListView_p.h"
#include "TListColumn.h"

DEFINE_CLASS(TListColumns, TOwnedCollection)

TListColumns::TListColumns(TCustomListView* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TListColumn>()) {}

TListColumn* TListColumns::Add() { return static_cast<TListColumn*>(TCollection::Add()); }
TListColumn* TListColumns::Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
TCustomListView* TListColumns::Owner() const { return static_cast<TCustomListView*>(GetOwner()); }

void TListColumns::Update(TCollectionItem*) {
  if (TCustomListView* view = Owner()) view->ListViewPrivate()->columnsChanged();
}

void TListColumns::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  inherited::Notify(Item, Action);
}
