// TDBGrid: shows the records of a data set, one row each under a title row, in the columns
// of Columns (by default one per visible field, see TDBGridColumns).
//
// The grid follows its DataSource: it reads the data set's records again when the data set
// opens, closes or reports a change (not while its controls are disabled: once, when they are
// enabled again), and shows the current record as the current row. A click on a row makes
// that record current. Cells show the fields' DisplayText.
//
// Published: Align, Color, Columns, DataSource, Enabled, Font, Hint, ParentColor, ParentFont,
// ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible, and the events OnClick,
// OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseUp.
#pragma once

#include "TWinControl.h"

class TDataSource;
class TDBGridColumns;

class TDBGrid : public TWinControl {
  DECLARE_CLASS(TDBGrid, TWinControl)

  explicit TDBGrid(TComponent* AOwner);
  ~TDBGrid() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  TDBGridColumns* Columns() const;
  void SetColumns(TDBGridColumns* Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void FontChanged() override;

private:
  friend class TDBGridColumns;
  friend class TColumn;
  // Columns or their widths or titles changed.
  void layoutChanged();
};
