// The main window's form definition: the window itself, the bottom bar, the status panel, the
// notebook, the menus and the components without a place on the window. The pages are built
// by uMain_FormAbout.cpp, uMain_FormComm.cpp, uMain_FormLists.cpp and uMain_FormOs.cpp.
#include "LmHashLangStorage.h"
#include "LmLangMgr.h"
#include "LmLangTranslator.h"
#include "TBitmap.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TImage.h"
#include "TImageList.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TNotebook.h"
#include "TOpenDialog.h"
#include "TPage.h"
#include "TPanel.h"
#include "TPicture.h"
#include "TPopupMenu.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "uMain.h"
#include "uMain_Form_p.h"

using namespace FormDef;

namespace {

constexpr int BottomBarHeight = 28;
constexpr int StatusPanelHeight = 22;
constexpr int DatePanelWidth = 94;
// Width of the black frame along the window's edge.
constexpr int FrameWidth = 4;

// The font of the window and of every control that follows it: 宋体, 12 pixels, GB2312.
void setFormFont(TFont* Font) {
  Font->SetName(Txt("宋体"));
  Font->SetHeight(-12);
  Font->SetCharset(GB2312_CHARSET);
}

}  // namespace

void FormDef::SetStockPicture(TImage* Image, TStockImage Stock) {
  TImageList pictures(nullptr);
  pictures.AddStock(Stock);
  TBitmap picture;
  pictures.GetBitmap(0, &picture);
  Image->Picture()->SetGraphic(&picture);
  Image->SetCenter(true);
}

void FormDef::SetUpReportList(TListView* List, bool MultiSelect, TImageList* SmallImages, TPopupMenu* Popup) {
  List->SetViewStyle(vsReport);
  List->SetMultiSelect(MultiSelect);
  List->SetRowSelect(true);
  List->SetReadOnly(true);
  List->SetSmallImages(SmallImages);
  List->SetPopupMenu(Popup);
}

void FormDef::AddColumn(TListView* List, const char* CaptionUtf8, int Width) {
  TListColumn* column = List->Columns()->Add();
  column->SetCaption(Txt(CaptionUtf8));
  column->SetWidth(Width);
}

void FormDef::AddTerminalColumns(TListView* List, int NameWidth, int SizeWidth) {
  AddColumn(List, "文件名", NameWidth);
  AddColumn(List, "大小", SizeWidth);
  AddColumn(List, "时间", ColumnTextWidth);
  AddColumn(List, "文件号", 0);
  AddColumn(List, "首块", 0);
  AddColumn(List, "状态", 0);
}

void FormDef::AddConvertTypes(TRadioGroup* Group) {
  for (const char* type : {"ALL", "TXT", "CSV", "MDB", "XLS", "XML", "NONE"}) Group->Items()->Add(type);
  Group->SetItemIndex(0);
}

void TFormmain::createForm() {
  SetName("Formmain");
  SetCaption(Txt("手持机通讯管理器"));
  SetBorderStyle(bsSingle);
  SetBorderIcons({biSystemMenu, biMinimize});
  SetPosition(poScreenCenter);
  SetClientWidth(FormClientWidth);
  SetClientHeight(FormClientHeight);
  setFormFont(Font());
  SetShowHint(true);

  createComponents();
  createMenus();
  createBottomBar();
  createAboutPage();
  createCommPage();
  createFtpPanel();
  createSpecialPage();
  createOsPage();
  createFrame();

  // Labels that show the terminal's figures or a fixed address keep what they show when the
  // language changes (the translation walk leaves a component tagged LmNoTranslateTag alone).
  for (TLabel* label : deviceLabels()) label->SetTag(LmNoTranslateTag);
  for (TLabel* label : {lblWeb, lblMail}) label->SetTag(LmNoTranslateTag);
}

std::vector<TLabel*> TFormmain::deviceLabels() const {
  return {lblMachType,  lblTotalSize,  lblLeftSize,  lblSysSize, lblFileNum, lblMachType2,
          lblTotalSize2, lblLeftSize2, lblSysSize2, lblFileNum2, lblOsType,  lblOsVer};
}

