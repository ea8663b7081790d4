#include "TRadioGroup.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TControlStrings_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TRadioGroup, TWinControl, ControlProps::Align(), ControlProps::Caption(), ControlProps::Color(),
             Published::Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex),
             Published::Class("Items", &TRadioGroup::Items, &TRadioGroup::SetItems), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnEnter(), ControlProps::OnExit())

class TRadioGroupPrivate : public TWinControlPrivate {
public:
  TRadioGroupPrivate() : TWinControlPrivate(new QGroupBox) {}
  QGroupBox* box() const { return static_cast<QGroupBox*>(widget.data()); }

  // Makes one button per line again.
  void rebuild();

  class Items : public TControlStrings {
  public:
    explicit Items(TRadioGroupPrivate* d) : d_(d) {}

  protected:
    void Changed(int Index) override {
      if (Index < static_cast<int>(d_->buttons.size()))
        d_->buttons[static_cast<std::size_t>(Index)]->setText(ToQString(Strings(Index)));
    }
    void Reloaded() override { d_->rebuild(); }

  private:
    TRadioGroupPrivate* d_;
  };

  TRadioGroup* group = nullptr;  // set once the radio group's own constructor runs
  std::unique_ptr<Items> items = std::make_unique<Items>(this);
  std::vector<QRadioButton*> buttons;  // children of the group box
  int itemIndex = -1;
  int columns = 1;
};

void TRadioGroupPrivate::rebuild() {
  if (!widget || group == nullptr) return;
  for (QRadioButton* b : buttons) delete b;
  buttons.clear();
  for (int i = 0; i < items->Count(); ++i) {
    auto* b = new QRadioButton(ToQString(items->Strings(i)), box());
    b->setAutoExclusive(false);
    b->setChecked(i == itemIndex);
    QObject::connect(b, &QRadioButton::clicked, b, [this, i] {
      if (ControlsTearingDown() || group == nullptr) return;
      // A click on the chosen button keeps it chosen.
      buttons[static_cast<std::size_t>(i)]->setChecked(true);
      group->SetItemIndex(i);
    });
    b->show();
    buttons.push_back(b);
  }
  // The choice stays within the items.
  if (itemIndex >= items->Count()) itemIndex = items->Count() - 1;
  group->layoutButtons();
}

namespace {
TRadioGroupPrivate* dOf(const TRadioGroup* g) { return static_cast<TRadioGroupPrivate*>(g->ControlPrivate()); }
}  // namespace

TRadioGroup::TRadioGroup(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TRadioGroupPrivate>()) {
  TRadioGroupPrivate* d = dOf(this);
  d->group = this;
  d->parentColor = true;
  SetBounds(0, 0, 185, 105);
}

TRadioGroup::~TRadioGroup() {
  dOf(this)->group = nullptr;
  TearDown();
}

TStrings* TRadioGroup::Items() const { return dOf(this)->items.get(); }
void TRadioGroup::SetItems(TStrings* Value) {
  if (Value != nullptr) dOf(this)->items->Assign(Value);
}

int TRadioGroup::ItemIndex() const { return dOf(this)->itemIndex; }

void TRadioGroup::SetItemIndex(int Value) {
  TRadioGroupPrivate* d = dOf(this);
  if (Value < -1) Value = -1;
  if (Value >= d->items->Count()) Value = d->items->Count() - 1;
  if (Value == d->itemIndex) return;
  d->itemIndex = Value;
  for (std::size_t i = 0; i < d->buttons.size(); ++i) d->buttons[i]->setChecked(static_cast<int>(i) == Value);
  Click();
}

int TRadioGroup::Columns() const { return dOf(this)->columns; }
void TRadioGroup::SetColumns(int Value) {
  if (Value < 1 || Value > 16) return;
  dOf(this)->columns = Value;
  layoutButtons();
}

void TRadioGroup::TextChanged() {
  if (QGroupBox* b = dOf(this)->box()) b->setTitle(ToQString(Caption()));
}

void TRadioGroup::BoundsChanged() {
  inherited::BoundsChanged();
  layoutButtons();
}

void TRadioGroup::FontChanged() {
  inherited::FontChanged();
  layoutButtons();
}

void TRadioGroup::layoutButtons() {
  TRadioGroupPrivate* d = dOf(this);
  if (!d->widget || d->buttons.empty()) return;
  // The buttons share the area below the caption evenly, column by column.
  const QFontMetrics metrics(d->widget->font());
  const int top = metrics.height() + 2;
  const int columns = d->columns;
  const int rows = (static_cast<int>(d->buttons.size()) + columns - 1) / columns;
  const int columnWidth = (Width() - 10) / columns;
  const int rowHeight = std::max(1, (Height() - top - 4) / std::max(1, rows));
  for (std::size_t i = 0; i < d->buttons.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    const int h = std::min(rowHeight, metrics.height() + 6);
    d->buttons[i]->setFont(d->widget->font());
    d->buttons[i]->setGeometry(8 + column * columnWidth, top + row * rowHeight + (rowHeight - h) / 2, columnWidth - 4, h);
  }
}
