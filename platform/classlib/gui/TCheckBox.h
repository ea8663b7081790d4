// TCheckBox: a box the user checks and unchecks, with a caption beside it.
//
// OnClick runs whenever Checked changes, by the user or by the program (as on the platform
// the forms were made for). With AllowGrayed the user can also reach the grayed State.
//
// Published: Alignment, AllowGrayed, Caption, Checked, Color, Enabled, Font, Hint,
// ParentColor, ParentFont, ParentShowHint, PopupMenu, ShowHint, State, TabOrder, TabStop,
// Visible, OnClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;

class TCheckBox : public TWinControl {
  DECLARE_CLASS(TCheckBox, TWinControl)

  explicit TCheckBox(TComponent* AOwner);

  bool Checked() const;
  void SetChecked(bool Value);
  TCheckBoxState State() const;
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const;
  void SetAllowGrayed(bool Value);
  // taRightJustify (the default) puts the box left of the caption, taLeftJustify right of it.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);

protected:
  void TextChanged() override;
};
