#include "TxlsColumnList.h"

#include <algorithm>

#include "LocaleText.h"

void TxlsColumnList::Use(const AnsiString& Name, int Row, int Col) {
  // Every cell of a row passes here: try the name as given before the locale's comparison.
  auto found = std::find_if(items_.begin(), items_.end(), [&](const TxlsColumn& c) { return c.Name == Name; });
  if (found == items_.end())
    found = std::find_if(items_.begin(), items_.end(), [&](const TxlsColumn& c) { return AnsiSameText(c.Name, Name); });
  if (found == items_.end()) {
    items_.push_back({Name});
    found = items_.end() - 1;
  }
  TxlsColumn& c = *found;
  c.FirstRow = c.FirstRow < 0 ? Row : std::min(c.FirstRow, Row);
  c.LastRow = std::max(c.LastRow, Row);
  c.FirstCol = c.FirstCol < 0 ? Col : std::min(c.FirstCol, Col);
  c.LastCol = std::max(c.LastCol, Col);
}

const TxlsColumn* TxlsColumnList::Find(const AnsiString& Name) const {
  for (const TxlsColumn& c : items_)
    if (AnsiSameText(c.Name, Name)) return &c;
  return nullptr;
}
