#include "TControl.h"

#include <unordered_map>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>

#include "Forms.h"
#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TCustomForm.h"
#include "TPopupMenu.h"
#include "TWinControl.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TControl, TComponent,
             Published::Integer("Left", &TControl::Left, &TControl::SetLeft),
             Published::Integer("Top", &TControl::Top, &TControl::SetTop),
             Published::Integer("Width", &TControl::Width, &TControl::SetWidth),
             Published::Integer("Height", &TControl::Height, &TControl::SetHeight))

namespace {

int g_teardownDepth = 0;
int g_liveControls = 0;

// The control each widget shows; main thread only.
std::unordered_map<const QWidget*, TControl*>& widgetControls() {
  static std::unordered_map<const QWidget*, TControl*> map;
  return map;
}

// The short part of a hint ("short|long").
AnsiString shortHint(const AnsiString& hint) {
  const auto bar = hint.find('|');
  return bar == AnsiString::npos ? hint : hint.substr(0, bar);
}

TMouseButton mouseButtonOf(Qt::MouseButton button) {
  return button == Qt::RightButton ? mbRight : button == Qt::MiddleButton ? mbMiddle : mbLeft;
}

}  // namespace

// ---- property rows shared by the control classes ----

namespace ControlProps {
TPropInfo Align() {
  return Published::Enum("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &TControl::Align,
                         &TControl::SetAlign);
}
TPropInfo Caption() { return Published::String("Caption", &TControl::Caption, &TControl::SetCaption); }
TPropInfo Text() { return Published::String("Text", &TControl::Text, &TControl::SetText); }
TPropInfo Color() { return Published::Integer(ColorIdents(), "Color", &TControl::Color, &TControl::SetColor); }
TPropInfo Enabled() { return Published::Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled); }
TPropInfo Font() { return Published::Class("Font", &TControl::Font, &TControl::SetFont); }
TPropInfo Hint() { return Published::String("Hint", &TControl::Hint, &TControl::SetHint); }
TPropInfo ParentColor() { return Published::Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor); }
TPropInfo ParentFont() { return Published::Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont); }
TPropInfo ParentShowHint() {
  return Published::Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
}
TPropInfo PopupMenu() { return Published::Class("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu); }
TPropInfo ShowHint() { return Published::Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint); }
TPropInfo Visible() { return Published::Boolean("Visible", &TControl::Visible, &TControl::SetVisible); }
TPropInfo OnClick() { return Published::Event("OnClick", &TControl::OnClick); }
TPropInfo OnDblClick() { return Published::Event("OnDblClick", &TControl::OnDblClick); }
TPropInfo OnMouseDown() { return Published::Event("OnMouseDown", &TControl::OnMouseDown); }
TPropInfo OnMouseUp() { return Published::Event("OnMouseUp", &TControl::OnMouseUp); }
TPropInfo OnResize() { return Published::Event("OnResize", &TControl::OnResize); }
TPropInfo TabOrder() { return Published::Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder); }
TPropInfo TabStop() { return Published::Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop); }
TPropInfo OnEnter() { return Published::Event("OnEnter", &TWinControl::OnEnter); }
TPropInfo OnExit() { return Published::Event("OnExit", &TWinControl::OnExit); }
TPropInfo OnKeyDown() { return Published::Event("OnKeyDown", &TWinControl::OnKeyDown); }
TPropInfo OnKeyPress() { return Published::Event("OnKeyPress", &TWinControl::OnKeyPress); }
TPropInfo OnKeyUp() { return Published::Event("OnKeyUp", &TWinControl::OnKeyUp); }
}  // namespace ControlProps

// ---- teardown and event firing ----

TTeardownGuard::TTeardownGuard() { ++g_teardownDepth; }
TTeardownGuard::~TTeardownGuard() { --g_teardownDepth; }
bool ControlsTearingDown() { return g_teardownDepth > 0; }

void FireEvent(TObject* sender, const std::function<void()>& handler) {
  if (ControlsTearingDown() || !handler) return;
  if (auto* c = dynamic_cast<TComponent*>(sender); c && c->ComponentState().Contains(TComponentStateFlag::csDestroying))
    return;
  try {
    handler();
  } catch (...) {
    HandleEventException(sender, std::current_exception());
  }
}