void TFormmain::createComponents() {
  timerShowLogo = new TTimer(this);
  timerShowLogo->SetName("timerShowLogo");
  timerShowLogo->SetInterval(100);

  timerSystemTime = new TTimer(this);
  timerSystemTime->SetName("timerSystemTime");
  timerSystemTime->SetInterval(1000);

  // Sort arrows of the list headers (0 ascending, 1 descending).
  imgSortList = new TImageList(this);
  imgSortList->SetName("imgSortList");
  imgSortList->AddStandardImages();
  // Sort arrows and the folder and file pictures of the FTP list.
  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
  ImageList1->AddStandardImages();

  odlgGetFileName = new TOpenDialog(this);
  odlgGetFileName->SetName("odlgGetFileName");

  LmHashLangFileStorage1 = new TLmHashLangFileStorage(this);
  LmHashLangFileStorage1->SetName("LmHashLangFileStorage1");

  LmLangManager1 = new TLmLangManager(this);
  LmLangManager1->SetName("LmLangManager1");
  LmLangManager1->SetLanguageStorage(LmHashLangFileStorage1);
  LmLangManager1->SetCurrentLanguageIndex(0);
  LmLangManager1->SetTranslationMode(tmByComponents);
  LmLangManager1->SetAutoTransOptions({atApplication, atForms, atDataModules});
  LmLangManager1->SetTranslateListItem(true);
  LmLangManager1->SetTranslateOtherFont(false);
  LmLangManager1->SetIgnoreAction(false);

  LmLangTranslator1 = new TLmLangTranslator(this);
  LmLangTranslator1->SetName("LmLangTranslator1");
}

void TFormmain::createMenus() {
  pmuSystem = new TPopupMenu(this);
  pmuSystem->SetName("pmuSystem");
  pmuSystem->SetAutoPopup(false);
  TMenuItem* root = pmuSystem->Items();
  miRefreshMachinfo = AddMenuItem(this, root, "miRefreshMachinfo", "重新查找手持机");
  N1 = AddMenuItem(this, root, "N1", "-");
  miSwitchToFtp = AddMenuItem(this, root, "miSwitchToFtp", "切换到Ftp模式", rmFtp);
  miSwitchToComm = AddMenuItem(this, root, "miSwitchToComm", "切换到通用模式", rmComm);
  miSwitchToSpecial = AddMenuItem(this, root, "miSwitchToSpecial", "切换到指定模式", rmSpecial);
  miSwitchToOs = AddMenuItem(this, root, "miSwitchToOs", "切换到管理模式", rmOs);
  N2 = AddMenuItem(this, root, "N2", "-");
  miLanguages = AddMenuItem(this, root, "miLanguages", "语言(&L)");
  miAbout = AddMenuItem(this, root, "miAbout", "关于...");
  miExit = AddMenuItem(this, root, "miExit", "退出系统");

  pmenuCbj = new TPopupMenu(this);
  pmenuCbj->SetName("pmenuCbj");
  root = pmenuCbj->Items();
  miUploadFile = AddMenuItem(this, root, "miUploadFile", "上装文件");
  miDelFile = AddMenuItem(this, root, "miDelFile", "放入回收站");
  miRefreshMach = AddMenuItem(this, root, "miRefreshMach", "刷新列表");
  N6 = AddMenuItem(this, root, "N6", "-");
  miDestroyFile = AddMenuItem(this, root, "miDestroyFile", "彻底删除选定文件");
  miDelAllFile = AddMenuItem(this, root, "miDelAllFile", "删除所有文件(格式化)");

  popupCpu = new TPopupMenu(this);
  popupCpu->SetName("popupCpu");
  root = popupCpu->Items();
  N4 = AddMenuItem(this, root, "N4", "下装文件");
  N5 = AddMenuItem(this, root, "N5", "删除文件");
  N8 = AddMenuItem(this, root, "N8", "-");
  N7 = AddMenuItem(this, root, "N7", "刷新列表");

  PopupFtp = new TPopupMenu(this);
  PopupFtp->SetName("PopupFtp");
  root = PopupFtp->Items();
  MenuItem2 = AddMenuItem(this, root, "MenuItem2", "下装文件");
  N3 = AddMenuItem(this, root, "N3", "取消下载");
  MenuItem3 = AddMenuItem(this, root, "MenuItem3", "删除文件");
  MenuItem4 = AddMenuItem(this, root, "MenuItem4", "-");
  MenuItem5 = AddMenuItem(this, root, "MenuItem5", "刷新列表");

  PopupMenu1 = new TPopupMenu(this);
  PopupMenu1->SetName("PopupMenu1");
  xt1 = AddMenuItem(this, PopupMenu1->Items(), "xt1", "Txt格式配置");

  delFilePopMenu = new TPopupMenu(this);
  delFilePopMenu->SetName("delFilePopMenu");
  root = delFilePopMenu->Items();
  miGetDelList = AddMenuItem(this, root, "miGetDelList", "刷新");
  miRestoreFile = AddMenuItem(this, root, "miRestoreFile", "恢复文件");
  N9 = AddMenuItem(this, root, "N9", "-");
  miDelRecyleFile = AddMenuItem(this, root, "miDelRecyleFile", "彻底删除文件");
}

