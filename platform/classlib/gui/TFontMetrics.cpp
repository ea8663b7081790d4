#include "TFontMetrics.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include "QtConvert_p.h"
#include "TFont.h"
#include "TWinControl.h"

struct TFontMetrics::Data {
  explicit Data(const QFont& font) : metrics(font) {}
  QFontMetrics metrics;
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
