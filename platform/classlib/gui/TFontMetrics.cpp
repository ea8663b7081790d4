#include "TFontMetrics.h"

#include <cmath>
#include <vector>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>

#include "QtConvert_p.h"
#include "TFont.h"
#include "TWinControl.h"

struct TFontMetrics::Data {
  explicit Data(const QFont& font) : metrics(font), exact(font) {}
  QFontMetrics metrics;
  QFontMetricsF exact;
  // Widths of single characters asked for so far (in fractions of a pixel, as the layout adds
  // them up), by code unit; negative: not yet known.
  std::vector<qreal> charWidths;
};

TFontMetrics::TFontMetrics(const TFont& Font) {
  // Qt's font database exists only while the application object does.
  if (QGuiApplication::instance() == nullptr) throw EInvalidOperation("Font metrics need the GUI layer to be running");
  d_ = std::make_unique<Data>(ToQFont(Font));
}

TFontMetrics::~TFontMetrics() = default;

int TFontMetrics::TextWidth(std::u16string_view Text) const {
  return d_->metrics.horizontalAdvance(QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())));
}

int TFontMetrics::TextHeight() const { return d_->metrics.height(); }

int TFontMetrics::CharWidthSum(std::u16string_view Text) const {
  if (d_->charWidths.empty()) d_->charWidths.assign(0x10000, -1);
  qreal sum = 0;
  for (const char16_t c : Text) {
    if (c >= 0xD800 && c <= 0xDFFF) return -1;
    qreal& width = d_->charWidths[c];
    if (width < 0) width = d_->exact.horizontalAdvance(QChar(c));
    sum += width;
  }
  return static_cast<int>(std::ceil(sum));
}
