// TWinControl: a control that has a window handle, can hold child controls, take the focus
// and receive the keyboard.
//
// Handle is valid for the control's whole life (see Messages.h for posting to it). Child
// controls are kept in the order they were placed; TabOrder is the position among the windowed
// children that Tab moves through (setting it moves the others up or down; a value beyond the
// last puts the control last). Aligned children are laid out again whenever the client area or
// an aligned child changes, unless DisableAlign is in effect.
//
// Keyboard: OnKeyDown sees the virtual-key code and the shift state first (setting Key to 0
// keeps the key from the control), then OnKeyPress sees the typed character (0 discards it).
// A form with KeyPreview sees both before the focused control. OnEnter and OnExit follow the
// focus: when it moves from one control to another, every control it leaves gets OnExit
// (innermost first) and every control it enters gets OnEnter (outermost first).
//
// Published, besides TControl's: TabOrder, TabStop, OnEnter, OnExit, OnKeyDown, OnKeyPress,
// OnKeyUp.
#pragma once

#include "TControl.h"

class TWinControlPrivate;

class TWinControl : public TControl {
  DECLARE_CLASS(TWinControl, TControl)

  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  HWND Handle() const;
  bool HandleAllocated() const { return true; }

  int ControlCount() const;
  // Raises EListError for an index outside 0 .. ControlCount-1.
  TControl* Controls(int Index) const;
  bool ContainsControl(const TControl* Control) const;
  // A direct child control by name (without regard to case), or nullptr.
  TControl* FindChildControl(const AnsiString& ControlName) const;

  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const;
  void SetTabStop(bool Value);

  // Moves the keyboard focus here; EInvalidOperation when the control cannot take it (hidden
  // or disabled, or its form not shown).
  virtual void SetFocus();
  bool Focused() const;
  bool CanFocus() const;

  void DisableAlign();
  void EnableAlign();
  void Realign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  TWinControlPrivate* WinControlPrivate() const;

protected:
  TWinControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd);

  // The part of the client area that aligned children share (panels leave out their bevels).
  virtual void AdjustClientRect(TRect& Rect) const;
  void BoundsChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  virtual void DoEnter();
  virtual void DoExit();
  // Key handling; true when the key was consumed.
  virtual bool KeyDown(WORD& Key, TShiftState Shift);
  virtual bool KeyUp(WORD& Key, TShiftState Shift);
  virtual bool KeyPress(char& Key);
  void DefaultHandler(TMessage& Message) override;

private:
  friend class TControl;
  friend class TWinControlPrivate;
  void insertControl(TControl* Control);
  void removeControl(TControl* Control);
  void alignControls();
};

// Raised for an operation the control's state does not allow.
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};
