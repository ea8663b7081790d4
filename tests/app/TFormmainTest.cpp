// The main window's frame: start-up on each stored run mode, run-mode switches while idle and
// busy, the about page, the banner, the password filter, closing.
#include "uMain.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TestInput.h"
#include "TGroupBox.h"
#include "TImage.h"
#include "TLabel.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMainWindowFixture.h"
#include "TMenuItem.h"
#include "TPopupMenu.h"
#include "TWorkerLink.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TSpeedButton.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "uConstStrings.h"
#include "WinUser.h"

using TestInput::WaitUntil;

namespace {

class TFormmainTest : public TMainWindowFixture {};

std::string utf8(const AnsiString& Text) { return AnsiToUtf8(Text); }

}  // namespace

TEST_F(TFormmainTest, WindowHasItsFixedFrameAndTexts) {
  CreateWindow(false);
  EXPECT_EQ(window->ClientWidth(), 854);
  EXPECT_EQ(window->ClientHeight(), 553);
  EXPECT_EQ(window->BorderStyle(), bsSingle);
  EXPECT_EQ(window->BorderIcons(), TBorderIcons({biSystemMenu, biMinimize}));
  EXPECT_EQ(window->Position(), poScreenCenter);
  EXPECT_EQ(utf8(window->Caption()), "手持机通讯管理器");
  EXPECT_EQ(utf8(window->lblLogo->Caption()), "手持机通信软件");
  EXPECT_EQ(window->pnlBottom->Height(), 28);
  EXPECT_EQ(window->pnlDate->Width(), 94);
  EXPECT_FALSE(window->lblComm->Visible());
  EXPECT_FALSE(window->barComm->Visible());
  EXPECT_FALSE(window->ProgressBar1->Visible());
  EXPECT_FALSE(window->tsUpOs->TabVisible());
  EXPECT_FALSE(window->btnDownHz->Enabled());
  EXPECT_EQ(window->pmuSystem->Items()->Count(), 10);
  EXPECT_EQ(window->miSwitchToSpecial->Tag(), rmSpecial);
}

