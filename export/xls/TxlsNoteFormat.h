// TxlsNoteFormat: the looks of a cell note.
//
// Published (defaults): Alignment (owned; halLeft, valTop), BackgroundColor and ForegroundColor
// (screen colours, 0xE1FFFF), FillType nftSolid, Font (owned; Tahoma 8 bold), Transparency 0
// (percent), Orientation xrtNoRotation, Gradient ngrHorizontal. Assign copies all of them.
#pragma once

#include <memory>

#include "Graphics.h"
#include "TxlsAlignment.h"
#include "TxlsCustomItem.h"
#include "TxlsFont.h"

class TxlsNoteFormat : public TxlsCustomItem {
  DECLARE_CLASS(TxlsNoteFormat, TxlsCustomItem)

  explicit TxlsNoteFormat(TCollection* Collection = nullptr);
  ~TxlsNoteFormat() override;

  void Assign(TPersistent* Source) override;
  int ItemKind() const override { return 2; }

  TxlsAlignment* Alignment() const { return alignment_.get(); }
  void SetAlignment(TxlsAlignment* Value) { alignment_->Assign(Value); }
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor Value) { backgroundColor_ = Value; }
  TColor ForegroundColor() const { return foregroundColor_; }
  void SetForegroundColor(TColor Value) { foregroundColor_ = Value; }
  TxlsNoteFillType FillType() const { return fillType_; }
  void SetFillType(TxlsNoteFillType Value) { fillType_ = Value; }
  TxlsFont* Font() const { return font_.get(); }
  void SetFont(TxlsFont* Value) { font_->Assign(Value); }
  TxlsPercent Transparency() const { return transparency_; }
  void SetTransparency(TxlsPercent Value) { transparency_ = Value < 0 ? 0 : Value > 100 ? 100 : Value; }
  TxlsOrientation Orientation() const { return orientation_; }
  void SetOrientation(TxlsOrientation Value) { orientation_ = Value; }
  TxlsNoteGradient Gradient() const { return gradient_; }
  void SetGradient(TxlsNoteGradient Value) { gradient_ = Value; }

private:
  std::unique_ptr<TxlsAlignment> alignment_;
  TColor backgroundColor_ = 0xE1FFFF;
  TColor foregroundColor_ = 0xE1FFFF;
  TxlsNoteFillType fillType_ = nftSolid;
  std::unique_ptr<TxlsFont> font_;
  TxlsPercent transparency_ = 0;
  TxlsOrientation orientation_ = xrtNoRotation;
  TxlsNoteGradient gradient_ = ngrHorizontal;
};
