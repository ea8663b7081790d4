#include "TCustomListView.h"

#include <unordered_map>

#include <QHeaderView>
#include <QItemSelectionModel>

#include "Format.h"
#include "LocaleText.h"
#include "QtConvert_p.h"
#include "RTLConsts.h"
#include "TControlProps_p.h"
#include "TCustomImageList.h"
#include "TCustomImageList_p.h"
#include "TCustomListView_p.h"
#include "TListColumn.h"

DEFINE_CLASS(TCustomListView, TWinControl)

namespace {

Qt::Alignment qtAlignment(TAlignment a) { return ToQAlignment(a) | Qt::AlignVCenter; }

// A stable merge sort that stays within bounds whatever the comparison answers (a program's
// compare event need not be a consistent order).
void mergeSort(std::vector<TListItem*>& items, const std::function<int(TListItem*, TListItem*)>& compare) {
  std::vector<TListItem*> buffer(items.size());
  for (std::size_t width = 1; width < items.size(); width *= 2) {
    for (std::size_t lo = 0; lo < items.size(); lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, items.size());
      const std::size_t hi = std::min(lo + 2 * width, items.size());
      std::size_t a = lo;
      std::size_t b = mid;
      std::size_t out = lo;
      while (a < mid && b < hi) buffer[out++] = compare(items[b], items[a]) < 0 ? items[b++] : items[a++];
      while (a < mid) buffer[out++] = items[a++];
      while (b < hi) buffer[out++] = items[b++];
    }
    items.swap(buffer);
  }
}

}  // namespace

// ---- TListViewModel ----

int TListViewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(d_->items.size());
}

int TListViewModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  if (d_->viewStyle != vsReport) return 1;
  return std::max(1, d_->columns->Count());
}

QVariant TListViewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(d_->items.size())) return {};
  const TListItem* item = d_->items[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      if (column == 0) return ToQString(item->Caption());
      if (column - 1 < item->SubItems()->Count()) return ToQString(item->SubItems()->Strings(column - 1));
      return {};
    case Qt::DecorationRole:
      if (column == 0 && item->ImageIndex() >= 0) {
        QPixmap pm = ImageListPixmap(d_->smallImages, item->ImageIndex());
        if (!pm.isNull()) return pm;
      }
      return {};
    case Qt::TextAlignmentRole:
      if (column < d_->columns->Count()) return static_cast<int>(qtAlignment(d_->columns->Items(column)->Alignment()));
      return {};
    default:
      return {};
  }
}

bool TListViewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != 0 || index.row() >= static_cast<int>(d_->items.size())) return false;
  d_->items[static_cast<std::size_t>(index.row())]->SetCaption(FromQString(value.toString()));
  return true;
}

QVariant TListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= d_->columns->Count()) return {};
  const TListColumn* column = d_->columns->Items(section);
  switch (role) {
    case Qt::DisplayRole: return ToQString(column->Caption());
    case Qt::DecorationRole: {
      QPixmap pm = ImageListPixmap(d_->smallImages, column->ImageIndex());
      return pm.isNull() ? QVariant() : QVariant(pm);
    }
    case Qt::TextAlignmentRole: return static_cast<int>(qtAlignment(column->Alignment()));
    default: return {};
  }
}

Qt::ItemFlags TListViewModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == 0 && !d_->readOnly) f |= Qt::ItemIsEditable;
  return f;
}

// ---- TListViewPrivate ----

TListViewPrivate::TListViewPrivate() : TWinControlPrivate(new QTreeView) {
  QTreeView* v = view();
  model = new TListViewModel(this, v);
  v->setModel(model);
  v->setRootIsDecorated(false);
  v->setItemsExpandable(false);
  v->setUniformRowHeights(true);
  v->setSortingEnabled(false);
  v->setAllColumnsShowFocus(true);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  v->setTextElideMode(Qt::ElideRight);
  v->header()->setSectionsClickable(true);
  v->header()->setStretchLastSection(false);
  v->header()->setMinimumSectionSize(1);
  v->header()->setSectionsMovable(false);
  // A column sized to its content measures every row, not a sample of them.
  v->header()->setResizeContentsPrecision(-1);
}

