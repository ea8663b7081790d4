// Private to the GUI layer; may change without notice.
#pragma once

#include <QPushButton>

#include "TButton.h"
#include "TWinControl_p.h"

class TButtonPrivate : public TWinControlPrivate {
public:
  TButtonPrivate() : TWinControlPrivate(new QPushButton) {}
  QPushButton* button() const { return static_cast<QPushButton*>(widget.data()); }

  bool cancel = false;
  bool isDefault = false;
  TModalResult modalResult = mrNone;
};
