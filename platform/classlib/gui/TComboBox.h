// TComboBox: a drop-down list of Items with an edit box (csDropDown: the user may also type
// any text) or without one (csDropDownList: only the items can be chosen).
//
// ItemIndex is the chosen item (-1: none; a value outside the items chooses none); choosing an
// item puts its text into Text. OnChange runs when the user changes the text (typing or
// choosing); OnClick when the user chooses an item; OnDropDown before the list opens.
// MaxLength limits what the user types (0: no limit).
//
// Published: Align, Color, DropDownCount, Enabled, Font, Hint, ItemIndex, Items, MaxLength,
// ParentColor, ParentFont, ParentShowHint, PopupMenu, ShowHint, Sorted, Style, TabOrder,
// TabStop, Text, Visible, OnChange, OnClick, OnDropDown, OnEnter, OnExit, OnKeyDown,
// OnKeyPress, OnKeyUp.
#pragma once

#include "TWinControl.h"

class TStrings;

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };
using enum TComboBoxStyle;

class TComboBox : public TWinControl {
  DECLARE_CLASS(TComboBox, TWinControl)

  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const;
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const;
  void SetStyle(TComboBoxStyle Value);
  int DropDownCount() const;
  void SetDropDownCount(int Value);
  int MaxLength() const;
  void SetMaxLength(int Value);
  bool Sorted() const;
  void SetSorted(bool Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

protected:
  AnsiString GetText() const override;
  void TextChanged() override;
};
