#include "TMenuItem.h"

#include <algorithm>

#include "QtConvert_p.h"
#include "TControl_p.h"
#include "TMenuItem_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TMenuItem, TComponent,
             Published::String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
             Published::Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
             Published::Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
             Published::String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
             Published::Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
             Published::Event("OnClick", &TMenuItem::OnClick))

QMenu* TMenuItem::Data::ensureSubmenu() {
  if (!submenu) {
    submenu = new QMenu;
    if (action) action->setMenu(submenu);
  }
  return submenu;
}

void TMenuItem::Data::applyAction() {
  if (!action) return;
  action->setSeparator(caption == "-");
  action->setText(ToQString(caption));
  action->setStatusTip(ToQString(hint));
  action->setEnabled(enabled);
  action->setVisible(visible);
  action->setCheckable(checked);
  action->setChecked(checked);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {
  d_->action = new QAction;
  QObject::connect(d_->action, &QAction::triggered, d_->action, [this] {
    // Choosing an item does not toggle its check mark; Checked stays what the program set.
    d_->applyAction();
    Click();
  });
  d_->applyAction();
}

TMenuItem::~TMenuItem() {
  TTeardownGuard guard;
  d_->destroying = true;
  while (!d_->items.empty()) delete d_->items.back();
  if (d_->parent != nullptr) d_->parent->Remove(this);
  delete d_->action.data();
  delete d_->submenu.data();
}

const AnsiString& TMenuItem::Caption() const { return d_->caption; }
void TMenuItem::SetCaption(const AnsiString& Value) {
  d_->caption = Value;
  d_->applyAction();
}
bool TMenuItem::Checked() const { return d_->checked; }
void TMenuItem::SetChecked(bool Value) {
  d_->checked = Value;
  d_->applyAction();
}
bool TMenuItem::Enabled() const { return d_->enabled; }
void TMenuItem::SetEnabled(bool Value) {
  d_->enabled = Value;
  d_->applyAction();
}
bool TMenuItem::Visible() const { return d_->visible; }
void TMenuItem::SetVisible(bool Value) {
  d_->visible = Value;
  d_->applyAction();
}
const AnsiString& TMenuItem::Hint() const { return d_->hint; }
void TMenuItem::SetHint(const AnsiString& Value) {
  d_->hint = Value;
  d_->applyAction();
}
bool TMenuItem::IsLine() const { return d_->caption == "-"; }

int TMenuItem::Count() const { return static_cast<int>(d_->items.size()); }

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return d_->items[static_cast<std::size_t>(Index)];
}

TMenuItem* TMenuItem::Parent() const { return d_->parent; }
int TMenuItem::MenuIndex() const { return d_->parent == nullptr ? -1 : d_->parent->IndexOf(this); }

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(d_->items.begin(), d_->items.end(), Item);
  return it == d_->items.end() ? -1 : static_cast<int>(it - d_->items.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item == nullptr) return;
  if (Item->d_->parent != nullptr) throw EMenuError("Menu inserted twice");
  for (const TMenuItem* p = this; p != nullptr; p = p->d_->parent)
    if (p == Item) throw EMenuError("A menu item cannot contain itself");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  QMenu* menu = d_->ensureSubmenu();
  QAction* before = Index < Count() ? d_->items[static_cast<std::size_t>(Index)]->d_->action.data() : nullptr;
  menu->insertAction(before, Item->d_->action);
  d_->items.insert(d_->items.begin() + Index, Item);
  Item->d_->parent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(d_->items.begin(), d_->items.end(), Item);
  if (it == d_->items.end()) {
    if (!d_->destroying) throw EMenuError("Menu item not found");
    return;
  }
  d_->items.erase(it);
  Item->d_->parent = nullptr;
  if (d_->submenu && Item->d_->action) d_->submenu->removeAction(Item->d_->action);
}

void TMenuItem::Delete(int Index) { delete Items(Index); }

void TMenuItem::Clear() {
  while (!d_->items.empty()) delete d_->items.back();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->d_->parent != nullptr) root = root->d_->parent;
  return root->d_->menu;
}

void TMenuItem::Click() {
  if (d_->enabled && OnClick) FireEvent(this, [this] { OnClick(this); });
}
