#include "TButton.h"

#include "QtConvert_p.h"
#include "TButton_p.h"
#include "TControlProps_p.h"
#include "TCustomForm.h"

DEFINE_CLASS(TButton, TWinControl, Published::Boolean("Cancel", &TButton::Cancel, &TButton::SetCancel),
             ControlProps::Caption(), Published::Boolean("Default", &TButton::Default, &TButton::SetDefault),
             ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(),
             ControlProps::OnKeyPress(), ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

TButton::TButton(TComponent* AOwner) : TButton(AOwner, std::make_unique<TButtonPrivate>()) {}

TButton::TButton(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd) : TWinControl(AOwner, std::move(dd)) {
  TButtonPrivate* d = ButtonPrivate();
  d->button()->setAutoDefault(false);
  QObject::connect(d->button(), &QPushButton::clicked, d->button(), [this] {
    if (!ControlsTearingDown()) Click();
  });
  SetBounds(0, 0, 75, 25);
}

TButtonPrivate* TButton::ButtonPrivate() const { return static_cast<TButtonPrivate*>(d_ptr.get()); }

void TButton::TextChanged() {
  if (QPushButton* b = ButtonPrivate()->button()) b->setText(ToQString(Caption()));
}

bool TButton::Cancel() const { return ButtonPrivate()->cancel; }
void TButton::SetCancel(bool Value) { ButtonPrivate()->cancel = Value; }
bool TButton::Default() const { return ButtonPrivate()->isDefault; }
void TButton::SetDefault(bool Value) {
  ButtonPrivate()->isDefault = Value;
  ButtonPrivate()->button()->setDefault(Value);
}
TModalResult TButton::ModalResult() const { return ButtonPrivate()->modalResult; }
void TButton::SetModalResult(TModalResult Value) { ButtonPrivate()->modalResult = Value; }

void TButton::Click() {
  if (!Enabled()) return;
  if (TCustomForm* form = ParentForm(); form != nullptr && ButtonPrivate()->modalResult != mrNone)
    form->SetModalResult(ButtonPrivate()->modalResult);
  inherited::Click();
}
