// The special page's batch lists: filling and emptying them, their duplicate rules, the combo
// box of terminal names, the starters' questions, and whole batches against a simulated
// terminal with one entry failing.
#include <gtest/gtest.h>

#include <filesystem>

#include "CodePage.h"
#include "TBlockingRoutine.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TFilePagesFixture.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TSyncRecorder.h"
#include "TRadioGroup.h"
#include "TStrings.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace fs = std::filesystem;

namespace {

class TFormmainBatchListsTest : public TFilePagesFixture {
protected:
  // The special page over the terminal, with these lines of the settings file: Options in
  // "sysoptions", then further sections.
  void openSpecialPage(const std::string& Lists = "", const std::string& Options = "ConvertType=6\n") {
    WriteSettings("[sysoptions]\nrunmode=2\nDir=" + terminal.Pc().string() + "\n" + Options + Lists);
    CreateWindow();
    ASSERT_TRUE(WaitIdle());
    hook.Clear();
  }
  static std::vector<std::string> lines(const TCheckListBox* List) {
    std::vector<std::string> result;
    for (int i = 0; i < List->Items()->Count(); ++i) result.push_back(AnsiToUtf8(List->Items()->Strings(i)));
    return result;
  }
  static std::vector<bool> checks(const TCheckListBox* List) {
    std::vector<bool> result;
    for (int i = 0; i < List->Items()->Count(); ++i) result.push_back(List->Checked(i));
    return result;
  }
  void addDownloadFile(const std::string& Path) {
    hook.AnswerFile(Utf8ToAnsi(Path));
    window->btnAddDownFileClick(nullptr);
  }
  void addUploadName(const std::string& Name) {
    window->cbxCbjFileList->SetText(Utf8ToAnsi(Name));
    window->btnAddUpFileClick(nullptr);
  }
  // Starts a batch through its button, answering its question with OK, and waits for its end.
  void runBatch(TButton* Button) {
    hook.AnswerMessage(IDOK);
    Button->Click();
    ASSERT_TRUE(WaitIdle());
  }
  std::string folder(const std::string& Name) const {
    const fs::path path = terminal.Pc().parent_path() / Name;
    fs::create_directories(path);
    return path.string();
  }
};

}  // namespace

// --- the lists --------------------------------------------------------------------------------

TEST_F(TFormmainBatchListsTest, DownloadListRefusesASecondFileOfTheSameNameFromAnotherFolder) {
  openSpecialPage();
  addDownloadFile("  /data/a/CBSJ.DBF \t");
  addDownloadFile("/data/b/CBSJ.DBF");
  addDownloadFile("/data/b/cbsj.dbf");
  addDownloadFile("/data/a/A.TXT");
  addDownloadFile("/data/a/a.txt");
  EXPECT_EQ(lines(window->listDownload),
            (std::vector<std::string>{"/data/a/CBSJ.DBF", "/data/b/cbsj.dbf", "/data/a/A.TXT", "/data/a/a.txt"}));
  EXPECT_EQ(ShownMessages(), std::vector<std::string>{AnsiToUtf8(INFO_SAME_FILE_IN_LIST)});
}

