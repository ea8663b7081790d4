#include "TMenu.h"

#include "TMenuItem_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TMenu, TComponent, Published::Class("Items", &TMenu::Items))

struct TMenu::Data {
  TMenuItem* items = nullptr;  // owned by the menu as one of its components
};

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {
  d_->items = new TMenuItem(this);
  d_->items->MenuItemData()->menu = this;
  d_->items->MenuItemData()->ensureSubmenu();
}

// The root item is owned by the menu and freed with it (with all the entries under it).
TMenu::~TMenu() = default;

TMenuItem* TMenu::Items() const { return d_->items; }
