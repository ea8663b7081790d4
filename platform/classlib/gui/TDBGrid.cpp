#include "TDBGrid.h"

#include <vector>

#include "QtConvert_p.h"
#include "TColumn.h"
#include "TControlProps_p.h"
#include "TDBGridColumns.h"
#include "TDataLink.h"
#include "TDataSource.h"
#include "TGridView_p.h"

DEFINE_CLASS(TDBGrid, TWinControl, ControlProps::Align(), ControlProps::Color(),
             Published::Class("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns),
             Published::Class("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(), ControlProps::ParentColor(), ControlProps::ParentFont(),
             ControlProps::ParentShowHint(), ControlProps::PopupMenu(), ControlProps::ShowHint(),
             ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(), ControlProps::OnClick(),
             ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(),
             ControlProps::OnKeyPress(), ControlProps::OnKeyUp(), ControlProps::OnMouseDown(),
             ControlProps::OnMouseUp())

class TDBGridPrivate;

namespace {

// Tells the grid of its data set's changes.
class TGridDataLink : public TDataLink {
public:
  explicit TGridDataLink(TDBGridPrivate* d) : d_(d) {}

protected:
  void DataEvent(TDataEvent Event) override;

private:
  TDBGridPrivate* d_;
};

}  // namespace

// Row 0 shows the column titles; row r > 0 shows record r as read at the last refresh.
class TDBGridPrivate : public TGridViewPrivate {
public:
  TDBGridPrivate() : link(this) {}

  int gridRows() const override { return 1 + static_cast<int>(texts.size()); }
  int gridCols() const override { return columns->Count(); }
  QString cellText(int col, int row) const override {
    if (row == 0) return ToQString(columns->Items(col)->Title()->Caption());
    const auto& line = texts[static_cast<std::size_t>(row - 1)];
    return static_cast<std::size_t>(col) < line.size() ? ToQString(line[static_cast<std::size_t>(col)]) : QString();
  }
  bool fixedCell(int, int row) const override { return row == 0; }
  int colWidth(int col) const override { return columns->Items(col)->Width(); }
  void currentCellChanged(int col, int row) override;

  // Reads the records again and shows them.
  void refresh();
  // Shows the data set's current record as the current row.
  void followRecord();
  TDataSet* dataSet() const { return link.DataSet(); }

  TDBGrid* grid = nullptr;
  std::unique_ptr<TDBGridColumns> columns;
  TGridDataLink link;
  std::vector<std::vector<AnsiString>> texts;  // per record, per column
  std::vector<TBookmark> bookmarks;           // per record
  int currentCol = 0;
  // The grid is walking its data set: the notices that walk causes are its own.
  bool refreshing = false;
};

void TGridDataLink::DataEvent(TDataEvent Event) {
  switch (Event) {
    case deDataSetScroll: d_->followRecord(); break;
    case deDataSetChange: d_->refresh(); break;
    // Opening sends a change of its own; closing sends only this.
    case deUpdateState:
      if (!Active()) d_->refresh();
      break;
  }
}

void TDBGridPrivate::refresh() {
  if (refreshing || grid == nullptr || ControlsTearingDown()) return;
  refreshing = true;
  texts.clear();
  bookmarks.clear();
  TDataSet* ds = dataSet();
  try {
    columns->rebuildDefault();
    if (ds != nullptr && ds->Active()) {
      std::vector<TField*> fields;
      for (int c = 0; c < columns->Count(); ++c) fields.push_back(columns->Items(c)->Field());
      TBookmark current = ds->GetBookmark();
      ds->DisableControls();
      try {
        for (ds->First(); !ds->Eof(); ds->Next()) {
          std::vector<AnsiString>& line = texts.emplace_back();
          for (TField* field : fields) line.push_back(field != nullptr ? field->DisplayText() : AnsiString());
          bookmarks.push_back(ds->GetBookmark());
        }
        ds->GotoBookmark(current);
      } catch (...) {
        ds->EnableControls();
        throw;
      }
      ds->EnableControls();
    }
  } catch (const Exception&) {
    // A record that cannot be shown ends the rows there; the data set's own callers see the
    // error when they read it.
  }
  reset();
  refreshing = false;
  followRecord();
}

void TDBGridPrivate::followRecord() {
  if (refreshing) return;
  TDataSet* ds = dataSet();
  const int recNo = ds != nullptr ? ds->RecNo() : 0;
  if (recNo >= 1 && recNo <= static_cast<int>(texts.size()) && columns->Count() > 0) {
    showCurrent(std::min(currentCol, columns->Count() - 1), recNo);
  } else {
    showCurrent(-1, -1);
  }
}

void TDBGridPrivate::currentCellChanged(int col, int row) {
  TDataSet* ds = dataSet();
  if (row < 1 || row > static_cast<int>(bookmarks.size()) || ds == nullptr || !ds->Active()) {
    followRecord();
    return;
  }
  currentCol = col;
  FireEvent(grid, [&] { ds->GotoBookmark(bookmarks[static_cast<std::size_t>(row - 1)]); });
}

namespace {
TDBGridPrivate* dOf(const TDBGrid* g) { return static_cast<TDBGridPrivate*>(g->ControlPrivate()); }
}  // namespace

TDBGrid::TDBGrid(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TDBGridPrivate>()) {
  TDBGridPrivate* d = dOf(this);
  d->columns = std::make_unique<TDBGridColumns>(this);
  d->grid = this;
  d->ready = true;
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->view()->viewport());
  d->clickOnMouseUp = true;
  d->view()->setSelectionBehavior(QAbstractItemView::SelectRows);
  SetBounds(0, 0, 320, 120);
  d->refresh();
}

TDBGrid::~TDBGrid() {
  TDBGridPrivate* d = dOf(this);
  d->grid = nullptr;
  d->link.SetDataSource(nullptr);
}

TDataSource* TDBGrid::DataSource() const { return dOf(this)->link.DataSource(); }

void TDBGrid::SetDataSource(TDataSource* Value) {
  TDBGridPrivate* d = dOf(this);
  if (Value == d->link.DataSource()) return;
  if (d->link.DataSource() != nullptr) RemoveFreeNotification(d->link.DataSource());
  if (Value != nullptr) FreeNotification(Value);
  d->link.SetDataSource(Value);
}

TDBGridColumns* TDBGrid::Columns() const { return dOf(this)->columns.get(); }

void TDBGrid::SetColumns(TDBGridColumns* Value) {
  if (Value != nullptr) dOf(this)->columns->Assign(Value);
}

void TDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == DataSource()) dOf(this)->link.SetDataSource(nullptr);
}

void TDBGrid::FontChanged() {
  TWinControl::FontChanged();
  // Default widths are measured in the font.
  dOf(this)->applyColWidths();
}

void TDBGrid::layoutChanged() { dOf(this)->refresh(); }
