#include "LmLangUtils.h"

#include <charconv>
#include <memory>
#include <string>

#include "CodePage.h"
#include "Exception.h"
#include "LmExceptions.h"
#include "RTLConsts.h"
#include "TList.h"
#include "TypInfo.h"

DEFINE_CLASS(TLmLanguages, TObject)

TLmLanguages::TLmLanguages() {
  EnumSystemLocales(
      [this](const AnsiString& localeString) {
        // The id is the low word: characters 5 to 8 of the eight hexadecimal digits.
        if (localeString.size() < 8) return true;
        unsigned value = 0;
        const char* first = localeString.data() + 4;
        const auto [end, error] = std::from_chars(first, first + 4, value, 16);
        if (error != std::errc() || end != first + 4) return true;
        const AnsiString abbreviation = WideToAnsi(GetLocaleInfo(value, LOCALE_SABBREVLANGNAME));
        if (!abbreviation.empty())
          locales_.push_back({WideToAnsi(GetLocaleInfo(value, LOCALE_SLANGUAGE)), value, abbreviation});
        return true;
      },
      LCID_SUPPORTED);
}

const TLmLocaleRec& TLmLanguages::at(int Index) const {
  if (Index < 0 || Index >= Count()) TList::Error(SListIndexError, Index);
  return locales_[static_cast<std::size_t>(Index)];
}

int TLmLanguages::IndexOfLanguageID(::LCID Value) const {
  for (int i = 0; i < Count(); ++i)
    if (locales_[static_cast<std::size_t>(i)].LCID == Value) return i;
  return -1;
}

AnsiString TLmLanguages::NameFromLanguageID(::LCID Value) const {
  const int i = IndexOfLanguageID(Value);
  if (i < 0 || at(i).Name.empty()) return "<unknown>";
  return at(i).Name;
}

const AnsiString& TLmLanguages::Name(int Index) const { return at(Index).Name; }

const AnsiString& TLmLanguages::Abbreviation(int Index) const { return at(Index).Abbreviation; }

::LCID TLmLanguages::LanguageID(int Index) const { return at(Index).LCID; }

TLmLanguages* SystemLanguages() {
  static const std::unique_ptr<TLmLanguages> languages = std::make_unique<TLmLanguages>();
  return languages.get();
}

bool IsValidLanguageID(LCID Value) {
  try {
    return SystemLanguages()->IndexOfLanguageID(Value) >= 0;
  } catch (...) {
    throw ELanguageStorageError(LoadResString(&SErrorCheckingLanguage));
  }
}
