// TButton: a push button.
//
// Click (the user's click, Space or Enter on the focused button, Enter anywhere on its form
// when Default is set, Escape when Cancel is set) first gives the form the button's
// ModalResult, when it has one, and then runs OnClick; a modal form closes with that result.
// "&" in the caption marks the accelerator letter.
//
// Published: Cancel, Caption, Default, Enabled, Font, Hint, ModalResult, ParentFont,
// ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible, OnClick, OnEnter, OnExit,
// OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

class TButtonPrivate;

class TButton : public TWinControl {
  DECLARE_CLASS(TButton, TWinControl)

  explicit TButton(TComponent* AOwner);

  bool Cancel() const;
  void SetCancel(bool Value);
  bool Default() const;
  void SetDefault(bool Value);
  TModalResult ModalResult() const;
  void SetModalResult(TModalResult Value);

  void Click() override;

  TButtonPrivate* ButtonPrivate() const;

protected:
  TButton(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd);
  void TextChanged() override;
};
