#include "TxlsXFormat.h"

#include "CodePage.h"
#include "TxlsFont.h"

TxlsTextFormat::TxlsTextFormat(const WideString& Text) : text_(Text), ansiText_(WideToAnsi(Text)) {}

bool TxlsTextFormat::Equals(const TxlsTextFormat* Other) const {
  return Other != nullptr && ansiText_ == Other->ansiText_;
}

bool TxlsTextFormat::EqualsText(const WideString& Text) const { return Text == text_ || WideToAnsi(Text) == ansiText_; }

TxlsXFormat::TxlsXFormat()
    : borders_(std::make_unique<TxlsBorders>()),
      fill_(std::make_unique<TxlsFill>()),
      alignment_(std::make_unique<TxlsAlignment>()) {}

TxlsXFormat::~TxlsXFormat() = default;

bool TxlsXFormat::Equals(const TxlsXFormat* Other) const {
  if (Other == nullptr) return false;
  const bool fontsMatch = font_ == nullptr ? Other->font_ == nullptr : font_->Equals(Other->font_);
  const bool formatsMatch =
      numberFormat_ == nullptr ? Other->numberFormat_ == nullptr : numberFormat_->Equals(Other->numberFormat_);
  return fontsMatch && formatsMatch && wrap_ == Other->wrap_ && indent_ == Other->indent_ &&
         rotation_ == Other->rotation_ && borders_->Equals(Other->borders_.get()) && fill_->Equals(Other->fill_.get()) &&
         alignment_->Equals(Other->alignment_.get());
}
