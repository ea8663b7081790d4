#include "Locales.h"

#include <unicode/uloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

// Windows' three-letter language abbreviations. Locales missing here fall back to their
// ISO 639-2 code, which is what Windows uses for most of the less common languages too.
const std::map<LCID, const char*>& windowsAbbreviations() {
  static const std::map<LCID, const char*> table = {
      {0x0401, "ARA"}, {0x0402, "BGR"}, {0x0403, "CAT"}, {0x0404, "CHT"}, {0x0405, "CSY"}, {0x0406, "DAN"},
      {0x0407, "DEU"}, {0x0408, "ELL"}, {0x0409, "ENU"}, {0x040A, "ESP"}, {0x040B, "FIN"}, {0x040C, "FRA"},
      {0x040D, "HEB"}, {0x040E, "HUN"}, {0x040F, "ISL"}, {0x0410, "ITA"}, {0x0411, "JPN"}, {0x0412, "KOR"},
      {0x0413, "NLD"}, {0x0414, "NOR"}, {0x0415, "PLK"}, {0x0416, "PTB"}, {0x0417, "RMC"}, {0x0418, "ROM"},
      {0x0419, "RUS"}, {0x041A, "HRV"}, {0x041B, "SKY"}, {0x041C, "SQI"}, {0x041D, "SVE"}, {0x041E, "THA"},
      {0x041F, "TRK"}, {0x0420, "URD"}, {0x0421, "IND"}, {0x0422, "UKR"}, {0x0423, "BEL"}, {0x0424, "SLV"},
      {0x0425, "ETI"}, {0x0426, "LVI"}, {0x0427, "LTH"}, {0x0429, "FAR"}, {0x042A, "VIT"}, {0x042B, "HYE"},
      {0x042C, "AZE"}, {0x042D, "EUQ"}, {0x042E, "HSB"}, {0x042F, "MKI"}, {0x0434, "XHO"}, {0x0435, "ZUL"},
      {0x0436, "AFK"}, {0x0437, "KAT"}, {0x0438, "FOS"}, {0x0439, "HIN"}, {0x043A, "MLT"}, {0x043B, "SME"},
      {0x043E, "MSL"}, {0x043F, "KKZ"}, {0x0440, "KYR"}, {0x0441, "SWK"}, {0x0442, "TUK"}, {0x0443, "UZB"},
      {0x0444, "TTT"}, {0x0445, "BNG"}, {0x0446, "PAN"}, {0x0447, "GUJ"}, {0x0448, "ORI"}, {0x0449, "TAM"},
      {0x044A, "TEL"}, {0x044B, "KDI"}, {0x044C, "MYM"}, {0x044D, "ASM"}, {0x044E, "MAR"}, {0x044F, "SAN"},
      {0x0450, "MNN"}, {0x0451, "BOB"}, {0x0452, "CYM"}, {0x0453, "KHM"}, {0x0454, "LAO"}, {0x0456, "GLC"},
      {0x0457, "KNK"}, {0x045B, "SIN"}, {0x045E, "AMH"}, {0x0461, "NEP"}, {0x0462, "FYN"}, {0x0463, "PAS"},
      {0x0464, "FPO"}, {0x046A, "YOR"}, {0x046E, "LBX"}, {0x046F, "KAL"}, {0x0470, "IBO"}, {0x0478, "III"},
      {0x047E, "BRE"}, {0x0480, "UIG"}, {0x0481, "MRI"}, {0x0484, "GSW"}, {0x0485, "SAH"}, {0x0487, "KIN"},
      {0x0488, "WOL"}, {0x048C, "PRS"}, {0x0491, "GLA"},
      {0x0801, "ARI"}, {0x0804, "CHS"}, {0x0807, "DES"}, {0x0809, "ENG"}, {0x080A, "ESM"}, {0x080C, "FRB"},
      {0x0810, "ITS"}, {0x0813, "NLB"}, {0x0814, "NON"}, {0x0816, "PTG"}, {0x0818, "ROD"}, {0x0819, "RUM"},
      {0x081A, "SRL"}, {0x081D, "SVF"}, {0x082C, "AZC"}, {0x082E, "DSB"}, {0x083B, "SMF"}, {0x083C, "IRE"},
      {0x083E, "MSB"}, {0x0843, "UZC"}, {0x0845, "BNB"},
      {0x0C01, "ARE"}, {0x0C04, "ZHH"}, {0x0C07, "DEA"}, {0x0C09, "ENA"}, {0x0C0A, "ESN"}, {0x0C0C, "FRC"},
      {0x0C1A, "SRB"}, {0x0C3B, "SMG"},
      {0x1001, "ARL"}, {0x1004, "ZHI"}, {0x1007, "DEL"}, {0x1009, "ENC"}, {0x100A, "ESG"}, {0x100C, "FRS"},
      {0x101A, "HRB"},
      {0x1401, "ARG"}, {0x1404, "ZHM"}, {0x1407, "DEC"}, {0x1409, "ENZ"}, {0x140A, "ESC"}, {0x140C, "FRL"},
      {0x141A, "BSB"},
      {0x1801, "ARM"}, {0x1809, "ENI"}, {0x180A, "ESA"}, {0x180C, "FRM"}, {0x181A, "SRS"},
      {0x1C01, "ART"}, {0x1C09, "ENS"}, {0x1C0A, "ESD"}, {0x1C1A, "SRN"},
      {0x2001, "ARO"}, {0x2009, "ENJ"}, {0x200A, "ESV"}, {0x201A, "BSC"},
      {0x2401, "ARY"}, {0x2409, "ENB"}, {0x240A, "ESO"}, {0x241A, "SRM"},
      {0x2801, "ARS"}, {0x2809, "ENL"}, {0x280A, "ESR"}, {0x281A, "SRO"},
      {0x2C01, "ARJ"}, {0x2C09, "ENT"}, {0x2C0A, "ESS"}, {0x2C1A, "SRP"},
      {0x3001, "ARB"}, {0x3009, "ENW"}, {0x300A, "ESF"}, {0x301A, "SRQ"},
      {0x3401, "ARK"}, {0x3409, "ENP"}, {0x340A, "ESL"},
      {0x3801, "ARU"}, {0x380A, "ESY"},
      {0x3C01, "ARH"}, {0x3C09, "ENH"}, {0x3C0A, "ESZ"},
      {0x4001, "ARQ"}, {0x4009, "ENN"}, {0x400A, "ESB"},
      {0x4409, "ENM"}, {0x440A, "ESE"},
      {0x4809, "ENE"}, {0x480A, "ESH"},
      {0x4C0A, "ESI"}, {0x500A, "ESU"}, {0x540A, "EST"},
  };
  return table;
}

