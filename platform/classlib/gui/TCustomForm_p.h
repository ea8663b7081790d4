// Private to the GUI layer; may change without notice.
#pragma once

#include <vector>

#include "TCustomForm.h"
#include "TWinControl_p.h"

class TCustomFormPrivate : public TWinControlPrivate {
public:
  TCustomFormPrivate();

  bool widgetEvent(QObject* watched, QEvent* event) override;
  void applyGeometry() override;
  // The frame added to the client area by the border style: sides and caption.
  int frameWidth() const;
  int captionHeight() const;

  // Writes a PNG picture of the form with a drawn window frame; false when it cannot be written.
  static bool saveScreenshot(TCustomForm* form, const AnsiString& fileName);
  // The modal forms running now, innermost last.
  static std::vector<HWND> modalForms;
  // Closes the innermost modal form when its ModalResult has been set (Application's test hook
  // does so while handling messages, as no user is left to wait for).
  static void checkModalResult();
  // Every control of the form shows its hint again after Application.ShowHint changed.
  static void refreshHints(TControl* control);

  // Set once the form's own constructor runs; events before that are not the form's.
  TCustomForm* form = nullptr;

  TFormBorderStyle borderStyle = bsSizeable;
  TBorderIcons borderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition position = poDesigned;
  TModalResult modalResult = mrNone;
  bool modal = false;
  bool modalClosed = false;  // the modal form passed its close (OnCloseQuery, OnClose)
  bool created = false;    // OnCreate has run
  bool destroyed = false;  // OnDestroy has run
  bool placed = false;     // shown once (the default position is taken then)
  HWND activeControlSetting = nullptr;  // ActiveControl before the form is shown
};
