#include "TCustomForm.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "Forms.h"
#include "MessageQueue_p.h"
#include "QtConvert_p.h"
#include "TApplicationTestHook.h"
#include "TButton.h"
#include "TControlProps_p.h"
#include "TCustomForm_p.h"
#include "WinUser.h"

DEFINE_CLASS(TCustomForm, TWinControl)

namespace {

constexpr int kDefaultFormWidth = 320;
constexpr int kDefaultFormHeight = 240;

bool fixedBorder(TFormBorderStyle style) { return style != bsSizeable && style != bsSizeToolWin; }

// The first control in tab order, depth first, that takes the focus from the keyboard.
TWinControl* firstFocusable(TWinControl* parent) {
  std::vector<TWinControl*> order;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* c = dynamic_cast<TWinControl*>(parent->Controls(i))) order.push_back(c);
  std::stable_sort(order.begin(), order.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* c : order) {
    if (!c->Visible() || !c->Enabled()) continue;
    QWidget* w = c->WinControlPrivate()->focusWidget();
    if (c->TabStop() && w != nullptr && (w->focusPolicy() & Qt::TabFocus)) return c;
    if (TWinControl* inner = firstFocusable(c)) return inner;
  }
  return nullptr;
}

// The form's showing, enabled button marked Default (enter) or Cancel.
TButton* findButton(TWinControl* parent, bool isDefault) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b != nullptr && (isDefault ? b->Default() : b->Cancel())) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* inner = findButton(w, isDefault)) return inner;
  }
  return nullptr;
}

}  // namespace

// ---- TCustomFormPrivate ----

std::vector<HWND> TCustomFormPrivate::modalForms;

TCustomFormPrivate::TCustomFormPrivate() : TWinControlPrivate(new QWidget(nullptr, Qt::Window)) {}

int TCustomFormPrivate::frameWidth() const {
  switch (borderStyle) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return GetSystemMetrics(SM_CXFRAME);
    default: return GetSystemMetrics(SM_CXFIXEDFRAME);
  }
}

int TCustomFormPrivate::captionHeight() const {
  switch (borderStyle) {
    case bsNone: return 0;
    case bsToolWindow:
    case bsSizeToolWin: return 16;
    default: return GetSystemMetrics(SM_CYCAPTION);
  }
}

void TCustomFormPrivate::applyGeometry() {
  if (!widget) return;
  const int cw = std::max(0, width - 2 * frameWidth());
  const int ch = std::max(0, height - 2 * frameWidth() - captionHeight());
  if (fixedBorder(borderStyle)) {
    widget->setFixedSize(cw, ch);
  } else {
    widget->setMinimumSize(0, 0);
    widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    widget->resize(cw, ch);
  }
  widget->move(left, top);
}

bool TCustomFormPrivate::widgetEvent(QObject* watched, QEvent* event) {
  TCustomForm* f = form;
  if (watched != widget || f == nullptr) return false;
  switch (event->type()) {
    case QEvent::Close:
      // The desktop's close button: close as the program would, and let Close decide.
      event->ignore();
      FireEvent(f, [f] { f->Close(); });
      return true;
    case QEvent::WindowActivate:
      if (f->OnActivate) FireEvent(f, [f] { f->OnActivate(f); });
      return false;
    case QEvent::WindowDeactivate:
      if (f->OnDeactivate) FireEvent(f, [f] { f->OnDeactivate(f); });
      return false;
    case QEvent::KeyPress: {
      // Enter and Escape that no control took press the form's default and cancel buttons.
      const int key = static_cast<QKeyEvent*>(event)->key();
      const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
      if (!enter && key != Qt::Key_Escape) return false;
      if (TButton* button = findButton(f, enter)) {
        FireEvent(button, [button] { button->Click(); });
        return true;
      }
      return false;
    }
    case QEvent::Resize: {
      // The user resized the window: take the new client size.
      const QSize s = widget->size();
      const int w = s.width() + 2 * frameWidth();
      const int h = s.height() + 2 * frameWidth() + captionHeight();
      if (w != width || h != height) f->SetBounds(left, top, w, h);
      return false;
    }
    default:
      return false;
  }
}

void TCustomFormPrivate::refreshHints(TControl* control) {
  control->ControlPrivate()->refreshHint();
  if (auto* w = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < w->ControlCount(); ++i) refreshHints(w->Controls(i));
}

