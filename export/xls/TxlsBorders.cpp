#include "TxlsBorders.h"

#include <utility>

#include "TypInfo.h"

DEFINE_CLASS(TxlsBorder, TPersistent,
             Published::Enum("Style", TxlsBorderStyleNames, &TxlsBorder::Style, &TxlsBorder::SetStyle),
             Published::Enum("Color", TxlsColorNames, &TxlsBorder::Color, &TxlsBorder::SetColor))

DEFINE_CLASS(TxlsBorders, TPersistent,
             Published::Class("Left", &TxlsBorders::Left, &TxlsBorders::SetLeft),
             Published::Class("Right", &TxlsBorders::Right, &TxlsBorders::SetRight),
             Published::Class("Top", &TxlsBorders::Top, &TxlsBorders::SetTop),
             Published::Class("Bottom", &TxlsBorders::Bottom, &TxlsBorders::SetBottom),
             Published::Class("DiagDown", &TxlsBorders::DiagDown, &TxlsBorders::SetDiagDown),
             Published::Class("DiagUp", &TxlsBorders::DiagUp, &TxlsBorders::SetDiagUp))

void TxlsBorder::Assign(TPersistent* Source) {
  if (auto* border = dynamic_cast<TxlsBorder*>(Source)) {
    style_ = border->style_;
    color_ = border->color_;
    return;
  }
  inherited::Assign(Source);
}

bool TxlsBorder::Equals(const TxlsBorder* Other) const {
  return Other != nullptr && style_ == Other->style_ && color_ == Other->color_;
}

void TxlsBorders::Assign(TPersistent* Source) {
  if (auto* borders = dynamic_cast<TxlsBorders*>(Source)) {
    for (auto [mine, theirs] : {std::pair{left_.get(), borders->left_.get()}, {right_.get(), borders->right_.get()},
                                {top_.get(), borders->top_.get()}, {bottom_.get(), borders->bottom_.get()},
                                {diagDown_.get(), borders->diagDown_.get()}, {diagUp_.get(), borders->diagUp_.get()}})
      mine->Assign(theirs);
    return;
  }
  inherited::Assign(Source);
}

bool TxlsBorders::Equals(const TxlsBorders* Other) const {
  return Other != nullptr && left_->Equals(Other->left_.get()) && right_->Equals(Other->right_.get()) &&
         top_->Equals(Other->top_.get()) && bottom_->Equals(Other->bottom_.get()) &&
         diagDown_->Equals(Other->diagDown_.get()) && diagUp_->Equals(Other->diagUp_.get());
}

bool TxlsBorders::AnySet() const {
  for (const TxlsBorder* b : {left_.get(), right_.get(), top_.get(), bottom_.get(), diagDown_.get(), diagUp_.get()})
    if (b->Style() != bstNone) return true;
  return false;
}
