#include "FormatSettings.h"

#include <unicode/udat.h>
#include <unicode/uloc.h>
#include <unicode/unum.h>

#include <mutex>
#include <string>

#include "CodePage.h"

namespace {

// ---- ICU access --------------------------------------------------------------------------

template <class Close, class T>
struct Handle {
  T* ptr;
  Close close;
  ~Handle() {
    if (ptr) close(ptr);
  }
};

// Reads a text that an ICU call writes into a buffer.
template <class Call>
WideString icuText(Call call) {
  UChar buf[256];
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = call(buf, 256, &status);
  if (U_FAILURE(status) || n > 256) return {};
  return WideString(reinterpret_cast<const char16_t*>(buf), static_cast<std::size_t>(n));
}

// Narrow spaces and no-break spaces become plain blanks: the ANSI code pages lack them.
WideString plainBlanks(WideString s) {
  for (char16_t& c : s)
    if (c == u'\u202F' || c == u'\u00A0' || c == u'\u2009') c = u' ';
  return s;
}

AnsiString ansi(const WideString& s) { return WideToAnsi(plainBlanks(s)); }

// A one-character symbol as a single byte of the ANSI code page, else Fallback.
char ansiChar(const WideString& s, char fallback) {
  WideString plain = plainBlanks(s);
  if (plain.size() != 1) return fallback;
  AnsiString a = WideToAnsi(plain);
  return a.size() == 1 && (a[0] != '?' || plain[0] == u'?') ? a[0] : fallback;
}

// ---- ICU date patterns to FormatDateTime formats --------------------------------------------

bool isPatternLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The first character that separates two fields of a pattern (outside quotes), or 0.
char16_t separatorOf(const WideString& pattern) {
  bool quoted = false;
  for (char16_t c : plainBlanks(pattern)) {
    if (c == u'\'') quoted = !quoted;
    if (quoted || c == u'\'' || c == u' ' || isPatternLetter(c)) continue;
    return c;
  }
  return 0;
}

// Converts an ICU pattern; Separator (the date or the time separator) becomes Placeholder.
WideString convertPattern(const WideString& icu, char16_t separator, char16_t placeholder) {
  WideString out;
  const WideString pattern = plainBlanks(icu);
  for (std::size_t i = 0; i < pattern.size();) {
    char16_t c = pattern[i];
    if (c == u'\'') {
      std::size_t end = i + 1;
      WideString literal;
      for (; end < pattern.size(); ++end) {
        if (pattern[end] != u'\'') {
          literal += pattern[end];
        } else if (end + 1 < pattern.size() && pattern[end + 1] == u'\'') {
          literal += u'\'';
          ++end;
        } else {
          break;
        }
      }
      if (end == i + 1 && end < pattern.size()) literal.assign(1, u'\'');  // '' outside quotes
      out += u'"' + literal + u'"';
      i = end + 1;
      continue;
    }
    if (!isPatternLetter(c)) {
      if (c == separator)
        out += placeholder;
      else if (c == u'/' || c == u':' || c == u'"')
        out += WideString(u"'") + c + u"'";  // would otherwise mean a separator or a quote
      else
        out += c;
      ++i;
      continue;
    }
    std::size_t n = 1;
    while (i + n < pattern.size() && pattern[i + n] == c) ++n;
    i += n;
    switch (c) {
      case u'y': case u'u': out += n == 2 ? u"yy" : u"yyyy"; break;
      case u'M': case u'L': out += n == 1 ? u"m" : n == 2 ? u"mm" : n == 3 ? u"mmm" : u"mmmm"; break;
      case u'd': out += n == 1 ? u"d" : u"dd"; break;
      case u'E': case u'c': case u'e': out += n <= 3 ? u"ddd" : u"dddd"; break;
      case u'h': case u'H': case u'k': case u'K': out += n == 1 ? u"h" : u"hh"; break;
      case u'm': out += n == 1 ? u"n" : u"nn"; break;
      case u's': out += n == 1 ? u"s" : u"ss"; break;
      case u'S': out += u"zzz"; break;
      case u'a': case u'b': case u'B': out += u"AMPM"; break;
      default: break;  // eras and time zones are not written
    }
  }
  // Fields dropped above may leave blanks at either end.
  while (!out.empty() && out.back() == u' ') out.pop_back();
  while (!out.empty() && out.front() == u' ') out.erase(0, 1);
  return out;
}

// ---- currency ----------------------------------------------------------------------------

// The currency symbol in the ANSI code page: the full-width form where the code page has
// only that (GBK's ￥), else the international code ("CNY").
AnsiString currencyString(const WideString& symbol, const WideString& isoCode) {
  auto fits = [](const WideString& w) {
    AnsiString a = WideToAnsi(w);
    return !a.empty() && a.find('?') == AnsiString::npos;
  };
  if (fits(symbol)) return WideToAnsi(symbol);
  WideString wide = symbol;
  for (char16_t& c : wide) {
    if (c == u'\u00A5') c = u'\uFFE5';
    if (c == u'\u00A3') c = u'\uFFE1';
    if (c == u'\u00A2') c = u'\uFFE0';
  }
  if (fits(wide)) return WideToAnsi(wide);
  return WideToAnsi(isoCode);
}

// Position of the symbol (0 "$1", 1 "1$", 2 "$ 1", 3 "1 $") from a pattern such as "¤#,##0.00".
std::uint8_t currencyPosition(const WideString& icuPattern) {
  WideString positive = plainBlanks(icuPattern.substr(0, icuPattern.find(u';')));
  std::size_t sign = positive.find(u'\u00A4');
  std::size_t digit = positive.find_first_of(u"#0");
  if (sign == WideString::npos || digit == WideString::npos) return 0;
  if (sign < digit) return positive.substr(sign + 1, digit - sign - 1).find(u' ') != WideString::npos ? 2 : 0;
  std::size_t lastDigit = positive.find_last_of(u"#0");
  return positive.substr(lastDigit + 1, sign - lastDigit - 1).find(u' ') != WideString::npos ? 3 : 1;
}

// The negative form that puts a minus sign in front of the positive one.
std::uint8_t negativeCurrencyFormat(std::uint8_t position) {
  switch (position) {
    case 0: return 1;   // -$1
    case 1: return 5;   // -1$
    case 2: return 9;   // -$ 1
    default: return 8;  // -1 $
  }
}

// ---- the process-wide set ----------------------------------------------------------------

std::mutex settingsLock;

std::shared_ptr<const TFormatSettings>& current() {
  static std::shared_ptr<const TFormatSettings> settings =
      std::make_shared<const TFormatSettings>(GetLocaleFormatSettings());
  return settings;
}

}  // namespace