TListViewPrivate::~TListViewPrivate() = default;

QWidget* TListViewPrivate::inputWidget() const { return widget ? view()->viewport() : nullptr; }

int TListViewPrivate::rowOf(const TListItem* item) const {
  // From the end: the items asked for most are the ones just added and, while a list is
  // cleared, the last one, so that clearing stays linear.
  auto it = std::find(items.rbegin(), items.rend(), item);
  return it == items.rend() ? -1 : static_cast<int>(items.rend() - it) - 1;
}

TListItem* TListViewPrivate::insertItem(int index) {
  if (index < 0 || index > static_cast<int>(items.size()))
    throw EListError(Format(SListIndexError, {index}));
  auto item = std::make_unique<TListItem>(listItems.get());
  TListItem* raw = item.get();
  if (updateCount == 0) model->beginInsertRows(QModelIndex(), index, index);
  items.insert(items.begin() + index, item.release());
  if (updateCount == 0) model->endInsertRows();
  return raw;
}

void TListViewPrivate::removeItem(TListItem* item) {
  const int row = rowOf(item);
  if (row < 0) return;
  if (updateCount == 0 && widget) {
    removing = true;
    model->beginRemoveRows(QModelIndex(), row, row);
  }
  items.erase(items.begin() + row);
  if (updateCount == 0 && widget) {
    model->endRemoveRows();
    removing = false;
  }
}

void TListViewPrivate::clearItems() {
  if (items.empty()) return;
  beginUpdate();
  // Each item takes itself out of the list as it is deleted.
  while (!items.empty()) delete items.back();
  endUpdate();
}

void TListViewPrivate::itemChanged(const TListItem* item) {
  if (updateCount > 0 || !widget) return;
  const int row = rowOf(item);
  if (row < 0) return;
  emit model->dataChanged(model->index(row, 0), model->index(row, model->columnCount(QModelIndex()) - 1));
}

void TListViewPrivate::setItemSelected(TListItem* item, bool selected) {
  TListItem::State* s = item->ItemState();
  if (s->selected == selected) return;
  if (selected && !multiSelect)
    for (TListItem* other : items)
      if (other != item && other->ItemState()->selected) {
        other->ItemState()->selected = false;
        if (listView && listView->OnSelectItem)
          FireEvent(listView, [&] { listView->OnSelectItem(listView, other, false); });
      }
  s->selected = selected;
  applySelection();
  if (listView && listView->OnSelectItem) FireEvent(listView, [&] { listView->OnSelectItem(listView, item, selected); });
}

void TListViewPrivate::selectAllItems(bool selected) {
  std::vector<TListItem*> changed;
  for (TListItem* item : items)
    if (item->ItemState()->selected != selected) {
      item->ItemState()->selected = selected;
      changed.push_back(item);
    }
  applySelection();
  if (listView == nullptr || !listView->OnSelectItem) return;
  for (TListItem* item : changed) FireEvent(listView, [&] { listView->OnSelectItem(listView, item, selected); });
}

void TListViewPrivate::beginUpdate() {
  if (updateCount++ > 0 || !widget) return;
  model->beginResetModel();
  widget->setUpdatesEnabled(false);
}

void TListViewPrivate::endUpdate() {
  if (updateCount == 0) return;
  if (--updateCount > 0 || !widget) return;
  model->endResetModel();
  applyColumnWidths();
  applySelection();
  widget->setUpdatesEnabled(true);
}

void TListViewPrivate::columnsChanged() {
  if (!widget) return;
  if (updateCount == 0) {
    model->beginResetModel();
    model->endResetModel();
    applySelection();
  }
  applyColumnWidths();
  view()->header()->viewport()->update();
}

