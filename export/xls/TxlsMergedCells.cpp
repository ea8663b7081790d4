#include "TxlsMergedCells.h"

#include "Format.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsMergedCells, TxlsCustomItem,
             Published::Integer("FirstCol", &TxlsMergedCells::FirstCol, &TxlsMergedCells::SetFirstCol),
             Published::Integer("FirstRow", &TxlsMergedCells::FirstRow, &TxlsMergedCells::SetFirstRow),
             Published::Integer("LastCol", &TxlsMergedCells::LastCol, &TxlsMergedCells::SetLastCol),
             Published::Integer("LastRow", &TxlsMergedCells::LastRow, &TxlsMergedCells::SetLastRow))

DEFINE_CLASS(TxlsMergedCellList, TOwnedCollection)

void TxlsMergedCells::Assign(TPersistent* Source) {
  if (auto* range = dynamic_cast<TxlsMergedCells*>(Source)) {
    firstCol_ = range->firstCol_;
    firstRow_ = range->firstRow_;
    lastCol_ = range->lastCol_;
    lastRow_ = range->lastRow_;
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsMergedCells::DisplayName() const {
  return Format("Merged Cells (%d, %d, %d, %d)", {int{firstCol_}, int{firstRow_}, int{lastCol_}, int{lastRow_}});
}

TxlsMergedCellList::TxlsMergedCellList(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TxlsMergedCells>()) {}

TxlsMergedCells* TxlsMergedCellList::Add() { return static_cast<TxlsMergedCells*>(TCollection::Add()); }

TxlsMergedCells* TxlsMergedCellList::Items(int Index) const {
  return static_cast<TxlsMergedCells*>(TCollection::Items(Index));
}
