#include "CsvText.h"

bool CsvNeedsQuotes(std::u16string_view Text, char16_t Delimiter, char16_t Quote) {
  for (char16_t c : Text)
    if (c == Delimiter || c == Quote || c == u'\r' || c == u'\n') return true;
  return false;
}

void CsvAppendQuoted(WideString& Out, std::u16string_view Text, char16_t Quote) {
  Out += Quote;
  for (char16_t c : Text) {
    if (c == Quote) Out += Quote;
    Out += c;
  }
  Out += Quote;
}
