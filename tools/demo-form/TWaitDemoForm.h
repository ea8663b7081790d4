// TWaitDemoForm: the small search window the program shows while it looks for the terminal
// (a label and the searching clip), as a second form to look at.
#pragma once

#include "TForm.h"

class TWaitDemoForm : public TForm {
  DECLARE_CLASS(TWaitDemoForm, TForm)

  explicit TWaitDemoForm(TComponent* AOwner);
};
