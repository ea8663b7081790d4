// TBitBtn: a push button with a picture (Glyph) beside its caption.
//
// Kind gives a standard button its caption, picture and modal result: bkOK "OK" (mrOk,
// Default), bkCancel "Cancel" (mrCancel, Cancel), bkYes "&Yes" (mrYes, Default), bkNo "&No"
// (mrNo, Cancel), bkAbort "Abort" (mrAbort), bkRetry "&Retry" (mrRetry), bkIgnore "&Ignore"
// (mrIgnore), bkAll "&All" (mrAll), bkHelp "&Help", bkClose "&Close" (closes its form);
// bkCustom keeps what was set. Setting Kind replaces the caption, so a form sets Kind first
// and its own caption after it. The pictures come from the desktop's style.
//
// Published: TButton's, Glyph, Kind.
#pragma once

#include "TButton.h"

class TBitmap;

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
using enum TBitBtnKind;

class TBitBtn : public TButton {
  DECLARE_CLASS(TBitBtn, TButton)

  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  TBitBtnKind Kind() const;
  void SetKind(TBitBtnKind Value);
  // The picture shown beside the caption (empty: the kind's own picture, or none).
  TBitmap* Glyph() const;
  void SetGlyph(TBitmap* Value);

  void Click() override;

private:
  void applyGlyph();
};
