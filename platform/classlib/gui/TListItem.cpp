#include "TListItem.h"

#include "Exception.h"
#include "TCustomListView_p.h"

DEFINE_CLASS(TListItem, TPersistent)
DEFINE_CLASS(TListItemStrings, TControlStrings)

namespace {
TListViewPrivate* viewOf(const TListItems* items) {
  return items != nullptr && items->Owner() != nullptr ? items->Owner()->ListViewPrivate() : nullptr;
}
}  // namespace

// ---- sub-items ----

void TListItemStrings::Reloaded() { item_->ItemState()->changed(item_); }

// ---- TListItem ----

void TListItem::State::changed(TListItem* item) const {
  if (TListViewPrivate* d = viewOf(owner)) d->itemChanged(item);
}

TListItem::TListItem(TListItems* AOwner) : d_(std::make_unique<State>()) {
  d_->owner = AOwner;
  d_->subItems = std::make_unique<TListItemStrings>(this);
}

TListItem::~TListItem() {
  if (TListViewPrivate* d = viewOf(d_->owner)) d->removeItem(this);
}

void TListItem::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TListItem*>(Source)) {
    d_->caption = other->d_->caption;
    d_->subItems->Assign(other->d_->subItems.get());
    d_->imageIndex = other->d_->imageIndex;
    d_->data = other->d_->data;
    d_->changed(this);
    return;
  }
  inherited::Assign(Source);
}

const AnsiString& TListItem::Caption() const { return d_->caption; }
void TListItem::SetCaption(const AnsiString& Value) {
  if (Value == d_->caption) return;
  d_->caption = Value;
  d_->changed(this);
}

TStrings* TListItem::SubItems() const { return d_->subItems.get(); }
void TListItem::SetSubItems(TStrings* Value) {
  if (Value != nullptr) d_->subItems->Assign(Value);
}

int TListItem::ImageIndex() const { return d_->imageIndex; }
void TListItem::SetImageIndex(int Value) {
  if (Value == d_->imageIndex) return;
  d_->imageIndex = Value;
  d_->changed(this);
}

void* TListItem::Data() const { return d_->data; }
void TListItem::SetData(void* Value) { d_->data = Value; }

bool TListItem::Selected() const { return d_->selected; }
void TListItem::SetSelected(bool Value) {
  if (TListViewPrivate* d = viewOf(d_->owner))
    d->setItemSelected(this, Value);
  else
    d_->selected = Value;
}

bool TListItem::Focused() const {
  const TCustomListView* view = ListView();
  return view != nullptr && view->ItemFocused() == this;
}

void TListItem::SetFocused(bool Value) {
  TCustomListView* view = ListView();
  if (view == nullptr) return;
  if (Value)
    view->SetItemFocused(this);
  else if (view->ItemFocused() == this)
    view->SetItemFocused(nullptr);
}

int TListItem::Index() const {
  const TListViewPrivate* d = viewOf(d_->owner);
  return d != nullptr ? d->rowOf(this) : -1;
}

TListItems* TListItem::Owner() const { return d_->owner; }
TCustomListView* TListItem::ListView() const { return d_->owner != nullptr ? d_->owner->Owner() : nullptr; }

void TListItem::Delete() { delete this; }

void TListItem::MakeVisible(bool PartialOK) {
  TListViewPrivate* d = viewOf(d_->owner);
  if (d == nullptr || !d->widget) return;
  const int row = d->rowOf(this);
  if (row >= 0)
    d->view()->scrollTo(d->model->index(row, 0),
                        PartialOK ? QAbstractItemView::EnsureVisible : QAbstractItemView::PositionAtCenter);
}
