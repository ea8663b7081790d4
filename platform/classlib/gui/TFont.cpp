#include "TFont.h"

#include <algorithm>
#include <limits>

#include "CodePage.h"
#include "TypInfo.h"

DEFINE_CLASS(TFont, TPersistent,
             Published::Integer(CharsetIdents(), "Charset", &TFont::Charset, &TFont::SetCharset),
             Published::Integer(ColorIdents(), "Color", &TFont::Color, &TFont::SetColor),
             Published::Integer("Height", &TFont::Height, &TFont::SetHeight),
             Published::String("Name", &TFont::Name, &TFont::SetName),
             Published::Enum("Pitch", {"fpDefault", "fpVariable", "fpFixed"}, &TFont::Pitch, &TFont::SetPitch),
             Published::Integer("Size", &TFont::Size, &TFont::SetSize),
             Published::Set("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style,
                            &TFont::SetStyle))

namespace {

constexpr int kScreenPixelsPerInch = 96;

// a * b / c rounded to the nearest integer, halves away from zero (the platform's MulDiv); a
// result beyond the integers is held at the largest one of its sign, so that it can be negated.
int mulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long p = static_cast<long long>(a) * b;
  const bool negative = (p < 0) != (c < 0);
  const long long ap = p < 0 ? -p : p;
  const long long ac = c < 0 ? -static_cast<long long>(c) : c;
  const long long q = std::min<long long>((ap + ac / 2) / ac, std::numeric_limits<int>::max());
  return static_cast<int>(negative ? -q : q);
}

TFontCharset farEastCharset(int codePage) {
  switch (codePage) {
    case 936: return GB2312_CHARSET;
    case 932: return SHIFTJIS_CHARSET;
    case 949: return HANGEUL_CHARSET;
    case 950: return CHINESEBIG5_CHARSET;
    default: return DEFAULT_CHARSET;
  }
}

}  // namespace

struct TFont::Data {
  TFontCharset charset = DEFAULT_CHARSET;
  TColor color = clWindowText;
  int height = -11;
  AnsiString name = "MS Sans Serif";
  TFontPitch pitch = fpDefault;
  TFontStyles style;
  int pixelsPerInch = kScreenPixelsPerInch;
};

TFont::TFont() : d_(std::make_unique<Data>()) {
  const TFontCharset farEast = farEastCharset(GetACP());
  if (farEast != DEFAULT_CHARSET) {
    d_->name = WideToAnsi(u"宋体");
    d_->height = -12;
    d_->charset = farEast;
  }
}

TFont::~TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TFont*>(Source)) {
    if (other == this) return;
    const int ppi = d_->pixelsPerInch;
    *d_ = *other->d_;
    // A height in points keeps its size across screens of different resolution.
    if (ppi != other->d_->pixelsPerInch) d_->height = mulDiv(other->Size(), -ppi, 72);
    d_->pixelsPerInch = ppi;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

TFontCharset TFont::Charset() const { return d_->charset; }
void TFont::SetCharset(TFontCharset Value) {
  if (Value == d_->charset) return;
  d_->charset = Value;
  Changed();
}

TColor TFont::Color() const { return d_->color; }
void TFont::SetColor(TColor Value) {
  if (Value == d_->color) return;
  d_->color = Value;
  Changed();
}

int TFont::Height() const { return d_->height; }
void TFont::SetHeight(int Value) {
  if (Value == d_->height) return;
  d_->height = Value;
  Changed();
}

const AnsiString& TFont::Name() const { return d_->name; }
void TFont::SetName(const AnsiString& Value) {
  if (Value.empty() || Value == d_->name) return;
  d_->name = Value;
  Changed();
}

TFontPitch TFont::Pitch() const { return d_->pitch; }
void TFont::SetPitch(TFontPitch Value) {
  if (Value == d_->pitch) return;
  d_->pitch = Value;
  Changed();
}

int TFont::Size() const { return -mulDiv(d_->height, 72, d_->pixelsPerInch); }
void TFont::SetSize(int Value) {
  SetHeight(-mulDiv(std::clamp(Value, -MaxSize, MaxSize), d_->pixelsPerInch, 72));
}

TFontStyles TFont::Style() const { return d_->style; }
void TFont::SetStyle(TFontStyles Value) {
  if (Value == d_->style) return;
  d_->style = Value;
  Changed();
}

int TFont::PixelsPerInch() const { return d_->pixelsPerInch; }
void TFont::SetPixelsPerInch(int Value) {
  if (Value > 0) d_->pixelsPerInch = Value;
}

bool TFont::Equals(const TFont& Other) const {
  const Data& a = *d_;
  const Data& b = *Other.d_;
  return a.charset == b.charset && a.color == b.color && a.height == b.height && a.name == b.name &&
         a.pitch == b.pitch && a.style == b.style;
}
