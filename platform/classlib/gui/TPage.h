// TPage: one page of a notebook (see TNotebook); its Caption is the page's name. The page
// always fills its notebook.
//
// Published: Caption, Height, Left, Top, Width (and Name, Tag).
#pragma once

#include "TWinControl.h"

class TPage : public TWinControl {
  DECLARE_CLASS(TPage, TWinControl)

  explicit TPage(TComponent* AOwner);
};
