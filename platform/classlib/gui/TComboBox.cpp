#include "TComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TControlStrings_p.h"
#include "TLengthValidator_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TComboBox, TWinControl, ControlProps::Align(), ControlProps::Color(),
             Published::Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount),
             ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex),
             Published::Class("Items", &TComboBox::Items, &TComboBox::SetItems),
             Published::Integer("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(),
             Published::Boolean("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted),
             Published::Enum("Style", {"csDropDown", "csSimple", "csDropDownList"}, &TComboBox::Style,
                             &TComboBox::SetStyle),
             ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Text(), ControlProps::Visible(),
             Published::Event("OnChange", &TComboBox::OnChange), ControlProps::OnClick(),
             Published::Event("OnDropDown", &TComboBox::OnDropDown), ControlProps::OnEnter(), ControlProps::OnExit(),
             ControlProps::OnKeyDown(), ControlProps::OnKeyPress(), ControlProps::OnKeyUp())

namespace {

// A combo box that tells its control before its list opens.
class TComboWidget : public QComboBox {
public:
  std::function<void()> beforePopup;
  void showPopup() override {
    if (beforePopup) beforePopup();
    QComboBox::showPopup();
  }
};

}  // namespace

class TComboBoxPrivate : public TWinControlPrivate {
public:
  TComboBoxPrivate() : TWinControlPrivate(new TComboWidget) {}
  TComboWidget* combo() const { return static_cast<TComboWidget*>(widget.data()); }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  // Puts the items into the widget again, keeping the text.
  void reload();

  class Items : public TControlStrings {
  public:
    explicit Items(TComboBoxPrivate* d) : d_(d) {}
    int Add(const AnsiString& S) override { return d_->sorted ? AddSorted(S) : TControlStrings::Add(S); }

  protected:
    void Inserted(int Index) override {
      if (!d_->widget) return;
      d_->quiet = true;
      d_->combo()->insertItem(Index, ToQString(Strings(Index)));
      d_->quiet = false;
    }
    void Deleted(int Index) override {
      if (!d_->widget) return;
      d_->quiet = true;
      d_->combo()->removeItem(Index);
      d_->quiet = false;
    }
    void Changed(int Index) override {
      if (d_->widget) d_->combo()->setItemText(Index, ToQString(Strings(Index)));
    }
    void Reloaded() override { d_->reload(); }

  private:
    TComboBoxPrivate* d_;
  };

  std::unique_ptr<Items> items = std::make_unique<Items>(this);
  TComboBoxStyle style = csDropDown;
  int maxLength = 0;
  qsizetype shownLength = 0;  // the length of the text before the user's change

  // A new edit box (the style made the combo editable) gets the length limit.
  void limitEdit() {
    if (QLineEdit* e = combo()->lineEdit()) e->setValidator(new TLengthValidator(e, &maxLength, &shownLength));
  }
  bool sorted = false;
  bool quiet = false;  // the program is changing the widget: no user events
};

void TComboBoxPrivate::reload() {
  if (!widget) return;
  quiet = true;
  const QString text = combo()->currentText();
  combo()->clear();
  for (int i = 0; i < items->Count(); ++i) combo()->addItem(ToQString(items->Strings(i)));
  combo()->setCurrentIndex(-1);
  if (combo()->isEditable()) combo()->setEditText(text);
  quiet = false;
}

namespace {
TComboBoxPrivate* dOf(const TComboBox* c) { return static_cast<TComboBoxPrivate*>(c->ControlPrivate()); }
}  // namespace

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TComboBoxPrivate>()) {
  TComboBoxPrivate* d = dOf(this);
  d->color = clWindow;
  d->applyColor();
  TComboWidget* c = d->combo();
  c->setEditable(true);
  d->limitEdit();
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMaxVisibleItems(8);
  c->beforePopup = [this] {
    if (OnDropDown) FireEvent(this, [this] { OnDropDown(this); });
  };
  QObject::connect(c, &QComboBox::activated, c, [this](int) {
    if (dOf(this)->quiet) return;
    if (OnChange) FireEvent(this, [this] { OnChange(this); });
    Click();
  });
  QObject::connect(c, &QComboBox::editTextChanged, c, [this](const QString& text) {
    TComboBoxPrivate* d = dOf(this);
    d->shownLength = text.size();
    if (d->quiet || !d->combo()->lineEdit() || !d->combo()->lineEdit()->hasFocus()) return;
    if (OnChange) FireEvent(this, [this] { OnChange(this); });
  });
  SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() { TearDown(); }

TStrings* TComboBox::Items() const { return dOf(this)->items.get(); }
void TComboBox::SetItems(TStrings* Value) {
  if (Value != nullptr) dOf(this)->items->Assign(Value);
}

int TComboBox::ItemIndex() const {
  const TComboBoxPrivate* d = dOf(this);
  return d->widget ? d->combo()->currentIndex() : -1;
}

void TComboBox::SetItemIndex(int Value) {
  TComboBoxPrivate* d = dOf(this);
  if (Value < -1 || Value >= d->items->Count()) Value = -1;
  d->quiet = true;
  d->combo()->setCurrentIndex(Value);
  if (Value < 0 && d->combo()->isEditable()) d->combo()->setEditText(QString());
  d->quiet = false;
}

TComboBoxStyle TComboBox::Style() const { return dOf(this)->style; }
void TComboBox::SetStyle(TComboBoxStyle Value) {
  TComboBoxPrivate* d = dOf(this);
  if (Value == d->style) return;
  const AnsiString text = GetText();
  const int index = ItemIndex();
  d->style = Value;
  d->quiet = true;
  d->combo()->setEditable(Value != csDropDownList);
  d->applyFont();
  if (d->combo()->lineEdit() != nullptr) {
    d->limitEdit();
    d->combo()->setEditText(ToQString(text));
  }
  d->combo()->setCurrentIndex(index);
  d->quiet = false;
}

int TComboBox::DropDownCount() const { return dOf(this)->combo()->maxVisibleItems(); }
void TComboBox::SetDropDownCount(int Value) {
  if (Value > 0) dOf(this)->combo()->setMaxVisibleItems(Value);
}

int TComboBox::MaxLength() const { return dOf(this)->maxLength; }
void TComboBox::SetMaxLength(int Value) {
  dOf(this)->maxLength = Value < 0 ? 0 : Value;
}

bool TComboBox::Sorted() const { return dOf(this)->sorted; }
void TComboBox::SetSorted(bool Value) {
  TComboBoxPrivate* d = dOf(this);
  d->sorted = Value;
  if (Value) d->items->SortLines();
}

bool TComboBox::DroppedDown() const {
  const QComboBox* c = dOf(this)->combo();
  return c->view() != nullptr && c->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value) {
  if (Value)
    dOf(this)->combo()->showPopup();
  else
    dOf(this)->combo()->hidePopup();
}

void TComboBox::Clear() {
  dOf(this)->items->Clear();
  SetText("");
}

AnsiString TComboBox::GetText() const {
  const TComboBoxPrivate* d = dOf(this);
  return d->widget ? FromQString(d->combo()->currentText()) : d->text;
}

void TComboBox::TextChanged() {
  TComboBoxPrivate* d = dOf(this);
  if (!d->widget) return;
  d->quiet = true;
  const QString text = ToQString(d->text);
  if (d->combo()->isEditable()) {
    // As the platform's combo box: the text chooses the item that equals it, if any.
    d->combo()->setCurrentIndex(d->combo()->findText(text, Qt::MatchExactly));
    d->combo()->setEditText(text);
  } else {
    d->combo()->setCurrentIndex(d->combo()->findText(text, Qt::MatchFixedString));
  }
  d->quiet = false;
}
