// TCustomListView: a list of items with columns (TListView publishes it).
//
// Report style (vsReport) shows Columns with their headers; the other styles show the items'
// captions in one column without headers. MultiSelect lets the user select several items
// (Shift and Ctrl clicks, Ctrl+A); RowSelect highlights the whole row; ReadOnly keeps the user
// from editing captions. SmallImages gives the pictures of items (ImageIndex) and of column
// headers (the column's ImageIndex: sort arrows).
//
// Sorting: CustomSort orders the items with a compare function, or with OnCompare when none is
// given (captions without regard to case when neither is set), passing Data through; the sort
// is stable (equal items keep their order) and selection and focus stay with their items.
// A click on a column header raises OnColumnClick when ColumnClick is set (the default).
//
// Selection: Selected is the first selected item (nullptr when none; setting it selects that
// item, nullptr clears the selection), SelCount the number selected, ItemFocused the item with
// the focus rectangle. OnSelectItem runs for each item whose selection changes.
//
// Published: Align, Color, ColumnClick, Columns, Enabled, Font, Hint, Items, MultiSelect,
// ParentColor, ParentFont, ParentShowHint, PopupMenu, ReadOnly, RowSelect, ShowColumnHeaders,
// ShowHint, SmallImages, TabOrder, TabStop, ViewStyle, Visible, and the events OnClick,
// OnColumnClick, OnCompare, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp,
// OnMouseDown, OnMouseUp, OnSelectItem.
#pragma once

#include <functional>

#include "TWinControl.h"

class TListColumn;
class TListColumns;
class TListItem;
class TListItems;
class TCustomImageList;
class TListViewPrivate;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using enum TViewStyle;

enum class TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };
using enum TSearchDirection;
enum class TItemState { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
using TItemStates = SetOf<TItemState>;
using enum TItemState;

// Compares two items for CustomSort: negative when Item1 comes first, 0 when equal.
using TLVCompare = std::function<int(TListItem* Item1, TListItem* Item2, int Data)>;
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

class TCustomListView : public TWinControl {
  DECLARE_CLASS(TCustomListView, TWinControl)

  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns* Columns() const;
  void SetColumns(TListColumns* Value);
  TListItems* Items() const;
  void SetItems(TListItems* Value);
  TListColumn* Column(int Index) const;

  TViewStyle ViewStyle() const;
  void SetViewStyle(TViewStyle Value);
  bool MultiSelect() const;
  void SetMultiSelect(bool Value);
  bool RowSelect() const;
  void SetRowSelect(bool Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool ColumnClick() const;
  void SetColumnClick(bool Value);
  bool ShowColumnHeaders() const;
  void SetShowColumnHeaders(bool Value);
  TCustomImageList* SmallImages() const;
  void SetSmallImages(TCustomImageList* Value);

  TListItem* Selected() const;
  void SetSelected(TListItem* Value);
  int SelCount() const;
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* Value);
  void SelectAll();
  void ClearSelection();
  // The next item after Start (from the first when Start is nullptr) in the item order that has
  // all the given states (isSelected, isFocused); nullptr when there is none.
  TListItem* GetNextItem(TListItem* StartItem, TSearchDirection Direction, TItemStates States) const;

  bool CustomSort(const TLVCompare& SortProc, int Data);
  bool AlphaSort();

  TLVCompareEvent OnCompare;
  TLVColumnClickEvent OnColumnClick;
  TLVSelectItemEvent OnSelectItem;

  TListViewPrivate* ListViewPrivate() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};
