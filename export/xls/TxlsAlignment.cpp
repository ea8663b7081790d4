#include "TxlsAlignment.h"

#include "TypInfo.h"

DEFINE_CLASS(TxlsAlignment, TPersistent,
             Published::Enum("Horizontal", TxlsHorizontalAlignmentNames, &TxlsAlignment::Horizontal,
                             &TxlsAlignment::SetHorizontal),
             Published::Enum("Vertical", TxlsVerticalAlignmentNames, &TxlsAlignment::Vertical,
                             &TxlsAlignment::SetVertical))

void TxlsAlignment::Assign(TPersistent* Source) {
  if (auto* alignment = dynamic_cast<TxlsAlignment*>(Source)) {
    horizontal_ = alignment->horizontal_;
    vertical_ = alignment->vertical_;
    return;
  }
  inherited::Assign(Source);
}

bool TxlsAlignment::Equals(const TxlsAlignment* Other) const {
  return Other != nullptr && horizontal_ == Other->horizontal_ && vertical_ == Other->vertical_;
}
