// The main window's form definition: page 0, the about page.
#include "TLabel.h"
#include "TNotebook.h"
#include "TPage.h"
#include "TPanel.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "uMain.h"
#include "uMain_Form_p.h"

using namespace FormDef;

void TFormmain::createAboutPage() {
  TWinControl* page = Notebook->Page(pgAbout);
  pnlAbout = Place<TPanel>(this, page, "pnlAbout", 0, 0, page->Width(), page->Height());
  pnlAbout->SetAlign(alClient);
  pnlAbout->SetBevelOuter(bvNone);

  lblAboutTitle = PlaceCaptioned<TLabel>(this, pnlAbout, "lblAboutTitle", "手持机通讯管理器", 290, 70, 400, 30);
  lblAboutTitle->Font()->SetName(Txt("隶书"));
  lblAboutTitle->Font()->SetHeight(-28);
  lblAboutTitle->Font()->SetStyle({fsBold});
  lblAboutTitle->Font()->SetColor(clNavy);
  lblAboutTitle->Font()->SetCharset(GB2312_CHARSET);
  lblAboutVersion = PlaceCaptioned<TLabel>(this, pnlAbout, "lblAboutVersion", "版本 1.0", 290, 112, 300, 12);

  lblAddress = PlaceCaptioned<TLabel>(this, pnlAbout, "lblAddress", "地址：北京市海淀区中关村大街1号", 290, 180, 400, 12);
  lblTelephone = PlaceCaptioned<TLabel>(this, pnlAbout, "lblTelephone", "电话：010-12345678", 290, 204, 400, 12);
  lblFax = PlaceCaptioned<TLabel>(this, pnlAbout, "lblFax", "传真：010-12345679", 290, 228, 400, 12);
  lblWebTitle = PlaceCaptioned<TLabel>(this, pnlAbout, "lblWebTitle", "网址：", 290, 252, 40, 12);
  lblWeb = PlaceCaptioned<TLabel>(this, pnlAbout, "lblWeb", "http://www.example.com", 350, 252, 300, 12);
  lblWeb->Font()->SetColor(clBlue);
  lblWeb->Font()->SetStyle({fsUnderline});
  lblMailBox = PlaceCaptioned<TLabel>(this, pnlAbout, "lblMailBox", "邮件地址：", 290, 276, 60, 12);
  lblMail = PlaceCaptioned<TLabel>(this, pnlAbout, "lblMail", "support@example.com", 350, 276, 300, 12);
  lblMail->Font()->SetColor(clBlue);
  lblMail->Font()->SetStyle({fsUnderline});

  btnExit = PlaceCaptioned<TSpeedButton>(this, pnlAbout, "btnExit", "返回", 370, 360, 100, 28);
  btnExit->SetHint(Txt("返回当前的工作模式"));
}
