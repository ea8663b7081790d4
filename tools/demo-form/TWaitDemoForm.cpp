#include "TWaitDemoForm.h"

#include "CodePage.h"
#include "TAnimate.h"
#include "TLabel.h"

DEFINE_CLASS(TWaitDemoForm, TForm)

TWaitDemoForm::TWaitDemoForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("FormWait");
  SetCaption(WideToAnsi(u"通讯自动检测"));
  SetBorderStyle(bsDialog);
  SetBorderIcons({});
  SetPosition(poScreenCenter);
  Font()->SetName(WideToAnsi(u"宋体"));
  Font()->SetHeight(-12);
  SetClientWidth(468);
  SetClientHeight(76);
  auto* animate = new TAnimate(this);
  animate->SetBounds(8, 13, 80, 50);
  animate->SetParent(this);
  animate->SetCommonAVI(aviFindFolder);
  animate->SetActive(true);
  auto* label = new TLabel(this);
  label->SetBounds(104, 30, 10, 10);
  label->SetParent(this);
  label->SetCaption(WideToAnsi(u"正在查找抄表机,请稍候..."));
}
