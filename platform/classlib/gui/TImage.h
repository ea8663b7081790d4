// TImage: shows a picture (Picture: JPEG, PNG or BMP). Stretch scales it to the control
// (Proportional keeps its shape), Center centres it, otherwise it sits at the top-left corner;
// AutoSize makes the control as big as the picture. OnClick runs on a mouse click.
//
// Published: Align, AutoSize, Center, Enabled, Hint, ParentShowHint, Picture, PopupMenu,
// Proportional, ShowHint, Stretch, Transparent, Visible, OnClick, OnDblClick, OnMouseDown,
// OnMouseUp.
#pragma once

#include "TGraphicControl.h"

class TPicture;

class TImage : public TGraphicControl {
  DECLARE_CLASS(TImage, TGraphicControl)

  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const;
  void SetPicture(TPicture* Value);
  bool AutoSize() const;
  void SetAutoSize(bool Value);
  bool Center() const;
  void SetCenter(bool Value);
  bool Proportional() const;
  void SetProportional(bool Value);
  bool Stretch() const;
  void SetStretch(bool Value);
  bool Transparent() const;
  void SetTransparent(bool Value);

private:
  void pictureChanged();
};
