// TxlsFill: the fill of a cell. Published (defaults): Background clrWhite, Pattern ptNone,
// Foreground clrBlack.
#pragma once

#include "TPersistent.h"
#include "XlsColors.h"
#include "XlsTypes.h"

class TxlsFill : public TPersistent {
  DECLARE_CLASS(TxlsFill, TPersistent)

  TxlsFill() = default;
  void Assign(TPersistent* Source) override;
  bool Equals(const TxlsFill* Other) const;

  TxlsColor Background() const { return background_; }
  void SetBackground(TxlsColor Value) { background_ = Value; }
  TxlsPattern Pattern() const { return pattern_; }
  void SetPattern(TxlsPattern Value) { pattern_ = Value; }
  TxlsColor Foreground() const { return foreground_; }
  void SetForeground(TxlsColor Value) { foreground_ = Value; }

private:
  TxlsColor background_ = clrWhite;
  TxlsPattern pattern_ = ptNone;
  TxlsColor foreground_ = clrBlack;
};
