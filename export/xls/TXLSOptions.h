// TXLSOptions: the looks and page texts of one sheet.
//
// Published (defaults): PageHeader "", PageFooter "Page &P of &N", SheetTitle "Sheet 1"
// (setting "" stores "Sheet1"), HeaderFormat, CaptionsFormat (bold), DataFormat,
// AggregateFormat, FooterFormat (default looks), HyperlinkFormat (blue, single underline),
// NoteFormat. The formats are owned; setting one copies into it. Assign copies the seven
// formats, not the page texts or the title.
#pragma once

#include <memory>

#include "TPersistent.h"
#include "TxlsFormat.h"
#include "TxlsNoteFormat.h"

class TXLSOptions : public TPersistent {
  DECLARE_CLASS(TXLSOptions, TPersistent)

  TXLSOptions();
  ~TXLSOptions() override;
  void Assign(TPersistent* Source) override;

  const WideString& PageHeader() const { return pageHeader_; }
  void SetPageHeader(const WideString& Value) { pageHeader_ = Value; }
  const WideString& PageFooter() const { return pageFooter_; }
  void SetPageFooter(const WideString& Value) { pageFooter_ = Value; }
  const AnsiString& SheetTitle() const { return sheetTitle_; }
  void SetSheetTitle(const AnsiString& Value) { sheetTitle_ = Value.empty() ? "Sheet1" : Value; }
  TxlsFormat* HeaderFormat() const { return headerFormat_.get(); }
  void SetHeaderFormat(TxlsFormat* Value) { headerFormat_->Assign(Value); }
  TxlsFormat* CaptionsFormat() const { return captionsFormat_.get(); }
  void SetCaptionsFormat(TxlsFormat* Value) { captionsFormat_->Assign(Value); }
  TxlsFormat* DataFormat() const { return dataFormat_.get(); }
  void SetDataFormat(TxlsFormat* Value) { dataFormat_->Assign(Value); }
  TxlsFormat* AggregateFormat() const { return aggregateFormat_.get(); }
  void SetAggregateFormat(TxlsFormat* Value) { aggregateFormat_->Assign(Value); }
  TxlsFormat* FooterFormat() const { return footerFormat_.get(); }
  void SetFooterFormat(TxlsFormat* Value) { footerFormat_->Assign(Value); }
  TxlsFormat* HyperlinkFormat() const { return hyperlinkFormat_.get(); }
  void SetHyperlinkFormat(TxlsFormat* Value) { hyperlinkFormat_->Assign(Value); }
  TxlsNoteFormat* NoteFormat() const { return noteFormat_.get(); }
  void SetNoteFormat(TxlsNoteFormat* Value) { noteFormat_->Assign(Value); }

private:
  WideString pageHeader_;
  WideString pageFooter_ = u"Page &P of &N";
  AnsiString sheetTitle_ = "Sheet 1";
  std::unique_ptr<TxlsFormat> headerFormat_, captionsFormat_, dataFormat_, aggregateFormat_, footerFormat_,
      hyperlinkFormat_;
  std::unique_ptr<TxlsNoteFormat> noteFormat_;
};
