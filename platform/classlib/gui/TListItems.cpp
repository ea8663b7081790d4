#include "TListItems.h"

#include "Format.h"
#include "RTLConsts.h"
#include "TCustomListView_p.h"

DEFINE_CLASS(TListItems, TPersistent)

TListItems::TListItems(TCustomListView* AOwner) : owner_(AOwner) {}

TCustomListView* TListItems::Owner() const { return owner_; }

TListItem* TListItems::Add() { return Insert(Count()); }
TListItem* TListItems::Insert(int Index) { return owner_->ListViewPrivate()->insertItem(Index); }
int TListItems::Count() const { return static_cast<int>(owner_->ListViewPrivate()->items.size()); }

TListItem* TListItems::Item(int Index) const {
  const auto& items = owner_->ListViewPrivate()->items;
  if (Index < 0 || Index >= static_cast<int>(items.size()))
    throw EListError(Format(SListIndexError, {Index}));
  return items[static_cast<std::size_t>(Index)];
}

int TListItems::IndexOf(const TListItem* Value) const { return owner_->ListViewPrivate()->rowOf(Value); }
void TListItems::Delete(int Index) { delete Item(Index); }
void TListItems::Clear() { owner_->ListViewPrivate()->clearItems(); }
void TListItems::BeginUpdate() { owner_->ListViewPrivate()->beginUpdate(); }
void TListItems::EndUpdate() { owner_->ListViewPrivate()->endUpdate(); }

void TListItems::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TListItems*>(Source)) {
    if (other == this) return;
    BeginUpdate();
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->Item(i));
    EndUpdate();
    return;
  }
  inherited::Assign(Source);
}
