#include "TWinControl.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>

#include "MessageQueue_p.h"
#include "QtConvert_p.h"
#include "StringRoutines.h"
#include "TControlProps_p.h"
#include "TCustomForm.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TWinControl, TControl)

namespace {

bool g_replayingKey = false;  // a key event re-sent with a character changed by OnKeyPress

TWinControl* winControlOf(const QWidget* w) {
  for (TControl* c = TControlPrivate::controlOf(w); c != nullptr; c = c->Parent())
    if (auto* wc = dynamic_cast<TWinControl*>(c)) return wc;
  return nullptr;
}

// The windowed controls from the form (exclusive) down to the control (inclusive).
std::vector<TWinControl*> chainBelowForm(TWinControl* c) {
  std::vector<TWinControl*> chain;
  for (TWinControl* p = c; p != nullptr && dynamic_cast<TCustomForm*>(p) == nullptr; p = p->Parent()) chain.push_back(p);
  std::reverse(chain.begin(), chain.end());
  return chain;
}

}  // namespace

// ---- TWinControlPrivate ----

TWinControlPrivate::TWinControlPrivate(QWidget* w) : TControlPrivate(w) {}
TWinControlPrivate::~TWinControlPrivate() = default;

void TWinControlPrivate::destroyChildren() {
  destroying = true;
  while (!controls.empty()) delete controls.back();
}

