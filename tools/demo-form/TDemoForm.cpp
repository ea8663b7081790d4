#include "TDemoForm.h"

#include <string_view>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DemoLogo.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "ShellApi.h"
#include "TAnimate.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TDateTimePicker.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TGroupBox.h"
#include "TImage.h"
#include "TImageList.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMemo.h"
#include "TMemoryStream.h"
#include "TNotebook.h"
#include "TPage.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TPicture.h"
#include "TPopupMenu.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "TTreeNode.h"
#include "TTreeNodes.h"
#include "TTreeView.h"
#include "WinUser.h"

DEFINE_CLASS(TDemoForm, TForm)

namespace {

// The form's texts are written in UTF-16 and kept, like all the program's texts, in the ANSI
// code page.
AnsiString A(std::u16string_view text) { return WideToAnsi(text); }

template <class T>
T* place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(owner);
  c->SetBounds(left, top, width, height);
  c->SetParent(parent);
  return c;
}

TLabel* label(TComponent* owner, TWinControl* parent, int left, int top, std::u16string_view text) {
  auto* l = place<TLabel>(owner, parent, left, top, 10, 10);
  l->SetCaption(A(text));
  return l;
}

void addColumns(TListView* view, std::initializer_list<std::pair<std::u16string_view, int>> columns) {
  for (auto [caption, width] : columns) {
    TListColumn* c = view->Columns()->Add();
    c->SetCaption(A(caption));
    c->SetWidth(width);
  }
}

}  // namespace

TDemoForm::TDemoForm(TComponent* AOwner) : TForm(AOwner) {
  DisableAlign();
  SetName("DemoForm");
  SetCaption(A(u"手持机通讯管理器 - 控件演示"));
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  Font()->SetName(A(u"宋体"));
  Font()->SetHeight(-12);
  Font()->SetCharset(GB2312_CHARSET);
  SetClientWidth(900);
  SetClientHeight(600);

  buildBottomBar();

  auto* state = place<TPanel>(this, this, 0, 0, 900, 26);
  state->SetAlign(alBottom);
  state->SetBevelOuter(bvLowered);
  state->SetAlignment(taLeftJustify);
  label(this, state, 8, 6, u"正在上装文件：CBSJ.DBF 当前进度：45%");
  auto* bar = place<TProgressBar>(this, state, 330, 5, 300, 16);
  bar->SetPosition(45);

  notebook = place<TNotebook>(this, this, 0, 0, 900, 546);
  notebook->SetAlign(alClient);
  notebook->Pages()->SetText("about\r\ncomm\r\n");
  TPage* about = notebook->Page(0);
  label(this, about, 20, 20, u"手持机通讯管理器 1.0");
  auto* back = place<TButton>(this, about, 20, 60, 75, 25);
  back->SetCaption(A(u"返回"));
  back->OnClick = [this](TObject*) { notebook->SetPageIndex(1); };
  buildCommPage(notebook->Page(1));
  notebook->SetPageIndex(1);
  EnableAlign();
}

