// Internal to the workbook reader: the forward cursor over one sheet.
#pragma once

#include <algorithm>
#include <memory>

#include "Biff8Workbook_p.h"
#include "DbTypes.h"
#include "TextValue_p.h"

class TXlsCursor : public TDbCursor {
public:
  TXlsCursor(std::shared_ptr<const TBiff8Workbook> Workbook, std::size_t Sheet);

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  bool Next(std::vector<Variant>& Row) override;
  void Rewind() override;
  long long RecordCountHint() const override { return std::max(0, lastRow_ - firstRow_); }

private:
  TTextKind kind(const TXlsCell& Cell) const;
  const WideString& string(const TXlsCell& Cell) const;
  WideString text(const TXlsCell& Cell) const;
  Variant value(const TXlsCell& Cell, TFieldType Type) const;

  std::shared_ptr<const TBiff8Workbook> workbook_;
  std::vector<TXlsCell> cells_;
  std::vector<WideString> strings_;
  std::vector<TDbColumn> columns_;
  int firstRow_ = 0;  // the header row
  int lastRow_ = -1;
  int firstCol_ = 0;
  int row_ = 0;            // the next row Next gives
  std::size_t cellAt_ = 0; // the first cell of that row or later
};
