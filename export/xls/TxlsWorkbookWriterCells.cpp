// The cell records: LABELSST, NUMBER, BOOLERR, BLANK and the aggregate FORMULA.
#include <cmath>

#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "Format.h"
#include "TxlsWorkbookWriter.h"

namespace {

constexpr std::uint16_t kRecalculateOnLoad = 0x0002;
constexpr std::uint8_t tArea = 0x25;
constexpr std::uint8_t tFuncVar = 0x42;
constexpr std::uint8_t kRelativeRowAndColumn = 0xC0;

std::uint16_t functionNumber(TxlsAggregate aggregate) {
  switch (aggregate) {
    case aggAvg: return 5;  // AVERAGE
    case aggMin: return 6;  // MIN
    case aggMax: return 7;  // MAX
    default: return 4;      // SUM
  }
}

}  // namespace

void TxlsWorkbookWriter::checkCell(int Row, int Col) const {
  if (Col < 0 || Col >= biff8::MaxColumns) throw ExlsFileError(Format(xlsmsg::ColumnOutOfRange, {Col}));
  if (Row < 0 || Row >= biff8::MaxRows) throw ExlsFileError(Format(xlsmsg::RowOutOfRange, {Row}));
}

void TxlsWorkbookWriter::cellHeader(int Row, int Col, std::uint16_t XF) {
  checkCell(Row, Col);
  if (current_ != nullptr) current_->RecordCell(Row, Col);
  record_.Clear();
  record_.U16(static_cast<std::uint16_t>(Row)).U16(static_cast<std::uint16_t>(Col)).U16(XF);
}

void TxlsWorkbookWriter::WriteLabelSST(int Row, int Col, std::u16string_view Text, std::uint16_t XF) {
  checkCell(Row, Col);
  const std::uint32_t index = sst_.AddString(Text);
  cellHeader(Row, Col, XF);
  record_.U32(index);
  WriteRecord(biff8::LABELSST);
}

void TxlsWorkbookWriter::WriteNumber(int Row, int Col, double Value, std::uint16_t XF) {
  // NaN and the infinities have no place in a cell: they are the error #NUM!.
  if (!std::isfinite(Value)) return WriteError(Row, Col, xlsErrorNum, XF);
  cellHeader(Row, Col, XF);
  record_.F64(Value);
  WriteRecord(biff8::NUMBER);
}

void TxlsWorkbookWriter::WriteBoolErr(int Row, int Col, bool Value, std::uint16_t XF) {
  cellHeader(Row, Col, XF);
  record_.U8(Value ? 1 : 0).U8(0);
  WriteRecord(biff8::BOOLERR);
}

void TxlsWorkbookWriter::WriteError(int Row, int Col, std::uint8_t Code, std::uint16_t XF) {
  cellHeader(Row, Col, XF);
  record_.U8(Code).U8(1);
  WriteRecord(biff8::BOOLERR);
}

void TxlsWorkbookWriter::WriteBlank(int Row, int Col, std::uint16_t XF) {
  cellHeader(Row, Col, XF);
  WriteRecord(biff8::BLANK);
}

void TxlsWorkbookWriter::WriteAggregateFormula(int Row, int Col, std::uint16_t XF, TxlsAggregate Aggregate,
                                               int FirstRow, int LastRow) {
  checkCell(FirstRow, Col);
  checkCell(LastRow, Col);
  cellHeader(Row, Col, XF);
  record_.Zeros(8);  // cached result, computed by the reader
  record_.U16(kRecalculateOnLoad).U32(0);
  record_.U16(13);  // formula length
  record_.U8(tArea).U16(static_cast<std::uint16_t>(FirstRow)).U16(static_cast<std::uint16_t>(LastRow));
  record_.U8(static_cast<std::uint8_t>(Col)).U8(kRelativeRowAndColumn);
  record_.U8(static_cast<std::uint8_t>(Col)).U8(kRelativeRowAndColumn);
  record_.U8(tFuncVar).U8(1).U16(functionNumber(Aggregate));
  WriteRecord(biff8::FORMULA);
}
