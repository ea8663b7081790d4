// TLmLanguages: the locales installed on this machine, against which every language id of a
// language file is validated. One instance, SystemLanguages(), made on first use and kept
// until the program ends.
#pragma once

#include <cstdint>
#include <vector>

#include "Locales.h"
#include "TObject.h"

struct TLmLocaleRec {
  AnsiString Name;          // the locale's language name
  ::LCID LCID = 0;          // its locale id
  AnsiString Abbreviation;  // its three-letter abbreviation, e.g. "CHS"
};

class TLmLanguages : public TObject {
  DECLARE_CLASS(TLmLanguages, TObject)

  // Enumerates the supported locales in the platform's order; locales without an
  // abbreviation are left out.
  TLmLanguages();

  int Count() const { return static_cast<int>(locales_.size()); }
  // First record with that id, or -1.
  int IndexOfLanguageID(::LCID Value) const;
  // The record's name; "<unknown>" when there is no record or its name is empty.
  AnsiString NameFromLanguageID(::LCID Value) const;
  // By index; EListError for an index outside the list.
  const AnsiString& Name(int Index) const;
  const AnsiString& Abbreviation(int Index) const;
  ::LCID LanguageID(int Index) const;

private:
  const TLmLocaleRec& at(int Index) const;

  std::vector<TLmLocaleRec> locales_;
};

// The locale list, made on first call.
TLmLanguages* SystemLanguages();

// True when the id is an installed locale. A failure of the lookup itself raises
// ELanguageStorageError SErrorCheckingLanguage.
bool IsValidLanguageID(LCID Value);
