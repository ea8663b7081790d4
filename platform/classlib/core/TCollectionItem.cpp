#include "TCollectionItem.h"

#include "RTLConsts.h"
#include "TCollection.h"
#include "TList.h"
#include "TypInfo.h"

DEFINE_CLASS(TCollectionItem, TPersistent)

TCollectionItem::TCollectionItem(TCollection* Collection) {
  // Joining only: the collection is told once the whole item exists (TCollection::Add).
  if (Collection != nullptr) Collection->attach(this);
}

TCollectionItem::~TCollectionItem() {
  // The descendant's part is gone already; the collection is only told that it changed.
  if (collection_ != nullptr) collection_->detach(this, false);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (collection_ == Value) return;
  if (collection_ != nullptr) collection_->detach(this, true);
  if (Value != nullptr) {
    Value->attach(this);
    Value->added(this);
  }
}

int TCollectionItem::Index() const {
  if (collection_ == nullptr) return -1;
  const auto& items = collection_->items_;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == this) return static_cast<int>(i);
  return -1;
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || current == Value) return;
  auto& items = collection_->items_;
  if (Value < 0 || Value >= static_cast<int>(items.size())) TList::Error(SListIndexError, Value);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

AnsiString TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const AnsiString&) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed(bool AllItems) {
  if (collection_ != nullptr && collection_->updateCount_ == 0) collection_->Update(AllItems ? nullptr : this);
}
