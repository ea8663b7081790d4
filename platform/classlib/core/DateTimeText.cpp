#include "DateTimeText.h"

#include <charconv>
#include <string>

#include "AnsiChars_p.h"
#include "DateRoutines.h"
#include "Exception.h"
#include "StringRoutines.h"

namespace {

// ---- writing -----------------------------------------------------------------------------

struct TParts {
  int Year, Month, Day, Hour, Min, Sec, MSec, DayOfWeek;
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool startsWithText(std::string_view s, std::size_t at, std::string_view word) {
  return s.size() - at >= word.size() && SameText(s.substr(at, word.size()), word);
}

class TDateWriter {
public:
  TDateWriter(const TParts& parts, const TFormatSettings& fs) : p_(parts), fs_(fs) {}

  void Append(std::string_view fmt) {
    // Formats that name formats (c, ddddd, t ...) nest at most two deep, so a ShortDateFormat
    // that names itself cannot recurse without end.
    if (level_ >= 2) return;
    ++level_;
    appendFormat(fmt);
    --level_;
  }

  std::string Text() { return std::move(out_); }

private:
  void number(int value, int digits) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    const auto n = static_cast<int>(end - text);
    if (n < digits) out_.append(static_cast<std::size_t>(digits - n), '0');
    out_.append(text, end);
  }

  // True when an am/pm specifier follows before the next hour, so that hours count to 12.
  static bool twelveHourClock(std::string_view fmt, std::size_t from, const ansichars::TCharLengths& chars) {
    bool quoted = false;
    for (std::size_t i = from; i < fmt.size(); i += chars.At(fmt, i)) {
      if (chars.IsLead(fmt[i])) continue;
      char c = fmt[i];
      if (c == '\'' || c == '"') quoted = !quoted;
      if (c == 'h' || c == 'H') return false;
      if ((c == 'a' || c == 'A') && !quoted)
        return startsWithText(fmt, i, "am/pm") || startsWithText(fmt, i, "a/p") || startsWithText(fmt, i, "ampm");
    }
    return false;
  }

  void appendFormat(std::string_view fmt) {
    ansichars::TCharLengths chars;
    char lastToken = ' ';
    std::size_t i = 0;
    while (i < fmt.size()) {
      std::size_t n = chars.At(fmt, i);
      if (n > 1) {
        out_.append(fmt.substr(i, n));
        i += n;
        lastToken = ' ';
        continue;
      }
      const char starter = fmt[i];
      const std::size_t at = i++;
      auto count = [&] {
        while (i < fmt.size() && fmt[i] == starter) ++i;
        return static_cast<int>(i - at);
      };
      char token = upper(starter);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken == 'H') token = 'N';
        lastToken = token;
      }
      switch (token) {
        case 'Y': {
          int c = count();
          c <= 2 ? number(p_.Year % 100, 2) : number(p_.Year, 4);
          break;
        }
        case 'M': {
          int c = count();
          if (c <= 2)
            number(p_.Month, c);
          else if (p_.Month >= 1)
            out_ += c == 3 ? fs_.ShortMonthNames[p_.Month - 1] : fs_.LongMonthNames[p_.Month - 1];
          break;
        }
        case 'D': {
          int c = count();
          if (c <= 2)
            number(p_.Day, c);
          else if (c <= 4 && p_.DayOfWeek >= 1)
            out_ += c == 3 ? fs_.ShortDayNames[p_.DayOfWeek - 1] : fs_.LongDayNames[p_.DayOfWeek - 1];
          else if (c == 5)
            Append(fs_.ShortDateFormat);
          else if (c > 5)
            Append(fs_.LongDateFormat);
          break;
        }
        case 'H': {
          int c = count();
          int h = p_.Hour;
          if (twelveHourClock(fmt, i, chars)) h = h == 0 ? 12 : h > 12 ? h - 12 : h;
          number(h, c > 2 ? 2 : c);
          break;
        }
        case 'N': {
          int c = count();
          number(p_.Min, c > 2 ? 2 : c);
          break;
        }
        case 'S': {
          int c = count();
          number(p_.Sec, c > 2 ? 2 : c);
          break;
        }
        case 'Z': {
          int c = count();
          number(p_.MSec, c > 3 ? 3 : c);
          break;
        }
        case 'T':
          Append(count() == 1 ? fs_.ShortTimeFormat : fs_.LongTimeFormat);
          break;
        case 'C':
          count();
          Append(fs_.ShortDateFormat);
          if (p_.Hour != 0 || p_.Min != 0 || p_.Sec != 0) {
            out_ += ' ';
            Append(fs_.LongTimeFormat);
          }
          break;
        case 'A':
          ampm(fmt, at, i);
          break;
        case '/':
          if (fs_.DateSeparator != '\0') out_ += fs_.DateSeparator;
          break;
        case ':':
          if (fs_.TimeSeparator != '\0') out_ += fs_.TimeSeparator;
          break;
        case '\'':
        case '"': {
          std::size_t end = i;
          while (end < fmt.size() && fmt[end] != starter) end += chars.At(fmt, end);
          out_.append(fmt.substr(i, end - i));
          i = end < fmt.size() ? end + 1 : end;
          break;
        }
        default:
          out_ += starter;
          break;
      }
    }
  }

  // The specifier that begins with "a" at At; I is just after that "a".
  void ampm(std::string_view fmt, std::size_t at, std::size_t& i) {
    const bool pm = p_.Hour >= 12;
    if (startsWithText(fmt, at, "am/pm")) {
      out_.append(fmt.substr(pm ? at + 3 : at, 2));  // in the case the format writes it
      i = at + 5;
    } else if (startsWithText(fmt, at, "a/p")) {
      out_ += fmt[pm ? at + 2 : at];
      i = at + 3;
    } else if (startsWithText(fmt, at, "ampm")) {
      out_ += pm ? fs_.TimePMString : fs_.TimeAMString;
      i = at + 4;
    } else if (startsWithText(fmt, at, "aaaa")) {
      if (p_.DayOfWeek >= 1) out_ += fs_.LongDayNames[p_.DayOfWeek - 1];
      i = at + 4;
    } else if (startsWithText(fmt, at, "aaa")) {
      if (p_.DayOfWeek >= 1) out_ += fs_.ShortDayNames[p_.DayOfWeek - 1];
      i = at + 3;
    } else {
      out_ += fmt[at];
    }
  }

  const TParts& p_;
  const TFormatSettings& fs_;
  std::string out_;
  int level_ = 0;
};

