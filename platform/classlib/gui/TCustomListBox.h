// TCustomListBox: a list of text lines the user chooses from (TListBox publishes it).
//
// ItemIndex is the line with the focus (-1: none; a value outside the lines chooses none).
// With MultiSelect the user selects several lines (Shift and Ctrl clicks); Selected[i] tells
// and sets each line's selection, SelCount counts them. Sorted keeps the lines in the order of
// the user's locale, without regard to case. OnClick runs when the user changes the choice.
#pragma once

#include "TWinControl.h"

class TStrings;
class TListBoxPrivate;

class TCustomListBox : public TWinControl {
  DECLARE_CLASS(TCustomListBox, TWinControl)

  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool MultiSelect() const;
  void SetMultiSelect(bool Value);
  bool Sorted() const;
  void SetSorted(bool Value);
  // Raise EListError for an index out of range.
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  void SelectAll();
  void ClearSelection();
  void Clear();
  // The line at a point of the client area; -1 when there is none.
  int ItemAtPos(const TPoint& Pos) const;

  TListBoxPrivate* ListBoxPrivate() const;

protected:
  TCustomListBox(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd);
};
