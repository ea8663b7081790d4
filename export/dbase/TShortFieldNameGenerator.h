// TShortFieldNameGenerator: dBASE field names, at most 10 bytes, none given out twice.
//
// Generate(Name) gives the first 10 bytes of Name (cut between two characters) when no earlier
// call gave out that name, compared without regard to the case of ASCII letters (dBASE names
// are stored upper-cased). Otherwise the name's use counter goes up and its start, shortened
// to leave room, gets the suffix "~" and the counter ("ADDRESSLIN", "ADDRESSL~1",
// "ADDRESSL~2"); the counter keeps rising until the result is a name not given out yet. Every
// name returned is recorded, so a short name can never repeat a generated one.
#pragma once

#include <map>

#include "System.h"

class TShortFieldNameGenerator {
public:
  TShortFieldNameGenerator() = default;

  AnsiString Generate(const AnsiString& Name);

private:
  struct TNameLess {
    bool operator()(const AnsiString& A, const AnsiString& B) const;
  };
  // Every name given out, with its use counter.
  std::map<AnsiString, int, TNameLess> names_;
};
