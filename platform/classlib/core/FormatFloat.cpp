// FormatFloat and FormatCurr: numbers written after a mask such as "#,##0.00;(#,##0.00);zero".
#include <array>
#include <string>
#include <vector>

#include "CodePage.h"

#include "AnsiChars_p.h"
#include "FloatDecimal_p.h"
#include "FloatText.h"
#include "IntegerText.h"

using floatdecimal::TDecimalValue;
using floatdecimal::TFloatRec;

namespace {

// What one section of a mask asks for.
struct TMask {
  std::string_view Text;
  int IntPlaceholders = 0;  // "0" and "#" before the decimal point
  int MinIntDigits = 0;     // from the first "0" before the point to the point
  int Decimals = 0;         // "0" and "#" after the point
  int MinDecimals = 0;      // up to the last "0" after the point
  bool Thousands = false;
  bool Scientific = false;
  int ExpDigits = 0;
};

// Calls Visit(kind, position, length) for each element of a mask section: 'q' for the text of a
// quoted part (without its quotes), 'e' for an exponent ("E+00"), 'c' for anything else (one
// character, a double-byte one whole). Scanning stops at the end or, when StopAtSemicolon, at
// an unquoted ";", whose position is returned.
template <class Visit>
std::size_t scanMask(std::string_view mask, bool stopAtSemicolon, Visit visit) {
  ansichars::TCharLengths chars;
  bool exponentSeen = false;
  std::size_t i = 0;
  while (i < mask.size()) {
    char c = mask[i];
    std::size_t n = chars.At(mask, i);
    if (n == 1 && (c == '"' || c == '\'')) {
      std::size_t end = i + 1;
      while (end < mask.size() && mask[end] != c) end += chars.At(mask, end);
      visit('q', i + 1, end - i - 1);
      i = end < mask.size() ? end + 1 : end;
      continue;
    }
    if (n == 1 && c == ';' && stopAtSemicolon) return i;
    if (n == 1 && (c == 'E' || c == 'e') && !exponentSeen && i + 1 < mask.size() &&
        (mask[i + 1] == '+' || mask[i + 1] == '-')) {
      exponentSeen = true;
      std::size_t end = i + 2;
      while (end < mask.size() && mask[end] == '0') ++end;
      visit('e', i, end - i);
      i = end;
      continue;
    }
    visit('c', i, n);
    i += n;
  }
  return mask.size();
}

// One element of a mask section as scanMask reports it.
struct TElement {
  char Kind;
  std::size_t At;
  std::size_t Len;
};

std::vector<TElement> elementsOf(std::string_view text) {
  std::vector<TElement> out;
  scanMask(text, false, [&](char kind, std::size_t at, std::size_t len) { out.push_back({kind, at, len}); });
  return out;
}

std::vector<std::string_view> sections(std::string_view mask) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = start + scanMask(mask.substr(start), true, [](char, std::size_t, std::size_t) {});
    out.push_back(mask.substr(start, end - start));
    if (end >= mask.size() || out.size() == 3) break;
    start = end + 1;
  }
  return out;
}

