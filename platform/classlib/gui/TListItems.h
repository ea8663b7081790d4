// TListItems: the items of a list view (its Items property), in the view's order.
//
// BeginUpdate/EndUpdate (nested) hold back the repainting and re-layout of the view while many
// items are added or changed; the view shows the result once, at the outermost EndUpdate. An
// index out of range raises EListError.
#pragma once

#include "TPersistent.h"

class TListItem;
class TCustomListView;

class TListItems : public TPersistent {
  DECLARE_CLASS(TListItems, TPersistent)

  explicit TListItems(TCustomListView* AOwner);

  TListItem* Add();
  TListItem* Insert(int Index);
  int Count() const;
  TListItem* Item(int Index) const;
  int IndexOf(const TListItem* Value) const;
  void Delete(int Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  // Copies the items of another TListItems.
  void Assign(TPersistent* Source) override;
  TCustomListView* Owner() const;

private:
  TCustomListView* owner_;
};
