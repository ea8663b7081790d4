// What the database reader fuzz targets check of every table they manage to open: each record
// has one value per column, each value is Null or of the kind its column type promises, and a
// second pass after Rewind gives the same records.
#pragma once

#include <vector>

#include "DbTypes.h"
#include "FuzzCheck.h"

namespace fuzz {

inline bool ValueFitsColumn(const Variant& value, const TDbColumn& column) {
  const TVarType type = value.VarType();
  if (type == varNull) return true;
  switch (column.DataType) {
    case ftString:
    case ftMemo:
    case ftBlob:
    case ftBytes:
    case ftGuid: return type == varString;
    case ftWideString:
    case ftWideMemo: return type == varOleStr;
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftAutoInc: return type == varInteger;
    case ftLargeint: return type == varInt64;
    case ftFloat: return type == varDouble;
    case ftCurrency:
    case ftBCD: return type == varCurrency;
    case ftDate:
    case ftTime:
    case ftDateTime: return type == varDate;
    case ftBoolean: return type == varBoolean;
    default: return false;
  }
}

// Reads at most Limit records twice (the second time after Rewind) and checks them.
inline void CheckCursor(TDbCursor& cursor, std::size_t limit = 100000) {
  const std::vector<TDbColumn>& columns = cursor.Columns();
  FUZZ_CHECK(!columns.empty(), "a table has at least one column");
  std::vector<Variant> row;
  std::vector<Variant> first;
  std::size_t count = 0;
  while (count < limit && cursor.Next(row)) {
    FUZZ_CHECK(row.size() == columns.size(), "one value per column");
    for (std::size_t i = 0; i < row.size(); ++i) FUZZ_CHECK(ValueFitsColumn(row[i], columns[i]), "value of the column's type");
    if (count == 0) first = row;
    ++count;
  }
  cursor.Rewind();
  std::size_t again = 0;
  while (again < count && cursor.Next(row)) {
    if (again == 0) {
      for (std::size_t i = 0; i < row.size(); ++i)
        FUZZ_CHECK(row[i].VarType() == first[i].VarType() && (row[i].IsNull() || VarToWideStr(row[i]) == VarToWideStr(first[i])),
                   "the first record reads the same after Rewind");
    }
    ++again;
  }
  FUZZ_CHECK(again == count, "Rewind gives as many records");
}

}  // namespace fuzz
