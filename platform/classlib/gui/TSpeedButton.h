// TSpeedButton: a flat tool button that can stay down.
//
// With GroupIndex 0 it is a plain button. Buttons with the same GroupIndex (> 0) under one
// parent form a group in which at most one is down: a click puts the button down and the
// others up. A click on a button that is down puts it up only when the group's AllowAllUp is
// set (setting AllowAllUp or GroupIndex on one button of a group sets it on all); a single
// button with its own GroupIndex and AllowAllUp is a toggle that stays down after one click
// and comes up at the next. Setting Down does the same without a click; OnClick runs after
// the state has changed.
//
// Published: AllowAllUp, Caption, Down, Enabled, Flat, Font, Glyph, GroupIndex, Hint,
// ParentFont, ParentShowHint, PopupMenu, ShowHint, Visible, OnClick, OnDblClick, OnMouseDown,
// OnMouseUp.
#pragma once

#include "TGraphicControl.h"

class TBitmap;

class TSpeedButton : public TGraphicControl {
  DECLARE_CLASS(TSpeedButton, TGraphicControl)

  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const;
  void SetAllowAllUp(bool Value);
  bool Down() const;
  void SetDown(bool Value);
  bool Flat() const;
  void SetFlat(bool Value);
  int GroupIndex() const;
  void SetGroupIndex(int Value);
  TBitmap* Glyph() const;
  void SetGlyph(TBitmap* Value);

protected:
  void TextChanged() override;

private:
  void userClick();
  void showState();
  void applyGlyph();
  // The other buttons of this one's group under the same parent.
  std::vector<TSpeedButton*> group() const;
};
