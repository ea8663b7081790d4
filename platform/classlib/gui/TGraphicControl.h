// TGraphicControl: a control without a window handle of its own, drawn on its parent (labels,
// speed buttons, images). It cannot take the focus.
#pragma once

#include "TControl.h"

class TGraphicControl : public TControl {
  DECLARE_CLASS(TGraphicControl, TControl)

protected:
  TGraphicControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd);
};
