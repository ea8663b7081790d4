#include "TFontMetrics.h"

#include <vector>

#include <fontconfig/fontconfig.h>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

#include "QtConvert_p.h"
#include "TFont.h"
#include "TWinControl.h"

namespace {

// The font with its glyphs' widths as designed, not hinted to whole pixels.
QFont unhinted(QFont font) {
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// The family the system's font configuration draws a family name in (itself when installed);
// empty when it has no answer.
QString configuredFamily(const QString& family) {
  const QByteArray name = family.toUtf8();
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return {};
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  QString found;
  FcChar8* matched = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch)
    found = QString::fromUtf8(reinterpret_cast<const char*>(matched));
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return found;
}

QFont qFontOf(const TFont& font, TFontFaces faces) {
  QFont f = ToQFont(font);
  // An installed family is taken as it is, so the program's stand-ins for other families never
  // apply to it.
  if (faces == ffDocument)
    if (const QString family = configuredFamily(f.family()); !family.isEmpty()) f.setFamily(family);
  return f;
}

}  // namespace

struct TFontMetrics::Data {
  explicit Data(const QFont& font) : metrics(font), design(unhinted(font)) {}
  QFontMetrics metrics;
  QFontMetricsF design;
  // Widths of single characters asked for so far (in fractions of a pixel, as the layout adds
  // them up), by code unit; negative: not yet known.
  std::vector<qreal> charWidths;
};

TFontMetrics::TFontMetrics(const TFont& Font, TFontFaces Faces) {
  // Qt's font database exists only while the application object does.
  if (QGuiApplication::instance() == nullptr) throw EInvalidOperation("Font metrics need the GUI layer to be running");
  d_ = std::make_unique<Data>(qFontOf(Font, Faces));
}

TFontMetrics::~TFontMetrics() = default;

int TFontMetrics::TextWidth(std::u16string_view Text) const {
  return d_->metrics.horizontalAdvance(QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())));
}

double TFontMetrics::DesignWidth(std::u16string_view Text) const {
  return d_->design.horizontalAdvance(QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())));
}

int TFontMetrics::TextHeight() const { return d_->metrics.height(); }

double TFontMetrics::CharWidthSum(std::u16string_view Text) const {
  if (d_->charWidths.empty()) d_->charWidths.assign(0x10000, -1);
  qreal sum = 0;
  for (const char16_t c : Text) {
    if (c >= 0xD800 && c <= 0xDFFF) return -1;
    qreal& width = d_->charWidths[c];
    if (width < 0) width = d_->design.horizontalAdvance(QChar(c));
    sum += width;
  }
  return sum;
}
