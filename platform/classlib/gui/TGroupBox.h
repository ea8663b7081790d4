// TGroupBox: a frame with a caption that groups controls. Aligned children share the area
// below the caption and inside the frame.
//
// Published: Align, Caption, Color, Enabled, Font, Hint, ParentColor, ParentFont,
// ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible, OnClick, OnDblClick,
// OnEnter, OnExit, OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

class TGroupBox : public TWinControl {
  DECLARE_CLASS(TGroupBox, TWinControl)

  explicit TGroupBox(TComponent* AOwner);

protected:
  void AdjustClientRect(TRect& Rect) const override;
  void TextChanged() override;
};
