// The settings file: what a start reads, what a close writes, and damaged files.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "CodePage.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TImage.h"
#include "TLabel.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMainWindowFixture.h"
#include "TStrings.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "uMain.h"
#include "WinUser.h"

namespace {

class TFormmainSettingsTest : public TMainWindowFixture {
protected:
  // Saves as the close does and forgets the window.
  void closeWindow() {
    window->SaveSettings();
    DestroyWindow();
  }
};

bool contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

}  // namespace

TEST_F(TFormmainSettingsTest, MissingFileGivesTheDefaults) {
  CreateWindow(false);
  EXPECT_EQ(window->RunMode(), rmComm);
  EXPECT_FALSE(window->tsSysParaSetting->TabVisible());
  EXPECT_EQ(window->EditFtpHost->Text(), "localhost");
  EXPECT_EQ(window->EditFtpUser->Text(), "Anonymous");
  EXPECT_EQ(window->EditFtpPass->Text(), "");
  EXPECT_EQ(window->EditFtpPort->Text(), "21");
  EXPECT_EQ(window->comboPath->Text(), "/");
  EXPECT_EQ(window->RadioGroup1->ItemIndex(), 0);
  EXPECT_EQ(window->RadioGroup2->ItemIndex(), 0);
  EXPECT_EQ(window->tv->Path(), "/");
  EXPECT_EQ(window->edtpath->Text(), "/");
}

TEST_F(TFormmainSettingsTest, ListWithAnEmptyEntryIsSavedCompactedAndTheOldTailStays) {
  WriteSettings("[sysoptions]\nrunmode=7\n[downloadfile]\ndownloadnum=3\nfile1=/a/one.txt\nfile2=\nfile3= /b/three.txt \n");
  CreateWindow(false);
  ASSERT_EQ(window->listDownload->Items()->Count(), 2);
  EXPECT_EQ(window->listDownload->Items()->Strings(1), "/b/three.txt");
  closeWindow();
  const std::string text = ReadSettings();
  EXPECT_TRUE(contains(text, "downloadnum=2"));
  EXPECT_TRUE(contains(text, "file1=/a/one.txt"));
  EXPECT_TRUE(contains(text, "file2=/b/three.txt"));
  EXPECT_TRUE(contains(text, "file3= /b/three.txt"));  // stale, bounded by the count
}

TEST_F(TFormmainSettingsTest, UploadPathIsTrimmedOnLoadAndTextsRoundTrip) {
  WriteSettings(
      "[sysoptions]\nrunmode=7\n[uploadfile]\nuploadpath=\"  /data/up  \"\ndeluploadfile=1\nCompleteDelFile=1\n"
      "uploadnum=2\nfile1=抄表.DBF\nfile2=B.DBF\n[FTP]\nServer=ftp.example\nUserName=张三\nPassword=pw\nPort=2121\n"
      "Path=/in\n");
  CreateWindow(false);
  EXPECT_EQ(window->edtUploadPath->Text(), "/data/up");
  EXPECT_TRUE(window->chkDelCbjFile->Checked());
  EXPECT_TRUE(window->chkCompleteDelFile->Checked());
  ASSERT_EQ(window->listUpload->Items()->Count(), 2);
  EXPECT_EQ(AnsiToUtf8(window->listUpload->Items()->Strings(0)), "抄表.DBF");
  EXPECT_EQ(AnsiToUtf8(window->EditFtpUser->Text()), "张三");
  EXPECT_EQ(window->EditFtpPort->Text(), "2121");
  window->EditFtpHost->SetText("  host.example  ");
  closeWindow();
  const std::string text = ReadSettings();
  EXPECT_TRUE(contains(text, "Server=host.example\n") || contains(text, "Server=host.example\r\n"));
  EXPECT_TRUE(contains(text, "file1=抄表.DBF"));
  EXPECT_TRUE(contains(text, "Path=/in"));
  EXPECT_TRUE(contains(text, "deluploadfile=1"));
}

TEST_F(TFormmainSettingsTest, FtpVisibleWithCommModeIsHiddenAgainByTheSwitch) {
  WriteSettings("[sysoptions]\nrunmode=1\nftpvisible=1\n");
  CreateWindow(false);
  EXPECT_FALSE(window->GroupBoxFtp->Visible());
  EXPECT_EQ(window->FtpVisible(), 0);
}

TEST_F(TFormmainSettingsTest, SysSettingIsReadButNeverWritten) {
  WriteSettings("[sysoptions]\nrunmode=7\nSysSetting=1\n");
  CreateWindow(false);
  EXPECT_TRUE(window->tsSysParaSetting->TabVisible());
  closeWindow();
  EXPECT_TRUE(contains(ReadSettings(), "SysSetting=1"));
  std::filesystem::remove(folder / "handheld-manager.ini");
  CreateWindow(false);
  closeWindow();
  EXPECT_FALSE(contains(ReadSettings(), "SysSetting"));
}

