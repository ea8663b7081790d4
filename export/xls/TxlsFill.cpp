#include "TxlsFill.h"

#include "TypInfo.h"

DEFINE_CLASS(TxlsFill, TPersistent,
             Published::Enum("Background", TxlsColorNames, &TxlsFill::Background, &TxlsFill::SetBackground),
             Published::Enum("Pattern", TxlsPatternNames, &TxlsFill::Pattern, &TxlsFill::SetPattern),
             Published::Enum("Foreground", TxlsColorNames, &TxlsFill::Foreground, &TxlsFill::SetForeground))

void TxlsFill::Assign(TPersistent* Source) {
  if (auto* fill = dynamic_cast<TxlsFill*>(Source)) {
    background_ = fill->background_;
    pattern_ = fill->pattern_;
    foreground_ = fill->foreground_;
    return;
  }
  inherited::Assign(Source);
}

bool TxlsFill::Equals(const TxlsFill* Other) const {
  return Other != nullptr && background_ == Other->background_ && pattern_ == Other->pattern_ &&
         foreground_ == Other->foreground_;
}
