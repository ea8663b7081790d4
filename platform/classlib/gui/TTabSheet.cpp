#include "TTabSheet.h"

#include <QTabBar>
#include <QTabWidget>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TPageControl.h"
#include "TStackPage_p.h"

DEFINE_CLASS(TTabSheet, TWinControl, ControlProps::Caption(), ControlProps::Enabled(), ControlProps::Font(),
             ControlProps::Hint(), Published::Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), Published::Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
             ControlProps::OnEnter(), ControlProps::OnExit(), Published::Event("OnHide", &TTabSheet::OnHide),
             Published::Event("OnShow", &TTabSheet::OnShow))

class TTabSheetPrivate : public TStackPagePrivate {
public:
  TPageControl* pageControl = nullptr;
  bool tabVisible = true;
};

namespace {

TTabSheetPrivate* dOf(const TTabSheet* s) { return static_cast<TTabSheetPrivate*>(s->ControlPrivate()); }

QTabWidget* tabsOf(const TPageControl* pc) { return static_cast<QTabWidget*>(pc->ControlPrivate()->widget.data()); }

}  // namespace

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TTabSheetPrivate>()) {
  dOf(this)->page = this;
  dOf(this)->parentColor = true;
}

TTabSheet::~TTabSheet() {
  SetPageControl(nullptr);
  TearDown();
}

TPageControl* TTabSheet::PageControl() const { return dOf(this)->pageControl; }

void TTabSheet::SetParent(TWinControl* AParent) {
  auto* pc = dynamic_cast<TPageControl*>(AParent);
  if (AParent != nullptr && pc == nullptr) throw EInvalidOperation("A tab sheet can only be placed on a page control");
  SetPageControl(pc);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  TTabSheetPrivate* d = dOf(this);
  if (Value == d->pageControl) return;
  if (d->pageControl != nullptr) d->pageControl->removePage(this);
  d->pageControl = nullptr;
  inherited::SetParent(Value);
  d->pageControl = Value;
  if (Value != nullptr) Value->insertPage(this);
}

bool TTabSheet::TabVisible() const { return dOf(this)->tabVisible; }

void TTabSheet::SetTabVisible(bool Value) {
  TTabSheetPrivate* d = dOf(this);
  if (Value == d->tabVisible) return;
  d->tabVisible = Value;
  if (d->pageControl != nullptr) d->pageControl->showTab(this, Value);
}

int TTabSheet::PageIndex() const {
  const TPageControl* pc = dOf(this)->pageControl;
  if (pc == nullptr) return -1;
  for (int i = 0; i < pc->PageCount(); ++i)
    if (pc->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::SetPageIndex(int Value) {
  if (TPageControl* pc = dOf(this)->pageControl) pc->movePage(this, Value);
}

int TTabSheet::TabIndex() const {
  const TPageControl* pc = dOf(this)->pageControl;
  if (pc == nullptr || !dOf(this)->tabVisible) return -1;
  int visible = 0;
  for (int i = 0; i < pc->PageCount(); ++i) {
    if (pc->Pages(i) == this) return visible;
    if (pc->Pages(i)->TabVisible()) ++visible;
  }
  return -1;
}

void TTabSheet::TextChanged() {
  TTabSheetPrivate* d = dOf(this);
  if (d->pageControl != nullptr) tabsOf(d->pageControl)->setTabText(PageIndex(), ToQString(Caption()));
}

void TTabSheet::DoEnter() {}

void TTabSheet::activated() {
  if (OnShow) FireEvent(this, [this] { OnShow(this); });
  inherited::DoEnter();
}

void TTabSheet::deactivated() {
  if (OnHide) FireEvent(this, [this] { OnHide(this); });
}
