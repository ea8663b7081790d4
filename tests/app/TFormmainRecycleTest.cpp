// The recycle bin and deleting terminal files: the questions, moving files into the bin, the
// bin's list, restoring, deleting for good, deleting all, and the menus' enabling.
#include <gtest/gtest.h>

#include <algorithm>

#include "TFilePagesFixture.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TStatusRecorder.h"
#include "TestInput.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

class TFormmainRecycleTest : public TFilePagesFixture {
protected:
  void SetUp() override { OpenCommPage(); }
  template <class Handler>
  void run(Handler&& handler) {
    handler();
    ASSERT_TRUE(WaitIdle());
  }
  void listBin() {
    run([&] { window->miGetDelListClick(nullptr); });
  }
  void recycle(const std::vector<std::string>& Names) {
    Select(window->listCbj, Names);
    hook.AnswerMessage(IDYES);
    run([&] { window->miDelFileClick(nullptr); });
  }
};

const std::vector<std::string> Seeded = {"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"};

}  // namespace

TEST_F(TFormmainRecycleTest, NoInAQuestionChangesNothing) {
  Select(window->listCbj, {"KHDA.DBF"});
  hook.AnswerMessage(IDNO);
  window->miDelFileClick(nullptr);
  hook.AnswerMessage(IDNO);
  window->miDestroyFileClick(nullptr);
  hook.AnswerMessage(IDNO);
  window->miDelAllFileClick(nullptr);
  EXPECT_EQ(window->Busy(), 0);
  ASSERT_EQ(ShownTexts().size(), 3u);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_RECYCLE_FILE);
  EXPECT_EQ(hook.Shown()[1].Text, INFO_DELETE_PERMENENT);
  EXPECT_EQ(hook.Shown()[2].Text, INFO_DELETE_ALL);
  for (const auto& shown : hook.Shown()) {
    EXPECT_EQ(shown.Caption, INFO_WAITING);
    EXPECT_EQ(shown.Flags, MB_YESNO | MB_ICONWARNING);
  }
  EXPECT_EQ(TerminalNames(), Seeded);
}

TEST_F(TFormmainRecycleTest, NothingSelectedAsksNothing) {
  window->miDelFileClick(nullptr);
  window->miDestroyFileClick(nullptr);
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainRecycleTest, RecycleListRestoreKeepsTheNumbers) {
  recycle({"KHDA.DBF", "CBSJ.DBF"});
  EXPECT_EQ(Status(), "放入回收站全部成功！");
  EXPECT_EQ(Captions(window->listCbj), std::vector<std::string>{"CBJ.EXE"});
  listBin();
  EXPECT_EQ(Captions(window->listdelCbj), (std::vector<std::string>{"KHDA.DBF", "CBSJ.DBF"}));
  EXPECT_EQ(Cell(window->listdelCbj, "KHDA.DBF", 3), "2");
  EXPECT_EQ(Cell(window->listdelCbj, "CBSJ.DBF", 3), "3");
  EXPECT_EQ(Cell(window->listdelCbj, "CBSJ.DBF", 5), "3");
  EXPECT_EQ(Status(), "读取回收站文件列表成功！");

  Select(window->listdelCbj, {"CBSJ.DBF"});
  run([&] { window->miRestoreFileClick(nullptr); });
  EXPECT_EQ(Status(), "恢复文件全部成功！");
  EXPECT_EQ(Captions(window->listdelCbj), std::vector<std::string>{"KHDA.DBF"});
  run([&] { window->miRefreshMachClick(nullptr); });
  EXPECT_EQ(Cell(window->listCbj, "CBSJ.DBF", 3), "3");
}

