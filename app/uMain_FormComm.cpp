// The main window's form definition: page 1, the comm page (the terminal's files on the left,
// the transfer buttons in the middle, the PC's folders and files on the right) and, in front of
// the PC side, the FTP panel.
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TIdFTP.h"
#include "TImage.h"
#include "TImageList.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TNotebook.h"
#include "TPage.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "uMain.h"
#include "uMain_Form_p.h"

using namespace FormDef;

namespace {

constexpr int SideWidth = 380;
constexpr int MiddleLeft = SideWidth;
constexpr int MiddleWidth = 94;
constexpr int PcLeft = MiddleLeft + MiddleWidth;

}  // namespace

void TFormmain::createCommPage() {
  TWinControl* page = Notebook->Page(pgComm);
  const int height = page->Height();

  // Terminal side.
  pnlCbj = Place<TPanel>(this, page, "pnlCbj", 0, 0, SideWidth, height);
  pnlCbj->SetBevelOuter(bvNone);
  lblCbjTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblCbjTitle", "手持机文件", 6, 6, 120, 12);
  Image4 = Place<TImage>(this, pnlCbj, "Image4", SideWidth - 26, 4, 20, 18);
  Image4->SetHint(Txt("刷新手持机文件列表"));
  SetStockPicture(Image4, siRefresh);
  listCbj = Place<TListView>(this, pnlCbj, "listCbj", 4, 24, SideWidth - 8, height - 24 - 96);
  SetUpReportList(listCbj, true, imgSortList, pmenuCbj);
  AddTerminalColumns(listCbj, 130, 80);

  const int infoTop = height - 90;
  lblMachTypeTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblMachTypeTitle", "机器类型：", 8, infoTop, 70, 12);
  lblMachType = PlaceCaptioned<TLabel>(this, pnlCbj, "lblMachType", "未知", 80, infoTop, 290, 12);
  lblTotalSizeTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblTotalSizeTitle", "总 容 量：", 8, infoTop + 18, 70, 12);
  lblTotalSize = PlaceCaptioned<TLabel>(this, pnlCbj, "lblTotalSize", "未知", 80, infoTop + 18, 100, 12);
  lblLeftSizeTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblLeftSizeTitle", "剩余空间：", 190, infoTop + 18, 70, 12);
  lblLeftSize = PlaceCaptioned<TLabel>(this, pnlCbj, "lblLeftSize", "未知", 262, infoTop + 18, 100, 12);
  lblSysSizeTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblSysSizeTitle", "系统空间：", 8, infoTop + 36, 70, 12);
  lblSysSize = PlaceCaptioned<TLabel>(this, pnlCbj, "lblSysSize", "未知", 80, infoTop + 36, 100, 12);
  lblFileNumTitle = PlaceCaptioned<TLabel>(this, pnlCbj, "lblFileNumTitle", "文件个数：", 190, infoTop + 36, 70, 12);
  lblFileNum = PlaceCaptioned<TLabel>(this, pnlCbj, "lblFileNum", "未知", 262, infoTop + 36, 100, 12);

  // Between the two sides.
  sbtnLeft = PlaceCaptioned<TSpeedButton>(this, page, "sbtnLeft", "下装", MiddleLeft + 10, 120, 74, 30);
  sbtnLeft->SetHint(Txt("从计算机下装文件到抄表机"));
  sbtnRight = PlaceCaptioned<TSpeedButton>(this, page, "sbtnRight", "上装", MiddleLeft + 10, 165, 74, 30);
  sbtnRight->SetHint(Txt("从抄表机上装文件到计算机"));
  RadioGroup1 = PlaceCaptioned<TRadioGroup>(this, page, "RadioGroup1", "自动转换", MiddleLeft + 4, 215, 86, 160);
  AddConvertTypes(RadioGroup1);
  RadioGroup1->SetPopupMenu(PopupMenu1);
  Button1 = PlaceCaptioned<TButton>(this, page, "Button1", "设置TXT格式", MiddleLeft + 4, 382, 86, 24);
  chkCompleteDelFile = PlaceCaptioned<TCheckBox>(this, page, "chkCompleteDelFile", "上装后删除", MiddleLeft + 4,
                                                 414, 86, 18);

  // PC side.
  lblCpuTitle = PlaceCaptioned<TLabel>(this, page, "lblCpuTitle", "计算机文件", PcLeft + 6, 6, 120, 12);
  edtpath = Place<TEdit>(this, page, "edtpath", PcLeft + 4, 24, SideWidth - 34, 20);
  Image3 = Place<TImage>(this, page, "Image3", PcLeft + SideWidth - 26, 24, 20, 20);
  Image3->SetHint(Txt("打开文件夹"));
  SetStockPicture(Image3, siFolderOpen);
  tv = Place<TShellTreeView>(this, page, "tv", PcLeft + 4, 48, SideWidth - 8, 190);
  listCpu = Place<TListView>(this, page, "listCpu", PcLeft + 4, 242, SideWidth - 8, height - 246);
  SetUpReportList(listCpu, true, imgSortList, popupCpu);
  AddColumn(listCpu, "文件名", 110);
  AddColumn(listCpu, "大小", 65);
  AddColumn(listCpu, "时间", 97);
  AddColumn(listCpu, "类型描述", 105);
  flistCpu = Place<TFileListBox>(this, page, "flistCpu", PcLeft + 4, 242, 100, 60);
  flistCpu->SetVisible(false);
  flistCpu->SetFileType({ftNormal, ftReadOnly, ftHidden, ftSystem});
}

