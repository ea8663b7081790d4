// The main window's form definition: page 3, the management page (images, clock and recycle
// bin, system and user parameters).
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TDateTimePicker.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TImageList.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TPage.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "TTabSheet.h"
#include "uMain.h"
#include "uMain_Form_p.h"

using namespace FormDef;

namespace {

constexpr int SheetWidth = 838;
constexpr int GroupWidth = SheetWidth - 24;

// A check box, a file-name edit and a browse button on one row.
void fileRow(TFormmain* Form, TWinControl* Parent, int Top, TCheckBox*& Check, const char* CheckName,
             const char* CheckCaption, bool Checked, TEdit*& Edit, const char* EditName, TButton*& Browse,
             const char* BrowseName) {
  Check = PlaceCaptioned<TCheckBox>(Form, Parent, CheckName, CheckCaption, 16, Top + 2, 150, 18);
  Check->SetChecked(Checked);
  Edit = Place<TEdit>(Form, Parent, EditName, 170, Top, GroupWidth - 290, 20);
  Browse = PlaceCaptioned<TButton>(Form, Parent, BrowseName, "浏览", GroupWidth - 110, Top - 2, 90, 24);
}

// A parameter button with its value edit.
void valueRow(TFormmain* Form, TWinControl* Parent, int Top, TButton*& Button, const char* ButtonName,
              const char* ButtonCaption, TEdit*& Edit, const char* EditName) {
  Button = PlaceCaptioned<TButton>(Form, Parent, ButtonName, ButtonCaption, 40, Top, 180, 26);
  Edit = Place<TEdit>(Form, Parent, EditName, 240, Top + 3, 360, 20);
}

TTabSheet* addSheet(TFormmain* Form, TPageControl* Control, const char* Name, const char* Caption) {
  auto* sheet = new TTabSheet(Form);
  sheet->SetName(Name);
  sheet->SetPageControl(Control);
  sheet->SetCaption(Txt(Caption));
  return sheet;
}

}  // namespace

