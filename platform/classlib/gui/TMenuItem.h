// TMenuItem: one entry of a menu, or a separator when its Caption is "-".
//
// Items form a tree: Add/Insert place an item under this one (building a sub-menu), and an item
// frees its sub-items when it is freed. Ownership (the Owner, usually the form) is separate, as
// for controls; an item freed by its owner leaves its parent item first. "&" in the Caption
// marks the accelerator letter ("语言(&L)"), "&&" is a literal "&".
//
// Click raises OnClick as choosing the item does; Checked shows a check mark but is not
// toggled by choosing the item.
//
// Published: Caption, Checked, Enabled, Hint, Visible, OnClick (and Name, Tag).
#pragma once

#include <memory>

#include "Exception.h"
#include "TComponent.h"

class TMenu;

class TMenuItem : public TComponent {
  DECLARE_CLASS(TMenuItem, TComponent)

  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const AnsiString& Caption() const;
  void SetCaption(const AnsiString& Value);
  bool Checked() const;
  void SetChecked(bool Value);
  bool Enabled() const;
  void SetEnabled(bool Value);
  bool Visible() const;
  void SetVisible(bool Value);
  const AnsiString& Hint() const;
  void SetHint(const AnsiString& Value);
  bool IsLine() const;

  int Count() const;
  // Raises EMenuError for an index out of range.
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const;
  int MenuIndex() const;
  int IndexOf(const TMenuItem* Item) const;
  // Adds an item at the end / at Index; an item that has a parent already raises EMenuError.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes an item off this menu without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the item at Index / every sub-item.
  void Delete(int Index);
  void Clear();
  // The popup or main menu the item belongs to (nullptr when it is in none).
  TMenu* GetParentMenu() const;

  virtual void Click();
  TNotifyEvent OnClick;

  // The implementation, for the GUI layer's own classes.
  struct Data;
  Data* MenuItemData() const { return d_.get(); }

private:
  std::unique_ptr<Data> d_;
};

// Raised for a menu operation that cannot be done.
class EMenuError : public Exception {
public:
  using Exception::Exception;
};