TEST_F(TFormmainTest, FormDefinitionHoldsEveryNamedComponent) {
  CreateWindow(false);
  const char* names[] = {
    "pnlBottom", "Panel3", "btnOption", "pnlLogo", "lblLogo", "pnlDate", "pnlState", "lblComm", "barComm",
    "ProgressBar1", "Notebook", "pnlAbout", "lblAboutTitle", "lblAboutVersion", "lblAddress",
    "lblTelephone", "lblFax", "lblWebTitle", "lblWeb", "lblMailBox", "lblMail", "btnExit",
    "lblCpuTitle", "tv", "edtpath", "Image3", "listCpu", "flistCpu", "sbtnLeft", "sbtnRight", "RadioGroup1",
    "Button1", "chkCompleteDelFile", "pnlCbj", "lblCbjTitle", "Image4", "listCbj", "lblMachTypeTitle",
    "lblMachType", "lblTotalSizeTitle", "lblTotalSize", "lblLeftSizeTitle", "lblLeftSize", "lblSysSizeTitle",
    "lblSysSize", "lblFileNumTitle", "lblFileNum", "GroupBoxFtp", "lblFtpTitle", "lblFtpHost", "EditFtpHost",
    "lblFtpUser", "EditFtpUser", "lblFtpPass", "EditFtpPass", "lblFtpPort", "EditFtpPort", "BitBtnConnect",
    "lblFtpPath", "comboPath", "ListView1", "FileListBox1", "gbxDownload", "listDownload", "btnAddDownFile",
    "btnDelDownFile", "btnDownSpecialMode", "gbxUpload", "listUpload", "lblCbjFileList", "cbxCbjFileList",
    "btnAddUpFile", "btnDelUpFile", "lblUploadPath", "edtUploadPath", "btnAssignUploadPath", "chkDelCbjFile",
    "btnUploadSpecialMode", "gbxCbj2", "Image5", "listCbj2", "lblMachTypeTitle2", "lblMachType2",
    "lblTotalSizeTitle2", "lblTotalSize2", "lblLeftSizeTitle2", "lblLeftSize2", "lblSysSizeTitle2",
    "lblSysSize2", "lblFileNumTitle2", "lblFileNum2", "RadioGroup2", "SpeedButton8", "lblOsTypeTitle",
    "lblOsType", "lblOsVerTitle", "lblOsVer", "pclOsMan", "tsDownOs", "gbxDown1", "ckDownOs", "edtDownOsName",
    "btnDownOs", "ckDownHzInput", "edtDownHzName", "btnDownHz", "btnDownPart", "gbxDown2", "lblDownMemAddr",
    "edtDownMemAddr", "lblDownMemName", "edtDownMemName", "btnDownMem", "btnDownAll", "tsUpOs", "gbxUp1",
    "ckUpOs", "edtUpOsName", "btnUpOs", "ckUpHzInput", "edtUpHzName", "btnUpHz", "btnUpPart", "gbxUp2",
    "lblUpMemAddr", "edtUpMemAddr", "lblUpMemLen", "edtUpMemLen", "lblUpMemName", "edtUpMemName", "btnUpMem",
    "btnUpAll", "lblUpWarning", "tsCbjMan", "GroupBox10", "cbjDate", "cbjTime", "setCbjTime", "disableAutotime",
    "gbxDelCbj", "listdelCbj", "tsParaMan", "pclParaMan", "tsSysParaSetting", "btnGetMachCapacity",
    "edtMachCapacity", "btnGetMachFileNum", "edtMachFileNum", "btnGetMachOccurRoom", "edtMachOccurRoom",
    "btnGetMachVer", "edtMachVer", "btnGetMachType", "edtMachType", "btnGetMachNo", "edtMachNo",
    "btnGetMachCompany", "edtMachCompany", "btnSetGetSysPara", "tsUserParaSetting", "lblPasType", "cbxPasType",
    "btnSetUserPasswd", "edtPasswd", "btnSetUserCompany", "edtUserCompany", "btnSetUserName", "edtUserName",
    "btnSetUserNum", "edtUserNum", "btnSetUserMachNo", "edtUserMachNo", "btnSetUserMemo", "edtUserMemo",
    "btnSetGetUserPara", "pmuSystem", "miRefreshMachinfo", "N1", "miSwitchToFtp", "miSwitchToComm",
    "miSwitchToSpecial", "miSwitchToOs", "N2", "miLanguages", "miAbout", "miExit", "pmenuCbj", "miUploadFile",
    "miDelFile", "miRefreshMach", "N6", "miDestroyFile", "miDelAllFile", "popupCpu", "N4", "N5", "N8", "N7",
    "PopupFtp", "MenuItem2", "N3", "MenuItem3", "MenuItem4", "MenuItem5", "PopupMenu1", "xt1", "delFilePopMenu",
    "miGetDelList", "miRestoreFile", "N9", "miDelRecyleFile", "pnlFrameTop", "pnlFrameBottom", "pnlFrameLeft",
    "pnlFrameRight", "timerShowLogo", "timerSystemTime", "imgSortList", "ImageList1", "odlgGetFileName",
    "LmLangManager1", "LmHashLangFileStorage1", "LmLangTranslator1",
  };
  for (const char* name : names) EXPECT_NE(window->FindComponent(name), nullptr) << name;
}

TEST_F(TFormmainTest, CommModeIsTheDefaultAndListsTheTerminalAtShow) {
  CreateWindow();
  EXPECT_EQ(window->RunMode(), rmComm);
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
  EXPECT_FALSE(window->GroupBoxFtp->Visible());
  EXPECT_EQ(window->Port(), 255);
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
}

TEST_F(TFormmainTest, FtpModeShowsTheFtpPanelOnTheCommPage) {
  WriteSettings("[sysoptions]\nrunmode=0\n");
  CreateWindow();
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
  EXPECT_TRUE(window->GroupBoxFtp->Visible());
  EXPECT_EQ(window->FtpVisible(), 1);
}

TEST_F(TFormmainTest, SpecialModeShowsItsPage) {
  WriteSettings("[sysoptions]\nrunmode=2\n");
  CreateWindow();
  EXPECT_EQ(window->Notebook->PageIndex(), pgSpecial);
  EXPECT_EQ(window->Port(), 255);
}

TEST_F(TFormmainTest, ManagementModeSearchesAlreadyWhileTheWindowIsCreated) {
  WriteSettings("[sysoptions]\nrunmode=3\n");
  CreateWindow(false);
  EXPECT_EQ(window->Notebook->PageIndex(), pgOs);
  EXPECT_EQ(window->Port(), 255);
  EXPECT_NE(window->lblOsType->Caption(), INFO_UNKOWN);
  EXPECT_NE(window->lblOsVer->Caption(), INFO_UNKOWN);
}

