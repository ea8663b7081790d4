#include "QtConvert_p.h"

#include <cmath>

#include "CodePage.h"
#include "TFont.h"

namespace {

// Day 0 of TDateTime.
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

}  // namespace

QString ToQString(const AnsiString& s) { return ToQString(AnsiToWide(s)); }

QString ToQString(const WideString& s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

AnsiString FromQString(const QString& s) { return WideToAnsi(WideFromQString(s)); }

WideString WideFromQString(const QString& s) {
  return WideString(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

Qt::Alignment ToQAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

QFont ToQFont(const TFont& font) {
  QFont f(ToQString(font.Name()));
  const int h = font.Height();
  // A negative height is the character (em) height; a positive one the cell height, of which
  // the em takes about seven eighths in the usual faces.
  if (h < 0)
    f.setPixelSize(-h);
  else if (h > 0)
    f.setPixelSize(std::max(1, h * 7 / 8));
  const TFontStyles style = font.Style();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) {
    f.setFixedPitch(true);
    f.setStyleHint(QFont::Monospace);
  }
  return f;
}

// The date is the whole part of the value (toward zero) and the time its fraction, also for
// days before 1899-12-30.
QDate ToQDate(TDateTime dt) { return kEpoch.addDays(static_cast<qint64>(std::trunc(dt))); }

QTime ToQTime(TDateTime dt) {
  double frac = std::fabs(dt - std::trunc(dt));
  auto ms = static_cast<int>(std::llround(frac * kMsPerDay));
  if (ms >= 86400000) ms = 86399999;
  return QTime::fromMSecsSinceStartOfDay(ms);
}

QDateTime ToQDateTime(TDateTime dt) { return QDateTime(ToQDate(dt), ToQTime(dt)); }

TDateTime FromQDate(const QDate& date) { return static_cast<double>(kEpoch.daysTo(date)); }

TDateTime FromQTime(const QTime& time) { return time.msecsSinceStartOfDay() / kMsPerDay; }
