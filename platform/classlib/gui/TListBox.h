// TListBox: the list box control of forms (see TCustomListBox).
//
// Published: Align, Color, Enabled, Font, Hint, ItemIndex, Items, MultiSelect, ParentColor,
// ParentFont, ParentShowHint, PopupMenu, ShowHint, Sorted, TabOrder, TabStop, Visible,
// OnClick, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown,
// OnMouseUp.
#pragma once

#include "TCustomListBox.h"

class TListBox : public TCustomListBox {
  DECLARE_CLASS(TListBox, TCustomListBox)

  explicit TListBox(TComponent* AOwner);
};
