#include "TCustomTreeView.h"

#include <functional>

#include "QtConvert_p.h"
#include "TCustomImageList.h"
#include "TCustomImageList_p.h"
#include "TCustomTreeView_p.h"

DEFINE_CLASS(TCustomTreeView, TWinControl)

// ---- TTreeViewPrivate ----

TTreeViewPrivate::TTreeViewPrivate() : TWinControlPrivate(new QTreeWidget) {
  QTreeWidget* t = tree();
  t->setHeaderHidden(true);
  t->setColumnCount(1);
  t->setUniformRowHeights(true);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

TTreeViewPrivate::~TTreeViewPrivate() = default;

QWidget* TTreeViewPrivate::inputWidget() const { return widget ? tree()->viewport() : nullptr; }

const std::vector<TTreeNode*>& TTreeViewPrivate::flat() {
  if (!flatValid) {
    flatNodes.clear();
    std::function<void(TTreeNode*)> walk = [&](TTreeNode* n) {
      flatNodes.push_back(n);
      for (TTreeNode* c : n->NodeState()->children) walk(c);
    };
    for (TTreeNode* r : roots) walk(r);
    flatValid = true;
  }
  return flatNodes;
}

TTreeNode* TTreeViewPrivate::nodeOf(const QTreeWidgetItem* item) const {
  auto it = byItem.find(item);
  return it == byItem.end() ? nullptr : it->second;
}

void TTreeViewPrivate::applyIcon(TTreeNode* node) const {
  TTreeNode::State* s = node->NodeState();
  if (s->item == nullptr) return;
  const bool selected = widget && tree()->currentItem() == s->item;
  const int index = selected && s->selectedIndex >= 0 ? s->selectedIndex : s->imageIndex;
  const QPixmap pm = ImageListPixmap(images, index);
  s->item->setIcon(0, pm.isNull() ? QIcon() : QIcon(pm));
}

// ---- TCustomTreeView ----

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TTreeViewPrivate>()) {
  TTreeViewPrivate* d = TreeViewPrivate();
  d->treeView = this;
  d->nodes = std::make_unique<TTreeNodes>(this);
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->tree()->viewport());
  d->clickOnMouseUp = true;
  QTreeWidget* t = d->tree();
  QObject::connect(t, &QTreeWidget::currentItemChanged, t, [this, d](QTreeWidgetItem* now, QTreeWidgetItem* before) {
    if (ControlsTearingDown() || d->clearing) return;
    if (TTreeNode* old = d->nodeOf(before)) d->applyIcon(old);
    TTreeNode* node = d->nodeOf(now);
    if (node != nullptr) d->applyIcon(node);
    if (OnChange) FireEvent(this, [&] { OnChange(this, node); });
  });
  QObject::connect(t, &QTreeWidget::itemExpanded, t, [this, d](QTreeWidgetItem* item) {
    if (TTreeNode* node = d->nodeOf(item); node != nullptr && OnExpanded) FireEvent(this, [&] { OnExpanded(this, node); });
  });
  QObject::connect(t, &QTreeWidget::itemCollapsed, t, [this, d](QTreeWidgetItem* item) {
    if (TTreeNode* node = d->nodeOf(item); node != nullptr && OnCollapsed) FireEvent(this, [&] { OnCollapsed(this, node); });
  });
  QObject::connect(t, &QTreeWidget::itemChanged, t, [d](QTreeWidgetItem* item, int) {
    // The user edited a node's text.
    if (TTreeNode* node = d->nodeOf(item)) node->NodeState()->text = FromQString(item->text(0));
  });
}

TCustomTreeView::~TCustomTreeView() {
  // The nodes go while the tree widget that holds their items is still there.
  TreeViewPrivate()->nodes->Clear();
  TearDown();
}

TTreeViewPrivate* TCustomTreeView::TreeViewPrivate() const { return static_cast<TTreeViewPrivate*>(d_ptr.get()); }

TTreeNodes* TCustomTreeView::Items() const { return TreeViewPrivate()->nodes.get(); }
void TCustomTreeView::SetItems(TTreeNodes* Value) {
  if (Value != nullptr) TreeViewPrivate()->nodes->Assign(Value);
}

TTreeNode* TCustomTreeView::Selected() const {
  const TTreeViewPrivate* d = TreeViewPrivate();
  return d->widget ? d->nodeOf(d->tree()->currentItem()) : nullptr;
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  TTreeViewPrivate* d = TreeViewPrivate();
  if (!d->widget) return;
  QTreeWidgetItem* item = Value != nullptr ? Value->NodeState()->item : nullptr;
  d->tree()->setCurrentItem(item);
  if (item == nullptr) d->tree()->clearSelection();
}

TCustomImageList* TCustomTreeView::Images() const { return TreeViewPrivate()->images; }

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  TTreeViewPrivate* d = TreeViewPrivate();
  if (Value == d->images) return;
  if (d->images != nullptr) d->images->RemoveFreeNotification(this);
  d->images = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  for (TTreeNode* n : d->flat()) d->applyIcon(n);
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  TTreeViewPrivate* d = TreeViewPrivate();
  if (Operation == TOperation::opRemove && AComponent == d->images) {
    d->images = nullptr;
    for (TTreeNode* n : d->flat()) d->applyIcon(n);
  }
}

bool TCustomTreeView::ReadOnly() const { return TreeViewPrivate()->readOnly; }
void TCustomTreeView::SetReadOnly(bool Value) {
  TTreeViewPrivate* d = TreeViewPrivate();
  d->readOnly = Value;
  d->tree()->setEditTriggers(Value ? QAbstractItemView::NoEditTriggers
                                   : QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  for (TTreeNode* n : d->flat()) {
    QTreeWidgetItem* item = n->NodeState()->item;
    item->setFlags(Value ? item->flags() & ~Qt::ItemIsEditable : item->flags() | Qt::ItemIsEditable);
  }
}

bool TCustomTreeView::ShowRoot() const { return TreeViewPrivate()->showRoot; }
void TCustomTreeView::SetShowRoot(bool Value) {
  TreeViewPrivate()->showRoot = Value;
  TreeViewPrivate()->tree()->setRootIsDecorated(Value);
}

bool TCustomTreeView::ShowButtons() const { return TreeViewPrivate()->showButtons; }
void TCustomTreeView::SetShowButtons(bool Value) {
  TreeViewPrivate()->showButtons = Value;
  TreeViewPrivate()->tree()->setItemsExpandable(true);
  TreeViewPrivate()->tree()->setExpandsOnDoubleClick(Value);
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n : TreeViewPrivate()->flat()) n->SetExpanded(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n : TreeViewPrivate()->flat()) n->SetExpanded(false);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
  const TTreeViewPrivate* d = TreeViewPrivate();
  if (!d->widget) return nullptr;
  const QPoint p = d->tree()->viewport()->mapFrom(d->tree(), QPoint(X, Y));
  return d->nodeOf(d->tree()->itemAt(p));
}
