// Private to the GUI layer; may change without notice.
#pragma once

#include <vector>

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "TMenuItem.h"

struct TMenuItem::Data {
  AnsiString caption;
  AnsiString hint;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  TMenuItem* parent = nullptr;
  std::vector<TMenuItem*> items;
  TMenu* menu = nullptr;            // set on the root item of a menu
  QPointer<QAction> action;         // the entry in the parent's menu
  QPointer<QMenu> submenu;          // the menu of the sub-items, made with the first one
  bool destroying = false;

  // The menu that shows the sub-items, made on first use.
  QMenu* ensureSubmenu();
  void applyAction();
};