bool TCustomFormPrivate::saveScreenshot(TCustomForm* form, const AnsiString& fileName) {
  TCustomFormPrivate* d = form->FormPrivate();
  if (!d->widget) return false;
  const QPixmap client = d->widget->grab();
  const int fw = d->frameWidth();
  const int ch = d->captionHeight();
  QImage image(client.width() + 2 * fw, client.height() + 2 * fw + ch, QImage::Format_RGB32);
  image.fill(ToQColor(clBtnFace));
  QPainter p(&image);
  if (fw > 0) {
    // Raised outer edge of the frame.
    p.setPen(ToQColor(cl3DLight));
    p.drawLine(0, 0, image.width() - 1, 0);
    p.drawLine(0, 0, 0, image.height() - 1);
    p.setPen(ToQColor(cl3DDkShadow));
    p.drawLine(image.width() - 1, 0, image.width() - 1, image.height() - 1);
    p.drawLine(0, image.height() - 1, image.width() - 1, image.height() - 1);
  }
  if (ch > 0) {
    const QRect bar(fw, fw, client.width(), ch - 1);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, ToQColor(clActiveCaption));
    gradient.setColorAt(1, ToQColor(clGradientActiveCaption));
    p.fillRect(bar, gradient);
    QFont captionFont = ToQFont(*Screen->MenuFont());
    captionFont.setBold(true);
    p.setFont(captionFont);
    p.setPen(ToQColor(clCaptionText));
    int textRight = bar.right() - 4;
    if (d->borderIcons.Contains(biSystemMenu)) {
      // Close box, then the minimise box when the form has one.
      const int size = ch - 5;
      QRect box(bar.right() - size - 1, bar.top() + 2, size, size - 2);
      auto drawBox = [&](const QRect& r) {
        p.fillRect(r, ToQColor(clBtnFace));
        p.setPen(ToQColor(cl3DDkShadow));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(ToQColor(clBtnText));
      };
      drawBox(box);
      p.drawLine(box.left() + 4, box.top() + 3, box.right() - 4, box.bottom() - 3);
      p.drawLine(box.left() + 4, box.bottom() - 3, box.right() - 4, box.top() + 3);
      textRight = box.left() - 2;
      if (d->borderIcons.Contains(biMinimize) && d->borderStyle != bsDialog) {
        QRect min = box.translated(-size - 2, 0);
        drawBox(min);
        p.drawLine(min.left() + 4, min.bottom() - 3, min.right() - 5, min.bottom() - 3);
        textRight = min.left() - 2;
      }
      p.setPen(ToQColor(clCaptionText));
    }
    p.drawText(QRect(bar.left() + 4, bar.top(), textRight - bar.left() - 4, bar.height()),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, ToQString(form->Caption()));
  }
  p.drawPixmap(fw, fw + ch, client);
  p.end();
  return image.save(ToQString(fileName), "PNG");
}

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TCustomFormPrivate>()) {
  TCustomFormPrivate* d = FormPrivate();
  d->form = this;
  d->visible = false;
  d->parentFont = false;
  d->parentColor = false;
  d->fillBackground = true;
  d->applyColor();
  applyWindowFlags();
  moveTo(0, 0, kDefaultFormWidth, kDefaultFormHeight);
  if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen != nullptr) Screen->RemoveForm(this);
  TearDown();
}

TCustomFormPrivate* TCustomForm::FormPrivate() const { return static_cast<TCustomFormPrivate*>(d_ptr.get()); }

void TCustomForm::AfterConstruction() {
  TCustomFormPrivate* d = FormPrivate();
  if (d->created) return;
  d->created = true;
  DoCreate();
}

void TCustomForm::Free() {
  beforeDestruction();
  delete this;
}

void TCustomForm::beforeDestruction() {
  TCustomFormPrivate* d = FormPrivate();
  if (d->destroyed) return;
  d->destroyed = true;
  if (d->widget) d->widget->hide();
  DoDestroy();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  // The owner is freeing this form: OnDestroy runs while the form is still whole.
  if (AComponent == this && Operation == TOperation::opRemove && Owner() != nullptr &&
      Owner()->ComponentState().Contains(TComponentStateFlag::csDestroying))
    beforeDestruction();
}

int TCustomForm::ClientWidth() const {
  const TCustomFormPrivate* d = FormPrivate();
  return std::max(0, d->width - 2 * d->frameWidth());
}

void TCustomForm::SetClientWidth(int Value) { SetWidth(Value + 2 * FormPrivate()->frameWidth()); }

int TCustomForm::ClientHeight() const {
  const TCustomFormPrivate* d = FormPrivate();
  return std::max(0, d->height - 2 * d->frameWidth() - d->captionHeight());
}

