#include "FtpListing.h"

#include <array>
#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

bool startsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && sameText(s.substr(0, prefix.size()), prefix);
}

// A number of decimal digits only, not above Max; false for anything else (a sign, a blank, a
// value that would overflow).
bool readNumber(std::string_view s, std::int64_t Max, std::int64_t& Value) {
  if (s.empty()) return false;
  std::int64_t v = 0;
  for (char c : s) {
    if (!isDigit(c)) return false;
    const int digit = c - '0';
    if (v > (Max - digit) / 10) return false;
    v = v * 10 + digit;
  }
  Value = v;
  return true;
}

bool readInt(std::string_view s, int Max, int& Value) {
  std::int64_t v = 0;
  if (!readNumber(s, Max, v)) return false;
  Value = static_cast<int>(v);
  return true;
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool validDate(int y, int m, int d) {
  static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  return d <= days[m - 1] + (m == 2 && leapYear(y) ? 1 : 0);
}

bool validTime(int h, int n, int s) { return h >= 0 && h <= 23 && n >= 0 && n <= 59 && s >= 0 && s <= 59; }

void setTime(TFtpRawEntry& e, int y, int m, int d, int h, int n, int s, bool utc) {
  if (!validDate(y, m, d) || !validTime(h, n, s)) return;
  e.HasTime = true;
  e.TimeIsUtc = utc;
  e.Year = y;
  e.Month = m;
  e.Day = d;
  e.Hour = h;
  e.Minute = n;
  e.Second = s;
}

bool selfOrParent(std::string_view name) { return name == "." || name == ".."; }

// The blank-separated words at the start of a line, with where each begins and ends; at most
// Max of them (a name may hold any number of blanks, and is taken from the line itself).
struct TWord {
  std::size_t Begin = 0;
  std::size_t End = 0;
};

template <std::size_t Max>
std::size_t splitWords(std::string_view line, std::array<TWord, Max>& words) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (count < Max) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    const std::size_t begin = i;
    while (i < line.size() && line[i] != ' ') ++i;
    words[count++] = {begin, i};
  }
  return count;
}

std::string_view word(std::string_view line, const TWord& w) { return line.substr(w.Begin, w.End - w.Begin); }

// --- MLSD -------------------------------------------------------------------------------------

// "YYYYMMDDHHMMSS" with an optional fraction of a second, in UTC.
void readMlsdTime(std::string_view v, TFtpRawEntry& e) {
  if (v.size() < 14) return;
  if (v.size() > 14) {
    if (v[14] != '.' || v.size() == 15) return;
    for (char c : v.substr(15))
      if (!isDigit(c)) return;
  }
  int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0;
  if (!readInt(v.substr(0, 4), 9999, y) || !readInt(v.substr(4, 2), 99, m) || !readInt(v.substr(6, 2), 99, d) ||
      !readInt(v.substr(8, 2), 99, h) || !readInt(v.substr(10, 2), 99, n) || !readInt(v.substr(12, 2), 99, s))
    return;
  // A leap second is shown as the second before it.
  setTime(e, y, m, d, h, n, s == 60 ? 59 : s, true);
}

// --- LIST in the Unix form --------------------------------------------------------------------

int monthOf(std::string_view s) {
  static constexpr std::array<std::string_view, 12> months{"jan", "feb", "mar", "apr", "may", "jun",
                                                           "jul", "aug", "sep", "oct", "nov", "dec"};
  if (s.size() != 3) return 0;
  for (std::size_t i = 0; i < months.size(); ++i)
    if (sameText(s, months[i])) return static_cast<int>(i) + 1;
  return 0;
}

// "drwxr-xr-x", with an optional eleventh character for an access list or a context.
bool isPermissions(std::string_view s) {
  if (s.size() != 10 && s.size() != 11) return false;
  if (std::string_view("-dlbcpsD").find(s[0]) == std::string_view::npos) return false;
  for (std::size_t i = 1; i < 10; ++i)
    if (std::string_view("rwxsStTlL-").find(s[i]) == std::string_view::npos) return false;
  return s.size() == 10 || std::string_view("+.@").find(s[10]) != std::string_view::npos;
}

