#include "TExportColumn.h"

#include "TypInfo.h"

DEFINE_CLASS(TExportColumn, TCollectionItem)

TExportColumn::TExportColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TExportColumn::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TExportColumn*>(Source);
  if (other == nullptr) {
    inherited::Assign(Source);
    return;
  }
  columnIndex_ = other->columnIndex_;
  colType_ = other->colType_;
  fieldType_ = other->fieldType_;
  name_ = other->name_;
  caption_ = other->caption_;
  width_ = other->width_;
  align_ = other->align_;
  format_ = other->format_;
  length_ = other->length_;
  workValue_ = other->workValue_;
  isBlob_ = other->isBlob_;
  isMemo_ = other->isMemo_;
  visible_ = other->visible_;
}