TEST_F(TFormmainBatchListsTest, CancelledOrBlankChoiceAddsNothing) {
  openSpecialPage();
  addDownloadFile("");
  addDownloadFile("   ");
  EXPECT_TRUE(lines(window->listDownload).empty());
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(TFormmainBatchListsTest, DeleteRemovesEverySelectedLineOfEitherList) {
  openSpecialPage(
      "[downloadfile]\ndownloadnum=4\nfile1=/a/1\nfile2=/a/2\nfile3=/a/3\nfile4=/a/4\n"
      "[uploadfile]\nuploadnum=3\nfile1=X\nfile2=Y\nfile3=Z\n");
  window->listDownload->SetSelected(0, true);
  window->listDownload->SetSelected(2, true);
  window->listDownload->SetSelected(3, true);
  window->btnDelDownFileClick(nullptr);
  EXPECT_EQ(lines(window->listDownload), std::vector<std::string>{"/a/2"});
  window->listUpload->SetSelected(1, true);
  window->btnDelUpFileClick(nullptr);
  EXPECT_EQ(lines(window->listUpload), (std::vector<std::string>{"X", "Z"}));
  // Nothing selected: nothing removed.
  window->listUpload->SetSelected(0, false);
  window->listUpload->SetSelected(1, false);
  window->btnDelUpFileClick(nullptr);
  EXPECT_EQ(lines(window->listUpload).size(), 2u);
}

TEST_F(TFormmainBatchListsTest, UploadNamesMustBeGivenAndDifferExactly) {
  openSpecialPage();
  addUploadName("  ");
  addUploadName(" CBSJ.DBF ");
  addUploadName("CBSJ.DBF");
  addUploadName("cbsj.dbf");
  EXPECT_EQ(lines(window->listUpload), (std::vector<std::string>{"CBSJ.DBF", "cbsj.dbf"}));
  EXPECT_EQ(ShownMessages(), (std::vector<std::string>{AnsiToUtf8(INFO_SELECT_FILE), AnsiToUtf8(INFO_SAME_FILE_IN_LIST)}));
  EXPECT_EQ(window->cbxCbjFileList->Text(), "");
}

TEST_F(TFormmainBatchListsTest, EnteringTheComboOffersTheTerminalsFiles) {
  openSpecialPage();
  window->cbxCbjFileList->SetText("typed");
  window->cbxCbjFileListEnter(nullptr);
  ASSERT_EQ(window->cbxCbjFileList->Items()->Count(), 3);
  EXPECT_EQ(window->cbxCbjFileList->Items()->Strings(0), window->listCbj2->Items()->Item(0)->Caption());
  EXPECT_EQ(window->cbxCbjFileList->ItemIndex(), 0);
  EXPECT_EQ(window->cbxCbjFileList->Text(), window->listCbj2->Items()->Item(0)->Caption());
}

TEST_F(TFormmainBatchListsTest, EnteringTheComboWithNoTerminalFilesLeavesItEmpty) {
  fs::remove_all(terminal.Folder() / "files");
  fs::create_directory(terminal.Folder() / "files");
  openSpecialPage();
  window->cbxCbjFileList->Items()->Add("old");
  window->cbxCbjFileList->SetText("typed");
  window->cbxCbjFileListEnter(nullptr);
  EXPECT_EQ(window->cbxCbjFileList->Items()->Count(), 0);
  EXPECT_EQ(window->cbxCbjFileList->ItemIndex(), -1);
  EXPECT_EQ(window->cbxCbjFileList->Text(), "");
}

TEST_F(TFormmainBatchListsTest, FolderPickerReplacesTheUploadFolderUnlessCancelled) {
  openSpecialPage("[uploadfile]\nuploadpath=/old\n");
  ASSERT_EQ(window->edtUploadPath->Text(), "/old");
  hook.AnswerFolder("");
  window->btnAssignUploadPathClick(nullptr);
  EXPECT_EQ(window->edtUploadPath->Text(), "/old");
  hook.AnswerFolder("/new/folder");
  window->btnAssignUploadPathClick(nullptr);
  EXPECT_EQ(window->edtUploadPath->Text(), "/new/folder");
  ASSERT_EQ(hook.Shown().size(), 2u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkFolderPicker);
  EXPECT_EQ(hook.Shown()[0].Caption, DLG_DIR_OPEN_TITLE);
}

// --- starting a batch -------------------------------------------------------------------------

TEST_F(TFormmainBatchListsTest, StartersAskFirstThenRefuseAnEmptyList) {
  openSpecialPage();
  hook.AnswerMessage(IDCANCEL);
  window->btnDownSpecialModeClick(nullptr);
  hook.AnswerMessage(IDOK);
  window->btnDownSpecialModeClick(nullptr);
  hook.AnswerMessage(IDOK);
  window->btnUploadSpecialModeClick(nullptr);
  EXPECT_EQ(window->Busy(), 0);
  ASSERT_EQ(hook.Shown().size(), 5u);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_DOWNLOAD_TO_DEVICE);
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_DOWN_INFOMATION);
  EXPECT_EQ(hook.Shown()[0].Flags, static_cast<unsigned>(MB_OKCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(hook.Shown()[2].Text, INFO_NO_DOWN_FILE);
  EXPECT_EQ(hook.Shown()[3].Text, INFO_UPLOAD_TO_DEVICE);
  EXPECT_EQ(hook.Shown()[3].Caption, INFO_UP_INFOMATION);
  EXPECT_EQ(hook.Shown()[4].Text, INFO_NO_UP_FILE);
}

TEST_F(TFormmainBatchListsTest, StarterWhileBusyOnlySaysSo) {
  openSpecialPage("[uploadfile]\nuploadnum=1\nfile1=CBSJ.DBF\n");
  TBlockingRoutine block(tmListFiles);
  window->StartWorker(tmListFiles, true);
  ASSERT_TRUE(block.WaitEntered());
  window->btnUploadSpecialModeClick(nullptr);
  window->btnDownSpecialModeClick(nullptr);
  EXPECT_EQ(ShownMessages(), (std::vector<std::string>{"请先完成当前操作！", "请先完成当前操作！"}));
  block.Release();
  ASSERT_TRUE(WaitIdle());
}

// --- whole batches ----------------------------------------------------------------------------

TEST_F(TFormmainBatchListsTest, DownloadBatchChecksOnlyTheFilesThatWereSent) {
  const std::string a = folder("a"), b = folder("b");
  TVxTestTerminal::Write(fs::path(a) / "ONE.TXT", "one");
  TVxTestTerminal::Write(fs::path(b) / "TWO.TXT", "two");
  TVxTestTerminal::Write(fs::path(b) / "THREE.TXT", "three");
  openSpecialPage("[downloadfile]\ndownloadnum=4\nfile1=" + a + "/ONE.TXT\nfile2=" + a +
                  "/GONE.TXT\nfile3=" + b + "/TWO.TXT\nfile4=" + b + "/THREE.TXT\n");
  // The third entry's transfer fails; on USB the batch goes on.
  terminal.Settings("[Fault.vxDownloadFile]\nResult=5\nWhen=Once\nCall=2\n");
  window->listDownload->SetChecked(2, true);
  runBatch(window->btnDownSpecialMode);
  EXPECT_EQ(checks(window->listDownload), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(ReadTerminalFile("ONE.TXT"), "one");
  EXPECT_EQ(ReadTerminalFile("THREE.TXT"), "three");
  EXPECT_EQ(ReadTerminalFile("TWO.TXT"), "");
  EXPECT_EQ(Status(), "下装文件部分失败！");
  EXPECT_TRUE(hook.Shown().size() == 1u);  // the question only
  // The listing after the batch shows what the terminal holds now.
  EXPECT_NE(Cell(window->listCbj2, "THREE.TXT", 0), "");
}

TEST_F(TFormmainBatchListsTest, DownloadBatchOfSentFilesSaysAllSucceeded) {
  const std::string a = folder("a");
  TVxTestTerminal::Write(fs::path(a) / "ONE.TXT", "one");
  openSpecialPage("[downloadfile]\ndownloadnum=1\nfile1=" + a + "/ONE.TXT\n");
  runBatch(window->btnDownSpecialMode);
  EXPECT_EQ(checks(window->listDownload), std::vector<bool>{true});
  EXPECT_EQ(Status(), "下装文件全部成功！");
}

TEST_F(TFormmainBatchListsTest, DownloadBatchWithAllSendsATableUnderItsOwnNameOverTheTerminals) {
  // An older table of the name a conversion would write lies beside the one in the list.
  const std::string a = folder("a");
  const std::string table = ReadTerminalFile("KHDA.DBF");
  TVxTestTerminal::Write(fs::path(a) / "CBSJ.DBF", table);
  TVxTestTerminal::Write(fs::path(a) / "CBSJ.dbf", "an older table");
  openSpecialPage("[downloadfile]\ndownloadnum=1\nfile1=" + a + "/CBSJ.DBF\n", "ConvertType=0\n");
  runBatch(window->btnDownSpecialMode);
  EXPECT_EQ(checks(window->listDownload), std::vector<bool>{true});
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), table);
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  EXPECT_EQ(Status(), "下装文件全部成功！");
}

