#include "DbColumns_p.h"

#include <algorithm>

#include "StringRoutines.h"

void AddNamedColumn(std::vector<TDbColumn>& Columns, TDbColumn Column) {
  const bool taken = std::any_of(Columns.begin(), Columns.end(),
                                 [&](const TDbColumn& c) { return SameText(c.Name, Column.Name); });
  if (Column.Name.empty() || taken) Column.Name = "F" + std::to_string(Columns.size() + 1);
  Columns.push_back(std::move(Column));
}
