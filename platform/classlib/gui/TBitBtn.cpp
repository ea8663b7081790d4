#include "TBitBtn.h"

#include <QApplication>
#include <QStyle>

#include "TBitmap.h"
#include "TButton_p.h"
#include "TControlProps_p.h"
#include "TCustomForm.h"
#include "TGraphic_p.h"

DEFINE_CLASS(TBitBtn, TButton, Published::Class("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph),
             Published::Enum("Kind", {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                                      "bkRetry", "bkIgnore", "bkAll"},
                             &TBitBtn::Kind, &TBitBtn::SetKind))

namespace {

struct KindInfo {
  const char* caption;
  TModalResult result;
  QStyle::StandardPixmap pixmap;
};

KindInfo kindInfo(TBitBtnKind kind) {
  switch (kind) {
    case bkOK: return {"OK", mrOk, QStyle::SP_DialogOkButton};
    case bkCancel: return {"Cancel", mrCancel, QStyle::SP_DialogCancelButton};
    case bkHelp: return {"&Help", mrNone, QStyle::SP_DialogHelpButton};
    case bkYes: return {"&Yes", mrYes, QStyle::SP_DialogYesButton};
    case bkNo: return {"&No", mrNo, QStyle::SP_DialogNoButton};
    case bkClose: return {"&Close", mrNone, QStyle::SP_DialogCloseButton};
    case bkAbort: return {"Abort", mrAbort, QStyle::SP_BrowserStop};
    case bkRetry: return {"&Retry", mrRetry, QStyle::SP_BrowserReload};
    case bkIgnore: return {"&Ignore", mrIgnore, QStyle::SP_DialogDiscardButton};
    case bkAll: return {"&All", mrAll, QStyle::SP_DialogApplyButton};
    default: return {"", mrNone, QStyle::SP_CustomBase};
  }
}

}  // namespace

class TBitBtnPrivate : public TButtonPrivate {
public:
  TBitBtnKind kind = bkCustom;
  TBitmap glyph;
};

namespace {
TBitBtnPrivate* dOf(const TBitBtn* b) { return static_cast<TBitBtnPrivate*>(b->ControlPrivate()); }
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner, std::make_unique<TBitBtnPrivate>()) {
  dOf(this)->glyph.OnChange = [this](TObject*) { applyGlyph(); };
}

TBitBtn::~TBitBtn() { dOf(this)->glyph.OnChange = nullptr; }

TBitBtnKind TBitBtn::Kind() const { return dOf(this)->kind; }

void TBitBtn::SetKind(TBitBtnKind Value) {
  TBitBtnPrivate* d = dOf(this);
  d->kind = Value;
  if (Value != bkCustom) {
    const KindInfo info = kindInfo(Value);
    SetDefault(Value == bkOK || Value == bkYes);
    SetCancel(Value == bkCancel || Value == bkNo);
    SetCaption(info.caption);
    SetModalResult(info.result);
  }
  applyGlyph();
}

TBitmap* TBitBtn::Glyph() const { return &dOf(this)->glyph; }

void TBitBtn::SetGlyph(TBitmap* Value) {
  if (Value != nullptr) dOf(this)->glyph.Assign(Value);
}

void TBitBtn::applyGlyph() {
  TBitBtnPrivate* d = dOf(this);
  if (!d->widget) return;
  if (!d->glyph.Empty())
    d->button()->setIcon(QIcon(QPixmap::fromImage(d->glyph.GraphicPrivate()->image)));
  else if (d->kind != bkCustom)
    d->button()->setIcon(QApplication::style()->standardIcon(kindInfo(d->kind).pixmap));
  else
    d->button()->setIcon(QIcon());
}

void TBitBtn::Click() {
  if (dOf(this)->kind == bkClose && Enabled()) {
    inherited::Click();
    if (TCustomForm* form = ParentForm()) form->Close();
    return;
  }
  inherited::Click();
}
