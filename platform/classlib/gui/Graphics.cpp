#include "Graphics.h"

#include <cstdio>

#include <QGuiApplication>
#include <QPalette>

#include "IntegerText.h"

namespace {

const TIdentMap kColorIdents = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

const TIdentMap kCharsetIdents = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

// The classic desktop palette, used before the GUI has started (no palette to ask yet).
constexpr TColor kClassicSystemColors[] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
    RGB(236, 233, 216),
};

TColor fromPalette(int index) {
  const QPalette pal = QGuiApplication::palette();
  auto rgb = [](const QColor& c) { return RGB(c.red(), c.green(), c.blue()); };
  switch (index) {
    case 0: return rgb(pal.color(QPalette::Button));
    case 2: case 13: case 29: return rgb(pal.color(QPalette::Highlight));
    case 3: case 19: return rgb(pal.color(QPalette::Mid));
    case 4: case 30: return rgb(pal.color(QPalette::Window));
    case 5: return rgb(pal.color(QPalette::Base));
    case 6: case 21: return rgb(pal.color(QPalette::Shadow));
    case 7: return rgb(pal.color(QPalette::WindowText));
    case 8: return rgb(pal.color(QPalette::Text));
    case 9: case 14: return rgb(pal.color(QPalette::HighlightedText));
    case 10: case 11: case 15: return rgb(pal.color(QPalette::Button));
    case 1: case 12: case 16: return rgb(pal.color(QPalette::Dark));
    case 17: return rgb(pal.color(QPalette::Disabled, QPalette::Text));
    case 18: return rgb(pal.color(QPalette::ButtonText));
    case 20: return rgb(pal.color(QPalette::Light));
    case 22: return rgb(pal.color(QPalette::Midlight));
    case 23: return rgb(pal.color(QPalette::ToolTipText));
    case 24: return rgb(pal.color(QPalette::ToolTipBase));
    case 26: return rgb(pal.color(QPalette::Link));
    default: return kClassicSystemColors[index];
  }
}

}  // namespace

const TIdentMap& ColorIdents() { return kColorIdents; }
const TIdentMap& CharsetIdents() { return kCharsetIdents; }

TColor ColorToRGB(TColor Color) {
  if (Color == clNone) return clWhite;
  if (Color == clDefault) Color = clWindow;
  if ((static_cast<std::uint32_t>(Color) & 0x80000000u) == 0) return Color & 0xFFFFFF;
  const int index = Color & 0xFF;
  if (index >= static_cast<int>(std::size(kClassicSystemColors))) return clBlack;
  if (QGuiApplication::instance() == nullptr) return kClassicSystemColors[index];
  return fromPalette(index);
}

bool ColorToIdent(TColor Color, AnsiString& Ident) { return IntToIdent(kColorIdents, Color, Ident); }

bool IdentToColor(const AnsiString& Ident, TColor& Color) {
  std::int64_t v = 0;
  if (!IdentToInt(kColorIdents, Ident, v)) return false;
  Color = static_cast<TColor>(v);
  return true;
}

AnsiString ColorToString(TColor Color) {
  AnsiString name;
  if (ColorToIdent(Color, name)) return name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(Color));
  return buf;
}

TColor StringToColor(const AnsiString& S) {
  TColor c = 0;
  if (IdentToColor(S, c)) return c;
  // Hexadecimal values name all 32 bits (system colours have the top bit set).
  return StrToInt(S);
}

bool CharsetToIdent(int Charset, AnsiString& Ident) { return IntToIdent(kCharsetIdents, Charset, Ident); }

bool IdentToCharset(const AnsiString& Ident, int& Charset) {
  std::int64_t v = 0;
  if (!IdentToInt(kCharsetIdents, Ident, v)) return false;
  Charset = static_cast<int>(v);
  return true;
}