TEST_F(TFormmainRecycleTest, DestroyFromTheBinAndFromTheTerminalList) {
  recycle({"KHDA.DBF"});
  listBin();
  Select(window->listdelCbj, {"KHDA.DBF"});
  run([&] { window->miDelRecyleFileClick(nullptr); });
  EXPECT_EQ(Status(), "彻底删除文件全部成功！");
  EXPECT_TRUE(Captions(window->listdelCbj).empty());
  EXPECT_TRUE(TerminalNames(true).empty());

  Select(window->listCbj, {"CBJ.EXE"});
  hook.AnswerMessage(IDYES);
  run([&] { window->miDestroyFileClick(nullptr); });
  EXPECT_EQ(Status(), "彻底删除文件全部成功！");
  EXPECT_EQ(TerminalNames(), std::vector<std::string>{"CBSJ.DBF"});
  EXPECT_EQ(Captions(window->listCbj), std::vector<std::string>{"CBSJ.DBF"});
}

TEST_F(TFormmainRecycleTest, DeleteAllEmptiesTerminalAndBin) {
  recycle({"KHDA.DBF"});
  hook.AnswerMessage(IDYES);
  run([&] { window->miDelAllFileClick(nullptr); });
  EXPECT_EQ(Status(), "删除所有文件成功！");
  EXPECT_TRUE(TerminalNames().empty());
  EXPECT_TRUE(TerminalNames(true).empty());
  EXPECT_TRUE(Captions(window->listCbj).empty());
}

TEST_F(TFormmainRecycleTest, DeleteAllThatFailsSaysSo) {
  terminal.Settings("[Fault.vxDeleteFile]\nResult=16\n");
  hook.AnswerMessage(IDYES);
  run([&] { window->miDelAllFileClick(nullptr); });
  EXPECT_EQ(Status(), "删除所有文件失败！");
  EXPECT_EQ(TerminalNames(), Seeded);
  EXPECT_EQ(Captions(window->listCbj).size(), 3u);
}

TEST_F(TFormmainRecycleTest, EmptyBinListsNothingAndSucceeds) {
  listBin();
  EXPECT_TRUE(Captions(window->listdelCbj).empty());
  EXPECT_EQ(Status(), "读取回收站文件列表成功！");
}

TEST_F(TFormmainRecycleTest, RestoreWithNothingSelectedListsTheBinAgain) {
  PutTerminalFile(30, "OLD.DBF", "o", true);
  run([&] { window->miRestoreFileClick(nullptr); });
  EXPECT_EQ(Captions(window->listdelCbj), std::vector<std::string>{"OLD.DBF"});
  EXPECT_EQ(Status(), "恢复文件全部成功！");
}

TEST_F(TFormmainRecycleTest, FailedFilesAreCountedAndTheRestGoOnOverUsb) {
  PutTerminalFile(30, "KHDA.DBF", "older", true);  // restoring it would replace a file
  PutTerminalFile(31, "NEW.DBF", "n", true);
  listBin();
  Select(window->listdelCbj, {"KHDA.DBF", "NEW.DBF"});
  run([&] { window->miRestoreFileClick(nullptr); });
  EXPECT_EQ(Status(), "恢复文件部分失败！");
  EXPECT_EQ(Captions(window->listdelCbj), std::vector<std::string>{"KHDA.DBF"});
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainRecycleTest, LinkLostDuringRecycleStopsOnComAndReportsIt) {
  terminal.Settings("[Port]\nPort=COM2\n");
  run([&] { window->miRefreshMachClick(nullptr); });
  terminal.Settings("[Port]\nPort=COM2\n[Fault.vxDeleteFile]\nResult=103\nWhen=Once\nCall=1\n");
  recycle({"CBJ.EXE", "KHDA.DBF"});
  EXPECT_EQ(Status(), "放入回收站部分失败！");
  EXPECT_EQ(TerminalNames(), Seeded);  // the second file was not tried after the link broke
}

TEST_F(TFormmainRecycleTest, FailedBinListingShowsTheLibrarysTextAndAnEmptyList) {
  PutTerminalFile(30, "OLD.DBF", "o", true);
  listBin();
  terminal.Settings("[Fault.vxGetDelFileList]\nResult=102\n");
  listBin();
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(ShownTexts()[0], "读取回收站文件列表失败：通讯超时");
  EXPECT_EQ(Status(), "读取回收站文件列表失败：");
  EXPECT_TRUE(Captions(window->listdelCbj).empty());
}

