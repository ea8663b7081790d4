// TxlsMergedCells: a range of cells shown as one (columns and rows counted from 1; all 0 when
// created). Written only when all four are above 0. TxlsMergedCellList: the ranges of a sheet.
#pragma once

#include <cstdint>

#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"

class TxlsMergedCells : public TxlsCustomItem {
  DECLARE_CLASS(TxlsMergedCells, TxlsCustomItem)

  explicit TxlsMergedCells(TCollection* Collection = nullptr) : TxlsCustomItem(Collection) {}

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 11; }
  bool IsValid() const { return firstCol_ > 0 && firstRow_ > 0 && lastCol_ > 0 && lastRow_ > 0; }

  std::uint16_t FirstCol() const { return firstCol_; }
  void SetFirstCol(std::uint16_t Value) { firstCol_ = Value; }
  std::uint16_t FirstRow() const { return firstRow_; }
  void SetFirstRow(std::uint16_t Value) { firstRow_ = Value; }
  std::uint16_t LastCol() const { return lastCol_; }
  void SetLastCol(std::uint16_t Value) { lastCol_ = Value; }
  std::uint16_t LastRow() const { return lastRow_; }
  void SetLastRow(std::uint16_t Value) { lastRow_ = Value; }

private:
  std::uint16_t firstCol_ = 0, firstRow_ = 0, lastCol_ = 0, lastRow_ = 0;
};

class TxlsMergedCellList : public TOwnedCollection {
  DECLARE_CLASS(TxlsMergedCellList, TOwnedCollection)

  explicit TxlsMergedCellList(TPersistent* AOwner);
  TxlsMergedCells* Add();
  TxlsMergedCells* Items(int Index) const;
};
