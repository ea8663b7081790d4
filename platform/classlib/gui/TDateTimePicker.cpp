#include "TDateTimePicker.h"

#include <cmath>

#include <QDateTimeEdit>

#include "DateRoutines.h"
#include "FormatSettings.h"
#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TDateTimePicker, TWinControl, ControlProps::Align(), ControlProps::Color(),
             Published::Integer("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate),
             Published::Enum("DateFormat", {"dfShort", "dfLong"}, &TDateTimePicker::DateFormat,
                             &TDateTimePicker::SetDateFormat),
             ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Enum("Kind", {"dtkDate", "dtkTime"}, &TDateTimePicker::Kind, &TDateTimePicker::SetKind),
             Published::Integer("MaxDate", &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate),
             Published::Integer("MinDate", &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(),
             ControlProps::Visible(), Published::Event("OnChange", &TDateTimePicker::OnChange), ControlProps::OnClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp())

namespace {

// A date or time format of the platform's kind ("yyyy-m-d", "h:nn:ss AMPM") in Qt's letters.
QString qtFormat(const AnsiString& format) {
  QString out;
  bool afterHour = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const char lower = static_cast<char>(c | 0x20);
    auto run = [&](char letter) {
      std::size_t n = 1;
      while (i + n < format.size() && (format[i + n] | 0x20) == letter) ++n;
      i += n - 1;
      return static_cast<int>(n);
    };
    if (format.compare(i, 4, "AMPM") == 0 || format.compare(i, 4, "ampm") == 0) {
      out += QStringLiteral("AP");
      i += 3;
    } else if (format.compare(i, 5, "am/pm") == 0 || format.compare(i, 5, "AM/PM") == 0) {
      out += QStringLiteral("AP");
      i += 4;
    } else if (c == '"' || c == '\'') {
      // Quoted text stays as it is.
      std::size_t end = format.find(c, i + 1);
      if (end == AnsiString::npos) end = format.size();
      out += u'\'' + ToQString(format.substr(i + 1, end - i - 1)) + u'\'';
      i = end;
    } else if (lower == 'y') {
      out += QString(run('y') >= 3 ? "yyyy" : "yy");
      afterHour = false;
    } else if (lower == 'm') {
      // Right after the hour "m" means minutes, elsewhere the month.
      const int n = run('m');
      if (afterHour && n <= 2)
        out += QString(n == 2 ? "mm" : "m");
      else
        out += QString(n, u'M');
      afterHour = false;
    } else if (lower == 'd') {
      out += QString(run('d'), u'd');
      afterHour = false;
    } else if (lower == 'h') {
      out += QString(run('h') >= 2 ? "hh" : "h");
      afterHour = true;
    } else if (lower == 'n') {
      out += QString(run('n') >= 2 ? "mm" : "m");
      afterHour = false;
    } else if (lower == 's') {
      out += QString(run('s') >= 2 ? "ss" : "s");
      afterHour = false;
    } else if (lower == 'z') {
      out += QString(run('z') >= 3 ? "zzz" : "z");
      afterHour = false;
    } else {
      out += ToQString(AnsiString(1, c));
    }
  }
  return out;
}

// Value on another day, at the same time of day.
TDateTime withDate(TDateTime value, TDateTime day) { return std::trunc(day) + (value - std::trunc(value)); }

// Value at another time of day (the fraction of Time), on the same day; before 1899-12-30 the
// fraction counts away from zero, as the day does.
TDateTime withTime(TDateTime value, TDateTime time) {
  const TDateTime day = std::trunc(value);
  const TDateTime fraction = std::fabs(time - std::trunc(time));
  return day < 0 ? day - fraction : day + fraction;
}

}  // namespace

class TDateTimePickerPrivate : public TWinControlPrivate {
public:
  TDateTimePickerPrivate() : TWinControlPrivate(new QDateTimeEdit) {}
  QDateTimeEdit* edit() const { return static_cast<QDateTimeEdit*>(widget.data()); }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  TDateTime value = 0;
  TDateTime minDate = 0;
  TDateTime maxDate = 0;
  TDateTimeKind kind = dtkDate;
  TDTDateFormat dateFormat = dfShort;
  bool quiet = false;
};

