#include "TxlsBoundSheet.h"

#include <algorithm>

void TxlsBoundSheet::RecordCell(int Row, int Col) {
  FirstRow = FirstRow < 0 ? Row : std::min(FirstRow, Row);
  LastRow = std::max(LastRow, Row);
  FirstCol = FirstCol < 0 ? Col : std::min(FirstCol, Col);
  LastCol = std::max(LastCol, Col);
}

TxlsBoundSheet* TxlsBoundSheetList::Add(int SheetIndex, const WideString& Title) {
  items_.push_back(std::make_unique<TxlsBoundSheet>(SheetIndex, Title));
  return items_.back().get();
}

TxlsBoundSheet* TxlsBoundSheetList::Find(int SheetIndex) const {
  for (const auto& item : items_)
    if (item->SheetIndex() == SheetIndex) return item.get();
  return nullptr;
}

void TxlsBoundSheetList::RecordCell(int SheetIndex, int Row, int Col) {
  if (TxlsBoundSheet* sheet = Find(SheetIndex)) sheet->RecordCell(Row, Col);
}