TEST_F(TFormmainTest, RunModeOutsideTheFourStaysOnTheAboutPageWithoutSearching) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  terminal.Settings("[Port]\nPort=None\n");
  CreateWindow();
  EXPECT_EQ(window->Notebook->PageIndex(), pgAbout);
  EXPECT_EQ(window->RunMode(), 7);
  EXPECT_EQ(window->Port(), 0);
  EXPECT_TRUE(hook.Shown().empty());  // an absent terminal was never asked for
}

TEST_F(TFormmainTest, AbsentTerminalAtStartIsReportedAndTheWindowKeepsWorking) {
  WriteSettings("[sysoptions]\nrunmode=3\n");
  terminal.Settings("[Port]\nPort=None\n");
  CreateWindow();
  ASSERT_GE(hook.Shown().size(), 2u);  // FormCreate's search and FormShow's
  EXPECT_EQ(hook.Shown()[0].Text, ERR_NOT_CONNECTED_DEVICE);
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_INFOMATION);
  EXPECT_EQ(hook.Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
  EXPECT_EQ(window->Port(), 0);
  EXPECT_EQ(window->lblOsType->Caption(), INFO_UNKOWN);
  EXPECT_EQ(window->pnlState->Caption(), ERR_CONNECT_FAILED);
  window->SwitchRunMode(rmComm);
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
}

TEST_F(TFormmainTest, SwitchingWhileIdleMovesPageAndLeavingManagementListsAgain) {
  WriteSettings("[sysoptions]\nrunmode=3\n");
  CreateWindow();
  TBlockingRoutine listing(tmListFiles);
  window->SwitchRunMode(rmSpecial);
  EXPECT_EQ(window->Notebook->PageIndex(), pgSpecial);
  EXPECT_EQ(window->RunMode(), rmSpecial);
  EXPECT_TRUE(listing.WaitEntered());
  listing.Release();
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  window->SwitchRunMode(rmComm);  // from 2: no new listing
  EXPECT_EQ(listing.Runs(), 1);
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
}

TEST_F(TFormmainTest, SwitchingWhileBusyKeepsThePageButMovesTheFtpPanel) {
  CreateWindow();
  ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  TBlockingRoutine listing(tmListFiles);
  window->miRefreshMachClick(nullptr);
  ASSERT_TRUE(listing.WaitEntered());
  window->SwitchRunMode(rmSpecial);
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
  EXPECT_EQ(window->RunMode(), rmComm);
  window->SwitchRunMode(rmFtp);
  EXPECT_EQ(window->RunMode(), rmFtp);
  EXPECT_TRUE(window->GroupBoxFtp->Visible());
  window->SwitchRunMode(rmComm);
  EXPECT_EQ(window->RunMode(), rmFtp);
  EXPECT_FALSE(window->GroupBoxFtp->Visible());
  EXPECT_EQ(window->FtpVisible(), 0);
  EXPECT_TRUE(hook.Shown().empty());  // switches stay silent while busy
  listing.Release();
}

TEST_F(TFormmainTest, SecondStartWhileBusyIsRefused) {
  CreateWindow();
  ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  TBlockingRoutine listing(tmListFiles);
  window->miRefreshMachClick(nullptr);
  // Busy from the start, before the worker has run a line.
  EXPECT_EQ(window->Busy(), -1);
  window->miRefreshMachClick(nullptr);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_FINISHED_FIRST);
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_INFOMATION);
  ASSERT_TRUE(listing.WaitEntered());
  listing.Release();
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  EXPECT_EQ(listing.Runs(), 1);
}

TEST_F(TFormmainTest, RoutineThatRaisesLeavesTheWindowIdle) {
  CreateWindow();
  ASSERT_TRUE(WaitIdle());
  TBlockingRoutine listing(tmListFiles);
  window->miRefreshMachClick(nullptr);
  ASSERT_TRUE(listing.WaitEntered());
  listing.Release([](MyThread&) { throw Exception("lost"); });
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  EXPECT_TRUE(window->lblComm->Visible());  // the progress line stays until the next report
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainTest, AboutPageAndBackToTheRunModesPage) {
  WriteSettings("[sysoptions]\nrunmode=0\n");
  CreateWindow();
  window->miAboutClick(nullptr);
  EXPECT_EQ(window->Notebook->PageIndex(), pgAbout);
  window->btnExitClick(nullptr);
  EXPECT_EQ(window->Notebook->PageIndex(), pgComm);
  EXPECT_TRUE(window->GroupBoxFtp->Visible());
}

