// TxlsBoundSheet: one sheet as written into the workbook stream: its index and title, where its
// BOF, DIMENSIONS and BOUNDSHEET records are, and the range of cells written to it (first row,
// last row, first column, last column, 0-based, each -1 until a cell is recorded).
//
// TxlsBoundSheetList: the sheets in the order written. RecordCell widens the used range of the
// entry of that sheet index; an index without an entry is ignored.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "System.h"

class TxlsBoundSheet {
public:
  TxlsBoundSheet(int SheetIndex, const WideString& Title) : sheetIndex_(SheetIndex), title_(Title) {}

  int SheetIndex() const { return sheetIndex_; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }

  std::int64_t BOFPosition = 0;
  std::int64_t DimensionsPosition = 0;
  std::int64_t BoundSheetPosition = 0;
  std::int32_t FirstRow = -1, LastRow = -1, FirstCol = -1, LastCol = -1;

  bool HasCells() const { return FirstRow >= 0 && LastRow >= 0 && FirstCol >= 0 && LastCol >= 0; }
  void RecordCell(int Row, int Col);

private:
  int sheetIndex_;
  WideString title_;
};

class TxlsBoundSheetList {
public:
  TxlsBoundSheet* Add(int SheetIndex, const WideString& Title);
  int Count() const { return static_cast<int>(items_.size()); }
  TxlsBoundSheet* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  // The entry of a sheet index, nullptr when none.
  TxlsBoundSheet* Find(int SheetIndex) const;
  void RecordCell(int SheetIndex, int Row, int Col);

private:
  std::vector<std::unique_ptr<TxlsBoundSheet>> items_;
};
