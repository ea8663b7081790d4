#include "TCheckBox.h"

#include <QCheckBox>

#include "QtConvert_p.h"
#include "TCheckBox_p.h"
#include "TControlProps_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TCheckBox, TWinControl,
             Published::Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCheckBox::Alignment,
                             &TCheckBox::SetAlignment),
             Published::Boolean("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
             ControlProps::Caption(), Published::Boolean("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
             ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(),
             Published::Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::State, &TCheckBox::SetState),
             ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(), ControlProps::OnClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

class TCheckBoxPrivate : public TWinControlPrivate {
public:
  TCheckBoxPrivate() : TWinControlPrivate(new QCheckBox) {}
  QCheckBox* box() const { return static_cast<QCheckBox*>(widget.data()); }
  TCheckBoxState state = cbUnchecked;
  TAlignment alignment = taRightJustify;
};

namespace {

TCheckBoxPrivate* dOf(const TCheckBox* c) { return static_cast<TCheckBoxPrivate*>(c->ControlPrivate()); }

}  // namespace

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TCheckBoxPrivate>()) {
  TCheckBoxPrivate* d = dOf(this);
  d->parentColor = true;
  QObject::connect(d->box(), &QCheckBox::stateChanged, d->box(), [this](int state) {
    if (ControlsTearingDown()) return;
    SetState(FromQCheckState(static_cast<Qt::CheckState>(state)));
  });
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::TextChanged() {
  if (QCheckBox* b = dOf(this)->box()) b->setText(ToQString(Caption()));
}

bool TCheckBox::Checked() const { return dOf(this)->state == cbChecked; }
void TCheckBox::SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckBox::State() const { return dOf(this)->state; }

void TCheckBox::SetState(TCheckBoxState Value) {
  TCheckBoxPrivate* d = dOf(this);
  if (Value == d->state) return;
  d->state = Value;
  if (d->widget && d->box()->checkState() != ToQCheckState(Value)) {
    const QSignalBlocker block(d->box());
    d->box()->setCheckState(ToQCheckState(Value));
  }
  Click();
}

bool TCheckBox::AllowGrayed() const { return dOf(this)->box()->isTristate(); }
void TCheckBox::SetAllowGrayed(bool Value) {
  dOf(this)->box()->setTristate(Value);
  if (!Value && dOf(this)->state == cbGrayed) SetState(cbUnchecked);
}

TAlignment TCheckBox::Alignment() const { return dOf(this)->alignment; }
void TCheckBox::SetAlignment(TAlignment Value) {
  TCheckBoxPrivate* d = dOf(this);
  d->alignment = Value;
  d->box()->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}