void TListViewPrivate::applyColumnWidths() {
  if (!widget) return;
  QHeaderView* header = view()->header();
  header->setVisible(viewStyle == vsReport && showColumnHeaders);
  if (viewStyle != vsReport) return;
  applyingWidths = true;
  for (int i = 0; i < columns->Count() && i < header->count(); ++i) {
    const int w = columns->Items(i)->Width();
    header->setSectionHidden(i, w == 0);
    // A column sized to its content is resized by the header whenever the rows change.
    header->setSectionResizeMode(i, w == ColumnTextWidth ? QHeaderView::ResizeToContents : QHeaderView::Interactive);
    if (w > 0) header->resizeSection(i, w);
  }
  applyingWidths = false;
}

void TListViewPrivate::applySelectionMode() {
  if (!widget) return;
  view()->setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  view()->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                   : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

void TListViewPrivate::applySelection() {
  if (!widget || updateCount > 0) return;
  QItemSelection selection;
  const int lastColumn = model->columnCount(QModelIndex()) - 1;
  int start = -1;
  for (int row = 0; row <= static_cast<int>(items.size()); ++row) {
    const bool selected = row < static_cast<int>(items.size()) && items[static_cast<std::size_t>(row)]->ItemState()->selected;
    if (selected && start < 0) start = row;
    if (!selected && start >= 0) {
      selection.select(model->index(start, 0), model->index(row - 1, lastColumn));
      start = -1;
    }
  }
  syncing = true;
  view()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  syncing = false;
}

void TListViewPrivate::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  if (syncing || removing || updateCount > 0 || ControlsTearingDown()) return;
  std::vector<std::pair<TListItem*, bool>> changes;
  auto collect = [&](const QItemSelection& ranges) {
    for (const QItemSelectionRange& range : ranges)
      for (int row = range.top(); row <= range.bottom(); ++row) {
        if (row < 0 || row >= static_cast<int>(items.size())) continue;
        TListItem* item = items[static_cast<std::size_t>(row)];
        const bool now = view()->selectionModel()->isSelected(model->index(row, 0));
        if (item->ItemState()->selected != now) {
          item->ItemState()->selected = now;
          changes.emplace_back(item, now);
        }
      }
  };
  collect(deselected);
  collect(selected);
  if (listView == nullptr || !listView->OnSelectItem) return;
  for (auto& [item, state] : changes) {
    const bool s = state;
    TListItem* it = item;
    FireEvent(listView, [&] { listView->OnSelectItem(listView, it, s); });
  }
}

void TListViewPrivate::sortItems(const std::function<int(TListItem*, TListItem*)>& compare) {
  if (items.size() < 2) return;
  if (updateCount > 0 || !widget) {
    mergeSort(items, compare);
    return;
  }
  emit model->layoutAboutToBeChanged();
  const std::vector<TListItem*> before = items;
  mergeSort(items, compare);
  // Persistent indexes (selection, focus) follow their items to their new rows.
  std::unordered_map<const TListItem*, int> newRow;
  for (std::size_t i = 0; i < items.size(); ++i) newRow[items[i]] = static_cast<int>(i);
  const QModelIndexList from = model->persistentIndexList();
  QModelIndexList to;
  for (const QModelIndex& index : from) {
    if (index.row() < 0 || index.row() >= static_cast<int>(before.size())) {
      to.append(QModelIndex());
      continue;
    }
    to.append(model->index(newRow[before[static_cast<std::size_t>(index.row())]], index.column()));
  }
  model->changePersistentIndexList(from, to);
  emit model->layoutChanged();
}