void TDemoForm::buildBottomBar() {
  auto* bottom = place<TPanel>(this, this, 0, 572, 900, 28);
  bottom->SetAlign(alBottom);
  bottom->SetBevelOuter(bvNone);

  auto* left = place<TPanel>(this, bottom, 0, 0, 110, 28);
  left->SetAlign(alLeft);
  btnOption = place<TSpeedButton>(this, left, 4, 3, 100, 22);
  btnOption->SetCaption(A(u"系统菜单"));
  btnOption->SetFlat(true);
  btnOption->OnClick = [this](TObject* s) { btnOptionClick(s); };

  pmuSystem = new TPopupMenu(this);
  pmuSystem->SetAutoPopup(false);
  for (auto text : {u"重新查找手持机", u"-", u"切换到Ftp模式", u"切换到通用模式", u"切换到指定模式", u"切换到管理模式", u"-",
                    u"语言(&L)", u"关于...", u"退出系统"}) {
    auto* item = new TMenuItem(this);
    item->SetCaption(A(text));
    pmuSystem->Items()->Add(item);
  }
  pmuSystem->Items()->Items(0)->OnClick = [this](TObject*) { fillTerminalList(); };
  pmuSystem->Items()->Items(8)->OnClick = [this](TObject*) { notebook->SetPageIndex(0); };
  pmuSystem->Items()->Items(9)->OnClick = [this](TObject*) { Close(); };
  for (auto language : {u"简体中文", u"English"}) {
    auto* item = new TMenuItem(this);
    item->SetCaption(A(language));
    pmuSystem->Items()->Items(7)->Add(item);
  }

  auto* date = place<TPanel>(this, bottom, 806, 0, 94, 28);
  date->SetAlign(alRight);
  int y = 0, m = 0, d = 0;
  DecodeDate(Date(), y, m, d);
  date->SetCaption(IntToStr(y) + A(u"年") + IntToStr(m) + A(u"月") + IntToStr(d) + A(u"日"));

  pnlLogo = place<TPanel>(this, bottom, 110, 0, 696, 28);
  pnlLogo->SetAlign(alClient);
  lblLogo = label(this, pnlLogo, 5, 1, u"手持机通信软件");
  lblLogo->SetTransparent(true);
  lblLogo->Font()->SetName(A(u"隶书"));
  lblLogo->Font()->SetHeight(-25);
  lblLogo->Font()->SetStyle({fsBold});
  lblLogo->Font()->SetColor(clBlue);

  auto* timer = new TTimer(this);
  timer->SetInterval(100);
  timer->OnTimer = [this](TObject* s) { timerShowLogoTimer(s); };
}

void TDemoForm::buildCommPage(TWinControl* page) {
  auto* images = new TImageList(this);
  images->AddStandardImages();

  // The PC side: folder tree, path, file list (built from a hidden file list box).
  auto* gbxPc = place<TGroupBox>(this, page, 5, 2, 300, 300);
  gbxPc->SetCaption(A(u"计算机"));
  tv = place<TShellTreeView>(this, gbxPc, 6, 18, 288, 96);
  edtPath = place<TEdit>(this, gbxPc, 6, 118, 288, 21);
  listCpu = place<TListView>(this, gbxPc, 6, 143, 288, 151);
  listCpu->SetViewStyle(vsReport);
  listCpu->SetMultiSelect(true);
  listCpu->SetRowSelect(true);
  listCpu->SetReadOnly(true);
  listCpu->SetSmallImages(images);
  addColumns(listCpu, {{u"文件名", 100}, {u"大小", 50}, {u"时间", 97}, {u"类型描述", 105}});
  listCpu->Columns()->Items(0)->SetTag(1);
  listCpu->Columns()->Items(0)->SetImageIndex(0);
  flistCpu = place<TFileListBox>(this, gbxPc, 0, 0, 10, 10);
  flistCpu->SetVisible(false);
  flistCpu->SetFileType({ftNormal, ftHidden, ftSystem, ftReadOnly, ftArchive});
  flistCpu->OnChange = [this](TObject* s) { flistCpuChange(s); };
  const AnsiString home = DirectoryExists("/usr/share/doc/fonts-wqy-microhei") ? "/usr/share/doc/fonts-wqy-microhei" : GetCurrentDir();
  tv->SetPath(home);
  edtPath->SetText(home);
  flistCpu->SetDirectory(home);

  // The transfer buttons and the convert type between the lists.
  auto* sbtnLeft = place<TSpeedButton>(this, page, 310, 30, 80, 26);
  sbtnLeft->SetCaption(A(u"<< 下装"));
  sbtnLeft->SetHint(A(u"从计算机下装文件到抄表机"));
  sbtnLeft->SetShowHint(true);
  auto* sbtnRight = place<TSpeedButton>(this, page, 310, 62, 80, 26);
  sbtnRight->SetCaption(A(u"上装 >>"));
  sbtnRight->SetHint(A(u"从抄表机上装文件到计算机"));
  sbtnRight->SetGroupIndex(1);
  sbtnRight->SetAllowAllUp(true);
  sbtnRight->SetDown(true);
  auto* radio = place<TRadioGroup>(this, page, 310, 94, 80, 178);
  radio->SetCaption(A(u"自动转换"));
  for (const char* type : {"ALL", "TXT", "CSV", "MDB", "XLS", "XML", "NONE"}) radio->Items()->Add(type);
  radio->SetItemIndex(4);
  auto* radioMenu = new TPopupMenu(this);
  auto* txt = new TMenuItem(this);
  txt->SetCaption(A(u"Txt格式配置"));
  radioMenu->Items()->Add(txt);
  radio->SetPopupMenu(radioMenu);
  auto* txtButton = place<TButton>(this, page, 310, 276, 80, 25);
  txtButton->SetCaption(A(u"设置TXT格式"));

  // The terminal side.
  auto* gbxCbj = place<TGroupBox>(this, page, 395, 2, 300, 300);
  gbxCbj->SetCaption(A(u"手持机"));
  listCbj = place<TListView>(this, gbxCbj, 6, 18, 288, 200);
  listCbj->SetViewStyle(vsReport);
  listCbj->SetMultiSelect(true);
  listCbj->SetRowSelect(true);
  listCbj->SetReadOnly(true);
  listCbj->SetSmallImages(images);
  addColumns(listCbj, {{u"文件名", 110}, {u"大小", 70}, {u"时间", 100}, {u"文件号", 0}, {u"首块", 0}, {u"状态", 0}});
  listCbj->OnColumnClick = [this](TObject* s, TListColumn* c) { listColumnClick(s, c); };
  listCbj->OnCompare = [this](TObject* s, TListItem* a, TListItem* b, int d, int& r) { listCompare(s, a, b, d, r); };
  fillTerminalList();
  const std::pair<std::u16string_view, std::u16string_view> infos[] = {
      {u"机型：", u"HT-2000"}, {u"总空间：", u"8064K"}, {u"剩余空间：", u"7712K"}, {u"系统空间：", u"96K"}, {u"文件数：", u"5个"}};
  int y = 224;
  for (auto [caption, value] : infos) {
    label(this, gbxCbj, 10, y, caption);
    label(this, gbxCbj, 90, y, value);
    y += 14;
  }

  buildManagementTabs(page);
  buildBatchAndUser(page);
}

