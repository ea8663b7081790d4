// TMemo: a text box of several lines; Lines holds them (setting Lines, Text or any line shows
// it, and the user's typing changes them). OnChange runs after every change of the text.
// WordWrap (the default) breaks long lines at the box's edge (they stay one line in Lines); ScrollBars
// chooses the scroll bars; MaxLength limits what the user can type (0: no limit).
//
// Published: Align, Color, Enabled, Font, Hint, Lines, MaxLength, ParentColor, ParentFont,
// ParentShowHint, PopupMenu, ReadOnly, ScrollBars, ShowHint, TabOrder, TabStop, Visible,
// WordWrap, OnChange, OnClick, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp.
#pragma once

#include "TWinControl.h"

class TStrings;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;

class TMemo : public TWinControl {
  DECLARE_CLASS(TMemo, TWinControl)

  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  TStrings* Lines() const;
  void SetLines(TStrings* Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool WordWrap() const;
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const;
  void SetScrollBars(TScrollStyle Value);
  int MaxLength() const;
  void SetMaxLength(int Value);
  void Clear();

  TNotifyEvent OnChange;

protected:
  AnsiString GetText() const override;
  void TextChanged() override;
};
