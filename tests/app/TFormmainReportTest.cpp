// The main window's side of the report protocol: each WM_COMMREPORT code, the progress line
// and the reset of the device display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CodePage.h"
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
#include "WinUser.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "uConstStrings.h"
#include "uMain.h"

using TestInput::WaitUntil;

namespace {

class TFormmainReportTest : public TMainWindowFixture {
protected:
  void SetUp() override {
    WriteSettings("[sysoptions]\nrunmode=7\n");  // the about page: nothing runs at start
    CreateWindow();
    StatusText.Clear();
    MessageText.Clear();
  }
  // Posts a report as the worker does and waits until the window has handled it.
  void report(TCommReportCode Code, LPARAM Value = 0) {
    ASSERT_TRUE(PostMessage(window->Handle(), WM_COMMREPORT, Code, Value));
    TestInput::ProcessFor(20);
  }
};

}  // namespace

TEST_F(TFormmainReportTest, ProgressBeforeAnyStatusShowsOnlyTheProgressText) {
  window->ShowProgress(true);
  report(crProgress, 42);
  EXPECT_EQ(window->lblComm->Caption(), INFO_CURRENT_PROGRESS + "42%");
  EXPECT_EQ(window->barComm->Position(), 42);
}

TEST_F(TFormmainReportTest, ProgressFollowsTheStatusText) {
  window->ShowProgress(true);
  SetStatusText(INFO_UPLOADING + "A.DBF");
  report(crProgress, 7);
  EXPECT_EQ(window->lblComm->Caption(), INFO_UPLOADING + "A.DBF" + INFO_CURRENT_PROGRESS + "7%");
}

TEST_F(TFormmainReportTest, StatusHidesTheProgressLineAndFillsTheStatusPanel) {
  window->ShowProgress(true);
  PostStatus(INFO_UPLOAD_ALL_SUCESS);
  TestInput::ProcessFor(20);
  EXPECT_FALSE(window->lblComm->Visible());
  EXPECT_FALSE(window->barComm->Visible());
  EXPECT_EQ(window->pnlState->Caption(), INFO_UPLOAD_ALL_SUCESS);
}

TEST_F(TFormmainReportTest, MessageShowsAnInformationBox) {
  PostInfoMessage(ERR_LIST_DEVICE_FILES + "x");
  ASSERT_TRUE(WaitUntil([&] { return !hook.Shown().empty(); }));
  EXPECT_EQ(hook.Shown()[0].Text, ERR_LIST_DEVICE_FILES + "x");
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_INFOMATION);
  EXPECT_EQ(hook.Shown()[0].Flags, MB_OK | MB_ICONINFORMATION);
}

TEST_F(TFormmainReportTest, EveryMessageShowsItsOwnTextThoughTheyComeFasterThanTheyAreShown) {
  // Nine files refused one after the other, all reported before the window gets to the first.
  std::vector<AnsiString> texts;
  for (int i = 1; i <= 9; ++i) texts.push_back(ERR_FTP_DOWNLOAD + "file" + std::to_string(i));
  for (const AnsiString& text : texts) PostInfoMessage(text);
  ASSERT_TRUE(WaitUntil([&] { return hook.Shown().size() == texts.size(); }));
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(hook.Shown()[i].Text, texts[i]) << i;
}

TEST_F(TFormmainReportTest, CommunicationFailureEmptiesTheDeviceDisplay) {
  window->lblMachType->SetCaption("VX");
  window->lblOsVer->SetCaption("1.0");
  window->listCbj->Items()->Add()->SetCaption("A.DBF");
  window->ShowProgress(true);
  PostCommFailure();
  TestInput::ProcessFor(20);
  EXPECT_EQ(window->listCbj->Items()->Count(), 0);
  EXPECT_EQ(window->lblMachType->Caption(), INFO_UNKOWN);
  EXPECT_EQ(window->lblOsVer->Caption(), INFO_UNKOWN);
  EXPECT_FALSE(window->lblComm->Visible());
  EXPECT_TRUE(window->pnlState->Visible());
  EXPECT_EQ(window->pnlState->Caption(), ERR_CONNECT_FAILED);
}

TEST_F(TFormmainReportTest, ProgressMaximumGoesOnlyToTheFtpBar) {
  PostProgressMax(123456);
  TestInput::ProcessFor(20);
  EXPECT_EQ(window->ProgressBar1->Max(), 123456);
  EXPECT_EQ(window->barComm->Max(), 100);
}

TEST_F(TFormmainReportTest, UnknownCodeChangesNothing) {
  window->pnlState->SetCaption("kept");
  report(static_cast<TCommReportCode>(9), 5);
  EXPECT_EQ(window->pnlState->Caption(), "kept");
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainReportTest, ProgressLineShownWaitsWithPositionZero) {
  window->pnlState->SetCaption("old");
  window->ShowProgress(true);
  EXPECT_EQ(window->pnlState->Caption(), "");
  EXPECT_TRUE(window->lblComm->Visible());
  EXPECT_EQ(window->lblComm->Caption(), INFO_WAITING);
  EXPECT_TRUE(window->barComm->Visible());
  EXPECT_EQ(window->barComm->Position(), 0);
}

TEST_F(TFormmainReportTest, WorkerReportsReachTheWindowInOrder) {
  TBlockingRoutine listing(tmListFiles);
  window->StartWorker(tmListFiles, true);
  ASSERT_TRUE(listing.WaitEntered());
  listing.Release([](MyThread&) {
    SetStatusText("step");
    CommProgressCallback(50);
    PostStatus("done");
  });
  EXPECT_TRUE(WaitUntil([&] { return window->pnlState->Caption() == "done"; }));
  EXPECT_EQ(window->barComm->Position(), 50);
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
}
