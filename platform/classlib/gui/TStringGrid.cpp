#include "TStringGrid.h"

#include <algorithm>
#include <vector>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TGridView_p.h"

DEFINE_CLASS(TStringGrid, TWinControl, ControlProps::Align(),
             Published::Integer("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount), ControlProps::Color(),
             Published::Integer("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth),
             Published::Integer("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight),
             ControlProps::Enabled(),
             Published::Integer("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols),
             Published::Integer("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows),
             ControlProps::Font(), ControlProps::Hint(), ControlProps::ParentColor(), ControlProps::ParentFont(),
             ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             Published::Integer("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(),
             ControlProps::OnKeyDown(), ControlProps::OnKeyPress(), ControlProps::OnKeyUp(),
             ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

namespace {

constexpr const char* SGridIndexError = "Grid index out of range";
constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";
constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";

}  // namespace

class TStringGridPrivate : public TGridViewPrivate {
public:
  int gridRows() const override { return rowCount; }
  int gridCols() const override { return colCount; }
  QString cellText(int col, int row) const override { return ToQString(cells[index(col, row)]); }
  bool fixedCell(int col, int row) const override { return col < fixedCols || row < fixedRows; }
  int colWidth(int col) const override { return colWidths[static_cast<std::size_t>(col)]; }
  void currentCellChanged(int col, int row) override {
    if (fixedCell(col, row)) {
      showCurrent(this->col, this->row);
      return;
    }
    this->col = col;
    this->row = row;
  }

  std::size_t index(int col, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount) + static_cast<std::size_t>(col);
  }
  bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < colCount && row < rowCount; }

  int colCount = 0;
  int rowCount = 0;
  int fixedCols = 1;
  int fixedRows = 1;
  int col = 1;
  int row = 1;
  int defaultColWidth = 64;
  std::vector<AnsiString> cells;  // row after row
  std::vector<int> colWidths;
};

namespace {
TStringGridPrivate* dOf(const TStringGrid* g) { return static_cast<TStringGridPrivate*>(g->ControlPrivate()); }
}  // namespace

TStringGrid::TStringGrid(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TStringGridPrivate>()) {
  TStringGridPrivate* d = dOf(this);
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->view()->viewport());
  d->clickOnMouseUp = true;
  d->ready = true;
  resize(5, 5);
  SetBounds(0, 0, 320, 120);
}

void TStringGrid::resize(int Cols, int Rows) {
  TStringGridPrivate* d = dOf(this);
  std::vector<AnsiString> cells(static_cast<std::size_t>(Cols) * static_cast<std::size_t>(Rows));
  for (int r = 0; r < std::min(Rows, d->rowCount); ++r)
    for (int c = 0; c < std::min(Cols, d->colCount); ++c)
      cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(Cols) + static_cast<std::size_t>(c)] =
          std::move(d->cells[d->index(c, r)]);
  d->cells = std::move(cells);
  d->colWidths.resize(static_cast<std::size_t>(Cols), d->defaultColWidth);
  d->colCount = Cols;
  d->rowCount = Rows;
  d->fixedCols = std::min(d->fixedCols, Cols - 1);
  d->fixedRows = std::min(d->fixedRows, Rows - 1);
  d->col = std::clamp(d->col, d->fixedCols, Cols - 1);
  d->row = std::clamp(d->row, d->fixedRows, Rows - 1);
  d->reset();
  d->showCurrent(d->col, d->row);
}

int TStringGrid::ColCount() const { return dOf(this)->colCount; }
void TStringGrid::SetColCount(int Value) {
  // A grid keeps at least one column and one row that are not fixed.
  resize(std::max(Value, 1), RowCount());
}
int TStringGrid::RowCount() const { return dOf(this)->rowCount; }
void TStringGrid::SetRowCount(int Value) { resize(ColCount(), std::max(Value, 1)); }

int TStringGrid::FixedCols() const { return dOf(this)->fixedCols; }
void TStringGrid::SetFixedCols(int Value) {
  TStringGridPrivate* d = dOf(this);
  if (Value < 0 || Value >= d->colCount) throw EInvalidGridOperation(SFixedColTooBig);
  d->fixedCols = Value;
  d->col = std::max(d->col, Value);
  d->reset();
  d->showCurrent(d->col, d->row);
}
int TStringGrid::FixedRows() const { return dOf(this)->fixedRows; }
void TStringGrid::SetFixedRows(int Value) {
  TStringGridPrivate* d = dOf(this);
  if (Value < 0 || Value >= d->rowCount) throw EInvalidGridOperation(SFixedRowTooBig);
  d->fixedRows = Value;
  d->row = std::max(d->row, Value);
  d->reset();
  d->showCurrent(d->col, d->row);
}

AnsiString TStringGrid::Cells(int ACol, int ARow) const {
  const TStringGridPrivate* d = dOf(this);
  return d->inside(ACol, ARow) ? d->cells[d->index(ACol, ARow)] : AnsiString();
}
void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value) {
  TStringGridPrivate* d = dOf(this);
  if (!d->inside(ACol, ARow)) throw EInvalidGridOperation(SGridIndexError);
  d->cells[d->index(ACol, ARow)] = Value;
  QModelIndex index = d->model->index(ARow, ACol);
  emit d->model->dataChanged(index, index);
}

int TStringGrid::Col() const { return dOf(this)->col; }
void TStringGrid::SetCol(int Value) {
  TStringGridPrivate* d = dOf(this);
  if (Value < d->fixedCols || Value >= d->colCount) throw EInvalidGridOperation(SGridIndexError);
  d->col = Value;
  d->showCurrent(d->col, d->row);
}
int TStringGrid::Row() const { return dOf(this)->row; }
void TStringGrid::SetRow(int Value) {
  TStringGridPrivate* d = dOf(this);
  if (Value < d->fixedRows || Value >= d->rowCount) throw EInvalidGridOperation(SGridIndexError);
  d->row = Value;
  d->showCurrent(d->col, d->row);
}

int TStringGrid::ColWidths(int Index) const {
  const TStringGridPrivate* d = dOf(this);
  if (Index < 0 || Index >= d->colCount) throw EInvalidGridOperation(SGridIndexError);
  return d->colWidths[static_cast<std::size_t>(Index)];
}
void TStringGrid::SetColWidths(int Index, int Value) {
  TStringGridPrivate* d = dOf(this);
  if (Index < 0 || Index >= d->colCount) throw EInvalidGridOperation(SGridIndexError);
  d->colWidths[static_cast<std::size_t>(Index)] = std::max(Value, 0);
  d->applyColWidths();
}
int TStringGrid::DefaultColWidth() const { return dOf(this)->defaultColWidth; }
void TStringGrid::SetDefaultColWidth(int Value) {
  TStringGridPrivate* d = dOf(this);
  d->defaultColWidth = std::max(Value, 0);
  std::fill(d->colWidths.begin(), d->colWidths.end(), d->defaultColWidth);
  d->applyColWidths();
}
int TStringGrid::DefaultRowHeight() const { return dOf(this)->rowHeight; }
void TStringGrid::SetDefaultRowHeight(int Value) {
  TStringGridPrivate* d = dOf(this);
  d->rowHeight = std::max(Value, 0);
  d->applyRowHeight();
}