void TWinControlPrivate::applyTabOrder() {
  QWidget* previous = nullptr;
  for (TWinControl* c : tabList) {
    QWidget* w = c->WinControlPrivate()->focusWidget();
    if (w == nullptr) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

bool TWinControlPrivate::routeKeyEvent(QWidget* receiver, QKeyEvent* event) {
  if (ControlsTearingDown() || g_replayingKey || receiver != QApplication::focusWidget()) return false;
  TWinControl* control = winControlOf(receiver);
  if (control == nullptr || !control->Enabled()) return false;
  TCustomForm* form = control->ParentForm();
  // Through the base class: the form's key handlers are protected there.
  TWinControl* previewer = form != nullptr && form != control && form->KeyPreview() ? form : nullptr;
  WORD key = VirtualKeyOf(event->key());
  const TShiftState shift = ShiftStateOf(event->modifiers());
  if (event->type() == QEvent::KeyRelease) {
    if (key == 0) return false;
    if (previewer != nullptr && previewer->KeyUp(key, shift)) return true;
    return control->KeyUp(key, shift);
  }
  if (key != 0) {
    if (previewer != nullptr && previewer->KeyDown(key, shift)) return true;
    if (control->KeyDown(key, shift)) return true;
  }
  const AnsiString typed = FromQString(event->text());
  if (typed.size() != 1) return false;
  char ch = typed[0];
  if (previewer != nullptr && previewer->KeyPress(ch)) return true;
  if (control->KeyPress(ch)) return true;
  if (ch == typed[0]) return false;
  // The handler typed another character instead: send that one in place of the original.
  QKeyEvent replacement(QEvent::KeyPress, 0, event->modifiers(), ToQString(AnsiString(1, ch)));
  g_replayingKey = true;
  QApplication::sendEvent(receiver, &replacement);
  g_replayingKey = false;
  return true;
}

void TWinControlPrivate::routeFocusChange(QWidget*, QWidget* now) {
  if (ControlsTearingDown() || now == nullptr) return;
  TWinControl* entered = winControlOf(now);
  if (entered == nullptr) return;
  TCustomForm* form = entered->ParentForm();
  if (form == nullptr) return;
  TWinControlPrivate* fd = form->WinControlPrivate();
  // The form remembers its focused control by handle: a control freed since then is gone.
  TWinControl* left = MessageQueue::Find(fd->activeControl);
  if (left == entered) return;
  fd->activeControl = entered == form ? nullptr : entered->Handle();
  std::vector<TWinControl*> from = left != nullptr ? chainBelowForm(left) : std::vector<TWinControl*>{};
  std::vector<TWinControl*> to = entered != form ? chainBelowForm(entered) : std::vector<TWinControl*>{};
  std::size_t common = 0;
  while (common < from.size() && common < to.size() && from[common] == to[common]) ++common;
  std::vector<HWND> exits;
  for (std::size_t i = from.size(); i-- > common;) exits.push_back(from[i]->Handle());
  std::vector<HWND> enters;
  for (std::size_t i = common; i < to.size(); ++i) enters.push_back(to[i]->Handle());
  // A handler may free controls of the chains; each is looked up again before its event.
  for (HWND h : exits)
    if (TWinControl* c = MessageQueue::Find(h)) c->DoExit();
  for (HWND h : enters)
    if (TWinControl* c = MessageQueue::Find(h)) c->DoEnter();
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TWinControlPrivate>(new QWidget)) {}

TWinControl::TWinControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd) : TControl(AOwner, std::move(dd)) {
  WinControlPrivate()->handle = MessageQueue::Register(this);
}

TWinControl::~TWinControl() {
  TWinControlPrivate* d = WinControlPrivate();
  MessageQueue::Unregister(d->handle);
  d->destroying = true;
  TearDown();
}

TWinControlPrivate* TWinControl::WinControlPrivate() const { return static_cast<TWinControlPrivate*>(d_ptr.get()); }

HWND TWinControl::Handle() const { return WinControlPrivate()->handle; }

int TWinControl::ControlCount() const { return static_cast<int>(WinControlPrivate()->controls.size()); }

TControl* TWinControl::Controls(int Index) const {
  const auto& list = WinControlPrivate()->controls;
  if (Index < 0 || Index >= static_cast<int>(list.size()))
    throw EListError("Control index out of bounds (" + std::to_string(Index) + ")");
  return list[static_cast<std::size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->Parent())
    if (c == this) return true;
  return false;
}

TControl* TWinControl::FindChildControl(const AnsiString& ControlName) const {
  for (TControl* c : WinControlPrivate()->controls)
    if (SameText(c->Name(), ControlName)) return c;
  return nullptr;
}

void TWinControl::insertControl(TControl* Control) {
  TWinControlPrivate* d = WinControlPrivate();
  TControlPrivate* cd = Control->ControlPrivate();
  d->controls.push_back(Control);
  cd->parent = this;
  if (auto* wc = dynamic_cast<TWinControl*>(Control)) d->tabList.push_back(wc);
  if (cd->widget) cd->widget->setParent(d->clientWidget());
  cd->applyGeometry();
  cd->applyVisible();
  Control->parentFontChanged();
  Control->parentColorChanged();
  Control->parentShowHintChanged();
  d->applyTabOrder();
  if (cd->align != alNone) alignControls();
}

void TWinControl::removeControl(TControl* Control) {
  TWinControlPrivate* d = WinControlPrivate();
  TControlPrivate* cd = Control->ControlPrivate();
  std::erase(d->controls, Control);
  if (auto* wc = dynamic_cast<TWinControl*>(Control)) std::erase(d->tabList, wc);
  cd->parent = nullptr;
  if (cd->widget) {
    cd->widget->hide();
    cd->widget->setParent(nullptr);
  }
  if (d->destroying) return;
  d->applyTabOrder();
  if (cd->align != alNone) alignControls();
}

int TWinControl::TabOrder() const {
  TWinControl* p = Parent();
  if (p == nullptr) return -1;
  const auto& list = p->WinControlPrivate()->tabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  TWinControl* p = Parent();
  if (p == nullptr || Value < 0) return;
  auto& list = p->WinControlPrivate()->tabList;
  std::erase(list, this);
  const auto at = static_cast<std::size_t>(Value) > list.size() ? list.size() : static_cast<std::size_t>(Value);
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
  p->WinControlPrivate()->applyTabOrder();
}

bool TWinControl::TabStop() const { return WinControlPrivate()->tabStop; }

void TWinControl::SetTabStop(bool Value) {
  TWinControlPrivate* d = WinControlPrivate();
  d->tabStop = Value;
  QWidget* w = d->focusWidget();
  if (w == nullptr) return;
  const Qt::FocusPolicy policy = w->focusPolicy();
  if (Value && (policy & Qt::ClickFocus))
    w->setFocusPolicy(Qt::StrongFocus);
  else if (!Value && (policy & Qt::TabFocus))
    w->setFocusPolicy(Qt::ClickFocus);
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = ParentForm();
  if (form == nullptr || !form->Visible()) return false;
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  QWidget* w = WinControlPrivate()->focusWidget();
  if (w == nullptr) return;
  QWidget* window = w->window();
  if (window != nullptr && !window->isActiveWindow()) window->activateWindow();
  w->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
  QWidget* w = WinControlPrivate()->focusWidget();
  QWidget* focus = QApplication::focusWidget();
  return w != nullptr && focus != nullptr && (focus == w || w->isAncestorOf(focus)) && winControlOf(focus) == this;
}

void TWinControl::DisableAlign() { ++WinControlPrivate()->alignDisabled; }

void TWinControl::EnableAlign() {
  TWinControlPrivate* d = WinControlPrivate();
  if (d->alignDisabled == 0) return;
  if (--d->alignDisabled == 0 && d->alignPending) alignControls();
}

void TWinControl::Realign() { alignControls(); }

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::alignControls() {
  TWinControlPrivate* d = WinControlPrivate();
  if (d->destroying) return;
  if (d->alignDisabled > 0) {
    d->alignPending = true;
    return;
  }
  if (d->aligning) return;
  d->aligning = true;
  d->alignPending = false;
  TRect r = ClientRect();
  AdjustClientRect(r);
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : d->controls)
      if (c->Visible() && c->Align() == kind) list.push_back(c);
    // Controls keep the order of their positions along the edge they dock to.
    std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
      switch (kind) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      const int w = c->Width();
      const int h = c->Height();
      switch (kind) {
        case alTop:
          c->moveTo(r.Left, r.Top, r.Width(), h);
          r.Top += h;
          break;
        case alBottom:
          c->moveTo(r.Left, r.Bottom - h, r.Width(), h);
          r.Bottom -= h;
          break;
        case alLeft:
          c->moveTo(r.Left, r.Top, w, r.Height());
          r.Left += w;
          break;
        case alRight:
          c->moveTo(r.Right - w, r.Top, w, r.Height());
          r.Right -= w;
          break;
        default:
          c->moveTo(r.Left, r.Top, r.Width(), r.Height());
          break;
      }
      if (r.Bottom < r.Top) r.Bottom = r.Top;
      if (r.Right < r.Left) r.Right = r.Left;
    }
  }
  d->aligning = false;
}

