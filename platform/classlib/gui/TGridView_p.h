// Private to the GUI layer; may change without notice.
//
// The table view behind the grids (TStringGrid, TDBGrid): a Qt table view without headers of
// its own over a model that asks the grid for its size, its cell texts and which cells are
// fixed (shown in the button face colour, as titles, and not selectable). The grid tells the
// view of every change: its size or texts (reset), its column widths or row height.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "TWinControl_p.h"

class TGridViewPrivate;

class TGridModel : public QAbstractTableModel {
public:
  TGridModel(TGridViewPrivate* d, QObject* parent) : QAbstractTableModel(parent), d_(d) {}

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endResetModel;

private:
  TGridViewPrivate* d_;
};

class TGridViewPrivate : public TWinControlPrivate {
public:
  TGridViewPrivate();
  ~TGridViewPrivate() override;

  QTableView* view() const { return static_cast<QTableView*>(widget.data()); }
  QWidget* inputWidget() const override;
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  // What the grid shows.
  virtual int gridRows() const = 0;
  virtual int gridCols() const = 0;
  virtual QString cellText(int col, int row) const = 0;
  virtual bool fixedCell(int col, int row) const = 0;
  virtual int colWidth(int col) const = 0;
  // The user (or the program through the view) made another cell current.
  virtual void currentCellChanged(int col, int row) = 0;

  // The size or the texts changed: the view asks for everything again and shows Current.
  void reset();
  void applyColWidths();
  void applyRowHeight();
  // Makes the cell current in the view without telling the grid.
  void showCurrent(int col, int row);
  // The cell the user sees at a point of the view's viewport; false when there is none.
  bool cellAt(int x, int y, int& col, int& row) const;

  TGridModel* model = nullptr;  // a child of the view
  // Set by the grid once its own state exists; until then the view sees an empty grid.
  bool ready = false;
  int rowHeight = 24;
  bool syncing = false;  // the view's current cell is being set by the grid
};