void TFormmain::createBottomBar() {
  pnlBottom = Place<TPanel>(this, this, "pnlBottom", 0, FormClientHeight - BottomBarHeight, FormClientWidth,
                            BottomBarHeight);
  pnlBottom->SetAlign(alBottom);
  pnlBottom->SetBevelOuter(bvLowered);

  Panel3 = Place<TPanel>(this, pnlBottom, "Panel3", 1, 1, 80, BottomBarHeight - 2);
  Panel3->SetAlign(alLeft);
  Panel3->SetBevelOuter(bvNone);
  btnOption = PlaceCaptioned<TSpeedButton>(this, Panel3, "btnOption", "系统菜单", 2, 2, 76, BottomBarHeight - 6);

  pnlDate = Place<TPanel>(this, pnlBottom, "pnlDate", FormClientWidth - DatePanelWidth - 1, 1, DatePanelWidth,
                          BottomBarHeight - 2);
  pnlDate->SetAlign(alRight);
  pnlDate->SetBevelOuter(bvLowered);

  pnlLogo = Place<TPanel>(this, pnlBottom, "pnlLogo", 81, 1, FormClientWidth - 81 - DatePanelWidth - 2,
                          BottomBarHeight - 2);
  pnlLogo->SetAlign(alClient);
  pnlLogo->SetBevelOuter(bvNone);
  lblLogo = PlaceCaptioned<TLabel>(this, pnlLogo, "lblLogo", "手持机通信软件", 5, 0, 180, 25);
  lblLogo->SetAutoSize(true);
  lblLogo->SetTransparent(true);
  lblLogo->Font()->SetName(Txt("隶书"));
  lblLogo->Font()->SetHeight(-25);
  lblLogo->Font()->SetStyle({fsBold});
  lblLogo->Font()->SetColor(clBlue);
  lblLogo->Font()->SetCharset(GB2312_CHARSET);

  pnlState = Place<TPanel>(this, this, "pnlState", 0, FormClientHeight - BottomBarHeight - StatusPanelHeight,
                           FormClientWidth, StatusPanelHeight);
  pnlState->SetAlign(alBottom);
  pnlState->SetBevelOuter(bvLowered);
  pnlState->SetCaption("");
  lblComm = Place<TLabel>(this, pnlState, "lblComm", 6, 5, 420, 12);
  lblComm->SetVisible(false);
  barComm = Place<TProgressBar>(this, pnlState, "barComm", 440, 3, 400, 16);
  barComm->SetMax(100);
  barComm->SetVisible(false);
  ProgressBar1 = Place<TProgressBar>(this, pnlState, "ProgressBar1", 440, 3, 400, 16);
  ProgressBar1->SetVisible(false);

  Notebook = Place<TNotebook>(this, this, "Notebook", 0, 0, FormClientWidth,
                              FormClientHeight - BottomBarHeight - StatusPanelHeight);
  Notebook->SetAlign(alClient);
  for (const char* page : {"About", "Comm", "Special", "Os"}) Notebook->Pages()->Add(page);
}