void TFormmain::createOsPage() {
  TWinControl* page = Notebook->Page(pgOs);
  const int height = page->Height();

  lblOsTypeTitle = PlaceCaptioned<TLabel>(this, page, "lblOsTypeTitle", "机器类型：", 12, 8, 70, 12);
  lblOsType = PlaceCaptioned<TLabel>(this, page, "lblOsType", "未知", 84, 8, 250, 12);
  lblOsVerTitle = PlaceCaptioned<TLabel>(this, page, "lblOsVerTitle", "系统版本：", 360, 8, 70, 12);
  lblOsVer = PlaceCaptioned<TLabel>(this, page, "lblOsVer", "未知", 432, 8, 250, 12);

  pclOsMan = Place<TPageControl>(this, page, "pclOsMan", 4, 28, 846, height - 32);

  // Writing images to the terminal.
  tsDownOs = addSheet(this, pclOsMan, "tsDownOs", "更新手持机系统");
  gbxDown1 = PlaceCaptioned<TGroupBox>(this, tsDownOs, "gbxDown1", "更新手持机系统和库", 8, 8, GroupWidth, 150);
  fileRow(this, gbxDown1, 28, ckDownOs, "ckDownOs", "更新操作系统", true, edtDownOsName, "edtDownOsName", btnDownOs,
          "btnDownOs");
  fileRow(this, gbxDown1, 64, ckDownHzInput, "ckDownHzInput", "更新汉字及输入法", false, edtDownHzName,
          "edtDownHzName", btnDownHz, "btnDownHz");
  btnDownPart = PlaceCaptioned<TButton>(this, gbxDown1, "btnDownPart", "开始下装", GroupWidth - 110, 108, 90, 28);
  gbxDown2 = PlaceCaptioned<TGroupBox>(this, tsDownOs, "gbxDown2", "更新指定地址内容", 8, 170, GroupWidth, 150);
  lblDownMemAddr = PlaceCaptioned<TLabel>(this, gbxDown2, "lblDownMemAddr", "起始地址：", 16, 32, 70, 12);
  edtDownMemAddr = Place<TEdit>(this, gbxDown2, "edtDownMemAddr", 90, 28, 140, 20);
  edtDownMemAddr->SetText("0");
  lblDownMemName = PlaceCaptioned<TLabel>(this, gbxDown2, "lblDownMemName", "文件名：", 16, 68, 70, 12);
  edtDownMemName = Place<TEdit>(this, gbxDown2, "edtDownMemName", 90, 64, GroupWidth - 210, 20);
  btnDownMem = PlaceCaptioned<TButton>(this, gbxDown2, "btnDownMem", "浏览", GroupWidth - 110, 62, 90, 24);
  btnDownAll = PlaceCaptioned<TButton>(this, gbxDown2, "btnDownAll", "开始下装", GroupWidth - 110, 108, 90, 28);

  // Reading images from the terminal.
  tsUpOs = addSheet(this, pclOsMan, "tsUpOs", "获取手持机系统");
  gbxUp1 = PlaceCaptioned<TGroupBox>(this, tsUpOs, "gbxUp1", "获取手持机系统和库", 8, 8, GroupWidth, 150);
  fileRow(this, gbxUp1, 28, ckUpOs, "ckUpOs", "获取操作系统", true, edtUpOsName, "edtUpOsName", btnUpOs, "btnUpOs");
  fileRow(this, gbxUp1, 64, ckUpHzInput, "ckUpHzInput", "获取汉字及输入法", true, edtUpHzName, "edtUpHzName", btnUpHz,
          "btnUpHz");
  btnUpPart = PlaceCaptioned<TButton>(this, gbxUp1, "btnUpPart", "开始上传", GroupWidth - 110, 108, 90, 28);
  gbxUp2 = PlaceCaptioned<TGroupBox>(this, tsUpOs, "gbxUp2", "获取指定地址内容", 8, 170, GroupWidth, 180);
  lblUpMemAddr = PlaceCaptioned<TLabel>(this, gbxUp2, "lblUpMemAddr", "起始地址：", 16, 32, 70, 12);
  edtUpMemAddr = Place<TEdit>(this, gbxUp2, "edtUpMemAddr", 90, 28, 140, 20);
  edtUpMemAddr->SetText("0");
  lblUpMemLen = PlaceCaptioned<TLabel>(this, gbxUp2, "lblUpMemLen", "长度：", 260, 32, 50, 12);
  edtUpMemLen = Place<TEdit>(this, gbxUp2, "edtUpMemLen", 312, 28, 140, 20);
  lblUpMemName = PlaceCaptioned<TLabel>(this, gbxUp2, "lblUpMemName", "文件名：", 16, 68, 70, 12);
  edtUpMemName = Place<TEdit>(this, gbxUp2, "edtUpMemName", 90, 64, GroupWidth - 210, 20);
  btnUpMem = PlaceCaptioned<TButton>(this, gbxUp2, "btnUpMem", "浏览", GroupWidth - 110, 62, 90, 24);
  btnUpAll = PlaceCaptioned<TButton>(this, gbxUp2, "btnUpAll", "开始上传", GroupWidth - 110, 108, 90, 28);
  lblUpWarning = PlaceCaptioned<TLabel>(this, gbxUp2, "lblUpWarning",
                                        "该功能为专业人员使用，对此功能不了解的人员请勿使用", 16, 150, 500, 12);
  lblUpWarning->Font()->SetColor(clRed);

  // The terminal's clock and its recycle bin.
  tsCbjMan = addSheet(this, pclOsMan, "tsCbjMan", "管理手持机");
  GroupBox10 = PlaceCaptioned<TGroupBox>(this, tsCbjMan, "GroupBox10", "设置抄表机时间", 8, 8, GroupWidth, 64);
  cbjDate = Place<TDateTimePicker>(this, GroupBox10, "cbjDate", 16, 26, 140, 22);
  cbjDate->SetKind(dtkDate);
  cbjTime = Place<TDateTimePicker>(this, GroupBox10, "cbjTime", 170, 26, 110, 22);
  cbjTime->SetKind(dtkTime);
  setCbjTime = PlaceCaptioned<TButton>(this, GroupBox10, "setCbjTime", "设置抄表机时间", 300, 24, 120, 26);
  disableAutotime =
      PlaceCaptioned<TCheckBox>(this, GroupBox10, "disableAutotime", "禁止自动更新时间", 440, 28, 160, 18);
  gbxDelCbj = PlaceCaptioned<TGroupBox>(this, tsCbjMan, "gbxDelCbj", "手持机已删除文件列表", 8, 80, GroupWidth,
                                        height - 32 - 32 - 92);
  listdelCbj = Place<TListView>(this, gbxDelCbj, "listdelCbj", 8, 18, GroupWidth - 16, height - 32 - 32 - 92 - 26);
  SetUpReportList(listdelCbj, true, imgSortList, delFilePopMenu);
  AddColumn(listdelCbj, "文件名", 160);
  AddColumn(listdelCbj, "大小", 86);
  AddColumn(listdelCbj, "建立日期", 120);
  AddColumn(listdelCbj, "文件号", 76);
  AddColumn(listdelCbj, "首块", 76);
  AddColumn(listdelCbj, "状态", 76);

  // The terminal's system and user parameters.
  tsParaMan = addSheet(this, pclOsMan, "tsParaMan", "手持机参数设定");
  pclParaMan = Place<TPageControl>(this, tsParaMan, "pclParaMan", 8, 8, SheetWidth - 16, height - 32 - 32 - 16);

  tsSysParaSetting = addSheet(this, pclParaMan, "tsSysParaSetting", "系统参数");
  valueRow(this, tsSysParaSetting, 16, btnGetMachCapacity, "btnGetMachCapacity", "获取机器容量", edtMachCapacity,
           "edtMachCapacity");
  valueRow(this, tsSysParaSetting, 50, btnGetMachFileNum, "btnGetMachFileNum", "获取机器文件个数", edtMachFileNum,
           "edtMachFileNum");
  valueRow(this, tsSysParaSetting, 84, btnGetMachOccurRoom, "btnGetMachOccurRoom", "获取已占用空间",
           edtMachOccurRoom, "edtMachOccurRoom");
  valueRow(this, tsSysParaSetting, 118, btnGetMachVer, "btnGetMachVer", "读取机器版本", edtMachVer, "edtMachVer");
  valueRow(this, tsSysParaSetting, 152, btnGetMachType, "btnGetMachType", "读取机器类型", edtMachType, "edtMachType");
  valueRow(this, tsSysParaSetting, 186, btnGetMachNo, "btnGetMachNo", "读取机器编号", edtMachNo, "edtMachNo");
  valueRow(this, tsSysParaSetting, 220, btnGetMachCompany, "btnGetMachCompany", "读取公司名称", edtMachCompany,
           "edtMachCompany");
  btnSetGetSysPara = PlaceCaptioned<TSpeedButton>(this, tsSysParaSetting, "btnSetGetSysPara",
                                                  "目前模式：获取系统参数(单击改变)", 40, 266, 560, 28);
  btnSetGetSysPara->SetGroupIndex(1);
  btnSetGetSysPara->SetAllowAllUp(true);
  btnSetGetSysPara->SetDown(false);

  tsUserParaSetting = addSheet(this, pclParaMan, "tsUserParaSetting", "用户参数");
  lblPasType = PlaceCaptioned<TLabel>(this, tsUserParaSetting, "lblPasType", "密码类型：", 40, 20, 70, 12);
  cbxPasType = Place<TComboBox>(this, tsUserParaSetting, "cbxPasType", 112, 16, 180, 20);
  cbxPasType->SetStyle(csDropDownList);
  for (const char* type : {"系统整体密码", "运行指定的程序", "运行选定的程序", "查看系统信息", "通讯管理设置",
                           "进入文件管理", "进行系统设置"})
    cbxPasType->Items()->Add(Txt(type));
  cbxPasType->SetItemIndex(0);
  valueRow(this, tsUserParaSetting, 48, btnSetUserPasswd, "btnSetUserPasswd", "设定密码", edtPasswd, "edtPasswd");
  edtPasswd->SetMaxLength(100);
  valueRow(this, tsUserParaSetting, 82, btnSetUserCompany, "btnSetUserCompany", "设定用户单位", edtUserCompany,
           "edtUserCompany");
  valueRow(this, tsUserParaSetting, 116, btnSetUserName, "btnSetUserName", "设定用户名称", edtUserName,
           "edtUserName");
  valueRow(this, tsUserParaSetting, 150, btnSetUserNum, "btnSetUserNum", "设定用户编号", edtUserNum, "edtUserNum");
  valueRow(this, tsUserParaSetting, 184, btnSetUserMachNo, "btnSetUserMachNo", "设定用户机器编号", edtUserMachNo,
           "edtUserMachNo");
  valueRow(this, tsUserParaSetting, 218, btnSetUserMemo, "btnSetUserMemo", "设定用户备注", edtUserMemo,
           "edtUserMemo");
  for (TEdit* edit : {edtUserCompany, edtUserName, edtUserNum, edtUserMachNo, edtUserMemo}) edit->SetMaxLength(100);
  btnSetGetUserPara = PlaceCaptioned<TSpeedButton>(this, tsUserParaSetting, "btnSetGetUserPara",
                                                   "目前模式：设定用户参数(单击改变)", 40, 266, 560, 28);
  btnSetGetUserPara->SetGroupIndex(2);
  btnSetGetUserPara->SetAllowAllUp(true);
  btnSetGetUserPara->SetDown(false);

  pclOsMan->SetActivePage(tsDownOs);
  pclParaMan->SetActivePage(tsSysParaSetting);
}