void RaiseWindow(QWidget* window) {
  if (window == nullptr) return;
  // The offscreen platform of tests has no stacking order to change.
  static const bool canRaise = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                               QGuiApplication::platformName() != QLatin1String("minimal");
  if (canRaise) window->raise();
  window->activateWindow();
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

namespace {

// Qt's keys besides letters, digits and function keys, with their virtual-key codes. Where two
// keys share a code (Tab and Backtab, Return and Enter), the first is the one the code types.
constexpr struct {
  int qtKey;
  WORD vk;
} kKeyCodes[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},      {Qt::Key_Backtab, 0x09},   {Qt::Key_Clear, 0x0C},
    {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},    {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11},
    {Qt::Key_Alt, 0x12},       {Qt::Key_Pause, 0x13},    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},     {Qt::Key_PageUp, 0x21},   {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},     {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},      {Qt::Key_Print, 0x2C},    {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F},      {Qt::Key_Menu, 0x5D},     {Qt::Key_Asterisk, 0x6A},  {Qt::Key_Plus, 0xBB},
    {Qt::Key_Minus, 0xBD},     {Qt::Key_Comma, 0xBC},    {Qt::Key_Period, 0xBE},    {Qt::Key_Slash, 0xBF},
    {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91},
};

}  // namespace

WORD VirtualKeyOf(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<WORD>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<WORD>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<WORD>(0x70 + (k - Qt::Key_F1));
  for (const auto& code : kKeyCodes)
    if (code.qtKey == k) return code.vk;
  return 0;
}

int QtKeyOf(WORD vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= 0x70 && vk <= 0x87) return Qt::Key_F1 + (vk - 0x70);
  for (const auto& code : kKeyCodes)
    if (code.vk == vk) return code.qtKey;
  return 0;
}

// ---- TControlPrivate ----

TControlPrivate::TControlPrivate(QWidget* w) : widget(w) { ++g_liveControls; }

int TControlPrivate::liveCount() { return g_liveControls; }

TControlPrivate::~TControlPrivate() {
  --g_liveControls;
  TTeardownGuard guard;
  widgetControls().erase(widget.data());
  delete widget.data();
}

void TControlPrivate::addInputWidget(QWidget* w) {
  if (w == nullptr) return;
  w->installEventFilter(filter.get());
  widgetControls()[w] = q;
}

TControl* TControlPrivate::controlOf(const QWidget* w) {
  const auto& map = widgetControls();
  for (; w != nullptr; w = w->parentWidget()) {
    auto it = map.find(w);
    if (it != map.end()) return it->second;
  }
  return nullptr;
}

void TControlPrivate::applyGeometry() {
  if (widget) widget->setGeometry(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void TControlPrivate::applyVisible() {
  if (widget) widget->setVisible(visible && parent != nullptr);
}

void TControlPrivate::applyFont() {
  if (!widget) return;
  widget->setFont(ToQFont(*font));
  QPalette pal = widget->palette();
  const QColor text = ToQColor(font->Color());
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::WindowText, text);
    pal.setColor(group, QPalette::Text, text);
    pal.setColor(group, QPalette::ButtonText, text);
  }
  widget->setPalette(pal);
}

void TControlPrivate::applyColor() {
  if (!widget) return;
  QPalette pal = widget->palette();
  if (color == clDefault)
    pal.setColor(colorRole(), QApplication::palette().color(colorRole()));
  else
    pal.setColor(colorRole(), ToQColor(color));
  widget->setPalette(pal);
  if (fillBackground) widget->setAutoFillBackground(color != clNone);
}

void TControlPrivate::refreshHint() { q->updateHint(); }
void TControlPrivate::dblClick() { q->DblClick(); }

bool TControlPrivate::widgetEvent(QObject*, QEvent*) { return false; }