// ---- TCustomListView ----

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TListViewPrivate>()) {
  TListViewPrivate* d = ListViewPrivate();
  d->listView = this;
  d->columns = std::make_unique<TListColumns>(this);
  d->listItems = std::make_unique<TListItems>(this);
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->view()->viewport());
  d->clickOnMouseUp = true;
  d->applySelectionMode();
  d->applyColumnWidths();
  QTreeView* v = d->view();
  QObject::connect(v->selectionModel(), &QItemSelectionModel::selectionChanged, v,
                   [d](const QItemSelection& s, const QItemSelection& ds) { d->selectionChanged(s, ds); });
  QObject::connect(v->header(), &QHeaderView::sectionClicked, v, [this, d](int section) {
    if (!d->columnClick || section < 0 || section >= d->columns->Count() || !OnColumnClick) return;
    TListColumn* column = d->columns->Items(section);
    FireEvent(this, [&] { OnColumnClick(this, column); });
  });
  QObject::connect(v->header(), &QHeaderView::sectionResized, v, [d](int section, int, int size) {
    // The user dragged a column border: the column takes the new width. A column sized to its
    // content is resized by the header itself and keeps following its content.
    if (d->applyingWidths || ControlsTearingDown() || section >= d->columns->Count() || size <= 0 ||
        d->columns->Items(section)->Width() == ColumnTextWidth)
      return;
    d->applyingWidths = true;
    d->columns->Items(section)->SetWidth(size);
    d->applyingWidths = false;
  });
}

TCustomListView::~TCustomListView() {
  TListViewPrivate* d = ListViewPrivate();
  // The view goes before the items it shows.
  TearDown();
  d->updateCount = 1;
  while (!d->items.empty()) delete d->items.back();
}

TListViewPrivate* TCustomListView::ListViewPrivate() const { return static_cast<TListViewPrivate*>(d_ptr.get()); }

TListColumns* TCustomListView::Columns() const { return ListViewPrivate()->columns.get(); }
void TCustomListView::SetColumns(TListColumns* Value) {
  if (Value != nullptr) ListViewPrivate()->columns->Assign(Value);
}
TListItems* TCustomListView::Items() const { return ListViewPrivate()->listItems.get(); }
void TCustomListView::SetItems(TListItems* Value) {
  if (Value != nullptr) ListViewPrivate()->listItems->Assign(Value);
}
TListColumn* TCustomListView::Column(int Index) const { return ListViewPrivate()->columns->Items(Index); }

TViewStyle TCustomListView::ViewStyle() const { return ListViewPrivate()->viewStyle; }
void TCustomListView::SetViewStyle(TViewStyle Value) {
  TListViewPrivate* d = ListViewPrivate();
  if (Value == d->viewStyle) return;
  d->viewStyle = Value;
  d->columnsChanged();
}

bool TCustomListView::MultiSelect() const { return ListViewPrivate()->multiSelect; }
void TCustomListView::SetMultiSelect(bool Value) {
  TListViewPrivate* d = ListViewPrivate();
  d->multiSelect = Value;
  if (!Value) {
    // One selected item at most: the first keeps its selection.
    bool first = true;
    for (TListItem* item : d->items)
      if (item->ItemState()->selected) {
        if (!first) item->ItemState()->selected = false;
        first = false;
      }
  }
  d->applySelectionMode();
  d->applySelection();
}

bool TCustomListView::RowSelect() const { return ListViewPrivate()->rowSelect; }
void TCustomListView::SetRowSelect(bool Value) {
  TListViewPrivate* d = ListViewPrivate();
  d->rowSelect = Value;
  d->view()->setAllColumnsShowFocus(Value);
}

bool TCustomListView::ReadOnly() const { return ListViewPrivate()->readOnly; }
void TCustomListView::SetReadOnly(bool Value) {
  ListViewPrivate()->readOnly = Value;
  ListViewPrivate()->applySelectionMode();
}

bool TCustomListView::ColumnClick() const { return ListViewPrivate()->columnClick; }
void TCustomListView::SetColumnClick(bool Value) {
  ListViewPrivate()->columnClick = Value;
  ListViewPrivate()->view()->header()->setSectionsClickable(Value);
}