TEST_F(TFormmainRecycleTest, BinWithMoreEntriesThanTheListHoldsShowsWhatCame) {
  for (int i = 100; i < 100 + 320; ++i) PutTerminalFile(i, "R" + std::to_string(i), "", true);
  listBin();
  EXPECT_EQ(window->listdelCbj->Items()->Count(), 315);
  EXPECT_EQ(Status().rfind("读取回收站文件列表失败：", 0), 0u);
  EXPECT_GT(Status().size(), std::string("读取回收站文件列表失败：").size());
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainRecycleTest, ListedNameOfAllFilesIsNeverHandedOverAsOne) {
  TListItem* item = window->listCbj->Items()->Add();
  item->SetCaption("*.*");
  Select(window->listCbj, {"*.*"});
  hook.AnswerMessage(IDYES);
  run([&] { window->miDelFileClick(nullptr); });
  EXPECT_EQ(TerminalNames(), Seeded);
  EXPECT_EQ(Status(), "放入回收站部分失败！");
}

TEST_F(TFormmainRecycleTest, PopupsEnableWhatNeedsASelection) {
  window->pmenuCbjPopup(nullptr);
  for (TMenuItem* item : {window->miUploadFile, window->miDelFile, window->miDestroyFile})
    EXPECT_FALSE(item->Enabled());
  EXPECT_TRUE(window->miRefreshMach->Enabled());
  EXPECT_TRUE(window->miDelAllFile->Enabled());
  Select(window->listCbj, {"CBJ.EXE"});
  window->pmenuCbjPopup(nullptr);
  for (TMenuItem* item : {window->miUploadFile, window->miDelFile, window->miDestroyFile})
    EXPECT_TRUE(item->Enabled());

  PutTerminalFile(30, "OLD.DBF", "o", true);
  listBin();
  window->delFilePopMenuPopup(nullptr);
  EXPECT_FALSE(window->miRestoreFile->Enabled());
  EXPECT_FALSE(window->miDelRecyleFile->Enabled());
  EXPECT_TRUE(window->miGetDelList->Enabled());
  Select(window->listdelCbj, {"OLD.DBF"});
  window->delFilePopMenuPopup(nullptr);
  EXPECT_TRUE(window->miRestoreFile->Enabled());
  EXPECT_TRUE(window->miDelRecyleFile->Enabled());
}

TEST_F(TFormmainRecycleTest, EveryCallFailingLosesNoFileAndLeavesTheListsTrue) {
  PutTerminalFile(30, "OLD.DBF", "o", true);
  std::vector<std::string> all = {"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF", "OLD.DBF"};
  auto everything = [&] {
    std::vector<std::string> names = TerminalNames();
    for (const std::string& name : TerminalNames(true)) names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
  };
  for (const char* function : {"vxDeleteFile", "vxGetDelFileList", "vxRestoreFile", "vxGetNormalFileList",
                               "vxGetMachSysInfo", "vxGetErrMsg"}) {
    for (const char* when : {"Once", "From"}) {
      for (const char* goOn : {"0", "1"}) {
        hook.Clear();
        terminal.Settings(std::string("[Fault.") + function + "]\nResult=103\nWhen=" + when + "\nCall=2\nGoOn=" +
                          goOn + "\n");
        recycle({"KHDA.DBF", "CBSJ.DBF"});
        listBin();
        window->listdelCbj->SelectAll();
        run([&] { window->miRestoreFileClick(nullptr); });
        EXPECT_EQ(window->Busy(), 0);
        terminal.Settings("");
        run([&] { window->miRefreshMachClick(nullptr); });
        listBin();
        EXPECT_EQ(everything(), all) << function << when << goOn;
        std::vector<std::string> listed = Captions(window->listCbj);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, TerminalNames()) << function;
        listed = Captions(window->listdelCbj);
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, TerminalNames(true)) << function;
      }
    }
  }
}
