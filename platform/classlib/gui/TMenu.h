// TMenu: a menu with its tree of items (Items is the invisible root; its sub-items are the
// menu's entries).
//
// Published: Items (read-only).
#pragma once

#include <memory>

#include "TComponent.h"
#include "TMenuItem.h"

class TMenu : public TComponent {
  DECLARE_CLASS(TMenu, TComponent)

  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const;

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