void TFormmain::createFtpPanel() {
  TWinControl* page = Notebook->Page(pgComm);
  const int height = page->Height();
  GroupBoxFtp = Place<TPanel>(this, page, "GroupBoxFtp", PcLeft, 0, SideWidth, height);
  GroupBoxFtp->SetBevelOuter(bvNone);
  GroupBoxFtp->SetCaption("");
  GroupBoxFtp->SetVisible(false);
  lblFtpTitle = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpTitle", "FTP文件列表", 8, 10, 120, 12);
  lblFtpHost = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpHost", "服务器：", 8, 32, 52, 12);
  EditFtpHost = Place<TEdit>(this, GroupBoxFtp, "EditFtpHost", 62, 28, 120, 20);
  lblFtpUser = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpUser", "用户名：", 192, 32, 52, 12);
  EditFtpUser = Place<TEdit>(this, GroupBoxFtp, "EditFtpUser", 246, 28, 124, 20);
  lblFtpPass = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpPass", "密  码：", 8, 58, 52, 12);
  EditFtpPass = Place<TEdit>(this, GroupBoxFtp, "EditFtpPass", 62, 54, 120, 20);
  EditFtpPass->SetPasswordChar('*');
  lblFtpPort = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpPort", "端  口：", 192, 58, 52, 12);
  EditFtpPort = Place<TEdit>(this, GroupBoxFtp, "EditFtpPort", 246, 54, 50, 20);
  BitBtnConnect = PlaceCaptioned<TBitBtn>(this, GroupBoxFtp, "BitBtnConnect", "连接", 302, 52, 68, 24);
  lblFtpPath = PlaceCaptioned<TLabel>(this, GroupBoxFtp, "lblFtpPath", "路  径：", 8, 86, 52, 12);
  comboPath = Place<TComboBox>(this, GroupBoxFtp, "comboPath", 62, 82, 308, 20);
  comboPath->SetStyle(csDropDown);
  ListView1 = Place<TListView>(this, GroupBoxFtp, "ListView1", 6, 108, SideWidth - 12, height - 114);
  SetUpReportList(ListView1, true, ImageList1, PopupFtp);
  ListView1->SetColor(clInfoBk);
  AddColumn(ListView1, "文件名", 120);
  AddColumn(ListView1, "大小", 70);
  AddColumn(ListView1, "时间", ColumnTextWidth);
  AddColumn(ListView1, "类型描述", ColumnTextWidth);
  FileListBox1 = Place<TFileListBox>(this, GroupBoxFtp, "FileListBox1", 6, 108, 100, 60);
  FileListBox1->SetVisible(false);
  // The client of the panel; it holds no connection until the user connects.
  IdFTP1 = new TIdFTP(this);
  IdFTP1->SetName("IdFTP1");
  IdFTP1->SetTag(NoFetchTag);
}
