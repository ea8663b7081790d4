#include "TTreeNode.h"

#include <algorithm>

#include "Exception.h"
#include "Format.h"
#include "QtConvert_p.h"
#include "RTLConsts.h"
#include "TCustomTreeView_p.h"

DEFINE_CLASS(TTreeNode, TPersistent)

namespace {
TTreeViewPrivate* viewOf(const TTreeNodes* nodes) {
  return nodes != nullptr && nodes->Owner() != nullptr ? nodes->Owner()->TreeViewPrivate() : nullptr;
}

// The list a node stands in: its parent's children, or the view's top-level nodes.
std::vector<TTreeNode*>* siblingsOf(const TTreeNode::State& node) {
  if (node.parent != nullptr) return &node.parent->NodeState()->children;
  TTreeViewPrivate* view = viewOf(node.owner);
  return view != nullptr ? &view->roots : nullptr;
}

// The sibling offset places after the node (before it when negative), or nullptr.
TTreeNode* siblingAt(const TTreeNode* node, int offset) {
  const std::vector<TTreeNode*>* siblings = siblingsOf(*node->NodeState());
  if (siblings == nullptr) return nullptr;
  auto it = std::find(siblings->begin(), siblings->end(), node);
  if (it == siblings->end()) return nullptr;
  const auto at = (it - siblings->begin()) + offset;
  return at >= 0 && at < std::ssize(*siblings) ? (*siblings)[static_cast<std::size_t>(at)] : nullptr;
}
}  // namespace

TTreeNode::TTreeNode(TTreeNodes* AOwner) : d_(std::make_unique<State>()) { d_->owner = AOwner; }

TTreeNode::~TTreeNode() {
  DeleteChildren();
  if (std::vector<TTreeNode*>* siblings = siblingsOf(*d_)) std::erase(*siblings, this);
  if (TTreeViewPrivate* view = viewOf(d_->owner)) {
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
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {Index}));
  return d_->children[static_cast<std::size_t>(Index)];
}

bool TTreeNode::HasChildren() const { return !d_->children.empty(); }

int TTreeNode::Index() const {
  const std::vector<TTreeNode*>* siblings = siblingsOf(*d_);
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

TTreeNode* TTreeNode::getNextSibling() const { return siblingAt(this, 1); }
TTreeNode* TTreeNode::getPrevSibling() const { return siblingAt(this, -1); }

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
