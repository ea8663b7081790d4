// The cell records: LABELSST, NUMBER, BOOLERR, BLANK and the aggregate FORMULA.
#include <bit>
#include <cmath>

#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "Format.h"
#include "TStream.h"
#include "TxlsWorkbookWriter.h"

namespace {

constexpr std::uint16_t kRecalculateOnLoad = 0x0002;
constexpr std::uint8_t tArea = 0x25;
constexpr std::uint8_t tFuncVar = 0x42;
constexpr std::uint8_t kRelativeRowAndColumn = 0xC0;

// Little-endian fields of a cell record.
void put16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::uint8_t* at, std::uint32_t value) {
  put16(at, static_cast<std::uint16_t>(value));
  put16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

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

std::uint8_t* TxlsWorkbookWriter::cellRecord(std::uint16_t Id, int Row, int Col, std::uint16_t XF, std::size_t Size) {
  checkCell(Row, Col);
  if (current_ != nullptr) current_->RecordCell(Row, Col);
  std::uint8_t* at = cells_.get() + cellsUsed_;
  cellsUsed_ += 4 + 6 + Size;
  put16(at, Id);
  put16(at + 2, static_cast<std::uint16_t>(6 + Size));
  put16(at + 4, static_cast<std::uint16_t>(Row));
  put16(at + 6, static_cast<std::uint16_t>(Col));
  put16(at + 8, XF);
  return at + 10;
}

void TxlsWorkbookWriter::cellWritten() {
  if (!gatherCells_ || cellsUsed_ >= kCellBlock) flushCells();
}

void TxlsWorkbookWriter::flushCells() {
  if (cellsUsed_ == 0) return;
  const auto size = static_cast<std::int64_t>(cellsUsed_);
  cellsUsed_ = 0;
  if (stream_.Write(cells_.get(), size) != size) throw ExlsFileError(xlsmsg::WriteError);
}

void TxlsWorkbookWriter::WriteLabelSST(int Row, int Col, std::u16string_view Text, std::uint16_t XF) {
  checkCell(Row, Col);
  const std::uint32_t index = sst_.AddString(Text);
  put32(cellRecord(biff8::LABELSST, Row, Col, XF, 4), index);
  cellWritten();
}

void TxlsWorkbookWriter::WriteNumber(int Row, int Col, double Value, std::uint16_t XF) {
  // NaN and the infinities have no place in a cell: they are the error #NUM!.
  if (!std::isfinite(Value)) return WriteError(Row, Col, xlsErrorNum, XF);
  const auto bits = std::bit_cast<std::uint64_t>(Value);
  std::uint8_t* data = cellRecord(biff8::NUMBER, Row, Col, XF, 8);
  put32(data, static_cast<std::uint32_t>(bits));
  put32(data + 4, static_cast<std::uint32_t>(bits >> 32));
  cellWritten();
}

void TxlsWorkbookWriter::WriteBoolErr(int Row, int Col, bool Value, std::uint16_t XF) {
  std::uint8_t* data = cellRecord(biff8::BOOLERR, Row, Col, XF, 2);
  data[0] = Value ? 1 : 0;
  data[1] = 0;  // a boolean
  cellWritten();
}

void TxlsWorkbookWriter::WriteError(int Row, int Col, std::uint8_t Code, std::uint16_t XF) {
  std::uint8_t* data = cellRecord(biff8::BOOLERR, Row, Col, XF, 2);
  data[0] = Code;
  data[1] = 1;  // an error
  cellWritten();
}

void TxlsWorkbookWriter::WriteBlank(int Row, int Col, std::uint16_t XF) {
  cellRecord(biff8::BLANK, Row, Col, XF, 0);
  cellWritten();
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