void TDemoForm::buildManagementTabs(TWinControl* parent) {
  auto* pclOsMan = place<TPageControl>(this, parent, 700, 2, 195, 300);
  std::vector<TTabSheet*> sheets;
  for (auto caption : {u"更新系统", u"获取系统", u"管理", u"参数"}) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(A(caption));
    sheet->SetPageControl(pclOsMan);
    sheets.push_back(sheet);
  }
  sheets[1]->SetTabVisible(false);
  pclOsMan->SetTabWidth((pclOsMan->Width() - 2 * GetSystemMetrics(SM_CXEDGE)) / 3);

  auto* os = place<TCheckBox>(this, sheets[0], 8, 10, 170, 17);
  os->SetCaption(A(u"更新操作系统"));
  os->SetChecked(true);
  auto* hz = place<TCheckBox>(this, sheets[0], 8, 32, 170, 17);
  hz->SetCaption(A(u"更新汉字及输入法"));
  auto* start = place<TBitBtn>(this, sheets[0], 8, 60, 100, 25);
  start->SetKind(bkOK);
  start->SetCaption(A(u"开始下装"));

  auto* clock = place<TGroupBox>(this, sheets[2], 4, 4, 180, 150);
  clock->SetCaption(A(u"设置抄表机时间"));
  auto* cbjDate = place<TDateTimePicker>(this, clock, 8, 22, 164, 21);
  cbjDate->SetKind(dtkDate);
  auto* cbjTime = place<TDateTimePicker>(this, clock, 8, 48, 164, 21);
  cbjTime->SetKind(dtkTime);
  auto* set = place<TButton>(this, clock, 8, 76, 164, 25);
  set->SetCaption(A(u"设置抄表机时间"));
  auto* autoTime = place<TCheckBox>(this, clock, 8, 108, 164, 17);
  autoTime->SetCaption(A(u"禁止自动更新时间"));
  auto* recycle = place<TTreeView>(this, sheets[2], 4, 158, 180, 100);
  TTreeNode* bin = recycle->Items()->Add(nullptr, A(u"手持机已删除文件列表"));
  recycle->Items()->AddChild(bin, "OLD.DBF");
  recycle->Items()->AddChild(bin, "TEST.TXT");
  bin->Expand(false);

  pclOsMan->SetActivePage(sheets[2]);
}

