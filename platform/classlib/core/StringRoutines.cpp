#include "StringRoutines.h"

#include <algorithm>
#include <optional>

#include "AnsiChars_p.h"

namespace {

constexpr char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Char>
bool isBlank(Char c) {
  return static_cast<std::make_unsigned_t<Char>>(c) <= ' ';
}

template <class Char>
std::basic_string_view<Char> trimmed(std::basic_string_view<Char> s, bool left, bool right) {
  std::size_t b = 0, e = s.size();
  if (left)
    while (b < e && isBlank(s[b])) ++b;
  if (right)
    while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Maps the single-byte characters of S with Map, copying double-byte characters unchanged.
template <class Map>
AnsiString mapSingleBytes(std::string_view s, Map map) {
  AnsiString out(s);
  ansichars::TCharLengths chars;
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = chars.At(out, i);
    if (n == 1) out[i] = map(out[i]);
    i += n;
  }
  return out;
}

// Byte offset of the first match of Pattern in S at or after From, at a character boundary;
// npos when none.
std::size_t findAt(std::string_view s, std::string_view pattern, std::size_t from, bool ignoreCase,
                   const ansichars::TCharLengths& chars) {
  if (pattern.empty()) return std::string_view::npos;
  for (std::size_t i = from; i + pattern.size() <= s.size(); i += chars.At(s, i)) {
    bool match = true;
    for (std::size_t k = 0; k < pattern.size() && match; ++k)
      match = ignoreCase ? upper(s[i + k]) == upper(pattern[k]) : s[i + k] == pattern[k];
    // A match must also end on a character boundary of S; a pattern that ends in a lead byte
    // would otherwise swallow half of the next character.
    if (match) {
      std::size_t end = i;
      while (end < i + pattern.size()) end += chars.At(s, end);
      if (end == i + pattern.size()) return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

AnsiString Trim(std::string_view S) { return AnsiString(trimmed(S, true, true)); }
AnsiString TrimLeft(std::string_view S) { return AnsiString(trimmed(S, true, false)); }
AnsiString TrimRight(std::string_view S) { return AnsiString(trimmed(S, false, true)); }
WideString Trim(std::u16string_view S) { return WideString(trimmed(S, true, true)); }
WideString TrimLeft(std::u16string_view S) { return WideString(trimmed(S, true, false)); }
WideString TrimRight(std::u16string_view S) { return WideString(trimmed(S, false, true)); }

AnsiString UpperCase(std::string_view S) { return mapSingleBytes(S, upper); }
AnsiString LowerCase(std::string_view S) { return mapSingleBytes(S, lower); }

int CompareStr(std::string_view S1, std::string_view S2) {
  int c = S1.compare(S2);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareText(std::string_view S1, std::string_view S2) {
  std::size_t n = std::min(S1.size(), S2.size());
  // Characters are stepped through by S1's lengths: where S2 has a double-byte character and S1
  // an ASCII one, the lead byte already differs. Pure ASCII (identifiers, keys) needs no table.
  bool ascii = std::all_of(S1.begin(), S1.begin() + static_cast<std::ptrdiff_t>(n),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  std::optional<ansichars::TCharLengths> chars;
  if (!ascii) chars.emplace();
  for (std::size_t i = 0; i < n;) {
    std::size_t len = ascii ? 1 : chars->At(S1, i);
    for (std::size_t k = i; k < i + len && k < n; ++k) {
      // Only single-byte characters are folded; the bytes of a double-byte one compare as they are.
      unsigned char a = static_cast<unsigned char>(len == 1 ? upper(S1[k]) : S1[k]);
      unsigned char b = static_cast<unsigned char>(len == 1 ? upper(S2[k]) : S2[k]);
      if (a != b) return a < b ? -1 : 1;
    }
    i += len;
  }
  return S1.size() < S2.size() ? -1 : S1.size() > S2.size() ? 1 : 0;
}

bool SameText(std::string_view S1, std::string_view S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }

AnsiString QuotedStr(std::string_view S) { return AnsiQuotedStr(S, '\''); }

AnsiString AnsiQuotedStr(std::string_view S, char Quote) {
  AnsiString out;
  out.reserve(S.size() + 2);
  out += Quote;
  ansichars::TCharLengths chars;
  for (std::size_t i = 0; i < S.size();) {
    std::size_t n = chars.At(S, i);
    if (n == 1 && S[i] == Quote) out += Quote;
    out.append(S.substr(i, n));
    i += n;
  }
  out += Quote;
  return out;
}

AnsiString AnsiExtractQuotedStr(std::string_view Src, std::size_t& Pos, char Quote) {
  if (Pos >= Src.size() || Src[Pos] != Quote) return {};
  ansichars::TCharLengths chars;
  AnsiString out;
  std::size_t i = Pos + 1;
  while (i < Src.size()) {
    std::size_t n = chars.At(Src, i);
    if (n == 1 && Src[i] == Quote) {
      if (i + 1 < Src.size() && Src[i + 1] == Quote) {
        out += Quote;
        i += 2;
        continue;
      }
      ++i;  // the closing quote
      break;
    }
    out.append(Src.substr(i, n));
    i += n;
  }
  Pos = i;
  return out;
}

AnsiString AnsiDequotedStr(std::string_view S, char Quote) {
  std::size_t pos = 0;
  if (S.empty() || S[0] != Quote) return AnsiString(S);
  AnsiString out = AnsiExtractQuotedStr(S, pos, Quote);
  // Only a text that is quoted as a whole loses its quotes.
  if (pos != S.size() || S.size() < 2 || S.back() != Quote) return AnsiString(S);
  return out;
}

int AnsiPos(std::string_view SubStr, std::string_view S) {
  ansichars::TCharLengths chars;
  std::size_t at = findAt(S, SubStr, 0, false, chars);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int LastDelimiter(std::string_view Delimiters, std::string_view S) {
  ansichars::TCharLengths chars;
  int last = 0;
  for (std::size_t i = 0; i < S.size();) {
    std::size_t n = chars.At(S, i);
    if (n == 1 && Delimiters.find(S[i]) != std::string_view::npos) last = static_cast<int>(i) + 1;
    i += n;
  }
  return last;
}

bool IsDelimiter(std::string_view Delimiters, std::string_view S, int Index) {
  if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) return false;
  ansichars::TCharLengths chars;
  std::size_t target = static_cast<std::size_t>(Index) - 1;
  std::size_t i = 0;
  while (i + chars.At(S, i) <= target) i += chars.At(S, i);
  return i == target && chars.At(S, i) == 1 && Delimiters.find(S[i]) != std::string_view::npos;
}

AnsiString StringReplace(std::string_view S, std::string_view OldPattern, std::string_view NewPattern,
                         TReplaceFlags Flags) {
  const bool all = Flags.Contains(TReplaceFlag::rfReplaceAll);
  const bool ignoreCase = Flags.Contains(TReplaceFlag::rfIgnoreCase);
  ansichars::TCharLengths chars;
  AnsiString out;
  std::size_t from = 0;
  for (;;) {
    std::size_t at = findAt(S, OldPattern, from, ignoreCase, chars);
    if (at == std::string_view::npos) break;
    out.append(S.substr(from, at - from));
    out.append(NewPattern);
    from = at + OldPattern.size();
    if (!all) break;
  }
  out.append(S.substr(from));
  return out;
}
