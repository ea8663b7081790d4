// TxlsColumnList: where each exported column of a sheet went: for a column name (compared
// ignoring case) the smallest and largest row and column it occupies, 0-based, -1 until used.
// Charts read these back counted from 1 for their ranges by column.
#pragma once

#include <vector>

#include "System.h"

struct TxlsColumn {
  AnsiString Name;
  int FirstRow = -1, LastRow = -1, FirstCol = -1, LastCol = -1;
};

class TxlsColumnList {
public:
  // Widens the entry of the name (made when new) by a cell at Row and Col.
  void Use(const AnsiString& Name, int Row, int Col);
  // The entry of the name, nullptr when unknown.
  const TxlsColumn* Find(const AnsiString& Name) const;
  int Count() const { return static_cast<int>(items_.size()); }
  void Clear() { items_.clear(); }

private:
  std::vector<TxlsColumn> items_;
};