bool TControlEventFilter::eventFilter(QObject* watched, QEvent* event) {
  if (ControlsTearingDown() || d_->q == nullptr) return false;
  if (d_->widgetEvent(watched, event)) return true;
  TControl* q = d_->q;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* me = static_cast<QMouseEvent*>(event);
      const QPoint p = d_->widget ? d_->widget->mapFromGlobal(me->globalPosition().toPoint()) : QPoint();
      if (me->button() == Qt::LeftButton) d_->mousePressed = true;
      const TMouseButton button = mouseButtonOf(me->button());
      if (q->OnMouseDown)
        FireEvent(q, [&] { q->OnMouseDown(q, button, ShiftStateOf(me->modifiers(), me->buttons()), p.x(), p.y()); });
      return d_->consumeMouse;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      const QPoint p = d_->widget ? d_->widget->mapFromGlobal(me->globalPosition().toPoint()) : QPoint();
      const TMouseButton button = mouseButtonOf(me->button());
      const bool wasPressed = d_->mousePressed && me->button() == Qt::LeftButton;
      if (me->button() == Qt::LeftButton) d_->mousePressed = false;
      if (q->OnMouseUp)
        FireEvent(q, [&] { q->OnMouseUp(q, button, ShiftStateOf(me->modifiers(), me->buttons()), p.x(), p.y()); });
      if (wasPressed && d_->clickOnMouseUp && d_->widget && d_->widget->rect().contains(p)) q->Click();
      return d_->consumeMouse;
    }
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) d_->dblClick();
      return d_->consumeMouse;
    case QEvent::ContextMenu: {
      for (TControl* c = q; c != nullptr; c = c->Parent()) {
        TPopupMenu* menu = c->PopupMenu();
        if (menu == nullptr) continue;
        if (!menu->AutoPopup()) return true;
        const QPoint g = static_cast<QContextMenuEvent*>(event)->globalPos();
        menu->SetPopupComponent(q);
        menu->Popup(g.x(), g.y());
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

// ---- TControl ----

TControl::TControl(TComponent* AOwner) : TControl(AOwner, std::make_unique<TControlPrivate>(new QWidget)) {}

TControl::TControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd) : TComponent(AOwner), d_ptr(std::move(dd)) {
  TControlPrivate* d = d_ptr.get();
  d->q = this;
  d->font = std::make_unique<TFont>();
  d->font->OnChange = [this](TObject*) {
    TControlPrivate* dp = d_ptr.get();
    if (!dp->fontFromParent) dp->parentFont = false;
    FontChanged();
  };
  d->filter = std::make_unique<TControlEventFilter>(d);
  d->widget->hide();
  d->widget->installEventFilter(d->filter.get());
  widgetControls()[d->widget.data()] = this;
  d->width = d->widget->width();
  d->height = d->widget->height();
  d->applyFont();
}

TControl::~TControl() {
  TearDown();
  // A popup that refers to this control forgets it through the free notification of TComponent.
}

void TControl::TearDown() {
  TControlPrivate* d = d_ptr.get();
  if (d->tornDown) return;
  d->tornDown = true;
  TTeardownGuard guard;
  // Children go first, while the form above is still reachable from them.
  d->destroyChildren();
  if (d->parent != nullptr) d->parent->removeControl(this);
  QWidget* w = d->widget.data();
  auto& map = widgetControls();
  for (auto it = map.begin(); it != map.end();) {
    if (it->second == this)
      it = map.erase(it);
    else
      ++it;
  }
  d->widget = nullptr;
  delete w;
}

TWinControl* TControl::Parent() const { return d_ptr->parent; }

void TControl::SetParent(TWinControl* AParent) {
  TControlPrivate* d = d_ptr.get();
  if (AParent == d->parent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  for (TWinControl* p = AParent; p != nullptr; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (d->parent != nullptr) d->parent->removeControl(this);
  if (AParent != nullptr) AParent->insertControl(this);
}

int TControl::Left() const { return d_ptr->left; }
int TControl::Top() const { return d_ptr->top; }
int TControl::Width() const { return d_ptr->width; }
int TControl::Height() const { return d_ptr->height; }
void TControl::SetLeft(int Value) { SetBounds(Value, d_ptr->top, d_ptr->width, d_ptr->height); }
void TControl::SetTop(int Value) { SetBounds(d_ptr->left, Value, d_ptr->width, d_ptr->height); }
void TControl::SetWidth(int Value) { SetBounds(d_ptr->left, d_ptr->top, Value, d_ptr->height); }
void TControl::SetHeight(int Value) { SetBounds(d_ptr->left, d_ptr->top, d_ptr->width, Value); }

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  moveTo(ALeft, ATop, AWidth, AHeight);
  TControlPrivate* d = d_ptr.get();
  if (d->align != alNone && d->parent != nullptr) d->parent->alignControls();
}

void TControl::moveTo(int ALeft, int ATop, int AWidth, int AHeight) {
  TControlPrivate* d = d_ptr.get();
  AWidth = AWidth < 0 ? 0 : AWidth;
  AHeight = AHeight < 0 ? 0 : AHeight;
  if (ALeft == d->left && ATop == d->top && AWidth == d->width && AHeight == d->height) return;
  const bool resized = AWidth != d->width || AHeight != d->height;
  d->left = ALeft;
  d->top = ATop;
  d->width = AWidth;
  d->height = AHeight;
  d->applyGeometry();
  BoundsChanged();
  if (resized && OnResize) FireEvent(this, [this] { OnResize(this); });
}

void TControl::BoundsChanged() {}

TRect TControl::BoundsRect() const {
  const TControlPrivate* d = d_ptr.get();
  return TRect{d->left, d->top, d->left + d->width, d->top + d->height};
}

void TControl::SetBoundsRect(const TRect& Value) { SetBounds(Value.Left, Value.Top, Value.Width(), Value.Height()); }

int TControl::ClientWidth() const { return Width(); }
void TControl::SetClientWidth(int Value) { SetWidth(Value); }
int TControl::ClientHeight() const { return Height(); }
void TControl::SetClientHeight(int Value) { SetHeight(Value); }
TRect TControl::ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }

TPoint TControl::ClientToScreen(const TPoint& Point) const {
  const TControlPrivate* d = d_ptr.get();
  if (!d->widget) return Point;
  const QPoint g = d->widget->mapToGlobal(QPoint(Point.x, Point.y));
  return TPoint{g.x(), g.y()};
}

TPoint TControl::ScreenToClient(const TPoint& Point) const {
  const TControlPrivate* d = d_ptr.get();
  if (!d->widget) return Point;
  const QPoint c = d->widget->mapFromGlobal(QPoint(Point.x, Point.y));
  return TPoint{c.x(), c.y()};
}

TAlign TControl::Align() const { return d_ptr->align; }

void TControl::SetAlign(TAlign Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->align) return;
  d->align = Value;
  if (d->parent != nullptr) d->parent->alignControls();
}

