// TxlsAlignment: the alignment of a cell's text. Published (defaults): Horizontal halGeneral,
// Vertical valBottom.
#pragma once

#include "TPersistent.h"
#include "XlsTypes.h"

class TxlsAlignment : public TPersistent {
  DECLARE_CLASS(TxlsAlignment, TPersistent)

  TxlsAlignment() = default;
  TxlsAlignment(TxlsHorizontalAlignment Horizontal, TxlsVerticalAlignment Vertical)
      : horizontal_(Horizontal), vertical_(Vertical) {}
  void Assign(TPersistent* Source) override;
  bool Equals(const TxlsAlignment* Other) const;

  TxlsHorizontalAlignment Horizontal() const { return horizontal_; }
  void SetHorizontal(TxlsHorizontalAlignment Value) { horizontal_ = Value; }
  TxlsVerticalAlignment Vertical() const { return vertical_; }
  void SetVertical(TxlsVerticalAlignment Value) { vertical_ = Value; }

private:
  TxlsHorizontalAlignment horizontal_ = halGeneral;
  TxlsVerticalAlignment vertical_ = valBottom;
};
