// TEdit: a single-line text box.
//
// OnChange runs after every change of Text, by the user or by the program. MaxLength limits
// the text the user can type (0: no limit; text the program sets is not limited);
// PasswordChar other than #0 shows the text masked; ReadOnly keeps the user from changing it.
//
// Published: Align, Color, Enabled, Font, Hint, MaxLength, ParentColor, ParentFont,
// ParentShowHint, PasswordChar, PopupMenu, ReadOnly, ShowHint, TabOrder, TabStop, Text,
// Visible, OnChange, OnClick, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp,
// OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

class TEdit : public TWinControl {
  DECLARE_CLASS(TEdit, TWinControl)

  explicit TEdit(TComponent* AOwner);

  int MaxLength() const;
  void SetMaxLength(int Value);
  char PasswordChar() const;
  void SetPasswordChar(char Value);
  int PasswordCharCode() const { return static_cast<unsigned char>(PasswordChar()); }
  void SetPasswordCharCode(int Value) { SetPasswordChar(static_cast<char>(Value)); }
  bool ReadOnly() const;
  void SetReadOnly(bool Value);

  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  AnsiString SelText() const;
  void SelectAll();
  void Clear();

  TNotifyEvent OnChange;

protected:
  AnsiString GetText() const override;
  void TextChanged() override;
};
