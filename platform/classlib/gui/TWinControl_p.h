// Private to the GUI layer; may change without notice.
#pragma once

#include <vector>

#include "TControl_p.h"
#include "TWinControl.h"

class QKeyEvent;

class TWinControlPrivate : public TControlPrivate {
public:
  explicit TWinControlPrivate(QWidget* w);
  ~TWinControlPrivate() override;

  void destroyChildren() override;
  // The widget that takes the focus for the control.
  virtual QWidget* focusWidget() const { return widget; }
  // Places Qt's tab chain in TabOrder.
  void applyTabOrder();

  // Key and focus routing for the whole application (installed by the GUI's start-up).
  static bool routeKeyEvent(QWidget* receiver, QKeyEvent* event);
  static void routeFocusChange(QWidget* old, QWidget* now);

  HWND handle = nullptr;
  std::vector<TControl*> controls;       // children in placing order
  std::vector<TWinControl*> tabList;     // windowed children in tab order
  bool tabStop = true;
  int alignDisabled = 0;
  bool alignPending = false;
  bool aligning = false;
  bool destroying = false;
  bool keyPreview = false;      // forms only
  HWND activeControl = nullptr;  // forms only: the focused control, by handle
};