TEST_F(TFormmainBatchListsTest, ComPortLinkLossStopsTheBatchLeavingTheRestUnchecked) {
  const std::string a = folder("a");
  for (const char* name : {"ONE.TXT", "TWO.TXT", "THREE.TXT"}) TVxTestTerminal::Write(fs::path(a) / name, name);
  terminal.Settings("[Port]\nPort=COM3\n[Fault.vxDownloadFile]\nResult=5\nWhen=Once\nCall=2\nGoOn=0\n");
  openSpecialPage("[downloadfile]\ndownloadnum=3\nfile1=" + a + "/ONE.TXT\nfile2=" + a +
                  "/TWO.TXT\nfile3=" + a + "/THREE.TXT\n");
  runBatch(window->btnDownSpecialMode);
  EXPECT_EQ(checks(window->listDownload), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(ReadTerminalFile("THREE.TXT"), "");
}

TEST_F(TFormmainBatchListsTest, UploadBatchDeletesOnTheTerminalOnlyWhatArrived) {
  const std::string target = folder("upload");
  // A folder text ending in the delimiter gives two in a row, which names the same folder.
  openSpecialPage("[uploadfile]\nuploadpath=" + target +
                  "/\ndeluploadfile=1\nuploadnum=4\nfile1=KHDA.DBF\nfile2=CBSJ.DBF\nfile3=MISSING.DBF\nfile4=CBJ.EXE\n");
  // The first upload fails; its file must stay on the terminal.
  terminal.Settings("[Fault.vxUploadFile]\nResult=7\nWhen=Once\nCall=1\n");
  // A fetched file, and its name in the folder, are on the disk before the terminal's copy goes.
  TSyncRecorder syncs([&] { return !ReadTerminalFile("CBSJ.DBF").empty(); });
  runBatch(window->btnUploadSpecialMode);
  EXPECT_TRUE(syncs.SyncedWhile(fs::path(target) / "CBSJ.DBF"));
  EXPECT_TRUE(syncs.SyncedWhile(target));
  EXPECT_EQ(checks(window->listUpload), (std::vector<bool>{false, true, false, true}));
  EXPECT_FALSE(fs::exists(fs::path(target) / "KHDA.DBF"));
  EXPECT_TRUE(fs::exists(fs::path(target) / "CBSJ.DBF"));
  EXPECT_TRUE(fs::exists(fs::path(target) / "CBJ.EXE"));
  EXPECT_EQ(TerminalNames(), std::vector<std::string>{"KHDA.DBF"});
  EXPECT_EQ(Status(), "上装文件部分失败！");
}

TEST_F(TFormmainBatchListsTest, UploadBatchWithoutDeletingKeepsTheTerminalsFiles) {
  const std::string target = folder("upload");
  openSpecialPage("[uploadfile]\nuploadpath=" + target +
                  "\nuploadnum=2\nfile1=KHDA.DBF\nfile2=CBSJ.DBF\n");
  window->listUpload->SetChecked(0, true);
  runBatch(window->btnUploadSpecialMode);
  EXPECT_EQ(checks(window->listUpload), (std::vector<bool>{true, true}));
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  EXPECT_EQ(TVxTestTerminal::Read(fs::path(target) / "KHDA.DBF"), ReadTerminalFile("KHDA.DBF"));
  EXPECT_EQ(Status(), "上装文件全部成功！");
}

TEST_F(TFormmainBatchListsTest, UploadBatchWithoutAFolderOrWithNamesLeadingOutFetchesNothing) {
  openSpecialPage("[uploadfile]\ndeluploadfile=1\nuploadnum=1\nfile1=KHDA.DBF\n");
  runBatch(window->btnUploadSpecialMode);
  EXPECT_EQ(checks(window->listUpload), std::vector<bool>{false});
  EXPECT_FALSE(fs::exists("/KHDA.DBF"));
  EXPECT_EQ(TerminalNames().size(), 3u);

  window->edtUploadPath->SetText(Utf8ToAnsi(folder("upload")));
  window->listUpload->Items()->Clear();
  window->listUpload->Items()->Add("../KHDA.DBF");
  runBatch(window->btnUploadSpecialMode);
  EXPECT_EQ(checks(window->listUpload), std::vector<bool>{false});
  EXPECT_FALSE(fs::exists(terminal.Pc().parent_path() / "KHDA.DBF"));
  EXPECT_EQ(TerminalNames().size(), 3u);
}

TEST_F(TFormmainBatchListsTest, UploadBatchConvertsDbaseFilesIntoThePagesType) {
  const std::string target = folder("upload");
  openSpecialPage("[uploadfile]\nuploadpath=" + target + "\nuploadnum=2\nfile1=KHDA.DBF\nfile2=CBJ.EXE\n",
                  "ConvertType=1\n");
  if (!ConvertsTables()) GTEST_SKIP() << "the conversion service converts no tables in this build";
  runBatch(window->btnUploadSpecialMode);
  EXPECT_TRUE(fs::exists(fs::path(target) / "KHDA.txt"));
  EXPECT_FALSE(fs::exists(fs::path(target) / "CBJ.txt"));
}

TEST_F(TFormmainBatchListsTest, UploadBatchReportsFailedConversionsAndNeverConvertsOverAFetchedFile) {
  const std::string target = folder("upload");
  const std::string notes = "the meter reader's own notes\r\n";
  PutTerminalFile(30, "NOTES.txt", notes);
  PutTerminalFile(31, "NOTES.DBF", ReadTerminalFile("KHDA.DBF"));
  PutTerminalFile(32, "BAD.DBF", "not a table");
  openSpecialPage("[uploadfile]\nuploadpath=" + target +
                      "\ndeluploadfile=1\nuploadnum=3\nfile1=NOTES.txt\nfile2=NOTES.DBF\nfile3=BAD.DBF\n",
                  "ConvertType=0\n");
  runBatch(window->btnUploadSpecialMode);
  // Every file arrived and went from the terminal; the notes are whole.
  EXPECT_EQ(checks(window->listUpload), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(TVxTestTerminal::Read(fs::path(target) / "NOTES.txt"), notes);
  EXPECT_EQ(TVxTestTerminal::Read(fs::path(target) / "BAD.DBF"), "not a table");
  EXPECT_TRUE(fs::exists(fs::path(target) / "NOTES.xls"));
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  const std::vector<std::string> shown = ShownMessages();
  ASSERT_EQ(shown.size(), 3u);  // the question, then one message per table
  EXPECT_EQ(shown[1], "Convert File Type Error:NOTES.DBF: 文件已经存在：NOTES.txt");
  EXPECT_EQ(shown[2].rfind("Convert File Type Error:BAD.DBF: ", 0), 0u) << shown[2];
  EXPECT_EQ(Status(), "上装文件部分失败！");
}