void TWinControl::BoundsChanged() { alignControls(); }

void TWinControl::FontChanged() {
  inherited::FontChanged();
  for (TControl* c : WinControlPrivate()->controls) c->parentFontChanged();
}

void TWinControl::ColorChanged() {
  inherited::ColorChanged();
  for (TControl* c : WinControlPrivate()->controls) c->parentColorChanged();
}

void TWinControl::DoEnter() {
  if (OnEnter) FireEvent(this, [this] { OnEnter(this); });
}

void TWinControl::DoExit() {
  if (OnExit) FireEvent(this, [this] { OnExit(this); });
}

bool TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) FireEvent(this, [&] { OnKeyDown(this, Key, Shift); });
  return Key == 0;
}

bool TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) FireEvent(this, [&] { OnKeyUp(this, Key, Shift); });
  return Key == 0;
}

bool TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) FireEvent(this, [&] { OnKeyPress(this, Key); });
  return Key == 0;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  TWinControlPrivate* d = WinControlPrivate();
  switch (Message.Msg) {
    case WM_SETREDRAW:
      if (d->widget) {
        d->widget->setUpdatesEnabled(Message.WParam != 0);
        if (Message.WParam != 0) d->widget->update();
      }
      break;
    case WM_SETTEXT:
      SetText(Message.LParam == 0 ? AnsiString() : AnsiString(reinterpret_cast<const char*>(Message.LParam)));
      Message.Result = 1;
      break;
    default:
      inherited::DefaultHandler(Message);
  }
}
