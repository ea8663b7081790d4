#include "LocaleText.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/ustring.h>

#include <memory>
#include <string_view>

#include "CodePage.h"
#include "Exception.h"

namespace {

struct CollatorCloser {
  void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

// The user's locale; the POSIX locale (LANG=C) has no language and stands for the common
// order of all languages, not for byte order.
const char* collationLocale() {
  const char* name = uloc_getDefault();
  return std::string_view(name) == "en_US_POSIX" ? "" : name;
}

// Collators are not shared between threads; each thread opens its own pair on first use.
// Ignoring case is the secondary strength: accents still count, letter case does not.
UCollator* collator(bool ignoreCase) {
  thread_local CollatorPtr exact, folded;
  CollatorPtr& slot = ignoreCase ? folded : exact;
  if (!slot) {
    UErrorCode status = U_ZERO_ERROR;
    slot.reset(ucol_open(collationLocale(), &status));
    if (U_FAILURE(status)) {
      status = U_ZERO_ERROR;
      slot.reset(ucol_open("", &status));
    }
    if (U_FAILURE(status)) throw EConvertError("No collation for the current locale");
    ucol_setStrength(slot.get(), ignoreCase ? UCOL_SECONDARY : UCOL_TERTIARY);
  }
  return slot.get();
}

int collate(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  if (a == b) return 0;
  UCollationResult r = ucol_strcoll(collator(ignoreCase), a.data(), static_cast<int32_t>(a.size()), b.data(),
                                    static_cast<int32_t>(b.size()));
  return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// ASCII text is also UTF-8, which the collator reads directly: most names and keys compare
// without being converted first.
int collateAnsi(std::string_view a, std::string_view b, bool ignoreCase) {
  if (a == b) return 0;
  if (GetACP() == CP_UTF8 || (isAscii(a) && isAscii(b))) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = ucol_strcollUTF8(collator(ignoreCase), a.data(), static_cast<int32_t>(a.size()), b.data(),
                                          static_cast<int32_t>(b.size()), &status);
    if (U_SUCCESS(status)) return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
  }
  return collate(AnsiToWide(a), AnsiToWide(b), ignoreCase);
}

using CaseMap = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

WideString mapCase(std::u16string_view s, CaseMap map) {
  if (s.empty()) return {};
  WideString out(s.size(), u'\0');
  UErrorCode status = U_ZERO_ERROR;
  // The root locale: the same letters map the same way whatever the user's language.
  int32_t n = map(out.data(), static_cast<int32_t>(out.size()), s.data(), static_cast<int32_t>(s.size()), "",
                  &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<std::size_t>(n), u'\0');
    status = U_ZERO_ERROR;
    n = map(out.data(), n, s.data(), static_cast<int32_t>(s.size()), "", &status);
  }
  if (U_FAILURE(status)) return WideString(s);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace

int AnsiCompareStr(std::string_view S1, std::string_view S2) { return collateAnsi(S1, S2, false); }
int AnsiCompareText(std::string_view S1, std::string_view S2) { return collateAnsi(S1, S2, true); }

bool AnsiSameStr(std::string_view S1, std::string_view S2) { return AnsiCompareStr(S1, S2) == 0; }
bool AnsiSameText(std::string_view S1, std::string_view S2) { return AnsiCompareText(S1, S2) == 0; }

int WideCompareStr(std::u16string_view S1, std::u16string_view S2) { return collate(S1, S2, false); }
int WideCompareText(std::u16string_view S1, std::u16string_view S2) { return collate(S1, S2, true); }
bool WideSameStr(std::u16string_view S1, std::u16string_view S2) { return collate(S1, S2, false) == 0; }
bool WideSameText(std::u16string_view S1, std::u16string_view S2) { return collate(S1, S2, true) == 0; }

WideString WideUpperCase(std::u16string_view S) { return mapCase(S, u_strToUpper); }
WideString WideLowerCase(std::u16string_view S) { return mapCase(S, u_strToLower); }
AnsiString AnsiUpperCase(std::string_view S) { return WideToAnsi(WideUpperCase(AnsiToWide(S))); }
AnsiString AnsiLowerCase(std::string_view S) { return WideToAnsi(WideLowerCase(AnsiToWide(S))); }
