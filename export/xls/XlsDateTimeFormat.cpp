#include "XlsDateTimeFormat.h"

#include <cctype>
#include <string_view>

#include "CodePage.h"

namespace {

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  return true;
}

void appendSeparator(AnsiString& out, char separator) {
  if (separator == '\0') return;
  if (std::string_view("/:-., ").find(separator) == std::string_view::npos) out += '\\';
  out += separator;
}

}  // namespace

WideString XlsDateTimeFormat(const AnsiString& Mask, char DateSeparator, char TimeSeparator) {
  AnsiString out;
  for (std::size_t i = 0; i < Mask.size();) {
    const char c = Mask[i];
    if (c == '\'' || c == '"') {
      // Quoted text, copied as Excel quotes it.
      const std::size_t close = Mask.find(c, i + 1);
      const std::size_t end = close == AnsiString::npos ? Mask.size() : close;
      out += '"';
      out += Mask.substr(i + 1, end - i - 1);
      out += '"';
      i = end == Mask.size() ? end : end + 1;
    } else if (startsWithNoCase(Mask, i, "ampm")) {
      out += "AM/PM";
      i += 4;
    } else if (startsWithNoCase(Mask, i, "am/pm") || startsWithNoCase(Mask, i, "a/p")) {
      const std::size_t length = startsWithNoCase(Mask, i, "am/pm") ? 5 : 3;
      out += Mask.substr(i, length);
      i += length;
    } else if (c == 'n' || c == 'N') {
      out += 'm';
      ++i;
    } else if (c == 'z' || c == 'Z') {
      out += '0';
      ++i;
    } else if (c == '/') {
      appendSeparator(out, DateSeparator);
      ++i;
    } else if (c == ':') {
      appendSeparator(out, TimeSeparator);
      ++i;
    } else {
      out += c;
      ++i;
    }
  }
  return AnsiToWide(out);
}
