// TStringGrid: a table of text cells, ColCount columns by RowCount rows (5 by 5 by default), of
// which the first FixedCols columns and FixedRows rows (1 each by default) are fixed: shown as
// titles, not selectable, not scrolled away.
//
// Cells(ACol, ARow) is the text of a cell ("" for a cell outside the grid). Row and Col are the
// current cell, among the cells that are not fixed (FixedRows and FixedCols after creation);
// the user's click or arrow keys move it. ColWidths(i) is the width of column i in pixels
// (DefaultColWidth, 64, until set; setting DefaultColWidth sets every column's width);
// DefaultRowHeight (24) is the height of every row. Growing the grid gives new empty cells;
// shrinking it drops the cells outside; a current cell outside moves to the last one inside.
//
// Errors: EInvalidGridOperation "Grid index out of range" for writing a cell, or making a cell
// current, outside the grid (or a fixed one current); "Fixed row count must be less than row
// count" (and the column counterpart) for fixed counts that leave no normal row or column.
//
// Published: Align, ColCount, Color, DefaultColWidth, DefaultRowHeight, Enabled, FixedCols,
// FixedRows, Font, Hint, ParentColor, ParentFont, ParentShowHint, PopupMenu, RowCount,
// ShowHint, TabOrder, TabStop, Visible, and the events OnClick, OnDblClick, OnEnter, OnExit,
// OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

class TStringGrid : public TWinControl {
  DECLARE_CLASS(TStringGrid, TWinControl)

  explicit TStringGrid(TComponent* AOwner);

  int ColCount() const;
  void SetColCount(int Value);
  int RowCount() const;
  void SetRowCount(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  int FixedRows() const;
  void SetFixedRows(int Value);

  AnsiString Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const AnsiString& Value);

  int Col() const;
  void SetCol(int Value);
  int Row() const;
  void SetRow(int Value);

  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int DefaultColWidth() const;
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const;
  void SetDefaultRowHeight(int Value);

private:
  void resize(int Cols, int Rows);
};

// Raised for a grid operation outside the grid's cells.
class EInvalidGridOperation : public Exception {
public:
  using Exception::Exception;
};