// ---- reading -----------------------------------------------------------------------------

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder dateOrder(std::string_view format) {
  ansichars::TCharLengths chars;
  for (std::size_t i = 0; i < format.size(); i += chars.At(format, i)) {
    switch (upper(format[i])) {
      case 'Y': return TDateOrder::YMD;
      case 'M': return TDateOrder::MDY;
      case 'D': return TDateOrder::DMY;
      default: break;
    }
  }
  return TDateOrder::MDY;
}

class TDateScanner {
public:
  TDateScanner(std::string_view s, const TFormatSettings& fs) : s_(s), fs_(fs) {}

  bool AtEnd() const { return pos_ >= s_.size(); }

  bool Date(TDateTime& value) {
    int n1, n2, n3, l1, l2, l3;
    if (!number(n1, l1) || !scanChar(fs_.DateSeparator) || !number(n2, l2)) return false;
    int y, m, d;
    const TDateOrder order = dateOrder(fs_.ShortDateFormat);
    if (scanChar(fs_.DateSeparator)) {
      if (!number(n3, l3)) return false;
      int yearLength;
      switch (order) {
        case TDateOrder::MDY: y = n3, yearLength = l3, m = n1, d = n2; break;
        case TDateOrder::DMY: y = n3, yearLength = l3, m = n2, d = n1; break;
        default: y = n1, yearLength = l1, m = n2, d = n3; break;
      }
      if (yearLength <= 2) y = fullYear(y);
    } else {
      y = currentYear();
      if (order == TDateOrder::DMY)
        d = n1, m = n2;
      else
        m = n1, d = n2;
    }
    scanChar('.');  // some locales end a date with a period
    blanks();
    return TryEncodeDate(y, m, d, value);
  }

  bool Time(TDateTime& value) {
    int baseHour = marker();
    if (baseHour >= 0) blanks();
    int hour, min = 0, sec = 0, msec = 0, len;
    if (!number(hour, len)) return false;
    if (scanChar(fs_.TimeSeparator)) {
      if (!number(min, len)) return false;
      if (scanChar(fs_.TimeSeparator)) {
        if (!number(sec, len)) return false;
        if (scanChar(fs_.DecimalSeparator)) {
          if (!number(msec, len)) return false;
          // The digits are a fraction of a second: ".5" is 500 milliseconds.
          for (; len < 3; ++len) msec *= 10;
          for (; len > 3; --len) msec /= 10;
        }
      }
    }
    if (baseHour < 0) baseHour = marker();
    if (baseHour >= 0) {
      if (hour == 0 || hour > 12) return false;
      hour = hour % 12 + baseHour;
    }
    blanks();
    return TryEncodeTime(hour, min, sec, msec, value);
  }

private:
  void blanks() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }

  // Up to four digits: a longer number is no part of a date or time.
  bool number(int& value, int& length) {
    blanks();
    std::size_t start = pos_;
    value = 0;
    while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9' && pos_ - start < 4)
      value = value * 10 + (s_[pos_++] - '0');
    length = static_cast<int>(pos_ - start);
    return length > 0;
  }

  bool scanChar(char c) {
    blanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool scanText(std::string_view word) {
    blanks();
    if (word.empty() || !startsWithText(s_, pos_, word)) return false;
    pos_ += word.size();
    return true;
  }

  // 0 for an AM marker, 12 for a PM one, -1 for none.
  int marker() {
    if (scanText(fs_.TimeAMString) || scanText("AM")) return 0;
    if (scanText(fs_.TimePMString) || scanText("PM")) return 12;
    return -1;
  }

  static int currentYear() {
    int y, m, d;
    DecodeDate(::Date(), y, m, d);
    return y;
  }

  int fullYear(int y) const {
    const int window = fs_.TwoDigitYearCenturyWindow;
    const int base = currentYear() - window;
    y += base / 100 * 100;
    if (window > 0 && y < base) y += 100;
    return y;
  }

  std::string_view s_;
  const TFormatSettings& fs_;
  std::size_t pos_ = 0;
};

