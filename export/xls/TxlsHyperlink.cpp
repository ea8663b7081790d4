#include "TxlsHyperlink.h"

#include "BiffHyperlinkRecords.h"
#include "CodePage.h"
#include "TXLSOptions.h"
#include "TbiffBuffer.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsHyperlink, TxlsCustomItem,
             Published::Integer("Col", &TxlsHyperlink::Col, &TxlsHyperlink::SetCol),
             Published::Integer("Row", &TxlsHyperlink::Row, &TxlsHyperlink::SetRow),
             Published::Enum("Style", {"hlsURL", "hlsLocalFile"}, &TxlsHyperlink::Style, &TxlsHyperlink::SetStyle),
             Published::WideString("Target", &TxlsHyperlink::Target, &TxlsHyperlink::SetTarget),
             Published::WideString("Title", &TxlsHyperlink::Title, &TxlsHyperlink::SetTitle),
             Published::WideString("ScreenTip", &TxlsHyperlink::ScreenTip, &TxlsHyperlink::SetScreenTip),
             Published::Class("Format", &TxlsHyperlink::Format, &TxlsHyperlink::SetFormat))

DEFINE_CLASS(TxlsHyperlinks, TOwnedCollection)

TxlsHyperlink::TxlsHyperlink(TCollection* Collection)
    : TxlsCustomItem(Collection), format_(std::make_unique<TxlsFormat>()) {
  // A new link looks like the links of the sheet or exporter it is added to.
  const TPersistent* owner = CollectionOwner();
  if (owner == nullptr) return;
  if (GetPropInfo(owner, "Options") != nullptr) {
    if (auto* options = dynamic_cast<TXLSOptions*>(GetObjectProp(owner, "Options"))) {
      format_->Assign(options->HyperlinkFormat());
      return;
    }
  }
  if (GetPropInfo(owner, "HyperlinkFormat") != nullptr)
    if (auto* format = dynamic_cast<TxlsFormat*>(GetObjectProp(owner, "HyperlinkFormat"))) format_->Assign(format);
}

TxlsHyperlink::~TxlsHyperlink() = default;

void TxlsHyperlink::Assign(TPersistent* Source) {
  if (auto* link = dynamic_cast<TxlsHyperlink*>(Source)) {
    col_ = link->col_;
    row_ = link->row_;
    style_ = link->style_;
    target_ = link->target_;
    title_ = link->title_;
    screenTip_ = link->screenTip_;
    format_->Assign(link->format_.get());
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsHyperlink::DisplayName() const { return title_.empty() ? inherited::DisplayName() : WideToAnsi(title_); }

bool TxlsHyperlink::IsValid() const {
  return col_ >= 1 && col_ <= 256 && row_ != 0 && !title_.empty() && !target_.empty();
}

std::size_t TxlsHyperlink::RecordLength() const {
  TbiffBuffer body;
  AssembleHLINK(*this, body);
  return body.Size();
}

TxlsHyperlinks::TxlsHyperlinks(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsHyperlink>()) {}

TxlsHyperlink* TxlsHyperlinks::Add() { return static_cast<TxlsHyperlink*>(TCollection::Add()); }

TxlsHyperlink* TxlsHyperlinks::Items(int Index) const { return static_cast<TxlsHyperlink*>(TCollection::Items(Index)); }