// "HH:MM".
bool readClock(std::string_view s, int& h, int& n) {
  const std::size_t colon = s.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2 || s.size() - colon - 1 != 2) return false;
  return readInt(s.substr(0, colon), 99, h) && readInt(s.substr(colon + 1), 99, n);
}

}  // namespace

bool ParseMlsdLine(std::string_view Line, TFtpRawEntry& Entry) {
  Entry = {};
  if (Line.size() > FtpMaxListingLine) return false;
  const std::size_t blank = Line.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::string_view facts = Line.substr(0, blank);
  const std::string_view name = Line.substr(blank + 1);
  if (name.empty() || selfOrParent(name)) return false;

  std::size_t pos = 0;
  while (pos < facts.size()) {
    std::size_t end = facts.find(';', pos);
    if (end == std::string_view::npos) end = facts.size();
    const std::string_view fact = facts.substr(pos, end - pos);
    pos = end + 1;
    const std::size_t eq = fact.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = fact.substr(0, eq);
    const std::string_view value = fact.substr(eq + 1);
    if (sameText(key, "type")) {
      if (sameText(value, "cdir") || sameText(value, "pdir")) return false;
      if (sameText(value, "file"))
        Entry.Kind = fekFile;
      else if (sameText(value, "dir"))
        Entry.Kind = fekDirectory;
      else if (startsWithText(value, "os.unix=slink") || startsWithText(value, "os.unix=symlink"))
        Entry.Kind = fekLink;
      else
        Entry.Kind = fekOther;
    } else if (sameText(key, "size") || sameText(key, "sizd")) {
      std::int64_t size = 0;
      Entry.Size = readNumber(value, std::numeric_limits<std::int64_t>::max(), size) ? size : -1;
    } else if (sameText(key, "modify")) {
      readMlsdTime(value, Entry);
    }
  }
  Entry.Name = std::string(name);
  return true;
}

bool ParseUnixLine(std::string_view Line, const TFtpToday& Today, TFtpRawEntry& Entry) {
  Entry = {};
  if (Line.size() > FtpMaxListingLine) return false;
  std::array<TWord, 16> words;
  const std::size_t count = splitWords(Line, words);
  if (count < 6 || !isPermissions(word(Line, words[0]))) return false;

  // The columns between the permissions and the size (links, owner, group) differ between
  // servers; the date is found as a month name after a size, before a day and a time or year.
  for (std::size_t m = 2; m + 2 < count; ++m) {
    const int month = monthOf(word(Line, words[m]));
    std::int64_t size = 0;
    int day = 0;
    if (month == 0 || !readInt(word(Line, words[m + 1]), 31, day) || day < 1) continue;
    const bool sizeRead = readNumber(word(Line, words[m - 1]), std::numeric_limits<std::int64_t>::max(), size);
    bool sizeWord = sizeRead;
    if (!sizeRead) {
      // A size too large for 64 bits is still a size column; the entry keeps no size.
      sizeWord = !word(Line, words[m - 1]).empty();
      for (char c : word(Line, words[m - 1])) sizeWord = sizeWord && isDigit(c);
    }
    if (!sizeWord) continue;
    const std::string_view when = word(Line, words[m + 2]);
    int year = 0, hour = 0, minute = 0;
    bool haveTime = false;
    if (readClock(when, hour, minute)) {
      haveTime = true;
      // A time instead of a year: within the last year; a date after today is last year's.
      year = Today.Year;
      if (month > Today.Month || (month == Today.Month && day > Today.Day + 1)) --year;
    } else if (when.size() == 4 && readInt(when, 9999, year)) {
      haveTime = true;
    } else {
      continue;
    }

    const std::size_t nameBegin = words[m + 2].End + 1;
    if (nameBegin >= Line.size()) return false;
    std::string_view name = Line.substr(nameBegin);
    const char type = Line[words[0].Begin];
    if (type == 'l') {
      const std::size_t arrow = name.find(" -> ");
      if (arrow != std::string_view::npos) name = name.substr(0, arrow);
    }
    if (name.empty() || selfOrParent(name)) return false;
    Entry.Name = std::string(name);
    Entry.Kind = type == 'd' ? fekDirectory : type == '-' ? fekFile : type == 'l' ? fekLink : fekOther;
    Entry.Size = sizeRead ? size : -1;
    if (haveTime) setTime(Entry, year, month, day, hour, minute, 0, false);
    return true;
  }
  return false;
}

