#include "XlsCursor_p.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "CodePage.h"
#include "DateTimeText.h"
#include "DbColumns_p.h"
#include "FloatText.h"
#include "StringRoutines.h"

TXlsCursor::TXlsCursor(std::shared_ptr<const TBiff8Workbook> Workbook, std::size_t Sheet)
    : workbook_(std::move(Workbook)) {
  workbook_->ReadSheet(Sheet, cells_, strings_);
  if (cells_.empty()) {
    // An empty sheet is a table of one nameless column and no rows.
    TDbColumn column;
    column.DataType = ftWideString;
    column.Size = 1;
    AddNamedColumn(columns_, column);
    Rewind();
    return;
  }
  firstRow_ = cells_.front().Row;
  lastRow_ = cells_.back().Row;
  const auto [low, high] = std::minmax_element(cells_.begin(), cells_.end(),
                                               [](const TXlsCell& a, const TXlsCell& b) { return a.Col < b.Col; });
  firstCol_ = low->Col;
  const std::size_t count = std::size_t(high->Col - low->Col + 1);

  std::vector<WideString> names(count);
  std::vector<TTextKind> kinds(count, TTextKind::Empty);
  std::vector<std::size_t> longest(count, 0);
  for (const TXlsCell& cell : cells_) {
    const std::size_t i = cell.Col - firstCol_;
    if (cell.Row == firstRow_) {
      names[i] = Trim(text(cell));
      continue;
    }
    kinds[i] = MergeTextKinds(kinds[i], kind(cell));
    if (cell.Kind == TXlsCellKind::SharedString || cell.Kind == TXlsCellKind::OwnString)
      longest[i] = std::max(longest[i], string(cell).size());
  }
  for (std::size_t i = 0; i < count; ++i) {
    TDbColumn column;
    column.Name = WideToAnsi(names[i]);
    column.DataType = TextKindFieldType(kinds[i], true, longest[i]);
    if (column.DataType == ftWideString) column.Size = int(std::max<std::size_t>(1, longest[i]));
    AddNamedColumn(columns_, std::move(column));
  }
  Rewind();
}

void TXlsCursor::Rewind() {
  row_ = firstRow_ + 1;
  cellAt_ = 0;
}

bool TXlsCursor::Next(std::vector<Variant>& Row) {
  if (row_ > lastRow_) return false;
  Row.assign(columns_.size(), Null());
  while (cellAt_ < cells_.size() && cells_[cellAt_].Row < row_) ++cellAt_;
  for (; cellAt_ < cells_.size() && cells_[cellAt_].Row == row_; ++cellAt_) {
    const TXlsCell& cell = cells_[cellAt_];
    const std::size_t i = cell.Col - firstCol_;
    Row[i] = value(cell, columns_[i].DataType);
  }
  ++row_;
  return true;
}

const WideString& TXlsCursor::string(const TXlsCell& Cell) const {
  return Cell.Kind == TXlsCellKind::SharedString ? workbook_->SharedString(Cell.String) : strings_[Cell.String];
}

TTextKind TXlsCursor::kind(const TXlsCell& Cell) const {
  switch (Cell.Kind) {
    case TXlsCellKind::Number:
      switch (workbook_->DateKind(Cell.Xf)) {
        // A date format over a value with a time of day still keeps the time.
        case TXlsDateKind::Date:
          return Cell.Number == std::trunc(Cell.Number) ? TTextKind::Date : TTextKind::DateTime;
        case TXlsDateKind::Time: return TTextKind::Time;
        case TXlsDateKind::DateTime: return TTextKind::DateTime;
        default:
          return Cell.Number == std::trunc(Cell.Number) && Cell.Number >= INT_MIN && Cell.Number <= INT_MAX
                     ? TTextKind::Integer
                     : TTextKind::Float;
      }
    case TXlsCellKind::SharedString:
    case TXlsCellKind::OwnString: return string(Cell).empty() ? TTextKind::Empty : TTextKind::Text;
    case TXlsCellKind::Boolean: return TTextKind::Boolean;
    default: return TTextKind::Empty;
  }
}

// A cell's value as text, for column names and for text columns that also hold numbers.
WideString TXlsCursor::text(const TXlsCell& Cell) const {
  switch (Cell.Kind) {
    case TXlsCellKind::Number: {
      const TDateTime moment = workbook_->ToDateTime(Cell.Number);
      switch (workbook_->DateKind(Cell.Xf)) {
        case TXlsDateKind::Date: return AnsiToWide(DateToStr(moment));
        case TXlsDateKind::Time: return AnsiToWide(TimeToStr(moment));
        case TXlsDateKind::DateTime: return AnsiToWide(DateTimeToStr(moment));
        default: return AnsiToWide(FloatToStr(Cell.Number));
      }
    }
    case TXlsCellKind::SharedString:
    case TXlsCellKind::OwnString: return string(Cell);
    case TXlsCellKind::Boolean: return Cell.Flag ? u"TRUE" : u"FALSE";
    default: return {};
  }
}

Variant TXlsCursor::value(const TXlsCell& Cell, TFieldType Type) const {
  if (kind(Cell) == TTextKind::Empty) return Null();
  switch (Type) {
    case ftInteger: return Variant(static_cast<int>(Cell.Number));
    case ftFloat: return Variant(Cell.Number);
    case ftDate:
    case ftTime:
    case ftDateTime: return Variant::FromDateTime(workbook_->ToDateTime(Cell.Number));
    case ftBoolean: return Variant(Cell.Flag);
    default: return Variant(text(Cell));
  }
}
