// TxlsBorder: one line around a cell (published Style, default bstNone; Color, default
// clrBlack). TxlsBorders: the six lines of a cell, Left, Right, Top, Bottom, DiagDown and DiagUp;
// setting one copies the given border into it.
#pragma once

#include <memory>

#include "TPersistent.h"
#include "XlsColors.h"
#include "XlsTypes.h"

class TxlsBorder : public TPersistent {
  DECLARE_CLASS(TxlsBorder, TPersistent)

  TxlsBorder() = default;
  void Assign(TPersistent* Source) override;
  bool Equals(const TxlsBorder* Other) const;

  TxlsBorderStyle Style() const { return style_; }
  void SetStyle(TxlsBorderStyle Value) { style_ = Value; }
  TxlsColor Color() const { return color_; }
  void SetColor(TxlsColor Value) { color_ = Value; }

private:
  TxlsBorderStyle style_ = bstNone;
  TxlsColor color_ = clrBlack;
};

class TxlsBorders : public TPersistent {
  DECLARE_CLASS(TxlsBorders, TPersistent)

  TxlsBorders() = default;
  void Assign(TPersistent* Source) override;
  bool Equals(const TxlsBorders* Other) const;
  // Some line has a style other than bstNone.
  bool AnySet() const;

  TxlsBorder* Left() const { return left_.get(); }
  void SetLeft(TxlsBorder* Value) { left_->Assign(Value); }
  TxlsBorder* Right() const { return right_.get(); }
  void SetRight(TxlsBorder* Value) { right_->Assign(Value); }
  TxlsBorder* Top() const { return top_.get(); }
  void SetTop(TxlsBorder* Value) { top_->Assign(Value); }
  TxlsBorder* Bottom() const { return bottom_.get(); }
  void SetBottom(TxlsBorder* Value) { bottom_->Assign(Value); }
  TxlsBorder* DiagDown() const { return diagDown_.get(); }
  void SetDiagDown(TxlsBorder* Value) { diagDown_->Assign(Value); }
  TxlsBorder* DiagUp() const { return diagUp_.get(); }
  void SetDiagUp(TxlsBorder* Value) { diagUp_->Assign(Value); }

private:
  std::unique_ptr<TxlsBorder> left_ = std::make_unique<TxlsBorder>();
  std::unique_ptr<TxlsBorder> right_ = std::make_unique<TxlsBorder>();
  std::unique_ptr<TxlsBorder> top_ = std::make_unique<TxlsBorder>();
  std::unique_ptr<TxlsBorder> bottom_ = std::make_unique<TxlsBorder>();
  std::unique_ptr<TxlsBorder> diagDown_ = std::make_unique<TxlsBorder>();
  std::unique_ptr<TxlsBorder> diagUp_ = std::make_unique<TxlsBorder>();
};
