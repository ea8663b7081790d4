#include "TCollection.h"

#include <algorithm>

#include "RTLConsts.h"
#include "TList.h"
#include "TypInfo.h"
#include "Updating.h"

DEFINE_CLASS(TCollection, TPersistent)

TCollection::TCollection(TCollectionItemClass ItemClass) : itemClass_(ItemClass) {}

TCollection::~TCollection() {
  // Descendants are gone: no Update or Notify of theirs can be called any more.
  updateCount_ = 1;
  while (!items_.empty()) {
    TCollectionItem* last = items_.back();
    items_.pop_back();
    last->collection_ = nullptr;
    delete last;
  }
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_.Create(this);
  added(item);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, TCollectionNotification::cnDeleting);
  detach(item, true);
  delete item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  Updating(*this, [&] {
    while (!items_.empty()) {
      TCollectionItem* last = items_.back();
      detach(last, true);
      delete last;
    }
  });
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  Updating(*this, [&] {
    Clear();
    for (int i = 0; i < source->Count(); ++i) Add()->Assign(source->Items(i));
  });
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  Changed();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) TList::Error(SListIndexError, Index);
  return items_[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == ID) return item;
  return nullptr;
}

TPersistent* TCollection::GetOwner() const { return nullptr; }

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::attach(TCollectionItem* Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextID_++;
}

void TCollection::added(TCollectionItem* Item) {
  Notify(Item, TCollectionNotification::cnAdded);
  Changed();
}

void TCollection::detach(TCollectionItem* Item, bool Tell) {
  if (Tell) Notify(Item, TCollectionNotification::cnExtracting);
  auto it = std::find(items_.begin(), items_.end(), Item);
  if (it != items_.end()) items_.erase(it);
  Item->collection_ = nullptr;
  Changed();
}
