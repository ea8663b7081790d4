#include "TMenu.h"

#include "TMenuItem_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TMenu, TComponent, Published::Class("Items", &TMenu::Items))

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {
  items_->MenuItemData()->menu = this;
  items_->MenuItemData()->ensureSubmenu();
}

// The root item is owned by the menu and freed with it (with all the entries under it).
TMenu::~TMenu() = default;

TMenuItem* TMenu::Items() const { return items_; }
