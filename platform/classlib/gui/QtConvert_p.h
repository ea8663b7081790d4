// Private to the GUI layer; may change without notice.
//
// Conversions between the class library's types and Qt's: ANSI and wide text, colours, fonts,
// dates and times.
#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QTime>

#include "Graphics.h"
#include "System.h"

class TFont;

QString ToQString(const AnsiString& s);
QString ToQString(const WideString& s);
AnsiString FromQString(const QString& s);
WideString WideFromQString(const QString& s);

QColor ToQColor(TColor color);
// The horizontal Qt alignment of a text alignment.
Qt::Alignment ToQAlignment(TAlignment alignment);

// The Qt font that shows a TFont: family (with the desktop's substitutes for the Windows
// family names), pixel height, style.
QFont ToQFont(const TFont& font);

// TDateTime (days since 1899-12-30, fraction = time of day) and Qt's date and time.
QDate ToQDate(TDateTime dt);
QTime ToQTime(TDateTime dt);
QDateTime ToQDateTime(TDateTime dt);
TDateTime FromQDate(const QDate& date);
TDateTime FromQTime(const QTime& time);
