#include "TPopupMenu.h"

#include "TControl_p.h"
#include "TMenuItem_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TPopupMenu, TMenu,
             Published::Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
             Published::Event("OnPopup", &TPopupMenu::OnPopup))

struct TPopupMenu::Data {
  bool autoPopup = true;
  TComponent* popupComponent = nullptr;
};

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner), d_(std::make_unique<Data>()) {}
TPopupMenu::~TPopupMenu() = default;

bool TPopupMenu::AutoPopup() const { return d_->autoPopup; }
void TPopupMenu::SetAutoPopup(bool Value) { d_->autoPopup = Value; }
TComponent* TPopupMenu::PopupComponent() const { return d_->popupComponent; }

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == d_->popupComponent) return;
  if (d_->popupComponent != nullptr) d_->popupComponent->RemoveFreeNotification(this);
  d_->popupComponent = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == d_->popupComponent) d_->popupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) FireEvent(this, [this] { OnPopup(this); });
  if (QMenu* menu = Items()->MenuItemData()->ensureSubmenu()) menu->popup(QPoint(X, Y));
}

bool TPopupMenu::IsPoppedUp() const {
  QMenu* menu = Items()->MenuItemData()->submenu;
  return menu != nullptr && menu->isVisible();
}

void TPopupMenu::CloseMenu() {
  if (QMenu* menu = Items()->MenuItemData()->submenu) menu->hide();
}