TEST_F(TFormmainSettingsTest, ConvertTypeIsClampedByTheRadioGroups) {
  WriteSettings("[sysoptions]\nrunmode=7\nConvertType=9\n");
  CreateWindow(false);
  EXPECT_EQ(window->RadioGroup1->ItemIndex(), 6);
  EXPECT_EQ(window->RadioGroup2->ItemIndex(), 6);
  DestroyWindow();
  WriteSettings("[sysoptions]\nrunmode=7\nConvertType=-5\n");
  CreateWindow(false);
  EXPECT_EQ(window->RadioGroup1->ItemIndex(), -1);
}

TEST_F(TFormmainSettingsTest, FolderThatNoLongerExistsFallsBackToTheRootAndIsNotWrittenBack) {
  WriteSettings("[sysoptions]\nrunmode=7\nDir=/no/such/folder\n");
  CreateWindow(false);
  EXPECT_EQ(window->tv->Path(), "/");
  DestroyWindow();
  const std::string folderText = (folder / "languages").string();
  WriteSettings("[sysoptions]\nrunmode=7\nDir=" + folderText + "\n");
  CreateWindow(false);
  EXPECT_EQ(window->edtpath->Text(), folderText);
  closeWindow();
  EXPECT_TRUE(contains(ReadSettings(), "Dir=" + folderText));
}

TEST_F(TFormmainSettingsTest, GarbageFileStartsWithTheDefaults) {
  std::ofstream(folder / "handheld-manager.ini", std::ios::binary) << std::string("\x00\xff\x13[[=\n\x80\x81", 9);
  CreateWindow(false);
  EXPECT_EQ(window->RunMode(), rmComm);
  EXPECT_EQ(window->listDownload->Items()->Count(), 0);
}

TEST_F(TFormmainSettingsTest, NonNumericValuesGiveTheDefaults) {
  WriteSettings("[sysoptions]\nrunmode=abc\nLanguage=x\nConvertType=\n");
  CreateWindow(false);
  EXPECT_EQ(window->RunMode(), rmComm);
  EXPECT_EQ(window->RadioGroup1->ItemIndex(), 0);
}

TEST_F(TFormmainSettingsTest, HugeCountReadsOnlyTheEntriesThatExist) {
  WriteSettings("[sysoptions]\nrunmode=7\n[downloadfile]\ndownloadnum=2000000000\nfile1=/a\nfile7=/b\n");
  const auto start = std::chrono::steady_clock::now();
  CreateWindow(false);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(window->listDownload->Items()->Count(), 2);
}

TEST_F(TFormmainSettingsTest, CloseWritesTheRunModeAndLanguage) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  window->SetLanguage(1);
  closeWindow();
  const std::string text = ReadSettings();
  EXPECT_TRUE(contains(text, "runmode=7"));
  EXPECT_TRUE(contains(text, "Language=1"));
  EXPECT_TRUE(contains(text, "ftpvisible=0"));
}

TEST_F(TFormmainSettingsTest, CountAtTheIntegerLimitReadsOnlyTheKeysThere) {
  WriteSettings(
      "[sysoptions]\nrunmode=7\n[downloadfile]\ndownloadnum=2147483647\nfile2147483647=/z\nfile1=/a\nfile01=/not-one\n"
      "[uploadfile]\nuploadnum=2\nfile3=/beyond-the-count\nfile2=B.DBF\n");
  CreateWindow(false);
  ASSERT_EQ(window->listDownload->Items()->Count(), 2);
  EXPECT_EQ(window->listDownload->Items()->Strings(0), "/a");
  EXPECT_EQ(window->listDownload->Items()->Strings(1), "/z");
  ASSERT_EQ(window->listUpload->Items()->Count(), 1);
  EXPECT_EQ(window->listUpload->Items()->Strings(0), "B.DBF");
}

TEST_F(TFormmainSettingsTest, SettingsThatCannotBeSavedAreReportedInTheUsersLanguage) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  window->SetLanguage(1);  // English
  // A folder where the settings file should be: no write can reach it.
  std::filesystem::remove(folder / "handheld-manager.ini");
  std::filesystem::create_directory(folder / "handheld-manager.ini");
  const std::size_t shown = hook.Shown().size();
  EXPECT_NO_THROW(window->SaveSettings());
  ASSERT_EQ(hook.Shown().size(), shown + 1);
  EXPECT_EQ(ShownTexts().back(), "Cannot create the file: " + (folder / "handheld-manager.ini").string());
  EXPECT_EQ(hook.Shown().back().Caption, "Error");
  EXPECT_EQ(hook.Shown().back().Flags, MB_ICONERROR);
  DestroyWindow();
}
