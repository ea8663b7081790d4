#include "TGridView_p.h"

#include <QHeaderView>
#include <QItemSelectionModel>

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !d_->ready ? 0 : d_->gridRows();
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !d_->ready ? 0 : d_->gridCols();
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !d_->ready) return {};
  switch (role) {
    case Qt::DisplayRole: return d_->cellText(index.column(), index.row());
    case Qt::BackgroundRole:
      if (d_->fixedCell(index.column(), index.row())) return d_->view()->palette().brush(QPalette::Button);
      return {};
    default: return {};
  }
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || !d_->ready) return Qt::NoItemFlags;
  if (d_->fixedCell(index.column(), index.row())) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

TGridViewPrivate::TGridViewPrivate() : TWinControlPrivate(new QTableView) {
  QTableView* v = view();
  model = new TGridModel(this, v);
  v->setModel(model);
  // Fixed rows and columns are cells of the grid, as titles are; the view has no headers.
  v->horizontalHeader()->hide();
  v->verticalHeader()->hide();
  v->horizontalHeader()->setMinimumSectionSize(0);
  v->verticalHeader()->setMinimumSectionSize(0);
  v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setWordWrap(false);
  QObject::connect(v->selectionModel(), &QItemSelectionModel::currentChanged, v,
                   [this](const QModelIndex& now, const QModelIndex&) {
                     if (syncing || !now.isValid() || ControlsTearingDown()) return;
                     currentCellChanged(now.column(), now.row());
                   });
}

TGridViewPrivate::~TGridViewPrivate() = default;

QWidget* TGridViewPrivate::inputWidget() const { return widget ? view()->viewport() : nullptr; }

void TGridViewPrivate::reset() {
  if (!widget) return;
  syncing = true;
  model->beginResetModel();
  model->endResetModel();
  syncing = false;
  applyColWidths();
  applyRowHeight();
}

void TGridViewPrivate::applyColWidths() {
  if (!widget) return;
  for (int c = 0; c < gridCols(); ++c) view()->setColumnWidth(c, colWidth(c));
}

void TGridViewPrivate::applyRowHeight() {
  if (!widget) return;
  view()->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void TGridViewPrivate::showCurrent(int col, int row) {
  if (!widget) return;
  syncing = true;
  QModelIndex index = model->index(row, col);
  if (index.isValid()) {
    view()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view()->scrollTo(index);
  } else {
    view()->selectionModel()->clear();
  }
  syncing = false;
}

bool TGridViewPrivate::cellAt(int x, int y, int& col, int& row) const {
  if (!widget) return false;
  QModelIndex index = view()->indexAt(QPoint(x, y));
  if (!index.isValid()) return false;
  col = index.column();
  row = index.row();
  return true;
}
