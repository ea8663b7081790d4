// TForm: the form class that the program's windows derive from (see TCustomForm).
#pragma once

#include "TCustomForm.h"

class TForm : public TCustomForm {
  DECLARE_CLASS(TForm, TCustomForm)

  explicit TForm(TComponent* AOwner);
};