[[noreturn]] void invalid(std::string_view s, const char* what) {
  throw EConvertError("'" + AnsiString(s) + "' is not a valid " + what);
}

}  // namespace

AnsiString FormatDateTime(std::string_view Format, TDateTime DateTime, const TFormatSettings& Settings) {
  TParts p{};
  DecodeDateTime(DateTime, p.Year, p.Month, p.Day, p.Hour, p.Min, p.Sec, p.MSec);
  p.DayOfWeek = DayOfWeek(DateTime);
  TDateWriter writer(p, Settings);
  writer.Append(Format.empty() ? std::string_view("c") : Format);
  return writer.Text();
}

AnsiString FormatDateTime(std::string_view Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, *FormatSettingsSnapshot());
}

AnsiString DateToStr(TDateTime Date, const TFormatSettings& Settings) { return FormatDateTime("ddddd", Date, Settings); }
AnsiString DateToStr(TDateTime Date) { return DateToStr(Date, *FormatSettingsSnapshot()); }
AnsiString TimeToStr(TDateTime Time, const TFormatSettings& Settings) { return FormatDateTime("tt", Time, Settings); }
AnsiString TimeToStr(TDateTime Time) { return TimeToStr(Time, *FormatSettingsSnapshot()); }
AnsiString DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime("c", DateTime, Settings);
}
AnsiString DateTimeToStr(TDateTime DateTime) { return DateTimeToStr(DateTime, *FormatSettingsSnapshot()); }

bool TryStrToDate(std::string_view S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner scan(S, Settings);
  TDateTime v;
  if (!scan.Date(v) || !scan.AtEnd()) return false;
  Value = v;
  return true;
}

bool TryStrToTime(std::string_view S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner scan(S, Settings);
  TDateTime v;
  if (!scan.Time(v) || !scan.AtEnd()) return false;
  Value = v;
  return true;
}

bool TryStrToDateTime(std::string_view S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner scan(S, Settings);
  TDateTime date, time = 0;
  if (scan.Date(date) && (scan.AtEnd() || (scan.Time(time) && scan.AtEnd()))) {
    Value = date >= 0 ? date + time : date - time;
    return true;
  }
  return TryStrToTime(S, Value, Settings);
}

bool TryStrToDate(std::string_view S, TDateTime& Value) { return TryStrToDate(S, Value, *FormatSettingsSnapshot()); }
bool TryStrToTime(std::string_view S, TDateTime& Value) { return TryStrToTime(S, Value, *FormatSettingsSnapshot()); }
bool TryStrToDateTime(std::string_view S, TDateTime& Value) {
  return TryStrToDateTime(S, Value, *FormatSettingsSnapshot());
}

TDateTime StrToDate(std::string_view S, const TFormatSettings& Settings) {
  TDateTime v;
  if (!TryStrToDate(S, v, Settings)) invalid(S, "date");
  return v;
}
TDateTime StrToTime(std::string_view S, const TFormatSettings& Settings) {
  TDateTime v;
  if (!TryStrToTime(S, v, Settings)) invalid(S, "time");
  return v;
}
TDateTime StrToDateTime(std::string_view S, const TFormatSettings& Settings) {
  TDateTime v;
  if (!TryStrToDateTime(S, v, Settings)) invalid(S, "date and time");
  return v;
}
TDateTime StrToDate(std::string_view S) { return StrToDate(S, *FormatSettingsSnapshot()); }
TDateTime StrToTime(std::string_view S) { return StrToTime(S, *FormatSettingsSnapshot()); }
TDateTime StrToDateTime(std::string_view S) { return StrToDateTime(S, *FormatSettingsSnapshot()); }
