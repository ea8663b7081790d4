#include "TEdit.h"

#include <QLineEdit>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TLengthValidator_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TEdit, TWinControl, ControlProps::Align(), ControlProps::Color(), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             Published::Integer("PasswordChar", &TEdit::PasswordCharCode, &TEdit::SetPasswordCharCode),
             ControlProps::PopupMenu(), Published::Boolean("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Text(),
             ControlProps::Visible(), Published::Event("OnChange", &TEdit::OnChange), ControlProps::OnClick(),
             ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(),
             ControlProps::OnKeyPress(), ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())


class TEditPrivate : public TWinControlPrivate {
public:
  TEditPrivate() : TWinControlPrivate(new QLineEdit) {}
  QLineEdit* edit() const { return static_cast<QLineEdit*>(widget.data()); }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }
  int maxLength = 0;
  qsizetype shownLength = 0;  // the length of the text before the user's change
  char passwordChar = 0;
};

namespace {
TEditPrivate* dOf(const TEdit* e) { return static_cast<TEditPrivate*>(e->ControlPrivate()); }
}  // namespace

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TEditPrivate>()) {
  TEditPrivate* d = dOf(this);
  d->color = clWindow;
  d->applyColor();
  d->clickOnMouseUp = true;
  d->edit()->setValidator(new TLengthValidator(d->edit(), &d->maxLength, &d->shownLength));
  QObject::connect(d->edit(), &QLineEdit::textChanged, d->edit(), [this](const QString& text) {
    dOf(this)->shownLength = text.size();
    if (OnChange) FireEvent(this, [this] { OnChange(this); });
  });
  SetBounds(0, 0, 121, 21);
}

AnsiString TEdit::GetText() const {
  const TEditPrivate* d = dOf(this);
  return d->widget ? FromQString(d->edit()->text()) : d->text;
}

void TEdit::TextChanged() {
  TEditPrivate* d = dOf(this);
  if (d->widget) d->edit()->setText(ToQString(d->text));
}

int TEdit::MaxLength() const { return dOf(this)->maxLength; }
void TEdit::SetMaxLength(int Value) {
  TEditPrivate* d = dOf(this);
  d->maxLength = Value < 0 ? 0 : Value;
}

char TEdit::PasswordChar() const { return dOf(this)->passwordChar; }
void TEdit::SetPasswordChar(char Value) {
  TEditPrivate* d = dOf(this);
  d->passwordChar = Value;
  d->edit()->setEchoMode(Value == 0 ? QLineEdit::Normal : QLineEdit::Password);
}

bool TEdit::ReadOnly() const { return dOf(this)->edit()->isReadOnly(); }
void TEdit::SetReadOnly(bool Value) { dOf(this)->edit()->setReadOnly(Value); }

int TEdit::SelStart() const {
  const QLineEdit* e = dOf(this)->edit();
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TEdit::SetSelStart(int Value) { dOf(this)->edit()->setCursorPosition(Value); }

int TEdit::SelLength() const { return static_cast<int>(dOf(this)->edit()->selectedText().size()); }

void TEdit::SetSelLength(int Value) {
  QLineEdit* e = dOf(this)->edit();
  e->setSelection(e->cursorPosition(), Value);
}

AnsiString TEdit::SelText() const { return FromQString(dOf(this)->edit()->selectedText()); }
void TEdit::SelectAll() { dOf(this)->edit()->selectAll(); }
void TEdit::Clear() { SetText(""); }
