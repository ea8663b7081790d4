#include "TTreeNodes.h"

#include <functional>

#include "Exception.h"
#include "Format.h"
#include "QtConvert_p.h"
#include "RTLConsts.h"
#include "TCustomTreeView_p.h"

DEFINE_CLASS(TTreeNodes, TPersistent)

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner) : owner_(AOwner) {}

TCustomTreeView* TTreeNodes::Owner() const { return owner_; }

int TTreeNodes::Count() const { return static_cast<int>(owner_->TreeViewPrivate()->flat().size()); }

TTreeNode* TTreeNodes::Item(int Index) const {
  const auto& flat = owner_->TreeViewPrivate()->flat();
  if (Index < 0 || Index >= static_cast<int>(flat.size()))
    throw EListError(Format(SListIndexError, {Index}));
  return flat[static_cast<std::size_t>(Index)];
}

TTreeNode* TTreeNodes::GetFirstNode() const {
  const auto& roots = owner_->TreeViewPrivate()->roots;
  return roots.empty() ? nullptr : roots.front();
}

TTreeNode* TTreeNodes::insertNode(TTreeNode* Parent, int Index, const AnsiString& S, void* Ptr) {
  TTreeViewPrivate* d = owner_->TreeViewPrivate();
  std::vector<TTreeNode*>& siblings = Parent != nullptr ? Parent->NodeState()->children : d->roots;
  if (Index < 0 || Index > static_cast<int>(siblings.size())) Index = static_cast<int>(siblings.size());
  std::unique_ptr<TTreeNode> node(new TTreeNode(this));
  TTreeNode::State* s = node->NodeState();
  s->parent = Parent;
  s->text = S;
  s->data = Ptr;
  s->item = new QTreeWidgetItem;
  s->item->setText(0, ToQString(S));
  s->item->setFlags(d->readOnly ? s->item->flags() & ~Qt::ItemIsEditable : s->item->flags() | Qt::ItemIsEditable);
  d->byItem[s->item] = node.get();
  if (Parent != nullptr)
    Parent->NodeState()->item->insertChild(Index, s->item);
  else
    d->tree()->insertTopLevelItem(Index, s->item);
  siblings.insert(siblings.begin() + Index, node.get());
  d->structureChanged();
  return node.release();
}

namespace {
TTreeNode* parentOf(TTreeNode* sibling) { return sibling != nullptr ? sibling->Parent() : nullptr; }
}  // namespace

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const AnsiString& S) { return insertNode(parentOf(Sibling), -1, S, nullptr); }
TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr) {
  return insertNode(parentOf(Sibling), -1, S, Ptr);
}
TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const AnsiString& S) { return insertNode(parentOf(Sibling), 0, S, nullptr); }
TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const AnsiString& S) { return insertNode(Parent, -1, S, nullptr); }
TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr) {
  return insertNode(Parent, -1, S, Ptr);
}
TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const AnsiString& S) { return insertNode(Parent, 0, S, nullptr); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const AnsiString& S) {
  if (Sibling == nullptr) return Add(nullptr, S);
  return insertNode(Sibling->Parent(), Sibling->Index(), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) { delete Node; }

void TTreeNodes::Clear() {
  TTreeViewPrivate* d = owner_->TreeViewPrivate();
  d->clearing = true;
  while (!d->roots.empty()) delete d->roots.back();
  d->clearing = false;
}

void TTreeNodes::BeginUpdate() {
  TTreeViewPrivate* d = owner_->TreeViewPrivate();
  if (d->updateCount++ == 0 && d->widget) d->widget->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
  TTreeViewPrivate* d = owner_->TreeViewPrivate();
  if (d->updateCount == 0) return;
  if (--d->updateCount == 0 && d->widget) d->widget->setUpdatesEnabled(true);
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TTreeNodes*>(Source);
  if (other == nullptr) {
    inherited::Assign(Source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  Clear();
  std::function<void(TTreeNode*, TTreeNode*)> copy = [&](TTreeNode* from, TTreeNode* toParent) {
    TTreeNode* node = AddChild(toParent, from->Text());
    node->Assign(from);
    for (int i = 0; i < from->Count(); ++i) copy(from->Item(i), node);
  };
  for (TTreeNode* n = other->GetFirstNode(); n != nullptr; n = n->getNextSibling()) copy(n, nullptr);
  EndUpdate();
}