// The ICU locale that ICU's LCID table gives for an id, when that table names exactly this id
// (for an id it does not know, ICU answers with the language's first entry instead), or "".
std::string localeOfLCID(LCID lcid) {
  char name[ULOC_FULLNAME_CAPACITY] = {};
  UErrorCode status = U_ZERO_ERROR;
  uloc_getLocaleForLCID(lcid, name, sizeof name, &status);
  if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING) return {};
  if (uloc_getLCID(name) != lcid) return {};
  return name;
}

// LCID -> ICU locale name of every locale offered, built once: every id of ICU's LCID table
// (which holds the Windows ids, sort-order variants such as 1034 "Spanish, traditional sort"
// included), not only those of the locales ICU ships data for.
const std::map<LCID, std::string>& systemLocales() {
  static const std::map<LCID, std::string> locales = [] {
    std::map<LCID, std::string> result;
    // An id is a primary language (low 10 bits) and a sublanguage (high 6 bits); the language
    // alone answers whether ICU knows any id of it.
    for (LCID language = 1; language < 0x400; ++language) {
      // 127 is the invariant locale, which has no language of its own.
      if (language == 0x007F) continue;
      char probe[ULOC_FULLNAME_CAPACITY] = {};
      UErrorCode status = U_ZERO_ERROR;
      uloc_getLocaleForLCID(language, probe, sizeof probe, &status);
      if (U_FAILURE(status)) continue;
      for (LCID sub = 0; sub < 0x40; ++sub) {
        const LCID lcid = (sub << 10) | language;
        std::string name = localeOfLCID(lcid);
        if (name.empty()) continue;
        // Neutral locales (a language without a country) are not offered as system locales.
        char country[ULOC_COUNTRY_CAPACITY] = {};
        status = U_ZERO_ERROR;
        uloc_getCountry(name.c_str(), country, sizeof country, &status);
        if (U_FAILURE(status) || country[0] == '\0') continue;
        result.emplace(lcid, std::move(name));
      }
    }
    return result;
  }();
  return locales;
}

LCID defaultLCID() {
  const LCID lcid = uloc_getLCID(uloc_getDefault());
  // The "C"/POSIX locale maps to the invariant locale (127), which a user never means.
  if (systemLocales().count(lcid) == 0) return 0x0409;
  return lcid;
}

LCID resolve(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT || locale == 0) return defaultLCID();
  return locale;
}

WideString displayName(const std::string& locale, const char* inLocale) {
  UChar buffer[256];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getDisplayName(locale.c_str(), inLocale, buffer, 256, &status);
  if (U_FAILURE(status)) return {};
  return WideString(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(std::min(length, 256)));
}

WideString abbreviation(LCID lcid, const std::string& locale) {
  const auto& table = windowsAbbreviations();
  if (auto it = table.find(lcid); it != table.end()) {
    const char* text = it->second;
    return WideString(text, text + 3);
  }
  WideString result;
  for (const char* p = uloc_getISO3Language(locale.c_str()); *p != '\0'; ++p)
    result.push_back(static_cast<char16_t>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p));
  return result;
}

}  // namespace

bool EnumSystemLocales(const TLocaleEnumProc& Proc, std::uint32_t Flags) {
  if (Flags != LCID_INSTALLED && Flags != LCID_SUPPORTED) return false;
  for (const auto& entry : systemLocales()) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(entry.first));
    if (!Proc(text)) break;
  }
  return true;
}

WideString GetLocaleInfo(LCID Locale, LCTYPE LCType) {
  const LCID lcid = resolve(Locale);
  const auto& locales = systemLocales();
  auto it = locales.find(lcid);
  if (it == locales.end()) return {};
  switch (LCType) {
    case LOCALE_SLANGUAGE: return displayName(it->second, uloc_getDefault());
    case LOCALE_SABBREVLANGNAME: return abbreviation(lcid, it->second);
    default: return {};
  }
}

LCID GetUserDefaultLCID() { return defaultLCID(); }

LCID GetSystemDefaultLCID() { return defaultLCID(); }
