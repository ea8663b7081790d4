#include "TSpeedButton.h"

#include <QToolButton>

#include "QtConvert_p.h"
#include "TBitmap.h"
#include "TControlProps_p.h"
#include "TControl_p.h"
#include "TGraphic_p.h"
#include "TWinControl.h"

DEFINE_CLASS(TSpeedButton, TGraphicControl,
             Published::Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
             ControlProps::Caption(), Published::Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
             ControlProps::Enabled(), Published::Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
             ControlProps::Font(), Published::Class("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph),
             Published::Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
             ControlProps::Hint(), ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), ControlProps::Visible(), ControlProps::OnClick(), ControlProps::OnDblClick(),
             ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

class TSpeedButtonPrivate : public TControlPrivate {
public:
  TSpeedButtonPrivate() : TControlPrivate(new QToolButton) {}
  QToolButton* button() const { return static_cast<QToolButton*>(widget.data()); }

  bool allowAllUp = false;
  bool down = false;
  bool flat = false;
  int groupIndex = 0;
  TBitmap glyph;
};

namespace {
TSpeedButtonPrivate* dOf(const TSpeedButton* b) { return static_cast<TSpeedButtonPrivate*>(b->ControlPrivate()); }
}  // namespace

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner, std::make_unique<TSpeedButtonPrivate>()) {
  TSpeedButtonPrivate* d = dOf(this);
  d->button()->setCheckable(true);
  d->button()->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  d->glyph.OnChange = [this](TObject*) { applyGlyph(); };
  QObject::connect(d->button(), &QToolButton::clicked, d->button(), [this] {
    if (!ControlsTearingDown()) userClick();
  });
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { dOf(this)->glyph.OnChange = nullptr; }

void TSpeedButton::userClick() {
  TSpeedButtonPrivate* d = dOf(this);
  if (d->groupIndex != 0) SetDown(!d->down);
  // The widget toggled itself; it shows the button's own state instead.
  showState();
  Click();
}

void TSpeedButton::showState() {
  TSpeedButtonPrivate* d = dOf(this);
  if (d->widget) d->button()->setChecked(d->down);
}

std::vector<TSpeedButton*> TSpeedButton::group() const {
  std::vector<TSpeedButton*> out;
  const TSpeedButtonPrivate* d = dOf(this);
  if (d->groupIndex == 0 || Parent() == nullptr) return out;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i)); b != nullptr && b != this && b->GroupIndex() == d->groupIndex)
      out.push_back(b);
  return out;
}

bool TSpeedButton::Down() const { return dOf(this)->down; }

void TSpeedButton::SetDown(bool Value) {
  TSpeedButtonPrivate* d = dOf(this);
  if (d->groupIndex == 0) Value = false;
  if (Value == d->down) {
    showState();
    return;
  }
  if (d->down && !d->allowAllUp) {
    showState();
    return;
  }
  d->down = Value;
  if (Value)
    for (TSpeedButton* other : group()) {
      dOf(other)->down = false;
      other->showState();
    }
  showState();
}

bool TSpeedButton::AllowAllUp() const { return dOf(this)->allowAllUp; }
void TSpeedButton::SetAllowAllUp(bool Value) {
  dOf(this)->allowAllUp = Value;
  for (TSpeedButton* other : group()) dOf(other)->allowAllUp = Value;
}

int TSpeedButton::GroupIndex() const { return dOf(this)->groupIndex; }
void TSpeedButton::SetGroupIndex(int Value) {
  TSpeedButtonPrivate* d = dOf(this);
  d->groupIndex = Value < 0 ? 0 : Value;
  if (d->groupIndex == 0) {
    d->down = false;
    showState();
    return;
  }
  // Joining a group: take the group's AllowAllUp, and stay down only if no other button is.
  const std::vector<TSpeedButton*> others = group();
  if (!others.empty()) d->allowAllUp = dOf(others.front())->allowAllUp;
  if (d->down)
    for (TSpeedButton* other : others) {
      dOf(other)->down = false;
      other->showState();
    }
}

bool TSpeedButton::Flat() const { return dOf(this)->flat; }
void TSpeedButton::SetFlat(bool Value) {
  dOf(this)->flat = Value;
  dOf(this)->button()->setAutoRaise(Value);
}

TBitmap* TSpeedButton::Glyph() const { return &dOf(this)->glyph; }
void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value != nullptr) dOf(this)->glyph.Assign(Value);
}

void TSpeedButton::applyGlyph() {
  TSpeedButtonPrivate* d = dOf(this);
  if (!d->widget) return;
  d->button()->setIcon(d->glyph.Empty() ? QIcon() : QIcon(QPixmap::fromImage(d->glyph.GraphicPrivate()->image)));
}

void TSpeedButton::TextChanged() {
  if (QToolButton* b = dOf(this)->button()) b->setText(ToQString(Caption()));
}
