// Private to the GUI layer; may change without notice.
#pragma once

#include <QListWidget>

#include "TControlStrings_p.h"
#include "TCustomListBox.h"
#include "TWinControl_p.h"

class TListBoxPrivate : public TWinControlPrivate {
public:
  TListBoxPrivate();
  QListWidget* list() const { return static_cast<QListWidget*>(widget.data()); }
  QWidget* inputWidget() const override { return widget ? list()->viewport() : nullptr; }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  // A new widget item for a line (check-list boxes add a check mark).
  virtual QListWidgetItem* makeItem(const AnsiString& text) const;
  void reload();
  void checkIndex(int index) const;

  class Items : public TControlStrings {
  public:
    explicit Items(TListBoxPrivate* d) : d_(d) {}
    int Add(const AnsiString& S) override;

  protected:
    void Inserted(int Index) override;
    void Deleted(int Index) override;
    void Changed(int Index) override;
    void Reloaded() override { d_->reload(); }

  private:
    TListBoxPrivate* d_;
  };

  TCustomListBox* listBox = nullptr;  // set once the list box's own constructor runs
  std::unique_ptr<Items> items;
  bool multiSelect = false;
  bool sorted = false;
  bool quiet = false;  // the program is changing the widget: no user events
};
