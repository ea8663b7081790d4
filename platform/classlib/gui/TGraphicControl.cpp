#include "TGraphicControl.h"

#include "TControl_p.h"

DEFINE_CLASS(TGraphicControl, TControl)

TGraphicControl::TGraphicControl(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd)
    : TControl(AOwner, std::move(dd)) {
  ControlPrivate()->widget->setFocusPolicy(Qt::NoFocus);
}
