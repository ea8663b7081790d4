// Private to the GUI layer; may change without notice.
//
// The implementation side of TControl: the Qt widget that shows the control, its event
// filter, and the state that the public class keeps behind its one pointer. Each control
// class with state of its own derives a private class from this one (TButtonPrivate ...).
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include "TControl.h"

class QEvent;
class TControlEventFilter;

class TControlPrivate {
public:
  // Takes ownership of the widget.
  explicit TControlPrivate(QWidget* w);
  virtual ~TControlPrivate();
  TControlPrivate(const TControlPrivate&) = delete;
  TControlPrivate& operator=(const TControlPrivate&) = delete;

  // The widget in which child controls are placed.
  virtual QWidget* clientWidget() const { return widget; }
  // The palette role that Color paints.
  virtual QPalette::ColorRole colorRole() const { return QPalette::Window; }
  // The widget that mouse input for the control goes to (a view's viewport).
  virtual QWidget* inputWidget() const { return widget; }
  // Controls alive now.
  static int liveCount();
  // Widgets besides the main one that receive the control's mouse input (a view's viewport).
  void addInputWidget(QWidget* w);

  // Pushes the stored geometry, visibility and font to the widget.
  virtual void applyGeometry();
  virtual void applyVisible();
  void applyFont();
  void applyColor();
  // Shows or drops the tooltip after Application.ShowHint changed.
  void refreshHint();
  // Raises OnDblClick as the user's double click does.
  void dblClick();

  // Frees the child controls (windowed controls) before the widget goes.
  virtual void destroyChildren() {}
  // A Qt event of one of the control's widgets, before the common handling; true consumes it.
  virtual bool widgetEvent(QObject* watched, QEvent* event);

  // The control behind a widget: the nearest widget up the parent chain that shows a control.
  static TControl* controlOf(const QWidget* w);

  TControl* q = nullptr;
  QPointer<QWidget> widget;
  std::unique_ptr<TControlEventFilter> filter;
  TWinControl* parent = nullptr;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  TAlign align = alNone;
  bool visible = true;
  bool enabled = true;
  AnsiString text;
  AnsiString hint;
  bool showHint = false;
  bool parentShowHint = true;
  std::unique_ptr<TFont> font;
  bool parentFont = true;
  bool fontFromParent = false;  // the font is being copied from the parent, not set by the user
  TColor color = clBtnFace;
  bool parentColor = false;
  bool colorFromParent = false;
  bool fillBackground = false;  // paints Color behind the control (panels, forms, opaque labels)
  TPopupMenu* popupMenu = nullptr;
  // Clicks made with the mouse raise OnClick (controls without a click signal of their own).
  bool clickOnMouseUp = false;
  bool mousePressed = false;
  // Mouse input stops at the control (passive widgets that would pass it to their parent).
  bool consumeMouse = false;
  bool tornDown = false;
};

// Routes the Qt events of a control's widgets to the control.
class TControlEventFilter : public QObject {
public:
  explicit TControlEventFilter(TControlPrivate* d) : d_(d) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TControlPrivate* d_;
};

// Runs an event handler of a control. Nothing runs while controls are being torn down; an
// exception escaping the handler goes to Application.HandleException.
void FireEvent(TObject* sender, const std::function<void()>& handler);
// Passes an exception that escaped an event handler to Application.HandleException (or, before
// the GUI has started, writes its message to the standard error stream).
void HandleEventException(TObject* sender, std::exception_ptr error);
// Runs the work that threads handed to the main thread; an exception goes to
// HandleEventException with Sender.
void RunMainThreadQueue(TObject* sender);
// True while a control is being torn down (events are then not raised).
bool ControlsTearingDown();

// Marks a stretch of control teardown; events are not raised while one exists.
class TTeardownGuard {
public:
  TTeardownGuard();
  ~TTeardownGuard();
  TTeardownGuard(const TTeardownGuard&) = delete;
  TTeardownGuard& operator=(const TTeardownGuard&) = delete;
};

// Brings a top-level window to the front and activates it (where the platform can).
void RaiseWindow(QWidget* window);

// The shift state of Qt's keyboard modifiers and mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
// The virtual-key code of a Qt key (0 when it has none), and the Qt key of a code.
WORD VirtualKeyOf(int qtKey);
int QtKeyOf(WORD vk);
