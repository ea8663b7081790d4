#include "TxlsCustomItem.h"

#include "TCollection.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsCustomItem, TCollectionItem)

TPersistent* TxlsCustomItem::CollectionOwner() const { return Collection() != nullptr ? Collection()->Owner() : nullptr; }

TCollectionItem* TxlsCustomItem::Sheet() const { return dynamic_cast<TCollectionItem*>(CollectionOwner()); }

TPersistent* TxlsCustomItem::Exporter() const {
  TPersistent* owner = CollectionOwner();
  if (auto* sheet = dynamic_cast<TCollectionItem*>(owner))
    return sheet->Collection() != nullptr ? sheet->Collection()->Owner() : nullptr;
  return owner;
}