void TDemoForm::buildBatchAndUser(TWinControl* page) {
  auto* batch = place<TGroupBox>(this, page, 5, 306, 300, 234);
  batch->SetCaption(A(u"指定计算机下装至手持机的文件"));
  auto* list = place<TCheckListBox>(this, batch, 6, 18, 288, 170);
  list->SetMultiSelect(true);
  for (const char* f : {"/home/meter/down/CBSJ.DBF", "/home/meter/down/YHXX.TXT", "/home/meter/down/HZK16.ROM"})
    list->Items()->Add(f);
  list->SetChecked(0, true);
  list->SetChecked(1, true);
  auto* add = place<TButton>(this, batch, 6, 196, 75, 25);
  add->SetCaption(A(u"添加"));
  auto* del = place<TButton>(this, batch, 86, 196, 75, 25);
  del->SetCaption(A(u"删除"));

  auto* user = place<TGroupBox>(this, page, 310, 306, 385, 234);
  user->SetCaption(A(u"用户参数"));
  label(this, user, 10, 24, u"密码类型：");
  auto* passType = place<TComboBox>(this, user, 90, 20, 150, 21);
  passType->SetStyle(csDropDownList);
  for (auto t : {u"系统整体密码", u"运行指定的程序", u"运行选定的程序", u"查看系统信息", u"通讯管理设置", u"进入文件管理",
                 u"进行系统设置"})
    passType->Items()->Add(A(t));
  passType->SetItemIndex(0);
  label(this, user, 10, 52, u"密  码：");
  auto* password = place<TEdit>(this, user, 90, 48, 150, 21);
  password->SetPasswordChar('*');
  password->SetText("123456");
  password->OnKeyPress = [](TObject*, char& key) {
    if (!((key >= '0' && key <= '9') || key == 8 || key == 13)) key = 0;
  };
  label(this, user, 10, 80, u"备  注：");
  auto* memo = place<TMemo>(this, user, 90, 76, 285, 80);
  memo->Lines()->Add(A(u"抄表区域：东城区第三片"));
  memo->Lines()->Add(A(u"负责人：王师傅"));
  auto* mode = place<TSpeedButton>(this, user, 90, 162, 285, 24);
  mode->SetCaption(A(u"目前模式：设定用户参数(单击改变)"));
  mode->SetGroupIndex(2);
  mode->SetAllowAllUp(true);
  auto* ok = place<TBitBtn>(this, user, 218, 196, 75, 25);
  ok->SetKind(bkOK);
  ok->SetCaption(A(u"确定"));
  auto* cancel = place<TBitBtn>(this, user, 300, 196, 75, 25);
  cancel->SetKind(bkCancel);
  cancel->SetCaption(A(u"取消"));

  auto* search = place<TGroupBox>(this, page, 700, 306, 195, 234);
  search->SetCaption(A(u"通讯自动检测"));
  auto* logo = place<TImage>(this, search, 10, 20, 96, 72);
  TMemoryStream data;
  data.WriteBuffer(DemoLogoData(), static_cast<std::int64_t>(DemoLogoSize()));
  data.SetPosition(0);
  logo->Picture()->LoadFromStream(&data);
  auto* animate = place<TAnimate>(this, search, 10, 100, 80, 50);
  animate->SetCommonAVI(aviFindFolder);
  animate->SetActive(true);
  auto* wait = label(this, search, 10, 160, u"正在查找抄表机,请稍候...");
  wait->SetWordWrap(true);
  wait->SetWidth(175);
}

