#include "TxlsFont.h"

#include <utility>

#include "CodePage.h"
#include "TFont.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsFont, TPersistent,
             Published::Integer("Size", &TxlsFont::Size, &TxlsFont::SetSize),
             Published::Set("Style", TxlsFontStyleNames, &TxlsFont::Style, &TxlsFont::SetStyle),
             Published::Enum("Color", TxlsColorNames, &TxlsFont::Color, &TxlsFont::SetColor),
             Published::Enum("Script", TxlsFontScriptNames, &TxlsFont::Script, &TxlsFont::SetScript),
             Published::Enum("Underline", TxlsFontUnderlineNames, &TxlsFont::Underline, &TxlsFont::SetUnderline),
             Published::Integer("Charset", &TxlsFont::Charset, &TxlsFont::SetCharset),
             Published::WideString("Name", &TxlsFont::Name, &TxlsFont::SetName))

namespace {

// The screen colours a font colour is taken from; any other colour gives clrBlack.
constexpr std::pair<TColor, TxlsColor> kScreenColors[] = {
    {clMaroon, clrDarkRed}, {clRed, clrRed},       {clGreen, clrGreen},       {clOlive, clrDarkYellow},
    {clLime, clrBrightGreen}, {clYellow, clrYellow}, {clNavy, clrDarkBlue},     {clPurple, clrViolet},
    {clTeal, clrTeal},       {clGray, clrGray50Percent}, {clSilver, clrGray25Percent}, {clBlue, clrBlue},
    {clFuchsia, clrPink},    {clAqua, clrTurquoise}, {clWhite, clrWhite}};

TxlsColor fromScreenColor(TColor color) {
  for (const auto& [screen, xls] : kScreenColors)
    if (screen == color) return xls;
  return clrBlack;
}

}  // namespace

void TxlsFont::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TxlsFont*>(Source)) {
    size_ = font->size_;
    style_ = font->style_;
    color_ = font->color_;
    script_ = font->script_;
    underline_ = font->underline_;
    charset_ = font->charset_;
    name_ = font->name_;
    return;
  }
  if (auto* screen = dynamic_cast<TFont*>(Source)) {
    const TFontStyles style = screen->Style();
    size_ = screen->Size();
    style_ = {};
    if (style.Contains(fsBold)) style_.Include(xfsBold);
    if (style.Contains(fsItalic)) style_.Include(xfsItalic);
    if (style.Contains(fsStrikeOut)) style_.Include(xfsStrikeOut);
    underline_ = style.Contains(fsUnderline) ? fulSingle : fulNone;
    script_ = fscNone;
    charset_ = screen->Charset();
    name_ = AnsiToWide(screen->Name());
    color_ = fromScreenColor(screen->Color());
    return;
  }
  inherited::Assign(Source);
}

void TxlsFont::AssignTo(TPersistent* Dest) {
  if (auto* screen = dynamic_cast<TFont*>(Dest)) {
    TFontStyles style;
    if (style_.Contains(xfsBold)) style.Include(fsBold);
    if (style_.Contains(xfsItalic)) style.Include(fsItalic);
    if (style_.Contains(xfsStrikeOut)) style.Include(fsStrikeOut);
    if (underline_ != fulNone) style.Include(fsUnderline);
    screen->SetSize(size_);
    screen->SetStyle(style);
    screen->SetColor(XlsColorToColor(color_));
    screen->SetCharset(charset_);
    screen->SetName(WideToAnsi(name_));
    return;
  }
  inherited::AssignTo(Dest);
}

bool TxlsFont::Equals(const TxlsFont* Other) const {
  return Other != nullptr && size_ == Other->size_ && style_ == Other->style_ && color_ == Other->color_ &&
         script_ == Other->script_ && underline_ == Other->underline_ && charset_ == Other->charset_ &&
         name_ == Other->name_;
}

bool TxlsFont::IsDefault() const {
  static const TxlsFont defaults;
  return Equals(&defaults);
}
