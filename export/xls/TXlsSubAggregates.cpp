#include "TXlsSubAggregates.h"

#include "Format.h"
#include "RTLConsts.h"
#include "Exception.h"

TXlsSubAggregate* TXlsSubAggregates::Add(std::uint16_t Column, TxlsAggregate Aggregate) {
  items_.push_back(std::make_unique<TXlsSubAggregate>(TXlsSubAggregate{Column, Aggregate}));
  return items_.back().get();
}

TXlsSubAggregate* TXlsSubAggregates::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {Index}));
  return items_[static_cast<std::size_t>(Index)].get();
}

const TXlsSubAggregate* TXlsSubAggregates::Find(int Column) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if ((*it)->Column == Column) return it->get();
  return nullptr;
}
