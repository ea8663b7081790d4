// TListItem: one item (row) of a list view: Caption is the first column, SubItems the
// following ones, ImageIndex a picture of the view's SmallImages (-1 none), Data a value of
// the program's own. Selected and Focused follow the user's selection and the keyboard focus
// and can be set. Delete (or deleting the object) takes the item out of its view.
#pragma once

#include <memory>

#include "TPersistent.h"

class TStrings;
class TListItems;
class TCustomListView;

class TListItem : public TPersistent {
  DECLARE_CLASS(TListItem, TPersistent)

  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;

  // Copies caption, sub-items, image and data of another item.
  void Assign(TPersistent* Source) override;

  const AnsiString& Caption() const;
  void SetCaption(const AnsiString& Value);
  TStrings* SubItems() const;
  void SetSubItems(TStrings* Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  void* Data() const;
  void SetData(void* Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);

  int Index() const;
  TListItems* Owner() const;
  TCustomListView* ListView() const;
  void Delete();
  // Scrolls the view so that the item can be seen.
  void MakeVisible(bool PartialOK);

  struct State;
  // The item's state, for the GUI layer's own classes.
  State* ItemState() const { return d_.get(); }

private:
  std::unique_ptr<State> d_;
};
