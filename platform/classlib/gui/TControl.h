// TControl: a visible element of a form.
//
// Geometry is absolute, in pixels of the parent's client area, as form definitions give it;
// Align docks a control to an edge of its parent (alTop, alBottom, alLeft, alRight) or fills
// what is left (alClient), in the order top, bottom, left, right, client, and follows the
// parent's size from then on.
//
// Parent is the windowed control the control is shown in; a control without a parent is never
// shown. Ownership is separate: the Owner frees the control (TComponent), and a parent that is
// freed first frees its child controls with it, so each control is freed exactly once whatever
// the order. Events of controls are not raised while any control is being torn down.
//
// Font follows the parent's font while ParentFont is True; changing any attribute of Font sets
// ParentFont to False, and setting ParentFont to True takes the parent's font again. Color and
// ParentColor work the same way. A hint is shown as a tooltip when ShowHint (or, with
// ParentShowHint, the parent's ShowHint) is set and Application.ShowHint is True.
//
// Exceptions that escape an event handler are passed to Application.HandleException, which
// shows their message; they never unwind through the event loop.
//
// Published (each class publishes what its original publishes): Left, Top, Width, Height, Tag,
// Align, Visible, Enabled, Caption or Text, Hint, ShowHint, ParentShowHint, Font, ParentFont,
// Color, ParentColor, PopupMenu, and the events.
#pragma once

#include <memory>

#include "Controls.h"
#include "Graphics.h"
#include "TComponent.h"
#include "TFont.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;
class TControlPrivate;

class TControl : public TComponent {
  DECLARE_CLASS(TControl, TComponent)

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const;
  virtual void SetParent(TWinControl* AParent);

  int Left() const;
  void SetLeft(int Value);
  int Top() const;
  void SetTop(int Value);
  int Width() const;
  void SetWidth(int Value);
  int Height() const;
  void SetHeight(int Value);
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const;
  void SetBoundsRect(const TRect& Value);

  // The client area: the whole control unless a class has a frame of its own (forms).
  virtual int ClientWidth() const;
  virtual void SetClientWidth(int Value);
  virtual int ClientHeight() const;
  virtual void SetClientHeight(int Value);
  TRect ClientRect() const;
  // Client coordinates to the screen's and back.
  TPoint ClientToScreen(const TPoint& Point) const;
  TPoint ScreenToClient(const TPoint& Point) const;

  TAlign Align() const;
  void SetAlign(TAlign Value);

  bool Visible() const;
  void SetVisible(bool Value);
  // True when the control and all its parents are visible and the form is shown.
  bool Showing() const;
  void Show();
  void Hide();
  bool Enabled() const;
  virtual void SetEnabled(bool Value);

  // Caption and Text name the same text; a class publishes the one its original does.
  AnsiString Caption() const { return GetText(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  AnsiString Text() const { return GetText(); }
  void SetText(const AnsiString& Value);

  const AnsiString& Hint() const;
  void SetHint(const AnsiString& Value);
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const;
  void SetParentShowHint(bool Value);

  TFont* Font() const;
  void SetFont(TFont* Value);
  bool ParentFont() const;
  void SetParentFont(bool Value);
  TColor Color() const;
  void SetColor(TColor Value);
  bool ParentColor() const;
  void SetParentColor(bool Value);

  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* Value);

  // Paints now what needs painting / schedules a repaint / repaints at once.
  void Update();
  void Invalidate();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // The form the control is placed on (nullptr when it is on none).
  TCustomForm* ParentForm() const;

  // Delivers a message to this control at once (see Messages.h).
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);

  // Raises OnClick as a user's click would.
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;

  // The implementation, for the GUI layer's own classes.
  TControlPrivate* ControlPrivate() const { return d_ptr.get(); }

protected:
  TControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd);

  virtual AnsiString GetText() const;
  // Shows a new text; the default keeps it for GetText.
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  // The bounds have been set (also by the parent's alignment).
  virtual void BoundsChanged();
  virtual void DblClick();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Takes the control off its parent and frees its widget (and, for a windowed control, its
  // child controls first). The destructors call it; a class whose widget shows state of its
  // own calls it first in its destructor, before that state goes.
  void TearDown();

  // Sets the bounds without asking the parent to align its children again.
  void moveTo(int ALeft, int ATop, int AWidth, int AHeight);

  std::unique_ptr<TControlPrivate> d_ptr;

private:
  friend class TControlPrivate;
  friend class TWinControl;
  void parentFontChanged();
  void parentColorChanged();
  void parentShowHintChanged();
  void updateHint();
};
