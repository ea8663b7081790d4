#include "TTreeNode.h"

#include <algorithm>

#include "Exception.h"
#include "QtConvert_p.h"
#include "TCustomTreeView_p.h"

DEFINE_CLASS(TTreeNode, TPersistent)

namespace {
TTreeViewPrivate* viewOf(const TTreeNodes* nodes) {
  return nodes != nullptr && nodes->Owner() != nullptr ? nodes->Owner()->TreeViewPrivate() : nullptr;
}
}  // namespace

TTreeNode::TTreeNode(TTreeNodes* AOwner) : d_(std::make_unique<State>()) { d_->owner = AOwner; }

TTreeNode::~TTreeNode() {
  DeleteChildren();
  TTreeViewPrivate* view = viewOf(d_->owner);
  std::vector<TTreeNode*>* siblings = d_->parent != nullptr ? &d_->parent->d_->children
                                     : view != nullptr      ? &view->roots
                                                            : nullptr;
  if (siblings != nullptr) std::erase(*siblings, this);
  if (view != nullptr) {
    view->byItem.erase(d_->item);
    view->structureChanged();
  }
  // The item leaves the tree widget as it is deleted (when the widget is still there).
  delete d_->item;
}

void TTreeNode::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TTreeNode*>(Source)) {
    SetText(other->d_->text);
    d_->data = other->d_->data;
    d_->imageIndex = other->d_->imageIndex;
    d_->selectedIndex = other->d_->selectedIndex;
    if (TTreeViewPrivate* view = viewOf(d_->owner)) view->applyIcon(this);
    return;
  }
  inherited::Assign(Source);
}

const AnsiString& TTreeNode::Text() const { return d_->text; }
void TTreeNode::SetText(const AnsiString& Value) {
  d_->text = Value;
  if (d_->item != nullptr) d_->item->setText(0, ToQString(Value));
}

void* TTreeNode::Data() const { return d_->data; }
void TTreeNode::SetData(void* Value) { d_->data = Value; }

int TTreeNode::ImageIndex() const { return d_->imageIndex; }
void TTreeNode::SetImageIndex(int Value) {
  d_->imageIndex = Value;
  if (TTreeViewPrivate* view = viewOf(d_->owner)) view->applyIcon(this);
}

int TTreeNode::SelectedIndex() const { return d_->selectedIndex; }
void TTreeNode::SetSelectedIndex(int Value) {
  d_->selectedIndex = Value;
  if (TTreeViewPrivate* view = viewOf(d_->owner)) view->applyIcon(this);
}

TTreeNode* TTreeNode::Parent() const { return d_->parent; }
int TTreeNode::Count() const { return static_cast<int>(d_->children.size()); }

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return d_->children[static_cast<std::size_t>(Index)];
}

bool TTreeNode::HasChildren() const { return !d_->children.empty(); }

int TTreeNode::Index() const {
  const TTreeViewPrivate* view = viewOf(d_->owner);
  const std::vector<TTreeNode*>* siblings = d_->parent != nullptr ? &d_->parent->d_->children
                                            : view != nullptr      ? &view->roots
                                                                   : nullptr;
  if (siblings == nullptr) return -1;
  auto it = std::find(siblings->begin(), siblings->end(), this);
  return it == siblings->end() ? -1 : static_cast<int>(it - siblings->begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = d_->parent; p != nullptr; p = p->d_->parent) ++level;
  return level;
}

int TTreeNode::AbsoluteIndex() const {
  TTreeViewPrivate* view = viewOf(d_->owner);
  if (view == nullptr) return -1;
  const auto& flat = view->flat();
  auto it = std::find(flat.begin(), flat.end(), this);
  return it == flat.end() ? -1 : static_cast<int>(it - flat.begin());
}

TTreeNode* TTreeNode::GetFirstChild() const { return d_->children.empty() ? nullptr : d_->children.front(); }
TTreeNode* TTreeNode::GetLastChild() const { return d_->children.empty() ? nullptr : d_->children.back(); }

TTreeNode* TTreeNode::getNextSibling() const {
  const TTreeViewPrivate* view = viewOf(d_->owner);
  const std::vector<TTreeNode*>& siblings = d_->parent != nullptr ? d_->parent->d_->children : view->roots;
  const int i = Index();
  return i >= 0 && i + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<std::size_t>(i) + 1] : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const {
  const TTreeViewPrivate* view = viewOf(d_->owner);
  const std::vector<TTreeNode*>& siblings = d_->parent != nullptr ? d_->parent->d_->children : view->roots;
  const int i = Index();
  return i > 0 ? siblings[static_cast<std::size_t>(i) - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!d_->children.empty()) return d_->children.front();
  for (const TTreeNode* n = this; n != nullptr; n = n->d_->parent)
    if (TTreeNode* next = n->getNextSibling()) return next;
  return nullptr;
}

bool TTreeNode::Expanded() const { return d_->item != nullptr && d_->item->isExpanded(); }
void TTreeNode::SetExpanded(bool Value) {
  if (d_->item != nullptr) d_->item->setExpanded(Value);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* c : d_->children) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* c : d_->children) c->Collapse(true);
}

bool TTreeNode::Selected() const {
  const TCustomTreeView* view = TreeView();
  return view != nullptr && view->Selected() == this;
}

void TTreeNode::SetSelected(bool Value) {
  TCustomTreeView* view = TreeView();
  if (view == nullptr) return;
  if (Value)
    view->SetSelected(this);
  else if (view->Selected() == this)
    view->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* p = d_->parent; p != nullptr; p = p->d_->parent) p->SetExpanded(true);
  if (d_->item != nullptr && d_->item->treeWidget() != nullptr) d_->item->treeWidget()->scrollToItem(d_->item);
}

void TTreeNode::Delete() { delete this; }

void TTreeNode::DeleteChildren() {
  while (!d_->children.empty()) delete d_->children.back();
}

TTreeNodes* TTreeNode::Owner() const { return d_->owner; }
TCustomTreeView* TTreeNode::TreeView() const { return d_->owner != nullptr ? d_->owner->Owner() : nullptr; }
