// TCustomLabel: a text on a form (TLabel publishes it).
//
// AutoSize (the default) makes the label as big as its text in its font whenever either
// changes (with WordWrap, only its height). Transparent shows what lies behind the label;
// otherwise it paints Color (its parent's by default). ShowAccelChar (the default) shows the
// letter after "&" underlined and "&&" as "&". OnClick runs on a mouse click.
#pragma once

#include "TGraphicControl.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

class TCustomLabel : public TGraphicControl {
  DECLARE_CLASS(TCustomLabel, TGraphicControl)

  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  bool AutoSize() const;
  void SetAutoSize(bool Value);
  TTextLayout Layout() const;
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const;
  void SetShowAccelChar(bool Value);
  bool Transparent() const;
  void SetTransparent(bool Value);
  bool WordWrap() const;
  void SetWordWrap(bool Value);

protected:
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;

private:
  void adjustBounds();
  void applyText();
};
