#include "CsvText.h"

bool CsvNeedsQuotes(std::u16string_view Text, char16_t Delimiter, char16_t Quote) {
  for (char16_t c : Text)
    if (c == Delimiter || c == Quote || c == u'\r' || c == u'\n') return true;
  return false;
}

void CsvAppendQuoted(WideString& Out, std::u16string_view Text, char16_t Quote) {
  Out += Quote;
  // The runs between quotes go in whole; each quote is written twice.
  std::size_t from = 0;
  for (std::size_t at = Text.find(Quote); at != std::u16string_view::npos; at = Text.find(Quote, from)) {
    Out.append(Text.substr(from, at + 1 - from));
    Out += Quote;
    from = at + 1;
  }
  Out.append(Text.substr(from));
  Out += Quote;
}