bool TControl::Visible() const { return d_ptr->visible; }

void TControl::SetVisible(bool Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->visible) return;
  d->visible = Value;
  VisibleChanged();
  if (d->parent != nullptr && d->align != alNone) d->parent->alignControls();
}

void TControl::VisibleChanged() { d_ptr->applyVisible(); }

bool TControl::Showing() const {
  const TControlPrivate* d = d_ptr.get();
  return d->widget && d->widget->isVisible();
}

void TControl::Show() { SetVisible(true); }
void TControl::Hide() { SetVisible(false); }

bool TControl::Enabled() const { return d_ptr->enabled; }

void TControl::SetEnabled(bool Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->enabled) return;
  d->enabled = Value;
  EnabledChanged();
}

void TControl::EnabledChanged() {
  TControlPrivate* d = d_ptr.get();
  if (d->widget) d->widget->setEnabled(d->enabled);
}

AnsiString TControl::GetText() const { return d_ptr->text; }

void TControl::SetText(const AnsiString& Value) {
  if (Value == GetText()) return;
  d_ptr->text = Value;
  TextChanged();
}

void TControl::TextChanged() {}

const AnsiString& TControl::Hint() const { return d_ptr->hint; }

void TControl::SetHint(const AnsiString& Value) {
  d_ptr->hint = Value;
  updateHint();
}

bool TControl::ShowHint() const { return d_ptr->showHint; }

void TControl::SetShowHint(bool Value) {
  TControlPrivate* d = d_ptr.get();
  d->parentShowHint = false;
  if (Value == d->showHint) return;
  d->showHint = Value;
  updateHint();
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->parentShowHintChanged();
}

bool TControl::ParentShowHint() const { return d_ptr->parentShowHint; }

