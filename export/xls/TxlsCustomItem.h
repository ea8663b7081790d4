// TxlsCustomItem: the base of every collection item of the Excel sheet model (formats, notes,
// hyperlinks, charts, pictures, cells ...). Data is a pointer free for the program's use
// (nullptr when created); ItemKind tells the kind of item:
//   0 TxlsFormat, 1 TxlsFieldFormat, 2 TxlsNoteFormat, 3 TxlsHyperlink, 4 TxlsNote, 5 TxlsChart,
//   6 TxlsChartSeries, 7 TxlsPicture and TxlsImage, 9 TxlsGraphic, 10 TxlsCell, 11 TxlsMergedCells.
#pragma once

#include "TCollectionItem.h"

class TxlsCustomItem : public TCollectionItem {
  DECLARE_CLASS(TxlsCustomItem, TCollectionItem)

  explicit TxlsCustomItem(TCollection* Collection) : TCollectionItem(Collection) {}

  virtual int ItemKind() const = 0;
  void* Data() const { return data_; }
  void SetData(void* Value) { data_ = Value; }

  // The object that owns the item's collection: a sheet, the exporter, or nullptr.
  TPersistent* CollectionOwner() const;
  // The sheet whose collection holds the item (a sheet is itself an item of the exporter's
  // Sheets), nullptr when the collection belongs to the exporter or to nothing.
  TCollectionItem* Sheet() const;
  // The exporter the item belongs to, directly or through its sheet; nullptr without one.
  TPersistent* Exporter() const;

private:
  void* data_ = nullptr;
};