void TDemoForm::fillTerminalList() {
  struct Entry {
    const char* name;
    int size;
    const char* time;
  };
  const Entry entries[] = {{"CBSJ.DBF", 563, "26-12-08 20:19"},
                           {"YHXX.TXT", 20480, "26-12-08 08:07"},
                           {"HZK16.ROM", 261696, "25-06-30 14:00"},
                           {"CONFIG.INI", 312, "26-11-30 09:12"},
                           {"BACKUP.DBF", 16321, "26-12-01 17:45"}};
  listCbj->Items()->BeginUpdate();
  listCbj->Items()->Clear();
  int number = 1;
  for (const Entry& e : entries) {
    TListItem* item = listCbj->Items()->Add();
    item->SetCaption(e.name);
    item->SubItems()->Add(IntToStr(e.size));
    item->SubItems()->Add(e.time);
    for (int i = 0; i < 3; ++i) item->SubItems()->Add(IntToStr(number));
    ++number;
  }
  listCbj->Items()->EndUpdate();
  listCbj->Items()->Item(1)->SetSelected(true);
}

void TDemoForm::flistCpuChange(TObject*) {
  listCpu->Items()->BeginUpdate();
  listCpu->Items()->Clear();
  for (int i = 0; i < flistCpu->Items()->Count(); ++i) {
    TListItem* item = listCpu->Items()->Add();
    const AnsiString name = flistCpu->Items()->Strings(i);
    item->SetCaption(name);
    item->SetImageIndex(8);
    const std::int64_t size = FileSizeByName(IncludeTrailingPathDelimiter(flistCpu->Directory()) + name);
    item->SubItems()->Add(size < 1024 ? IntToStr(size) : IntToStr((size + 1023) / 1024) + "K");
    item->SubItems()->Add("");
    item->SubItems()->Add(ShellFileTypeName(name));
  }
  listCpu->Items()->EndUpdate();
}

void TDemoForm::listColumnClick(TObject*, TListColumn* Column) {
  for (int i = 0; i < listCbj->Columns()->Count(); ++i) {
    TListColumn* other = listCbj->Columns()->Items(i);
    if (other == Column) continue;
    other->SetTag(0);
    other->SetImageIndex(-1);
  }
  Column->SetTag(Column->Tag() == 1 ? 2 : 1);
  Column->SetImageIndex(Column->Tag() - 1);
  listCbj->CustomSort(nullptr, Column->Index());
}

void TDemoForm::listCompare(TObject*, TListItem* Item1, TListItem* Item2, int Data, int& Compare) {
  Compare = 0;
  if (Data == 0) Compare = AnsiCompareText(Item1->Caption(), Item2->Caption());
  if (Data == 1) {
    const int a = StrToIntDef(Item1->SubItems()->Strings(0), 0);
    const int b = StrToIntDef(Item2->SubItems()->Strings(0), 0);
    Compare = a > b ? 1 : a < b ? -1 : 0;
  }
  if (listCbj->Columns()->Items(Data)->Tag() == 2) Compare = -Compare;
}

void TDemoForm::timerShowLogoTimer(TObject*) {
  // The banner runs one pixel per tick to the right margin, turns, and runs back.
  const int margin = 5;
  const int w = pnlLogo->Width();
  int x = lblLogo->Left();
  if (logoForward) {
    ++x;
    logoForward = x < w - margin - lblLogo->Width();
  } else {
    --x;
    logoForward = x < margin;
  }
  lblLogo->SetLeft(w > 0 ? x % w : x);
}

void TDemoForm::btnOptionClick(TObject*) {
  // Above the button: one menu row per entry.
  const int x = btnOption->Left() - GetSystemMetrics(SM_CXEDGE);
  const int y = btnOption->Top() - (GetSystemMetrics(SM_CYMENU) * pmuSystem->Items()->Count() - 8);
  const TPoint p = btnOption->Parent()->ClientToScreen(Point(x, y));
  pmuSystem->Popup(p.x, p.y);
}