namespace {
TDateTimePickerPrivate* dOf(const TDateTimePicker* p) { return static_cast<TDateTimePickerPrivate*>(p->ControlPrivate()); }
}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TDateTimePickerPrivate>()) {
  TDateTimePickerPrivate* d = dOf(this);
  d->color = clWindow;
  d->applyColor();
  d->edit()->setCalendarPopup(true);
  QObject::connect(d->edit(), &QDateTimeEdit::dateTimeChanged, d->edit(), [this](const QDateTime& dt) {
    TDateTimePickerPrivate* dp = dOf(this);
    if (dp->quiet || ControlsTearingDown()) return;
    // The user changes only the part the picker shows.
    dp->value = dp->kind == dtkDate ? withDate(dp->value, FromQDate(dt.date())) : withTime(dp->value, FromQTime(dt.time()));
    if (OnChange) FireEvent(this, [this] { OnChange(this); });
  });
  SetDateTime(Now());
  applyFormat();
  SetBounds(0, 0, 186, 21);
}

void TDateTimePicker::applyFormat() {
  TDateTimePickerPrivate* d = dOf(this);
  const TFormatSettings fs = GetFormatSettings();
  d->quiet = true;
  if (d->kind == dtkDate) {
    d->edit()->setCalendarPopup(true);
    d->edit()->setDisplayFormat(qtFormat(d->dateFormat == dfLong ? fs.LongDateFormat : fs.ShortDateFormat));
  } else {
    d->edit()->setCalendarPopup(false);
    d->edit()->setDisplayFormat(qtFormat(fs.LongTimeFormat));
  }
  d->edit()->setDateTime(ToQDateTime(d->value));
  d->quiet = false;
}

TDateTime TDateTimePicker::DateTime() const { return dOf(this)->value; }

void TDateTimePicker::SetDateTime(TDateTime Value) {
  TDateTimePickerPrivate* d = dOf(this);
  if (d->minDate != 0 && std::trunc(Value) < d->minDate) Value = withDate(Value, d->minDate);
  if (d->maxDate != 0 && std::trunc(Value) > d->maxDate) Value = withDate(Value, d->maxDate);
  d->value = Value;
  d->quiet = true;
  d->edit()->setDateTime(ToQDateTime(Value));
  d->quiet = false;
}

TDateTime TDateTimePicker::Date() const { return std::trunc(dOf(this)->value); }
void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(withDate(dOf(this)->value, Value)); }

TDateTime TDateTimePicker::Time() const {
  const TDateTime v = dOf(this)->value;
  return std::fabs(v - std::trunc(v));
}
void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(withTime(dOf(this)->value, Value)); }

TDateTime TDateTimePicker::MinDate() const { return dOf(this)->minDate; }
void TDateTimePicker::SetMinDate(TDateTime Value) {
  TDateTimePickerPrivate* d = dOf(this);
  d->minDate = std::trunc(Value);
  d->edit()->setMinimumDate(d->minDate != 0 ? ToQDate(d->minDate) : QDate(100, 1, 1));
  SetDateTime(d->value);
}

TDateTime TDateTimePicker::MaxDate() const { return dOf(this)->maxDate; }
void TDateTimePicker::SetMaxDate(TDateTime Value) {
  TDateTimePickerPrivate* d = dOf(this);
  d->maxDate = std::trunc(Value);
  d->edit()->setMaximumDate(d->maxDate != 0 ? ToQDate(d->maxDate) : QDate(9999, 12, 31));
  SetDateTime(d->value);
}

TDateTimeKind TDateTimePicker::Kind() const { return dOf(this)->kind; }
void TDateTimePicker::SetKind(TDateTimeKind Value) {
  dOf(this)->kind = Value;
  applyFormat();
}

TDTDateFormat TDateTimePicker::DateFormat() const { return dOf(this)->dateFormat; }
void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  dOf(this)->dateFormat = Value;
  applyFormat();
}
