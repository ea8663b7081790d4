#include "DifRecords.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "Variant.h"

namespace {

constexpr std::u16string_view LineEnd = u"\r\n";

void appendAscii(WideString& out, std::string_view text) { out.append(text.begin(), text.end()); }

// A string as its item's line: in double quotes, its own quotes as they are (LibreOffice and
// gnumeric both read them so; gnumeric would keep doubled ones doubled), a line break (CR LF,
// CR or LF) as one blank, since a reader takes every line for an item of its own.
void appendQuoted(WideString& out, std::u16string_view text) {
  out += u'"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      out += u' ';
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      continue;
    }
    out += c;
  }
  out += u'"';
}

void appendInt(WideString& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  appendAscii(out, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// A header item: topic, "0," and the number, and a string.
void headerItem(WideString& out, std::u16string_view topic, int value, std::u16string_view text) {
  out += topic;
  out += LineEnd;
  out += u"0,";
  appendInt(out, value);
  out += LineEnd;
  appendQuoted(out, text);
  out += LineEnd;
}

}  // namespace

void DifTable(WideString& Out, std::u16string_view Title) { headerItem(Out, u"TABLE", 1, Title); }
void DifVectors(WideString& Out, int Count) { headerItem(Out, u"VECTORS", Count, {}); }
void DifTuples(WideString& Out, int Count) { headerItem(Out, u"TUPLES", Count, {}); }
void DifData(WideString& Out) { headerItem(Out, u"DATA", 0, {}); }

void DifBot(WideString& Out) { Out += u"-1,0\r\nBOT\r\n"; }

void DifString(WideString& Out, std::u16string_view Text) {
  Out += u"1,0\r\n";
  appendQuoted(Out, Text);
  Out += LineEnd;
}

bool DifNumber(WideString& Out, const Variant& Value) {
  char buffer[64];
  std::to_chars_result result{};
  switch (Value.VarType()) {
    case varInteger:
    case varInt64: result = std::to_chars(buffer, buffer + sizeof buffer, Value.AsInt64()); break;
    case varDouble:
    case varCurrency: {
      const double v = Value.AsFloat();
      if (!std::isfinite(v)) return false;
      result = std::to_chars(buffer, buffer + sizeof buffer, v);
      break;
    }
    default: return false;
  }
  Out += u"0,";
  appendAscii(Out, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
  Out += u"\r\nV\r\n";
  return true;
}

void DifEod(WideString& Out) { Out += u"-1,0\r\nEOD\r\n"; }