void TControl::SetParentShowHint(bool Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->parentShowHint) return;
  d->parentShowHint = Value;
  if (Value) parentShowHintChanged();
}

void TControl::parentShowHintChanged() {
  TControlPrivate* d = d_ptr.get();
  if (!d->parentShowHint || d->parent == nullptr) return;
  d->showHint = d->parent->ShowHint();
  updateHint();
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < w->ControlCount(); ++i) w->Controls(i)->parentShowHintChanged();
}

void TControl::updateHint() {
  TControlPrivate* d = d_ptr.get();
  if (!d->widget) return;
  const bool show = d->showHint && (Application == nullptr || Application->ShowHint());
  d->widget->setToolTip(show ? ToQString(shortHint(d->hint)) : QString());
}

TFont* TControl::Font() const { return d_ptr->font.get(); }

void TControl::SetFont(TFont* Value) {
  if (Value != nullptr) d_ptr->font->Assign(Value);
}

bool TControl::ParentFont() const { return d_ptr->parentFont; }

void TControl::SetParentFont(bool Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->parentFont) return;
  d->parentFont = Value;
  if (Value) parentFontChanged();
}

void TControl::parentFontChanged() {
  TControlPrivate* d = d_ptr.get();
  if (!d->parentFont || d->parent == nullptr) return;
  d->fontFromParent = true;
  d->font->Assign(d->parent->Font());
  d->fontFromParent = false;
}

void TControl::FontChanged() { d_ptr->applyFont(); }

TColor TControl::Color() const { return d_ptr->color; }

void TControl::SetColor(TColor Value) {
  TControlPrivate* d = d_ptr.get();
  if (!d->colorFromParent) d->parentColor = false;
  if (Value == d->color) return;
  d->color = Value;
  ColorChanged();
}

bool TControl::ParentColor() const { return d_ptr->parentColor; }

void TControl::SetParentColor(bool Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->parentColor) return;
  d->parentColor = Value;
  if (Value) parentColorChanged();
}

void TControl::parentColorChanged() {
  TControlPrivate* d = d_ptr.get();
  if (!d->parentColor || d->parent == nullptr) return;
  d->colorFromParent = true;
  SetColor(d->parent->Color());
  d->colorFromParent = false;
}

void TControl::ColorChanged() { d_ptr->applyColor(); }

TPopupMenu* TControl::PopupMenu() const { return d_ptr->popupMenu; }

void TControl::SetPopupMenu(TPopupMenu* Value) {
  TControlPrivate* d = d_ptr.get();
  if (Value == d->popupMenu) return;
  if (d->popupMenu != nullptr) d->popupMenu->RemoveFreeNotification(this);
  d->popupMenu = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == d_ptr->popupMenu) d_ptr->popupMenu = nullptr;
}

void TControl::Update() {
  if (d_ptr->widget) d_ptr->widget->repaint();
}

void TControl::Invalidate() {
  if (d_ptr->widget) d_ptr->widget->update();
}

void TControl::Repaint() {
  if (d_ptr->widget) d_ptr->widget->repaint();
}

void TControl::BringToFront() {
  TControlPrivate* d = d_ptr.get();
  if (d->widget && d->widget->isWindow())
    RaiseWindow(d->widget);
  else if (d->widget)
    d->widget->raise();
  if (d->parent != nullptr) {
    auto& list = d->parent->WinControlPrivate()->controls;
    std::erase(list, this);
    list.push_back(this);
  }
}

void TControl::SendToBack() {
  TControlPrivate* d = d_ptr.get();
  if (d->widget) d->widget->lower();
  if (d->parent != nullptr) {
    auto& list = d->parent->WinControlPrivate()->controls;
    std::erase(list, this);
    list.insert(list.begin(), this);
  }
}

TCustomForm* TControl::ParentForm() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (auto* f = dynamic_cast<TCustomForm*>(const_cast<TControl*>(c))) return f;
  return nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }
void TControl::Dispatch(TMessage& Message) { DefaultHandler(Message); }
void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
  if (OnClick) FireEvent(this, [this] { OnClick(this); });
}

void TControl::DblClick() {
  if (OnDblClick) FireEvent(this, [this] { OnDblClick(this); });
}
