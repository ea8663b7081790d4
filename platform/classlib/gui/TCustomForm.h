// TCustomForm: a top-level window built from a form definition.
//
// A form class builds its controls in its constructor. Forms are created through
// Application->CreateForm or NewForm<T> (Forms.h), which raise OnCreate once the constructor
// has finished; a form built with plain new raises it when it is first shown.
//
// Geometry: ClientWidth/ClientHeight are the client area; Width/Height add the frame of the
// border style (the fixed frame metrics of WinUser.h: 3 pixels a side and a 19-pixel caption
// for single and dialog borders, 4 a side for sizeable ones, none for bsNone). Left/Top place
// the frame on the screen; Position centres the form on the screen (poScreenCenter,
// poDesktopCenter), on its owner form (poOwnerFormCenter) or on the main form
// (poMainFormCenter) each time it is shown.
//
// Showing and closing:
//   Show        raises OnCreate if it has not run, OnShow, then shows and activates the window
//               and focuses ActiveControl (or the first control in tab order).
//   ShowModal   shows the form and runs messages until ModalResult is set (a button with a
//               ModalResult, Close, or code), then closes it as Close would (OnCloseQuery,
//               OnClose with caHide; caNone keeps it open) and returns the result. It raises
//               EInvalidOperation for a form that is already visible.
//   Close       asks OnCloseQuery (CanClose starts True), then OnClose with caHide; the action
//               then hides, minimises or frees the form (caFree frees it after the current
//               event), and closing the main form ends the application instead. Closing the
//               window with the desktop's close button does the same.
//   Release     frees the form once the current event has been handled.
// OnDestroy runs before a form is freed by Release, caFree, Free or its owner.
//
// Published: ActiveControl, BorderIcons, BorderStyle, Caption, ClientHeight, ClientWidth,
// Color, Enabled, Font, Hint, KeyPreview, ParentFont, PopupMenu, Position, ShowHint, Visible,
// and the events OnActivate, OnClick, OnClose, OnCloseQuery, OnCreate, OnDblClick,
// OnDeactivate, OnDestroy, OnHide, OnKeyDown, OnKeyPress, OnKeyUp, OnResize, OnShow.
#pragma once

#include "TWinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;

enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = SetOf<TBorderIcon>;
using enum TBorderIcon;

enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
using enum TPosition;

class TCustomFormPrivate;

class TCustomForm : public TWinControl {
  DECLARE_CLASS(TCustomForm, TWinControl)

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Raises OnCreate once; called by the form factories after the constructor.
  void AfterConstruction();
  // Runs OnDestroy once and frees the form.
  void Free();

  int ClientWidth() const override;
  void SetClientWidth(int Value) override;
  int ClientHeight() const override;
  void SetClientHeight(int Value) override;

  TFormBorderStyle BorderStyle() const;
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const;
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const;
  void SetPosition(TPosition Value);
  bool KeyPreview() const;
  void SetKeyPreview(bool Value);
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* Value);

  TModalResult ModalResult() const;
  void SetModalResult(TModalResult Value);
  bool Modal() const;

  void Show();
  void Hide();
  TModalResult ShowModal();
  void Close();
  bool CloseQuery();
  void Release();
  // Brings the window to the front and gives it the keyboard.
  void SetFocus() override;
  bool Active() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  TCustomFormPrivate* FormPrivate() const;

protected:
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void TextChanged() override;
  void VisibleChanged() override;
  void BoundsChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefaultHandler(TMessage& Message) override;

private:
  friend class TCustomFormPrivate;
  void beforeDestruction();
  void closeModal();
  void applyWindowFlags();
  void placeOnShow();
};
