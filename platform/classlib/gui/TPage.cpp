#include "TPage.h"

#include "TControlProps_p.h"
#include "TStackPage_p.h"

DEFINE_CLASS(TPage, TWinControl, ControlProps::Caption())

TPage::TPage(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TStackPagePrivate>()) {
  static_cast<TStackPagePrivate*>(ControlPrivate())->page = this;
}
