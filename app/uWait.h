// uWait: the small window shown while the terminal is searched for ("通讯自动检测"). It lives
// for one search only and is referenced by FormWait meanwhile.
#pragma once

#include "TForm.h"

class TAnimate;
class TLabel;

class TFormWait : public TForm {
  DECLARE_CLASS(TFormWait, TForm)

  explicit TFormWait(TComponent* AOwner);

  TLabel* lblWait;
  TAnimate* Animate1;

  void FormCreate(TObject* Sender);
};

extern TFormWait* FormWait;
