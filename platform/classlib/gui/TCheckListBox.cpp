#include "TCheckListBox.h"

#include "TCheckBox_p.h"
#include "TControlProps_p.h"
#include "TCustomListBox_p.h"
#include "TStrings.h"

DEFINE_CLASS(TCheckListBox, TCustomListBox, ControlProps::Align(),
             Published::Boolean("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed),
             ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
             Published::Class("Items", &TCustomListBox::Items, &TCustomListBox::SetItems),
             Published::Boolean("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(),
             Published::Boolean("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted), ControlProps::TabOrder(),
             ControlProps::TabStop(), ControlProps::Visible(), ControlProps::OnClick(),
             Published::Event("OnClickCheck", &TCheckListBox::OnClickCheck), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

class TCheckListBoxPrivate : public TListBoxPrivate {
public:
  QListWidgetItem* makeItem(const AnsiString& text) const override {
    QListWidgetItem* item = TListBoxPrivate::makeItem(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    return item;
  }
  bool allowGrayed = false;
};

namespace {

TCheckListBoxPrivate* dOf(const TCheckListBox* c) { return static_cast<TCheckListBoxPrivate*>(c->ControlPrivate()); }

}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner, std::make_unique<TCheckListBoxPrivate>()) {
  TCheckListBoxPrivate* d = dOf(this);
  QObject::connect(d->list(), &QListWidget::itemChanged, d->list(), [this](QListWidgetItem*) {
    // A mark toggled by the user (the program's own changes are quiet).
    if (dOf(this)->quiet || ControlsTearingDown()) return;
    if (OnClickCheck) FireEvent(this, [this] { OnClickCheck(this); });
  });
}

bool TCheckListBox::Checked(int Index) const { return State(Index) == cbChecked; }
void TCheckListBox::SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckListBox::State(int Index) const {
  const TCheckListBoxPrivate* d = dOf(this);
  d->checkIndex(Index);
  return FromQCheckState(d->list()->item(Index)->checkState());
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  TCheckListBoxPrivate* d = dOf(this);
  d->checkIndex(Index);
  d->quiet = true;
  d->list()->item(Index)->setCheckState(ToQCheckState(Value));
  d->quiet = false;
}

bool TCheckListBox::AllowGrayed() const { return dOf(this)->allowGrayed; }
void TCheckListBox::SetAllowGrayed(bool Value) {
  TCheckListBoxPrivate* d = dOf(this);
  d->allowGrayed = Value;
  d->quiet = true;
  for (int i = 0; i < d->list()->count(); ++i) {
    QListWidgetItem* item = d->list()->item(i);
    item->setFlags(Value ? item->flags() | Qt::ItemIsUserTristate : item->flags() & ~Qt::ItemIsUserTristate);
  }
  d->quiet = false;
}
