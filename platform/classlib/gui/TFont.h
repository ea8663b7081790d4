// TFont: the font of a control or form.
//
// Height is the font's height in pixels: negative for the character height (the usual form),
// positive for the cell height including internal leading. Size is the same height in points
// at the screen's PixelsPerInch (96): Size = -Height * 72 / PixelsPerInch; setting either sets
// the other; a Size beyond MaxSize points either way is held at MaxSize. Defaults follow the
// desktop's default GUI font: on a Far East ANSI code page (936, 932, 949, 950) "宋体" with
// Height -12 and the code page's character set, elsewhere "MS Sans Serif" with Height -11 and
// DEFAULT_CHARSET; colour clWindowText, no style, default pitch. Family names of Windows fonts
// are shown with installed substitutes.
//
// Every change of an attribute raises OnChange once (a control uses it to stop following its
// parent's font). Assign copies all attributes from another TFont and raises OnChange once.
//
// Published: Charset, Color, Height, Name, Pitch, Size, Style.
#pragma once

#include <memory>

#include "Graphics.h"
#include "TPersistent.h"

class TFont : public TPersistent {
  DECLARE_CLASS(TFont, TPersistent)

  TFont();
  ~TFont() override;

  // The largest size in points, the largest that word processors of the platform offer; a
  // screen shows no font beyond it, and the height it gives keeps well within an integer.
  static constexpr int MaxSize = 1638;

  void Assign(TPersistent* Source) override;

  TFontCharset Charset() const;
  void SetCharset(TFontCharset Value);
  TColor Color() const;
  void SetColor(TColor Value);
  int Height() const;
  void SetHeight(int Value);
  const AnsiString& Name() const;
  void SetName(const AnsiString& Value);
  TFontPitch Pitch() const;
  void SetPitch(TFontPitch Value);
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  int PixelsPerInch() const;
  void SetPixelsPerInch(int Value);

  // True when every attribute equals Other's.
  bool Equals(const TFont& Other) const;

  TNotifyEvent OnChange;

protected:
  virtual void Changed();

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