TEST_F(TFormmainTest, MenuItemsSwitchByTheirTag) {
  CreateWindow();
  ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  window->miSwitchToOs->Click();
  EXPECT_EQ(window->Notebook->PageIndex(), pgOs);
  EXPECT_EQ(window->RunMode(), rmOs);
  window->miSwitchToFtpClick(window->btnOption);  // not a menu item: nothing
  EXPECT_EQ(window->RunMode(), rmOs);
}

TEST_F(TFormmainTest, BannerRunsToTheRightMarginTurnsAndRunsBack) {
  CreateWindow();
  const int W = window->pnlLogo->Width();
  const int w = window->lblLogo->Width();
  window->lblLogo->SetLeft(W - 5 - w - 2);
  window->timerShowLogoTimer(nullptr);
  EXPECT_TRUE(window->LogoForward());
  window->timerShowLogoTimer(nullptr);
  EXPECT_EQ(window->lblLogo->Left(), W - 5 - w);
  EXPECT_FALSE(window->LogoForward());
  window->timerShowLogoTimer(nullptr);
  EXPECT_EQ(window->lblLogo->Left(), W - 5 - w - 1);
  window->lblLogo->SetLeft(5);
  window->timerShowLogoTimer(nullptr);
  EXPECT_EQ(window->lblLogo->Left(), 4);
  EXPECT_TRUE(window->LogoForward());
}

TEST_F(TFormmainTest, PasswordTakesOnlyDigitsBackspaceAndEnter) {
  CreateWindow(false);
  for (char key : {'0', '9', '\b', '\r'}) {
    char k = key;
    window->edtPasswdKeyPress(nullptr, k);
    EXPECT_EQ(k, key);
  }
  for (char key : {'a', ' ', '-', '\x1b'}) {
    char k = key;
    window->edtPasswdKeyPress(nullptr, k);
    EXPECT_EQ(k, 0);
  }
}

TEST_F(TFormmainTest, ClockFollowsThePcUnlessSwitchedOff) {
  CreateWindow(false);
  EXPECT_TRUE(window->timerSystemTime->Enabled());
  window->disableAutotime->SetChecked(true);
  window->disableAutotimeClick(nullptr);
  EXPECT_FALSE(window->timerSystemTime->Enabled());
}

TEST_F(TFormmainTest, ClosingWhileBusyAsksAndNoKeepsTheProgramRunning) {
  CreateWindow();
  ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  TBlockingRoutine listing(tmListFiles);
  window->miRefreshMachClick(nullptr);
  hook.AnswerMessage(IDNO);
  bool canClose = true;
  window->FormCloseQuery(nullptr, canClose);
  EXPECT_FALSE(canClose);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_FORCE_QUIT);
  EXPECT_EQ(hook.Shown()[0].Caption, ERR_WARNING);
  EXPECT_EQ(hook.Shown()[0].Flags, MB_YESNO | MB_ICONWARNING);
  EXPECT_EQ(window->Busy(), -1);
  listing.Release();
}

TEST_F(TFormmainTest, ClosingWhileBusyWithYesLeavesTheWorkerOffTheGoneWindow) {
  CreateWindow();
  ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
  auto link = window->WorkerLink();
  TBlockingRoutine listing(tmListFiles);
  window->miRefreshMachClick(nullptr);
  ASSERT_TRUE(listing.WaitEntered());
  hook.AnswerMessage(IDYES);
  bool canClose = false;
  window->FormCloseQuery(nullptr, canClose);
  EXPECT_TRUE(canClose);
  delete window;  // the window goes while the worker still runs
  window = nullptr;
  std::atomic<int> reached{-1};
  listing.Release([&](MyThread& Thread) {
    reached = Thread.OnWindow([](TFormmain& Window) { Window.ResetDeviceInfo(); }) ? 1 : 0;
    PostStatus("after");
    PostCommFailure();
  });
  EXPECT_TRUE(WaitUntil([&] { return link->Busy() == 0; }));
  EXPECT_EQ(reached.load(), 0);
  TestInput::ProcessFor(50);  // the posts go nowhere
}
