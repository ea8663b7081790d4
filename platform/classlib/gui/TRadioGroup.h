// TRadioGroup: a group box with one radio button per line of Items, of which at most one is
// chosen: ItemIndex (-1: none).
//
// Setting ItemIndex follows the platform the forms were made for: a value beyond the last
// item chooses the last, a value below -1 chooses none, -1 clears the choice. OnClick runs
// whenever the choice changes, by the user or by the program. Columns spreads the buttons
// over that many columns, filled top to bottom.
//
// Published: Align, Caption, Color, Columns, Enabled, Font, Hint, ItemIndex, Items,
// ParentColor, ParentFont, ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible,
// OnClick, OnEnter, OnExit.
#pragma once

#include "TWinControl.h"

class TStrings;

class TRadioGroup : public TWinControl {
  DECLARE_CLASS(TRadioGroup, TWinControl)

  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  int Columns() const;
  void SetColumns(int Value);

protected:
  void TextChanged() override;
  void BoundsChanged() override;
  void FontChanged() override;

private:
  friend class TRadioGroupPrivate;
  void layoutButtons();
};