void TFormmain::bindEvents() {
  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };

  for (TMenuItem* item : {miSwitchToFtp, miSwitchToComm, miSwitchToSpecial, miSwitchToOs})
    item->OnClick = [this](TObject* Sender) { miSwitchToFtpClick(Sender); };
  miAbout->OnClick = [this](TObject* Sender) { miAboutClick(Sender); };
  miExit->OnClick = [this](TObject* Sender) { miExitClick(Sender); };
  miRefreshMachinfo->OnClick = [this](TObject* Sender) { miRefreshMachinfoClick(Sender); };
  miRefreshMach->OnClick = [this](TObject* Sender) { miRefreshMachClick(Sender); };
  Image4->OnClick = [this](TObject* Sender) { miRefreshMachClick(Sender); };
  Image5->OnClick = [this](TObject* Sender) { miRefreshMachClick(Sender); };
  btnOption->OnClick = [this](TObject* Sender) { btnOptionClick(Sender); };
  btnExit->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
  SpeedButton8->OnClick = [this](TObject* Sender) { SpeedButton8Click(Sender); };
  Button1->OnClick = [this](TObject* Sender) { xt1Click(Sender); };
  xt1->OnClick = [this](TObject* Sender) { xt1Click(Sender); };

  LmLangManager1->OnLanguageChanged = [this](TObject* Sender) { LmLangManager1LanguageChanged(Sender); };
  LmLangManager1->OnTranslateObjectProperty = [this](TObject* AObject, const AnsiString& PropName, bool& Translate) {
    LmLangManager1TranslateObjectProperty(AObject, PropName, Translate);
  };
  timerShowLogo->OnTimer = [this](TObject* Sender) { timerShowLogoTimer(Sender); };
  timerSystemTime->OnTimer = [this](TObject* Sender) { timerSystemTimeTimer(Sender); };
  tsCbjMan->OnEnter = [this](TObject* Sender) { tsCbjManEnter(Sender); };
  disableAutotime->OnClick = [this](TObject* Sender) { disableAutotimeClick(Sender); };
  lblWeb->OnClick = [this](TObject* Sender) { lblWebClick(Sender); };
  lblMailBox->OnClick = [this](TObject* Sender) { lblMailBoxClick(Sender); };
  lblMail->OnClick = [this](TObject* Sender) { lblMailBoxClick(Sender); };
  edtPasswd->OnKeyPress = [this](TObject* Sender, char& Key) { edtPasswdKeyPress(Sender, Key); };
  bindFileEvents();
  bindImageEvents();
  bindDeviceEvents();
  bindListEvents();
  bindFtpEvents();
}

void TFormmain::createFrame() {
  // The window is framed in black. The desktop's window manager draws the border around the
  // client area, so the frame is laid just inside the client edge, above every other control.
  struct TEdge {
    TPanel*& Panel;
    const char* Name;
    int Left, Top, Width, Height;
  };
  const TEdge edges[] = {
      {pnlFrameTop, "pnlFrameTop", 0, 0, FormClientWidth, FrameWidth},
      {pnlFrameBottom, "pnlFrameBottom", 0, FormClientHeight - FrameWidth, FormClientWidth, FrameWidth},
      {pnlFrameLeft, "pnlFrameLeft", 0, 0, FrameWidth, FormClientHeight},
      {pnlFrameRight, "pnlFrameRight", FormClientWidth - FrameWidth, 0, FrameWidth, FormClientHeight},
  };
  for (const TEdge& edge : edges) {
    edge.Panel = Place<TPanel>(this, this, edge.Name, edge.Left, edge.Top, edge.Width, edge.Height);
    edge.Panel->SetBevelOuter(bvNone);
    edge.Panel->SetColor(clBlack);
    edge.Panel->SetTag(LmNoTranslateTag);
    edge.Panel->BringToFront();
  }
}
