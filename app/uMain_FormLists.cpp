// The main window's form definition: page 2, the special page with the two configured batch
// lists beside the terminal's files.
#include "TButton.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TGroupBox.h"
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
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "uMain.h"
#include "uMain_Form_p.h"

using namespace FormDef;

namespace {

constexpr int CbjWidth = 300;
constexpr int ListsLeft = CbjWidth + 12;
constexpr int ListsWidth = FormClientWidth - ListsLeft - 6;

}  // namespace

void TFormmain::createSpecialPage() {
  TWinControl* page = Notebook->Page(pgSpecial);
  const int height = page->Height();

  // The terminal's files.
  gbxCbj2 = PlaceCaptioned<TGroupBox>(this, page, "gbxCbj2", "手持机文件", 6, 6, CbjWidth, height - 10);
  Image5 = Place<TImage>(this, gbxCbj2, "Image5", CbjWidth - 28, 12, 20, 20);
  Image5->SetHint(Txt("刷新手持机文件列表"));
  SetStockPicture(Image5, siRefresh);
  listCbj2 = Place<TListView>(this, gbxCbj2, "listCbj2", 6, 36, CbjWidth - 12, height - 10 - 36 - 96);
  SetUpReportList(listCbj2, false, imgSortList, nullptr);
  // Narrower than the comm page's list: name and size leave the time column room to show.
  AddTerminalColumns(listCbj2, 110, 70);
  const int infoTop = height - 10 - 90;
  lblMachTypeTitle2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblMachTypeTitle2", "机器类型：", 8, infoTop, 70, 12);
  lblMachType2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblMachType2", "未知", 80, infoTop, 210, 12);
  lblTotalSizeTitle2 =
      PlaceCaptioned<TLabel>(this, gbxCbj2, "lblTotalSizeTitle2", "总 容 量：", 8, infoTop + 18, 70, 12);
  lblTotalSize2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblTotalSize2", "未知", 80, infoTop + 18, 60, 12);
  lblLeftSizeTitle2 =
      PlaceCaptioned<TLabel>(this, gbxCbj2, "lblLeftSizeTitle2", "剩余空间：", 150, infoTop + 18, 70, 12);
  lblLeftSize2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblLeftSize2", "未知", 222, infoTop + 18, 70, 12);
  lblSysSizeTitle2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblSysSizeTitle2", "系统空间：", 8, infoTop + 36, 70, 12);
  lblSysSize2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblSysSize2", "未知", 80, infoTop + 36, 60, 12);
  lblFileNumTitle2 =
      PlaceCaptioned<TLabel>(this, gbxCbj2, "lblFileNumTitle2", "文件个数：", 150, infoTop + 36, 70, 12);
  lblFileNum2 = PlaceCaptioned<TLabel>(this, gbxCbj2, "lblFileNum2", "未知", 222, infoTop + 36, 70, 12);

  // PC files downloaded to the terminal as a batch.
  gbxDownload =
      PlaceCaptioned<TGroupBox>(this, page, "gbxDownload", "指定计算机下装至手持机的文件", ListsLeft, 6, ListsWidth, 192);
  listDownload = Place<TCheckListBox>(this, gbxDownload, "listDownload", 8, 18, ListsWidth - 110, 166);
  listDownload->SetMultiSelect(true);
  btnAddDownFile = PlaceCaptioned<TButton>(this, gbxDownload, "btnAddDownFile", "添加", ListsWidth - 94, 20, 86, 26);
  btnDelDownFile = PlaceCaptioned<TButton>(this, gbxDownload, "btnDelDownFile", "删除", ListsWidth - 94, 54, 86, 26);
  btnDownSpecialMode =
      PlaceCaptioned<TButton>(this, gbxDownload, "btnDownSpecialMode", "下装", ListsWidth - 94, 156, 86, 28);

  // Terminal files uploaded to one PC folder as a batch.
  gbxUpload = PlaceCaptioned<TGroupBox>(this, page, "gbxUpload", "指定手持机上传至计算机的文件", ListsLeft, 200,
                                        ListsWidth, 240);
  listUpload = Place<TCheckListBox>(this, gbxUpload, "listUpload", 8, 18, ListsWidth - 110, 140);
  listUpload->SetMultiSelect(true);
  lblCbjFileList = PlaceCaptioned<TLabel>(this, gbxUpload, "lblCbjFileList", "手持机文件：", ListsWidth - 94, 20, 86, 12);
  cbxCbjFileList = Place<TComboBox>(this, gbxUpload, "cbxCbjFileList", ListsWidth - 94, 36, 86, 20);
  cbxCbjFileList->SetStyle(csDropDown);
  btnAddUpFile = PlaceCaptioned<TButton>(this, gbxUpload, "btnAddUpFile", "添加", ListsWidth - 94, 64, 86, 26);
  btnDelUpFile = PlaceCaptioned<TButton>(this, gbxUpload, "btnDelUpFile", "删除", ListsWidth - 94, 96, 86, 26);
  lblUploadPath = PlaceCaptioned<TLabel>(this, gbxUpload, "lblUploadPath", "上传目录：", 8, 170, 64, 12);
  edtUploadPath = Place<TEdit>(this, gbxUpload, "edtUploadPath", 74, 166, ListsWidth - 250, 20);
  btnAssignUploadPath = PlaceCaptioned<TButton>(this, gbxUpload, "btnAssignUploadPath", "指定上传文件的目录",
                                                ListsWidth - 170, 164, 162, 24);
  chkDelCbjFile = PlaceCaptioned<TCheckBox>(this, gbxUpload, "chkDelCbjFile", "上传后删除相应的抄表机文件", 8, 200,
                                            260, 18);
  btnUploadSpecialMode =
      PlaceCaptioned<TButton>(this, gbxUpload, "btnUploadSpecialMode", "上装", ListsWidth - 94, 204, 86, 28);

  // Convert type of the batches, and the way out.
  RadioGroup2 = PlaceCaptioned<TRadioGroup>(this, page, "RadioGroup2", "自动转换", ListsLeft, 444, ListsWidth - 100, 40);
  RadioGroup2->SetColumns(7);
  AddConvertTypes(RadioGroup2);
  SpeedButton8 = PlaceCaptioned<TSpeedButton>(this, page, "SpeedButton8", "退出", ListsLeft + ListsWidth - 90, 452, 90,
                                              30);
}
