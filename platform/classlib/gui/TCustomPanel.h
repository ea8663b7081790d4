// TCustomPanel: a rectangular container with bevels and a caption (TPanel publishes it).
//
// The caption is drawn in the middle (Alignment: left, centre, right; vertically centred)
// in the panel's font; BevelOuter and BevelInner draw raised or lowered edges BevelWidth
// pixels wide, BorderWidth pixels apart. Aligned child controls share the area inside the
// border and the bevels. The panel paints Color (clBtnFace); OnClick runs on a mouse click.
#pragma once

#include "TWinControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;

class TPanelPrivate;

class TCustomPanel : public TWinControl {
  DECLARE_CLASS(TCustomPanel, TWinControl)

  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  TBevelCut BevelInner() const;
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const;
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const;
  void SetBevelWidth(int Value);
  int BorderWidth() const;
  void SetBorderWidth(int Value);

  TPanelPrivate* PanelPrivate() const;

protected:
  void AdjustClientRect(TRect& Rect) const override;
  void TextChanged() override;
};
