// The ini-file form of a TxlsFormat.
#include "CodePage.h"
#include "Graphics.h"
#include "TCustomIniFile.h"
#include "TxlsFormat.h"

namespace {

AnsiString colorText(TxlsColor color) { return ColorToString(XlsColorToColor(color)); }

TxlsColor readColor(TCustomIniFile* ini, const AnsiString& section, const AnsiString& key, TxlsColor fallback) {
  const AnsiString text = ini->ReadString(section, key, "");
  if (text.empty()) return fallback;
  try {
    return XlsColorFromTable(StringToColor(text));
  } catch (const EConvertError&) {
    return fallback;
  }
}

// An ordinal of an enumeration with Count values; anything else gives the default.
template <class E>
E readOrdinal(TCustomIniFile* ini, const AnsiString& section, const AnsiString& key, E fallback, int count) {
  const int value = ini->ReadInteger(section, key, static_cast<int>(fallback));
  return value >= 0 && value < count ? static_cast<E>(value) : fallback;
}

struct TBorderKey {
  const char* name;
  TxlsBorder* (TxlsBorders::*border)() const;
};
constexpr TBorderKey kBorderKeys[] = {{"BorderTop", &TxlsBorders::Top},
                                      {"BorderBottom", &TxlsBorders::Bottom},
                                      {"BorderLeft", &TxlsBorders::Left},
                                      {"BorderRight", &TxlsBorders::Right}};

}  // namespace

void TxlsFormat::SaveToIni(TCustomIniFile* Ini, const AnsiString& Section) const {
  const TxlsFont& font = *Font();
  Ini->WriteString(Section, "FontName", WideToAnsi(font.Name()));
  Ini->WriteInteger(Section, "FontSize", font.Size());
  Ini->WriteString(Section, "FontColor", colorText(font.Color()));
  Ini->WriteBool(Section, "FontBold", font.Style().Contains(xfsBold));
  Ini->WriteBool(Section, "FontItalic", font.Style().Contains(xfsItalic));
  Ini->WriteBool(Section, "FontStrikeOut", font.Style().Contains(xfsStrikeOut));
  Ini->WriteInteger(Section, "FontUnderline", static_cast<int>(font.Underline()));
  Ini->WriteInteger(Section, "HorAlignment", static_cast<int>(Alignment()->Horizontal()));
  Ini->WriteInteger(Section, "VertAlignment", static_cast<int>(Alignment()->Vertical()));
  for (const TBorderKey& key : kBorderKeys) {
    const TxlsBorder& border = *(Borders()->*key.border)();
    Ini->WriteInteger(Section, key.name, static_cast<int>(border.Style()));
    Ini->WriteString(Section, AnsiString(key.name) + "Color", colorText(border.Color()));
  }
  Ini->WriteInteger(Section, "FillPattern", static_cast<int>(Fill()->Pattern()));
  Ini->WriteString(Section, "FillBackground", colorText(Fill()->Background()));
  Ini->WriteString(Section, "FillForeground", colorText(Fill()->Foreground()));
}

void TxlsFormat::LoadFromIni(TCustomIniFile* Ini, const AnsiString& Section) {
  TxlsFont& font = *Font();
  font.SetName(AnsiToWide(Ini->ReadString(Section, "FontName", "arial")));
  font.SetSize(Ini->ReadInteger(Section, "FontSize", 10));
  font.SetColor(readColor(Ini, Section, "FontColor", clrBlack));
  TxlsFontStyles style;
  if (Ini->ReadBool(Section, "FontBold", false)) style.Include(xfsBold);
  if (Ini->ReadBool(Section, "FontItalic", false)) style.Include(xfsItalic);
  if (Ini->ReadBool(Section, "FontStrikeOut", false)) style.Include(xfsStrikeOut);
  font.SetStyle(style);
  font.SetUnderline(readOrdinal(Ini, Section, "FontUnderline", fulNone, 5));
  Alignment()->SetHorizontal(readOrdinal(Ini, Section, "HorAlignment", halGeneral, 5));
  Alignment()->SetVertical(readOrdinal(Ini, Section, "VertAlignment", valBottom, 4));
  for (const TBorderKey& key : kBorderKeys) {
    TxlsBorder& border = *(Borders()->*key.border)();
    border.SetStyle(readOrdinal(Ini, Section, key.name, bstNone, 14));
    border.SetColor(readColor(Ini, Section, AnsiString(key.name) + "Color", clrBlack));
  }
  Fill()->SetPattern(readOrdinal(Ini, Section, "FillPattern", ptNone, 19));
  Fill()->SetBackground(readColor(Ini, Section, "FillBackground", clrWhite));
  Fill()->SetForeground(readColor(Ini, Section, "FillForeground", clrBlack));
}