bool ParseDosLine(std::string_view Line, TFtpRawEntry& Entry) {
  Entry = {};
  if (Line.size() > FtpMaxListingLine) return false;
  std::array<TWord, 4> words;
  const std::size_t count = splitWords(Line, words);
  if (count < 4) return false;

  // "MM-DD-YY" or "MM-DD-YYYY" (also with "/").
  const std::string_view date = word(Line, words[0]);
  if (date.size() != 8 && date.size() != 10) return false;
  const char sep = date[2];
  if ((sep != '-' && sep != '/') || date[5] != sep) return false;
  int month = 0, day = 0, year = 0;
  if (!readInt(date.substr(0, 2), 99, month) || !readInt(date.substr(3, 2), 99, day) ||
      !readInt(date.substr(6), 9999, year))
    return false;
  if (date.size() == 8) year += year < 70 ? 2000 : 1900;

  // "HH:MM", "HH:MMAM" or "HH:MM PM".
  std::size_t sizeIndex = 2;
  std::string_view clock = word(Line, words[1]);
  std::string_view half;
  const auto isHalf = [](std::string_view s) { return sameText(s, "am") || sameText(s, "pm"); };
  if (clock.size() > 2 && isHalf(clock.substr(clock.size() - 2))) {
    half = clock.substr(clock.size() - 2);
    clock = clock.substr(0, clock.size() - 2);
  } else if (isHalf(word(Line, words[2]))) {
    half = word(Line, words[2]);
    sizeIndex = 3;
  }
  int hour = 0, minute = 0;
  if (!readClock(clock, hour, minute)) return false;
  if (!half.empty()) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (sameText(half, "pm") ? 12 : 0);
  }
  if (sizeIndex >= count) return false;

  // "<DIR>" or the size, with or without thousands separators.
  const std::string_view sizeText = word(Line, words[sizeIndex]);
  bool directory = false;
  std::int64_t size = -1;
  if (sameText(sizeText, "<DIR>")) {
    directory = true;
  } else {
    std::string digits;
    for (char c : sizeText) {
      if (c == ',' || c == '.') continue;
      if (!isDigit(c)) return false;
      digits += c;
    }
    if (digits.empty()) return false;
    if (!readNumber(digits, std::numeric_limits<std::int64_t>::max(), size)) size = -1;
  }

  std::size_t nameBegin = words[sizeIndex].End;
  while (nameBegin < Line.size() && Line[nameBegin] == ' ') ++nameBegin;
  const std::string_view name = Line.substr(nameBegin);
  if (name.empty() || selfOrParent(name)) return false;
  Entry.Name = std::string(name);
  Entry.Kind = directory ? fekDirectory : fekFile;
  Entry.Size = size;
  setTime(Entry, year, month, day, hour, minute, 0, false);
  return true;
}

std::vector<TFtpRawEntry> ParseFtpListing(std::string_view Text, TFtpListFormat Format, const TFtpToday& Today) {
  std::vector<TFtpRawEntry> entries;
  std::size_t pos = 0;
  while (pos < Text.size()) {
    std::size_t end = Text.find('\n', pos);
    if (end == std::string_view::npos) end = Text.size();
    std::string_view line = Text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    TFtpRawEntry entry;
    bool read = false;
    if (Format == lfMlsd)
      read = ParseMlsdLine(line, entry);
    else
      read = ParseUnixLine(line, Today, entry) || ParseDosLine(line, entry);
    if (read) entries.push_back(std::move(entry));
  }
  return entries;
}
