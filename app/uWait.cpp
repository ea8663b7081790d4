#include "uWait.h"

#include "CodePage.h"
#include "LmLangMgr.h"
#include "TAnimate.h"
#include "TLabel.h"

DEFINE_CLASS(TFormWait, TForm)

TFormWait* FormWait = nullptr;

TFormWait::TFormWait(TComponent* AOwner) : TForm(AOwner) {
  SetName("FormWait");
  SetCaption(Utf8ToAnsi("通讯自动检测"));
  SetBorderStyle(bsDialog);
  SetBorderIcons({});
  SetPosition(poOwnerFormCenter);
  SetClientWidth(468);
  SetClientHeight(76);
  Font()->SetName(Utf8ToAnsi("宋体"));
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);

  Animate1 = new TAnimate(this);
  Animate1->SetName("Animate1");
  Animate1->SetParent(this);
  Animate1->SetBounds(16, 8, 80, 60);
  Animate1->SetCommonAVI(aviFindFolder);
  Animate1->SetActive(true);

  lblWait = new TLabel(this);
  lblWait->SetName("lblWait");
  lblWait->SetParent(this);
  lblWait->SetBounds(120, 30, 330, 12);
  lblWait->SetCaption(Utf8ToAnsi("正在查找抄表机,请稍候..."));

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

void TFormWait::FormCreate(TObject*) {
  if (TLmCustomLangManager* manager = CurrentLangManager()) manager->TranslateForm(this);
}
