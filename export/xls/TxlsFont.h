// TxlsFont: the font of Excel cells.
//
// Published (defaults): Size 10 (points), Style [] , Color clrBlack, Script fscNone, Underline
// fulNone, Charset 1, Name "arial". FontIndex is the font's number in the workbook (0 when
// created), given when the font joins the workbook's font list.
//
// Assign takes a TxlsFont (every published property, not FontIndex) or a screen font (TFont):
// its size, bold, italic and strike-out, single underline when underlined, its character set
// and name, and of its colour only the 15 basic colours, any other becoming clrBlack. Assigning
// a TxlsFont to a TFont sets size, style, RGB colour, character set and name.
#pragma once

#include <cstdint>

#include "TPersistent.h"
#include "XlsColors.h"
#include "XlsTypes.h"

class TxlsFont : public TPersistent {
  DECLARE_CLASS(TxlsFont, TPersistent)

  TxlsFont() = default;

  void Assign(TPersistent* Source) override;
  // Same Size, Style, Color, Script, Underline, Charset and the same Name character for
  // character; false for a missing font.
  bool Equals(const TxlsFont* Other) const;
  // The properties have their defaults.
  bool IsDefault() const;

  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  TxlsFontStyles Style() const { return style_; }
  void SetStyle(TxlsFontStyles Value) { style_ = Value; }
  TxlsColor Color() const { return color_; }
  void SetColor(TxlsColor Value) { color_ = Value; }
  TxlsFontScript Script() const { return script_; }
  void SetScript(TxlsFontScript Value) { script_ = Value; }
  TxlsFontUnderline Underline() const { return underline_; }
  void SetUnderline(TxlsFontUnderline Value) { underline_ = Value; }
  std::uint8_t Charset() const { return charset_; }
  void SetCharset(std::uint8_t Value) { charset_ = Value; }
  const WideString& Name() const { return name_; }
  void SetName(const WideString& Value) { name_ = Value; }

  std::uint16_t FontIndex() const { return fontIndex_; }
  void SetFontIndex(std::uint16_t Value) { fontIndex_ = Value; }

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  int size_ = 10;
  TxlsFontStyles style_;
  TxlsColor color_ = clrBlack;
  TxlsFontScript script_ = fscNone;
  TxlsFontUnderline underline_ = fulNone;
  std::uint8_t charset_ = 1;
  WideString name_ = u"arial";
  std::uint16_t fontIndex_ = 0;
};
