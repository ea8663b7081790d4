#include "TxlsNoteFormat.h"

#include "TypInfo.h"

DEFINE_CLASS(TxlsNoteFormat, TxlsCustomItem,
             Published::Class("Alignment", &TxlsNoteFormat::Alignment, &TxlsNoteFormat::SetAlignment),
             Published::Integer(ColorIdents(), "BackgroundColor", &TxlsNoteFormat::BackgroundColor,
                                &TxlsNoteFormat::SetBackgroundColor),
             Published::Integer(ColorIdents(), "ForegroundColor", &TxlsNoteFormat::ForegroundColor,
                                &TxlsNoteFormat::SetForegroundColor),
             Published::Enum("FillType", TxlsNoteFillTypeNames, &TxlsNoteFormat::FillType, &TxlsNoteFormat::SetFillType),
             Published::Class("Font", &TxlsNoteFormat::Font, &TxlsNoteFormat::SetFont),
             Published::Integer("Transparency", &TxlsNoteFormat::Transparency, &TxlsNoteFormat::SetTransparency),
             Published::Enum("Orientation", TxlsOrientationNames, &TxlsNoteFormat::Orientation,
                             &TxlsNoteFormat::SetOrientation),
             Published::Enum("Gradient", TxlsNoteGradientNames, &TxlsNoteFormat::Gradient, &TxlsNoteFormat::SetGradient))

TxlsNoteFormat::TxlsNoteFormat(TCollection* Collection)
    : TxlsCustomItem(Collection),
      alignment_(std::make_unique<TxlsAlignment>(halLeft, valTop)),
      font_(std::make_unique<TxlsFont>()) {
  font_->SetSize(8);
  font_->SetStyle({xfsBold});
  font_->SetName(u"Tahoma");
}

TxlsNoteFormat::~TxlsNoteFormat() = default;

void TxlsNoteFormat::Assign(TPersistent* Source) {
  if (auto* format = dynamic_cast<TxlsNoteFormat*>(Source)) {
    alignment_->Assign(format->alignment_.get());
    backgroundColor_ = format->backgroundColor_;
    foregroundColor_ = format->foregroundColor_;
    fillType_ = format->fillType_;
    font_->Assign(format->font_.get());
    transparency_ = format->transparency_;
    orientation_ = format->orientation_;
    gradient_ = format->gradient_;
    return;
  }
  inherited::Assign(Source);
}
