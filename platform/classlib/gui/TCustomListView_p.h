// Private to the GUI layer; may change without notice.
//
// A list view shows its items through a table model over the items kept here; the items hold
// the texts and the selection state, and the model tells the view of each change (or, inside
// BeginUpdate/EndUpdate, of all changes at once).
#pragma once

#include <memory>
#include <vector>

#include <QAbstractTableModel>
#include <QTreeView>

#include "TCustomListView.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TControlStrings_p.h"
#include "TWinControl_p.h"

class TListViewPrivate;

class TListViewModel : public QAbstractTableModel {
public:
  TListViewModel(TListViewPrivate* d, QObject* parent) : QAbstractTableModel(parent), d_(d) {}

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The protected notifications, for the list view.
  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::changePersistentIndexList;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;
  using QAbstractTableModel::persistentIndexList;

private:
  TListViewPrivate* d_;
};

// The sub-items of an item: plain lines that tell their view of every change.
class TListItemStrings : public TControlStrings {
  DECLARE_CLASS(TListItemStrings, TControlStrings)
public:
  explicit TListItemStrings(TListItem* item) : item_(item) {}

protected:
  void Reloaded() override;

private:
  TListItem* item_;
};

struct TListItem::State {
  TListItems* owner = nullptr;
  AnsiString caption;
  std::unique_ptr<TListItemStrings> subItems;
  int imageIndex = -1;
  void* data = nullptr;
  bool selected = false;
  // Tells the item's view that it changed.
  void changed(TListItem* item) const;
};

class TListViewPrivate : public TWinControlPrivate {
public:
  TListViewPrivate();
  ~TListViewPrivate() override;

  QTreeView* view() const { return static_cast<QTreeView*>(widget.data()); }
  QWidget* inputWidget() const override;
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  int rowOf(const TListItem* item) const;
  TListItem* insertItem(int index);
  // Takes an item out of the list (its object is being deleted).
  void removeItem(TListItem* item);
  void clearItems();
  void itemChanged(const TListItem* item);
  void setItemSelected(TListItem* item, bool selected);
  // Selects every item or none; OnSelectItem runs for each item that changed.
  void selectAllItems(bool selected);
  void beginUpdate();
  void endUpdate();
  // The columns changed: their number, captions, images, widths or alignment.
  void columnsChanged();
  void applyColumnWidths();
  void applySelectionMode();
  // Shows the selection flags of the items in the view.
  void applySelection();
  // Orders the items by a comparison; keeps selection and focus with their items.
  void sortItems(const std::function<int(TListItem*, TListItem*)>& compare);
  // The user changed the selection in the view.
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

  TCustomListView* listView = nullptr;  // set once the list view's own constructor runs
  TListViewModel* model = nullptr;      // a child of the view
  std::vector<TListItem*> items;        // owned; freed by clearItems and the destructor
  std::unique_ptr<TListColumns> columns;
  std::unique_ptr<TListItems> listItems;
  int updateCount = 0;
  TCustomImageList* smallImages = nullptr;
  TViewStyle viewStyle = vsIcon;
  bool multiSelect = false;
  bool rowSelect = false;
  bool readOnly = false;
  bool columnClick = true;
  bool showColumnHeaders = true;
  bool syncing = false;        // the view's selection is being set from the items
  bool applyingWidths = false; // column widths are being set on the header
  bool removing = false;       // rows are being removed
};
