#include "TMemo.h"

#include <QPlainTextEdit>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TControlStrings_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TMemo, TWinControl, ControlProps::Align(), ControlProps::Color(), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(), Published::Class("Lines", &TMemo::Lines, &TMemo::SetLines),
             Published::Integer("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             Published::Boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
             Published::Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &TMemo::ScrollBars,
                             &TMemo::SetScrollBars),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             Published::Boolean("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
             Published::Event("OnChange", &TMemo::OnChange), ControlProps::OnClick(), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp())

class TMemoPrivate : public TWinControlPrivate {
public:
  TMemoPrivate() : TWinControlPrivate(new QPlainTextEdit) {}
  QPlainTextEdit* edit() const { return static_cast<QPlainTextEdit*>(widget.data()); }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  // The lines as the box shows them, joined with line breaks.
  QString joined() const {
    QStringList parts;
    for (const auto& line : lines->Entries()) parts << ToQString(line.first);
    return parts.join(u'\n');
  }

  class MemoLines : public TControlStrings {
  public:
    explicit MemoLines(TMemoPrivate* d) : d_(d) {}
    using TControlStrings::Entries;
    using TControlStrings::TakeLines;

  protected:
    void Reloaded() override {
      if (!d_->widget) return;
      d_->quiet = true;
      d_->edit()->setPlainText(d_->joined());
      d_->quiet = false;
      d_->changed();
    }

  private:
    TMemoPrivate* d_;
  };

  void changed() {
    if (memo != nullptr && memo->OnChange) FireEvent(memo, [this] { memo->OnChange(memo); });
  }

  TMemo* memo = nullptr;  // set once the memo's own constructor runs
  std::unique_ptr<MemoLines> lines = std::make_unique<MemoLines>(this);
  TScrollStyle scrollBars = ssNone;
  int maxLength = 0;
  bool quiet = false;
};

namespace {
TMemoPrivate* dOf(const TMemo* m) { return static_cast<TMemoPrivate*>(m->ControlPrivate()); }
}  // namespace

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TMemoPrivate>()) {
  TMemoPrivate* d = dOf(this);
  d->memo = this;
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->edit()->viewport());
  d->clickOnMouseUp = true;
  d->edit()->setTabChangesFocus(true);
  QObject::connect(d->edit(), &QPlainTextEdit::textChanged, d->edit(), [d] {
    if (d->quiet || ControlsTearingDown()) return;
    QString text = d->edit()->toPlainText();
    if (d->maxLength > 0 && text.size() > d->maxLength) {
      // Beyond the limit: the typing is taken back.
      d->edit()->undo();
      return;
    }
    std::vector<AnsiString> lines;
    if (!text.isEmpty())
      for (const QString& line : text.split(u'\n')) lines.push_back(FromQString(line));
    d->lines->TakeLines(lines);
    d->changed();
  });
  SetScrollBars(ssNone);
  SetWordWrap(true);
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() {
  dOf(this)->memo = nullptr;
  TearDown();
}

TStrings* TMemo::Lines() const { return dOf(this)->lines.get(); }
void TMemo::SetLines(TStrings* Value) {
  if (Value != nullptr) dOf(this)->lines->Assign(Value);
}

AnsiString TMemo::GetText() const { return dOf(this)->lines->Text(); }
void TMemo::TextChanged() { dOf(this)->lines->SetText(dOf(this)->text); }

bool TMemo::ReadOnly() const { return dOf(this)->edit()->isReadOnly(); }
void TMemo::SetReadOnly(bool Value) { dOf(this)->edit()->setReadOnly(Value); }

bool TMemo::WordWrap() const { return dOf(this)->edit()->lineWrapMode() == QPlainTextEdit::WidgetWidth; }
void TMemo::SetWordWrap(bool Value) {
  dOf(this)->edit()->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

TScrollStyle TMemo::ScrollBars() const { return dOf(this)->scrollBars; }
void TMemo::SetScrollBars(TScrollStyle Value) {
  TMemoPrivate* d = dOf(this);
  d->scrollBars = Value;
  const bool h = Value == ssHorizontal || Value == ssBoth;
  const bool v = Value == ssVertical || Value == ssBoth;
  d->edit()->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  d->edit()->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

int TMemo::MaxLength() const { return dOf(this)->maxLength; }
void TMemo::SetMaxLength(int Value) { dOf(this)->maxLength = Value < 0 ? 0 : Value; }

void TMemo::Clear() { dOf(this)->lines->Clear(); }