void TCustomForm::SetClientHeight(int Value) {
  const TCustomFormPrivate* d = FormPrivate();
  SetHeight(Value + 2 * d->frameWidth() + d->captionHeight());
}

TFormBorderStyle TCustomForm::BorderStyle() const { return FormPrivate()->borderStyle; }

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  TCustomFormPrivate* d = FormPrivate();
  if (Value == d->borderStyle) return;
  // The client area keeps its size; the frame around it changes.
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  d->borderStyle = Value;
  if (Value == bsDialog) d->borderIcons = d->borderIcons - TBorderIcons{biMinimize, biMaximize};
  applyWindowFlags();
  SetClientWidth(cw);
  SetClientHeight(ch);
  d->applyGeometry();
}

TBorderIcons TCustomForm::BorderIcons() const { return FormPrivate()->borderIcons; }

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  FormPrivate()->borderIcons = Value;
  applyWindowFlags();
}

void TCustomForm::applyWindowFlags() {
  TCustomFormPrivate* d = FormPrivate();
  if (!d->widget) return;
  Qt::WindowFlags flags;
  switch (d->borderStyle) {
    case bsNone: flags = Qt::Window | Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
    default: flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
  }
  if (d->borderStyle != bsNone && d->borderIcons.Contains(biSystemMenu)) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (d->borderStyle != bsDialog && d->borderIcons.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (d->borderStyle != bsDialog && d->borderIcons.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
  }
  const bool shown = d->widget->isVisible();
  d->widget->setWindowFlags(flags);
  d->applyGeometry();
  if (shown) d->widget->show();
}

TPosition TCustomForm::Position() const { return FormPrivate()->position; }
void TCustomForm::SetPosition(TPosition Value) { FormPrivate()->position = Value; }
bool TCustomForm::KeyPreview() const { return FormPrivate()->keyPreview; }
void TCustomForm::SetKeyPreview(bool Value) { FormPrivate()->keyPreview = Value; }

TWinControl* TCustomForm::ActiveControl() const {
  const TCustomFormPrivate* d = FormPrivate();
  if (TWinControl* c = MessageQueue::Find(d->activeControl)) return c;
  return MessageQueue::Find(d->activeControlSetting);
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  TCustomFormPrivate* d = FormPrivate();
  if (Value != nullptr && !ContainsControl(Value)) throw EInvalidOperation("Invalid ActiveControl: the control is not on this form");
  d->activeControlSetting = Value != nullptr ? Value->Handle() : nullptr;
  if (Value != nullptr && Visible() && Value->CanFocus()) Value->SetFocus();
}

TModalResult TCustomForm::ModalResult() const { return FormPrivate()->modalResult; }
void TCustomForm::SetModalResult(TModalResult Value) { FormPrivate()->modalResult = Value; }
bool TCustomForm::Modal() const { return FormPrivate()->modal; }

void TCustomForm::Show() {
  SetVisible(true);
  RaiseWindow(FormPrivate()->widget);
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::Active() const {
  const TCustomFormPrivate* d = FormPrivate();
  return d->widget && d->widget->isActiveWindow();
}

void TCustomForm::SetFocus() {
  TCustomFormPrivate* d = FormPrivate();
  if (!Visible() || !Enabled()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  RaiseWindow(d->widget);
}

void TCustomForm::VisibleChanged() {
  TCustomFormPrivate* d = FormPrivate();
  if (!d->widget) return;
  if (d->visible) {
    if (!d->created) AfterConstruction();
    DoShow();
    if (!d->visible) return;  // OnShow hid the form again
    placeOnShow();
    d->widget->show();
    d->placed = true;
    TWinControl* focus = MessageQueue::Find(d->activeControlSetting);
    if (focus == nullptr || !focus->CanFocus()) focus = firstFocusable(this);
    if (focus != nullptr && focus->CanFocus()) focus->SetFocus();
  } else {
    DoHide();
    d->widget->hide();
  }
}

void TCustomForm::placeOnShow() {
  TCustomFormPrivate* d = FormPrivate();
  const TCustomForm* around = nullptr;
  switch (d->position) {
    case poMainFormCenter:
      if (Application != nullptr && Application->MainForm() != this) around = Application->MainForm();
      break;
    case poOwnerFormCenter:
      around = dynamic_cast<const TCustomForm*>(Owner());
      break;
    case poScreenCenter:
    case poDesktopCenter:
      break;
    default:
      return;
  }
  if (around != nullptr && around->Visible()) {
    moveTo(around->Left() + (around->Width() - Width()) / 2, around->Top() + (around->Height() - Height()) / 2, Width(),
           Height());
  } else if (Screen != nullptr) {
    moveTo((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
  }
}

void TCustomForm::BoundsChanged() {
  FormPrivate()->applyGeometry();
  inherited::BoundsChanged();
}

void TCustomForm::TextChanged() {
  TCustomFormPrivate* d = FormPrivate();
  if (d->widget) d->widget->setWindowTitle(ToQString(d->text));
}

TModalResult TCustomForm::ShowModal() {
  TCustomFormPrivate* d = FormPrivate();
  if (Visible() || d->modal) throw EInvalidOperation("Cannot make a visible window modal");
  d->modalResult = mrNone;
  d->modal = true;
  d->modalClosed = false;
  d->widget->setWindowModality(Qt::ApplicationModal);
  const HWND self = Handle();
  TCustomFormPrivate::modalForms.push_back(self);
  struct Restore {
    TCustomFormPrivate* d;
    HWND self;
    ~Restore() {
      std::erase(TCustomFormPrivate::modalForms, self);
      if (MessageQueue::Find(self) == nullptr) return;  // freed meanwhile
      d->modal = false;
      if (d->widget) d->widget->setWindowModality(Qt::NonModal);
    }
  } restore{d, self};
  Show();
  if (TApplicationTestHook* hook = Application != nullptr ? Application->TestHook() : nullptr) {
    hook->Record(TShownDialog{dkModalForm, {}, Caption(), 0});
    if (hook->OnShowModal) {
      FireEvent(this, [&] { hook->OnShowModal(this); });
      if (MessageQueue::Find(self) == nullptr) return mrCancel;
      Application->ProcessMessages();
    }
    // Nobody is left to answer: the form closes as with its close button, and one that
    // refuses even that is hidden all the same, so that the test goes on.
    if (d->modalResult == mrNone || !d->modalClosed) {
      if (d->modalResult == mrNone) d->modalResult = mrCancel;
      if (!d->modalClosed) closeModal();
      if (d->modalResult == mrNone) d->modalResult = mrCancel;
    }
  }
  for (;;) {
    if (d->modalResult != mrNone) {
      if (!d->modalClosed) closeModal();
      if (d->modalResult != mrNone) break;
    }
    if (Application == nullptr || Application->Terminated()) {
      d->modalResult = mrCancel;
      break;
    }
    Application->HandleMessage();
    if (MessageQueue::Find(self) == nullptr) return mrCancel;  // freed by a handler meanwhile
  }
  Hide();
  return d->modalResult;
}

void TCustomFormPrivate::checkModalResult() {
  if (modalForms.empty()) return;
  auto* form = dynamic_cast<TCustomForm*>(MessageQueue::Find(modalForms.back()));
  if (form == nullptr) return;
  TCustomFormPrivate* d = form->FormPrivate();
  if (d->modalResult != mrNone && !d->modalClosed) form->closeModal();
}

void TCustomForm::closeModal() {
  TCustomFormPrivate* d = FormPrivate();
  TCloseAction action = caHide;
  if (!CloseQuery()) {
    d->modalResult = mrNone;
    return;
  }
  DoClose(action);
  if (action == caNone) {
    d->modalResult = mrNone;
    return;
  }
  d->modalClosed = true;
  Hide();
  if (action == caFree) Release();
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) FireEvent(this, [&] { OnCloseQuery(this, canClose); });
  return canClose;
}

void TCustomForm::Close() {
  TCustomFormPrivate* d = FormPrivate();
  if (d->modal) {
    d->modalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: d->widget->showMinimized(); break;
    default: Release(); break;
  }
}

void TCustomForm::Release() {
  Hide();
  const HWND self = Handle();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [self] {
        if (auto* f = dynamic_cast<TCustomForm*>(MessageQueue::Find(self))) f->Free();
      },
      Qt::QueuedConnection);
}

void TCustomForm::DoCreate() {
  if (OnCreate) FireEvent(this, [this] { OnCreate(this); });
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) FireEvent(this, [this] { OnDestroy(this); });
}

void TCustomForm::DoShow() {
  if (OnShow) FireEvent(this, [this] { OnShow(this); });
}

void TCustomForm::DoHide() {
  if (OnHide) FireEvent(this, [this] { OnHide(this); });
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) FireEvent(this, [&] { OnClose(this, Action); });
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CLOSE) {
    Close();
    return;
  }
  inherited::DefaultHandler(Message);
}