TMask analyse(std::string_view text, const std::vector<TElement>& elements) {
  TMask m;
  m.Text = text;
  bool afterPoint = false;
  int firstZero = -1;
  for (const TElement& e : elements) {
    const char kind = e.Kind;
    const std::size_t at = e.At, len = e.Len;
    if (kind == 'e') {
      m.Scientific = true;
      m.ExpDigits = static_cast<int>(len) - 2 > 4 ? 4 : static_cast<int>(len) - 2;
      continue;
    }
    if (kind != 'c' || len != 1 || m.Scientific) continue;
    char c = text[at];
    if (c == '0' || c == '#') {
      if (afterPoint) {
        ++m.Decimals;
        if (c == '0') m.MinDecimals = m.Decimals;
      } else {
        if (c == '0' && firstZero < 0) firstZero = m.IntPlaceholders;
        ++m.IntPlaceholders;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',' && !afterPoint) {
      m.Thousands = true;
    }
  }
  m.MinIntDigits = firstZero < 0 ? 0 : m.IntPlaceholders - firstZero;
  return m;
}

// Rounds the value as the section shows it.
TFloatRec roundFor(const TMask& m, const TDecimalValue& value) {
  if (m.Scientific) {
    int significant = m.IntPlaceholders + m.Decimals;
    return value.Round(significant < 1 ? 1 : significant, 9999);
  }
  return value.Round(value.MaxPrecision(), m.Decimals);
}

// A mask made ready once: its sections (positive; negative; zero), each analysed and with its
// elements listed, so that writing a value does not scan the mask again.
struct TSection {
  TMask Mask;
  std::vector<TElement> Elements;
  // Only digit placeholders, grouping commas before the point and at most one point, with a
  // place for the integer digits ("#,##0.00", "0"): the text is the digits alone.
  bool Plain = false;
};

bool isPlain(const TSection& section) {
  bool point = false;
  for (const TElement& e : section.Elements) {
    if (e.Kind != 'c' || e.Len != 1) return false;
    const char c = section.Mask.Text[e.At];
    if (c == '.') {
      if (point) return false;
      point = true;
    } else if (c == ',') {
      if (point) return false;
    } else if (c != '0' && c != '#') {
      return false;
    }
  }
  return point || section.Mask.IntPlaceholders > 0;
}

struct TCompiledMask {
  std::string Text;
  int CodePage = 0;
  std::vector<TSection> Sections;
};

void compile(TCompiledMask& out, std::string_view mask, int codePage) {
  out.Text.assign(mask);
  out.CodePage = codePage;
  out.Sections.clear();
  for (std::string_view part : sections(out.Text)) {
    TSection section;
    section.Elements = elementsOf(part);
    section.Mask = analyse(part, section.Elements);
    section.Plain = isPlain(section);
    out.Sections.push_back(std::move(section));
  }
}

// The compiled form of a mask: the few masks an export writes with are kept per thread.
const TCompiledMask& compiled(std::string_view mask) {
  constexpr std::size_t Kept = 8;
  thread_local std::array<TCompiledMask, Kept> cache;
  thread_local std::size_t next = 0;
  const int codePage = GetACP();
  for (const TCompiledMask& c : cache)
    if (c.CodePage == codePage && c.Text == mask && !c.Sections.empty()) return c;
  TCompiledMask& slot = cache[next];
  next = (next + 1) % Kept;
  compile(slot, mask, codePage);
  return slot;
}

// What render writes for a plain section, without walking its elements: the sign, the integer
// digits (zero-padded to the mask's "0"s, grouped when it has commas), and the decimals down to
// the mask's last "0" after the separator.
std::string renderPlain(const TMask& m, const TFloatRec& rec, bool withSign, const TFormatSettings& fs) {
  const std::string& digits = rec.Digits;
  auto digitAt = [&](long long at) {
    return at >= 0 && static_cast<std::size_t>(at) < digits.size() ? digits[static_cast<std::size_t>(at)] : '0';
  };
  std::string out;
  if (withSign && rec.Negative && !rec.IsZero()) out += '-';
  const int own = rec.Exponent > 0 ? rec.Exponent : 0;
  const int length = own > m.MinIntDigits ? own : m.MinIntDigits;
  const bool grouped = m.Thousands && fs.ThousandSeparator != '\0';
  for (int g = 0; g < length; ++g) {
    const int at = g - (length - own);
    out += at < 0 ? '0' : digitAt(at);
    const int left = length - 1 - g;
    if (grouped && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
  }
  int decimals = m.Decimals;
  while (decimals > m.MinDecimals && digitAt(static_cast<long long>(rec.Exponent) + decimals - 1) == '0') --decimals;
  if (decimals > 0) {
    out += fs.DecimalSeparator;
    for (int i = 0; i < decimals; ++i) out += digitAt(static_cast<long long>(rec.Exponent) + i);
  }
  return out;
}

std::string render(const TSection& section, const TFloatRec& value, bool withSign, const TFormatSettings& fs) {
  const TMask& m = section.Mask;
  if (section.Plain) return renderPlain(m, value, withSign, fs);
  int exponent = 0;
  // Copied only when the point moves; otherwise the caller's digits are read where they are.
  TFloatRec shifted;
  const TFloatRec* r = &value;
  if (m.Scientific && !value.IsZero()) {
    // Move the point so that the integer placeholders hold the leading digits.
    shifted = value;
    exponent = shifted.Exponent - m.IntPlaceholders;
    shifted.Exponent = m.IntPlaceholders;
    r = &shifted;
  }
  const TFloatRec& rec = *r;
  std::string intDigits = rec.IntegerDigits();
  if (static_cast<int>(intDigits.size()) < m.MinIntDigits)
    intDigits.insert(0, static_cast<std::size_t>(m.MinIntDigits) - intDigits.size(), '0');
  std::string fraction = rec.FractionDigits(m.Decimals);
  while (static_cast<int>(fraction.size()) > m.MinDecimals && fraction.back() == '0') fraction.pop_back();

  std::string out = withSign && rec.Negative && !rec.IsZero() ? "-" : "";
  const int L = static_cast<int>(intDigits.size());
  const int P = m.IntPlaceholders;
  int intPlaceholder = 0, fracPlaceholder = 0;
  bool afterPoint = false, afterExponent = false;
  auto emitDigits = [&](int from, int to) {  // intDigits[from, to) with thousand separators
    for (int g = from; g < to; ++g) {
      out += intDigits[static_cast<std::size_t>(g)];
      int left = L - 1 - g;
      if (m.Thousands && left > 0 && left % 3 == 0 && fs.ThousandSeparator != '\0') out += fs.ThousandSeparator;
    }
  };
  for (const TElement& e : section.Elements) {
    const char kind = e.Kind;
    const std::size_t at = e.At, len = e.Len;
    if (kind == 'q') {
      out.append(m.Text.substr(at, len));
      continue;
    }
    if (kind == 'e') {
      afterExponent = true;
      out += m.Text[at];
      if (exponent < 0)
        out += '-';
      else if (m.Text[at + 1] == '+')
        out += '+';
      std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
      if (static_cast<int>(digits.size()) < m.ExpDigits)
        digits.insert(0, static_cast<std::size_t>(m.ExpDigits) - digits.size(), '0');
      out += digits;
      continue;
    }
    char c = m.Text[at];
    if (len == 1 && (c == '0' || c == '#') && !afterExponent) {
      if (!afterPoint) {
        int k = intPlaceholder++;
        // The first placeholder takes every digit the mask has no room for.
        if (L > P && k == 0)
          emitDigits(0, L - P + 1);
        else if (L > P)
          emitDigits(L - P + k, L - P + k + 1);
        else if (k >= P - L)
          emitDigits(k - (P - L), k - (P - L) + 1);
      } else {
        int k = fracPlaceholder++;
        if (k < static_cast<int>(fraction.size())) out += fraction[static_cast<std::size_t>(k)];
      }
      continue;
    }
    if (len == 1 && c == '.' && !afterPoint) {
      afterPoint = true;
      if (P == 0) emitDigits(0, L);  // a mask like ".00" still shows the integer part
      if (!fraction.empty()) out += fs.DecimalSeparator;
      continue;
    }
    if (len == 1 && c == ',' && !afterPoint) continue;
    out.append(m.Text.substr(at, len));
  }
  return out;
}

AnsiString formatValue(std::string_view mask, const TDecimalValue& value, const TFormatSettings& fs) {
  auto general = [&] {
    if (value.IsInteger()) return IntToStr(value.AsInteger());
    return value.IsCurrency() ? CurrToStr(value.AsCurrency(), fs) : FloatToStr(value.AsDouble(), fs);
  };
  const std::vector<TSection>& parts = compiled(mask).Sections;
  if (parts[0].Mask.Text.empty()) return general();
  const TMask& positive = parts[0].Mask;
  TFloatRec rec = roundFor(positive, value);
  if (rec.Nan || rec.Infinite) return general();
  // Beyond 18 integer digits a digit mask would show made-up digits.
  if (!positive.Scientific && rec.Exponent > 18) return general();
  if (rec.IsZero() && parts.size() >= 3 && !parts[2].Mask.Text.empty()) return render(parts[2], TFloatRec{}, false, fs);
  if (rec.Negative && !rec.IsZero() && parts.size() >= 2 && !parts[1].Mask.Text.empty())
    return render(parts[1], roundFor(parts[1].Mask, value), false, fs);
  return render(parts[0], rec, true, fs);
}

}  // namespace

AnsiString FormatFloat(std::string_view Mask, double Value, const TFormatSettings& Settings) {
  return formatValue(Mask, TDecimalValue(Value), Settings);
}

AnsiString FormatFloat(std::string_view Mask, double Value) {
  return FormatFloat(Mask, Value, *FormatSettingsSnapshot());
}

AnsiString FormatCurr(std::string_view Mask, Currency Value, const TFormatSettings& Settings) {
  return formatValue(Mask, TDecimalValue(Value), Settings);
}

AnsiString FormatInt64(std::string_view Mask, std::int64_t Value, const TFormatSettings& Settings) {
  return formatValue(Mask, TDecimalValue(static_cast<long long>(Value)), Settings);
}

AnsiString FormatCurr(std::string_view Mask, Currency Value) { return FormatCurr(Mask, Value, *FormatSettingsSnapshot()); }