bool TCustomListView::ShowColumnHeaders() const { return ListViewPrivate()->showColumnHeaders; }
void TCustomListView::SetShowColumnHeaders(bool Value) {
  ListViewPrivate()->showColumnHeaders = Value;
  ListViewPrivate()->applyColumnWidths();
}

TCustomImageList* TCustomListView::SmallImages() const { return ListViewPrivate()->smallImages; }
void TCustomListView::SetSmallImages(TCustomImageList* Value) {
  TListViewPrivate* d = ListViewPrivate();
  if (Value == d->smallImages) return;
  if (d->smallImages != nullptr) d->smallImages->RemoveFreeNotification(this);
  d->smallImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  d->columnsChanged();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  TListViewPrivate* d = ListViewPrivate();
  if (Operation == TOperation::opRemove && AComponent == d->smallImages) {
    d->smallImages = nullptr;
    if (d->widget) d->widget->update();
  }
}

TListItem* TCustomListView::Selected() const {
  for (TListItem* item : ListViewPrivate()->items)
    if (item->ItemState()->selected) return item;
  return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value) {
  if (Value != nullptr)
    Value->SetSelected(true);
  else
    ClearSelection();
}

int TCustomListView::SelCount() const {
  int n = 0;
  for (TListItem* item : ListViewPrivate()->items)
    if (item->ItemState()->selected) ++n;
  return n;
}

TListItem* TCustomListView::ItemFocused() const {
  const TListViewPrivate* d = ListViewPrivate();
  const QModelIndex current = d->view()->currentIndex();
  if (!current.isValid() || current.row() >= static_cast<int>(d->items.size())) return nullptr;
  return d->items[static_cast<std::size_t>(current.row())];
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  TListViewPrivate* d = ListViewPrivate();
  const int row = Value != nullptr ? d->rowOf(Value) : -1;
  d->syncing = true;
  d->view()->selectionModel()->setCurrentIndex(row >= 0 ? d->model->index(row, 0) : QModelIndex(),
                                               QItemSelectionModel::NoUpdate);
  d->syncing = false;
}

void TCustomListView::SelectAll() {
  if (ListViewPrivate()->multiSelect) ListViewPrivate()->selectAllItems(true);
}

void TCustomListView::ClearSelection() { ListViewPrivate()->selectAllItems(false); }

TListItem* TCustomListView::GetNextItem(TListItem* StartItem, TSearchDirection, TItemStates States) const {
  const TListViewPrivate* d = ListViewPrivate();
  std::size_t from = 0;
  if (StartItem != nullptr) {
    const int row = d->rowOf(StartItem);
    if (row < 0) return nullptr;
    from = static_cast<std::size_t>(row) + 1;
  }
  const TListItem* focused = ItemFocused();
  for (std::size_t i = from; i < d->items.size(); ++i) {
    TListItem* item = d->items[i];
    if (States.Contains(isSelected) && !item->ItemState()->selected) continue;
    if (States.Contains(isFocused) && item != focused) continue;
    return item;
  }
  return nullptr;
}

bool TCustomListView::CustomSort(const TLVCompare& SortProc, int Data) {
  TListViewPrivate* d = ListViewPrivate();
  if (SortProc) {
    d->sortItems([&](TListItem* a, TListItem* b) { return SortProc(a, b, Data); });
  } else if (OnCompare) {
    d->sortItems([&](TListItem* a, TListItem* b) {
      int result = 0;
      FireEvent(this, [&] { OnCompare(this, a, b, Data, result); });
      return result;
    });
  } else {
    d->sortItems([](TListItem* a, TListItem* b) { return AnsiCompareText(a->Caption(), b->Caption()); });
  }
  return true;
}

bool TCustomListView::AlphaSort() { return CustomSort(nullptr, 0); }
