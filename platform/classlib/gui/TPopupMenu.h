// TPopupMenu: a menu that pops up over a control.
//
// Popup(X, Y) raises OnPopup (where the program enables or disables entries) and then shows
// the menu with its top-left corner at the screen point; it returns at once, and the chosen
// entry's OnClick runs when the user picks it. A right click on a control whose PopupMenu (or
// whose parent's) is this menu pops it up there when AutoPopup is True (the default) and sets
// PopupComponent to that control.
//
// Published: AutoPopup, Items, OnPopup.
#pragma once

#include <memory>

#include "TMenu.h"

class TPopupMenu : public TMenu {
  DECLARE_CLASS(TPopupMenu, TMenu)

  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  bool AutoPopup() const;
  void SetAutoPopup(bool Value);
  TComponent* PopupComponent() const;
  void SetPopupComponent(TComponent* Value);

  virtual void Popup(int X, int Y);
  // True while the menu is shown.
  bool IsPoppedUp() const;
  // Closes the menu if it is shown.
  void CloseMenu();

  TNotifyEvent OnPopup;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
