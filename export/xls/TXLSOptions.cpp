#include "TXLSOptions.h"

#include "TypInfo.h"

DEFINE_CLASS(TXLSOptions, TPersistent,
             Published::WideString("PageHeader", &TXLSOptions::PageHeader, &TXLSOptions::SetPageHeader),
             Published::WideString("PageFooter", &TXLSOptions::PageFooter, &TXLSOptions::SetPageFooter),
             Published::String("SheetTitle", &TXLSOptions::SheetTitle, &TXLSOptions::SetSheetTitle),
             Published::Class("HeaderFormat", &TXLSOptions::HeaderFormat, &TXLSOptions::SetHeaderFormat),
             Published::Class("CaptionsFormat", &TXLSOptions::CaptionsFormat, &TXLSOptions::SetCaptionsFormat),
             Published::Class("DataFormat", &TXLSOptions::DataFormat, &TXLSOptions::SetDataFormat),
             Published::Class("AggregateFormat", &TXLSOptions::AggregateFormat, &TXLSOptions::SetAggregateFormat),
             Published::Class("FooterFormat", &TXLSOptions::FooterFormat, &TXLSOptions::SetFooterFormat),
             Published::Class("HyperlinkFormat", &TXLSOptions::HyperlinkFormat, &TXLSOptions::SetHyperlinkFormat),
             Published::Class("NoteFormat", &TXLSOptions::NoteFormat, &TXLSOptions::SetNoteFormat))

TXLSOptions::TXLSOptions()
    : headerFormat_(std::make_unique<TxlsFormat>()),
      captionsFormat_(std::make_unique<TxlsFormat>()),
      dataFormat_(std::make_unique<TxlsFormat>()),
      aggregateFormat_(std::make_unique<TxlsFormat>()),
      footerFormat_(std::make_unique<TxlsFormat>()),
      hyperlinkFormat_(std::make_unique<TxlsFormat>()),
      noteFormat_(std::make_unique<TxlsNoteFormat>()) {
  captionsFormat_->Font()->SetStyle({xfsBold});
  hyperlinkFormat_->Font()->SetColor(clrBlue);
  hyperlinkFormat_->Font()->SetUnderline(fulSingle);
}

TXLSOptions::~TXLSOptions() = default;

void TXLSOptions::Assign(TPersistent* Source) {
  if (auto* options = dynamic_cast<TXLSOptions*>(Source)) {
    SetHeaderFormat(options->HeaderFormat());
    SetCaptionsFormat(options->CaptionsFormat());
    SetDataFormat(options->DataFormat());
    SetAggregateFormat(options->AggregateFormat());
    SetFooterFormat(options->FooterFormat());
    SetHyperlinkFormat(options->HyperlinkFormat());
    SetNoteFormat(options->NoteFormat());
    return;
  }
  inherited::Assign(Source);
}