TFormatSettings GetLocaleFormatSettings(std::string_view LocaleName) {
  std::string locale(LocaleName.empty() ? uloc_getDefault() : std::string(LocaleName));
  // The POSIX locale (LANG=C) writes numbers for machines; the person in front of the screen
  // reads them in the common English way.
  if (locale == "en_US_POSIX" || locale == "c" || locale == "C" || locale == "POSIX") locale = "en_US";

  TFormatSettings fs;
  UErrorCode status = U_ZERO_ERROR;
  Handle<decltype(&unum_close), UNumberFormat> number{
      unum_open(UNUM_DECIMAL, nullptr, 0, locale.c_str(), nullptr, &status), unum_close};
  if (U_SUCCESS(status)) {
    auto symbol = [&](UNumberFormatSymbol which) {
      return icuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_getSymbol(number.ptr, which, b, n, s); });
    };
    fs.DecimalSeparator = ansiChar(symbol(UNUM_DECIMAL_SEPARATOR_SYMBOL), '.');
    fs.ThousandSeparator = ansiChar(symbol(UNUM_GROUPING_SEPARATOR_SYMBOL), fs.DecimalSeparator == ',' ? '.' : ',');
    // Lists use ";" where "," is the decimal separator, as the desktop's regional settings do.
    fs.ListSeparator = fs.DecimalSeparator == ',' ? ';' : ',';
  }

  status = U_ZERO_ERROR;
  Handle<decltype(&unum_close), UNumberFormat> money{
      unum_open(UNUM_CURRENCY, nullptr, 0, locale.c_str(), nullptr, &status), unum_close};
  if (U_SUCCESS(status)) {
    auto symbol = [&](UNumberFormatSymbol which) {
      return icuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_getSymbol(money.ptr, which, b, n, s); });
    };
    WideString pattern =
        icuText([&](UChar* b, int32_t n, UErrorCode* s) { return unum_toPattern(money.ptr, false, b, n, s); });
    fs.CurrencyString = currencyString(symbol(UNUM_CURRENCY_SYMBOL), symbol(UNUM_INTL_CURRENCY_SYMBOL));
    fs.CurrencyFormat = currencyPosition(pattern);
    fs.NegCurrFormat = negativeCurrencyFormat(fs.CurrencyFormat);
    int32_t decimals = unum_getAttribute(money.ptr, UNUM_MAX_FRACTION_DIGITS);
    fs.CurrencyDecimals = static_cast<std::uint8_t>(decimals >= 0 && decimals <= 18 ? decimals : 2);
  }

  auto datePattern = [&](UDateFormatStyle timeStyle, UDateFormatStyle dateStyle) -> WideString {
    UErrorCode st = U_ZERO_ERROR;
    Handle<decltype(&udat_close), UDateFormat> fmt{
        udat_open(timeStyle, dateStyle, locale.c_str(), nullptr, 0, nullptr, 0, &st), udat_close};
    if (U_FAILURE(st)) return {};
    return icuText([&](UChar* b, int32_t n, UErrorCode* s) { return udat_toPattern(fmt.ptr, false, b, n, s); });
  };
  WideString shortDate = datePattern(UDAT_NONE, UDAT_SHORT);
  WideString longDate = datePattern(UDAT_NONE, UDAT_LONG);
  WideString shortTime = datePattern(UDAT_SHORT, UDAT_NONE);
  WideString longTime = datePattern(UDAT_MEDIUM, UDAT_NONE);
  if (!shortDate.empty()) {
    char16_t dateSep = separatorOf(shortDate);
    fs.DateSeparator = dateSep ? ansiChar(WideString(1, dateSep), '/') : '/';
    fs.ShortDateFormat = ansi(convertPattern(shortDate, dateSep, u'/'));
    // A year written with two digits would lose the century the terminals' dates need.
    if (fs.ShortDateFormat.find("yyyy") == AnsiString::npos) {
      std::size_t yy = fs.ShortDateFormat.find("yy");
      if (yy != AnsiString::npos) fs.ShortDateFormat.replace(yy, 2, "yyyy");
    }
    if (!longDate.empty()) fs.LongDateFormat = ansi(convertPattern(longDate, dateSep, u'/'));
  }
  if (!longTime.empty()) {
    char16_t timeSep = separatorOf(longTime);
    fs.TimeSeparator = timeSep ? ansiChar(WideString(1, timeSep), ':') : ':';
    fs.LongTimeFormat = ansi(convertPattern(longTime, timeSep, u':'));
    if (!shortTime.empty()) fs.ShortTimeFormat = ansi(convertPattern(shortTime, timeSep, u':'));
  }

  status = U_ZERO_ERROR;
  Handle<decltype(&udat_close), UDateFormat> symbols{
      udat_open(UDAT_DEFAULT, UDAT_DEFAULT, locale.c_str(), nullptr, 0, nullptr, 0, &status), udat_close};
  if (U_SUCCESS(status)) {
    auto name = [&](UDateFormatSymbolType type, int32_t index, const AnsiString& fallback) {
      WideString w = icuText(
          [&](UChar* b, int32_t n, UErrorCode* s) { return udat_getSymbols(symbols.ptr, type, index, b, n, s); });
      return w.empty() ? fallback : ansi(w);
    };
    for (int i = 0; i < 12; ++i) {
      fs.ShortMonthNames[i] = name(UDAT_SHORT_MONTHS, i, fs.ShortMonthNames[i]);
      fs.LongMonthNames[i] = name(UDAT_MONTHS, i, fs.LongMonthNames[i]);
    }
    for (int i = 0; i < 7; ++i) {  // ICU counts weekdays from 1 = Sunday
      fs.ShortDayNames[i] = name(UDAT_SHORT_WEEKDAYS, i + 1, fs.ShortDayNames[i]);
      fs.LongDayNames[i] = name(UDAT_WEEKDAYS, i + 1, fs.LongDayNames[i]);
    }
    fs.TimeAMString = name(UDAT_AM_PMS, 0, fs.TimeAMString);
    fs.TimePMString = name(UDAT_AM_PMS, 1, fs.TimePMString);
  }
  return fs;
}

TFormatSettings GetFormatSettings() { return *FormatSettingsSnapshot(); }

std::shared_ptr<const TFormatSettings> FormatSettingsSnapshot() {
  std::lock_guard<std::mutex> guard(settingsLock);
  return current();
}

void SetFormatSettings(const TFormatSettings& Settings) {
  auto replacement = std::make_shared<const TFormatSettings>(Settings);
  std::lock_guard<std::mutex> guard(settingsLock);
  current().swap(replacement);
}
