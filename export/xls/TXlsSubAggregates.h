// TXlsSubAggregate: an aggregate written below one exported column (Column, its position among
// the exported columns) of a kind (Aggregate). TXlsSubAggregates: an owning list of them, in
// the order added.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "XlsTypes.h"

struct TXlsSubAggregate {
  std::uint16_t Column = 0;
  TxlsAggregate Aggregate = aggNone;
};

class TXlsSubAggregates {
public:
  TXlsSubAggregate* Add(std::uint16_t Column, TxlsAggregate Aggregate);
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError for an index out of range.
  TXlsSubAggregate* Items(int Index) const;
  // The aggregate of a column, nullptr when it has none (the last one added counts).
  const TXlsSubAggregate* Find(int Column) const;
  void Clear() { items_.clear(); }

private:
  std::vector<std::unique_ptr<TXlsSubAggregate>> items_;
};
