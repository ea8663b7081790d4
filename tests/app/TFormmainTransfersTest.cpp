// The terminal's file list with its figures, and copying files between the PC and the terminal:
// listing, download, upload, round trips, and every call failing on the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "CodePage.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TImage.h"
#include "TSpeedButton.h"
#include "TFilePagesFixture.h"
#include "TLabel.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TIniFile.h"
#include "TStatusRecorder.h"
#include "TSyncRecorder.h"
#include "TWorkerLink.h"
#include "TestInput.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace fs = std::filesystem;
using namespace TestInput;

namespace {

class TFormmainTransfersTest : public TFilePagesFixture {
protected:
  // The convert type of tests that are not about conversion.
  static constexpr const char* noConversion = "ConvertType=6\n";
  // Starts an operation through its handler and waits for its end.
  template <class Handler>
  void run(Handler&& handler) {
    handler();
    ASSERT_TRUE(WaitIdle());
  }
  void download(const std::vector<std::string>& Names) {
    window->flistCpu->Update();
    Select(window->listCpu, Names);
    run([&] { window->sbtnLeftClick(nullptr); });
  }
  void upload(const std::vector<std::string>& Names) {
    Select(window->listCbj, Names);
    run([&] { window->sbtnRightClick(nullptr); });
  }
  std::string label(const TLabel* Label) const { return AnsiToUtf8(Label->Caption()); }
  // Replaces the terminal's files by these (number, name, size).
  void terminalFiles(const std::vector<std::tuple<int, std::string, std::size_t>>& Files) {
    fs::remove_all(terminal.Folder() / "files");
    fs::create_directory(terminal.Folder() / "files");
    for (const auto& [number, name, size] : Files) PutTerminalFile(number, name, std::string(size, 'd'));
  }
  static std::string randomBytes(std::size_t Size) {
    std::mt19937 random(7);
    std::string bytes(Size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
  }
};

}  // namespace

TEST_F(TFormmainTransfersTest, ListingShowsTheSeededFilesAndFiguresOnBothPages) {
  OpenCommPage();
  EXPECT_EQ(Captions(window->listCbj), (std::vector<std::string>{"CBJ.EXE", "KHDA.DBF", "CBSJ.DBF"}));
  EXPECT_EQ(Captions(window->listCbj2), Captions(window->listCbj));
  EXPECT_EQ(Cell(window->listCbj, "CBJ.EXE", 1), std::to_string(24 * 1024));
  EXPECT_EQ(Cell(window->listCbj, "KHDA.DBF", 3), "2");
  EXPECT_EQ(Cell(window->listCbj, "KHDA.DBF", 4), "2");
  EXPECT_EQ(Cell(window->listCbj, "KHDA.DBF", 5), "2");
  EXPECT_EQ(label(window->lblMachType), label(window->lblMachType2));
  EXPECT_NE(label(window->lblMachType), "未知");
  // 8 MiB, three files of one block each, 1 MiB kept for the system.
  EXPECT_EQ(label(window->lblTotalSize), "8192K");
  EXPECT_EQ(label(window->lblFileNum), "3个");
  EXPECT_EQ(label(window->lblFileNum2), "3个");
  EXPECT_EQ(label(window->lblSysSize), label(window->lblSysSize2));
  EXPECT_EQ(label(window->lblLeftSize), label(window->lblLeftSize2));
  // CBJ.EXE (24 KiB) takes two blocks of 16320 bytes, the tables one each; a block counts 16K.
  EXPECT_EQ(std::stoi(label(window->lblLeftSize)), 8192 - 4 * 16 - std::stoi(label(window->lblSysSize)));
  EXPECT_EQ(Status(), "手持机连接在USB口！");
}

TEST_F(TFormmainTransfersTest, RefreshPicturesListBothPagesAgainAndTheirColumnsShowWhole) {
  OpenCommPage();
  // Each list shows its columns, cut by neither the column nor the list, once it has been shown.
  const auto showsWholeColumns = [](TListView* List) {
    return WaitUntil([&] {
      int right = 0;
      for (int column = 0; column < 3; ++column) {
        if (ShownColumnWidth(List, column) < ColumnContentWidth(List, column)) return false;
        right += ShownColumnWidth(List, column);
      }
      return right <= ShownColumnsAreaWidth(List);
    });
  };
  // The comm page's picture and list, then the special page's, each finding a new file.
  const std::vector<std::tuple<TImage*, TListView*, std::string>> pages = {
      {window->Image4, window->listCbj, "CBSJ0501.DBF"}, {window->Image5, window->listCbj2, "KHDA0501.DBF"}};
  int number = 30;
  for (const auto& [refresh, list, name] : pages) {
    SCOPED_TRACE(name);
    if (list == window->listCbj2) window->miSwitchToFtpClick(window->miSwitchToSpecial);
    EXPECT_GT(ShownColourCount(refresh), 1);
    PutTerminalFile(number++, name, name);
    ClickControl(refresh);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Cell(list, name, 1), std::to_string(name.size()));
    EXPECT_TRUE(showsWholeColumns(list));
  }
}

TEST_F(TFormmainTransfersTest, EmptyTerminalShowsZeroFilesAndNoUsedSpace) {
  terminalFiles({});
  OpenCommPage();
  EXPECT_TRUE(Captions(window->listCbj).empty());
  EXPECT_EQ(label(window->lblFileNum), "0个");
  EXPECT_EQ(std::stoi(label(window->lblLeftSize)), 8192 - std::stoi(label(window->lblSysSize)));
}

TEST_F(TFormmainTransfersTest, BlockSizeZeroCountsBlocksOf16320Bytes) {
  terminalFiles({{1, "EMPTY", 0}, {2, "ONE", 16320}, {3, "TWO", 16321}});
  SetTerminalValue("System", "BlockSize", "0");
  OpenCommPage();
  EXPECT_EQ(std::stoi(label(window->lblLeftSize)), 8192 - 3 * 16 - std::stoi(label(window->lblSysSize)));
}

TEST_F(TFormmainTransfersTest, TinyCapacityShowsZeroKAndNegativeFiguresAsTheyAre) {
  SetTerminalValue("System", "Capacity", "1023");
  OpenCommPage();
  EXPECT_EQ(label(window->lblTotalSize), "0K");
  EXPECT_EQ(label(window->lblLeftSize).front(), '-');
}

TEST_F(TFormmainTransfersTest, ThirtyTwoCharacterNamesAndRecordDates) {
  terminalFiles({});
  PutTerminalFile(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "x", false, LocalTime(2009, 1, 5, 8, 7));
  OpenCommPage();
  EXPECT_EQ(Captions(window->listCbj), std::vector<std::string>{"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"});
  EXPECT_EQ(Cell(window->listCbj, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 2), "09-01-05 08:07");
}

TEST_F(TFormmainTransfersTest, ComPortIsNamedInTheStatus) {
  terminal.Settings("[Port]\nPort=COM3\n");
  OpenCommPage(noConversion);
  EXPECT_EQ(Status(), "手持机连接在COM3口！");
}

TEST_F(TFormmainTransfersTest, ListingSetsTheTerminalsClockToThePcs) {
  SetTerminalValue("Clock", "Offset", "-864000");
  OpenCommPage();
  TIniFile ini((terminal.Folder() / "terminal.ini").string());
  EXPECT_LE(std::abs(ini.ReadInteger("Clock", "Offset", -864000)), 2);
}

TEST_F(TFormmainTransfersTest, MoreFilesThanTheListHoldsShowsWhatCameAndSaysItIsIncomplete) {
  terminalFiles({});
  for (int i = 1; i <= 3940; ++i) PutTerminalFile(i, "F" + std::to_string(i), "");
  OpenCommPage();
  EXPECT_EQ(window->listCbj->Items()->Count(), 3938);
  EXPECT_EQ(label(window->lblFileNum), "3938个");
  EXPECT_EQ(Status().rfind("上传文件列表出错：", 0), 0u);
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainTransfersTest, TypeThatCannotBeReadReportsACommunicationFailure) {
  terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=102\n");
  OpenCommPage();
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(ShownTexts()[0], "读机器类型失败：通讯超时");
  EXPECT_TRUE(Captions(window->listCbj).empty());
  EXPECT_EQ(label(window->lblTotalSize), "未知");
  EXPECT_EQ(Status(), "与手持机通讯失败！");
}

TEST_F(TFormmainTransfersTest, CapacityOrSpaceThatCannotBeReadReportsTheCapacityText) {
  OpenCommPage();
  for (int call : {2, 3}) {
    hook.Clear();
    terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=103\nWhen=Once\nCall=" + std::to_string(call) + "\n");
    run([&] { window->miRefreshMachClick(nullptr); });
    ASSERT_EQ(ShownTexts().size(), 1u) << call;
    EXPECT_EQ(ShownTexts()[0], "读机器容量失败：通讯中断") << call;
    EXPECT_TRUE(Captions(window->listCbj).empty());
    EXPECT_EQ(Status(), "与手持机通讯失败！");
    terminal.Settings("");
  }
}

TEST_F(TFormmainTransfersTest, ListThatCannotBeReadLeavesTheViewsEmptyAndTheConnectionShown) {
  OpenCommPage();
  terminal.Settings("[Fault.vxGetNormalFileList]\nResult=16\n");
  run([&] { window->miRefreshMachClick(nullptr); });
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(ShownTexts()[0].rfind("上传文件列表出错：", 0), 0u);
  EXPECT_TRUE(Captions(window->listCbj).empty());
  EXPECT_EQ(label(window->lblFileNum), "0个");
  EXPECT_EQ(Status(), "手持机连接在USB口！");
}

TEST_F(TFormmainTransfersTest, LostLinkAtRefreshFindsNoTerminal) {
  OpenCommPage();
  terminal.Settings("[Link]\nLost=1\n");
  window->miRefreshMachClick(nullptr);
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(ShownTexts()[0], "未连接上手持机或手持机未进入通讯状态！");
  EXPECT_EQ(window->Busy(), 0);
  EXPECT_EQ(Status(), "与手持机通讯失败！");
}

TEST_F(TFormmainTransfersTest, ArrowsWithNothingSelectedDoNothingAtAll) {
  OpenCommPage();
  TestInput::ClickControl(window->sbtnLeft);
  TestInput::ClickControl(window->sbtnRight);
  EXPECT_EQ(window->Busy(), 0);
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainTransfersTest, RoundTripKeepsEveryByte) {
  const std::string gbkName = Utf8ToAnsi("抄表数据.txt");
  const std::vector<std::pair<std::string, std::string>> files = {
      {"text.txt", "户号,户名\r\n0100101,张国强\r\n"},
      {"binary.bin", randomBytes(70000)},
      {"empty.dat", ""},
      {"big.dbf", randomBytes(2 * 1024 * 1024)},
      {AnsiToUtf8(gbkName), "gbk name"}};
  SetTerminalValue("System", "Capacity", std::to_string(16 * 1024 * 1024));
  for (const auto& [name, bytes] : files) WritePcFile(name, bytes);
  OpenCommPage("ConvertType=6\n");
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.first);
  download(names);
  ASSERT_EQ(Captions(window->listCbj).size(), 8u);
  EXPECT_EQ(Status(), "下装文件全部成功！");
  for (const auto& [name, bytes] : files) EXPECT_EQ(ReadTerminalFile(name), bytes) << name;

  fs::create_directory(terminal.Pc() / "back");
  window->edtpath->SetText((terminal.Pc() / "back").string());
  upload(names);
  for (const auto& [name, bytes] : files) EXPECT_EQ(ReadPcFile("back/" + name), bytes) << name;
  EXPECT_EQ(Captions(window->listCpu).size(), files.size());
}

TEST_F(TFormmainTransfersTest, DownloadSendsEveryOneOfALargeSelection) {
  terminalFiles({});
  SetTerminalValue("System", "Capacity", std::to_string(16 * 1024 * 1024));
  std::vector<std::string> names;
  for (int i = 0; i < 600; ++i) {
    names.push_back("f" + std::to_string(i) + ".txt");
    WritePcFile(names.back(), std::to_string(i));
  }
  OpenCommPage("ConvertType=6\n");
  download(names);
  EXPECT_EQ(TerminalNames().size(), 600u);
}

TEST_F(TFormmainTransfersTest, DownloadAndUploadSayWhetherAllFilesWent) {
  WritePcFile("a.txt", "a");
  WritePcFile("b.txt", "b");
  OpenCommPage(noConversion);
  {
    // The listing after the transfer fails at once, so its status cannot hide the summary.
    TStatusRecorder recorder(nullptr);
    terminal.Settings("[Fault.vxDownloadFile]\nResult=5\nWhen=Once\nCall=1\n[Fault.vxGetMachSysInfo]\nResult=102\n");
    download({"a.txt", "b.txt"});
    terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=102\n");
    download({"a.txt", "b.txt"});
    EXPECT_EQ(recorder.Statuses, (std::vector<std::string>{"下装文件部分失败！", "下装文件全部成功！"}));
  }
  terminal.Settings("");
  run([&] { window->miRefreshMachClick(nullptr); });
  {
    TStatusRecorder recorder(nullptr);
    terminal.Settings("[Fault.vxUploadFile]\nResult=7\nWhen=Once\nCall=2\n[Fault.vxGetMachSysInfo]\nResult=102\n");
    upload({"a.txt", "b.txt"});
    EXPECT_EQ(recorder.Statuses, std::vector<std::string>{"上装文件部分失败！"});
  }
  EXPECT_EQ(ReadTerminalFile("b.txt"), "b");

  // The listing that follows a transfer leaves its summary on the status line: a file the
  // terminal had no room for, a file the PC's disk could not take.
  hook.Clear();
  terminal.Settings("[Fault.vxDownloadFile]\nResult=5\nWhen=Once\nCall=1\n");
  download({"a.txt", "b.txt"});
  EXPECT_EQ(Status(), "下装文件部分失败！");
  terminal.Settings("[Fault.vxUploadFile]\nResult=7\nWhen=Once\nCall=1\n");
  upload({"a.txt", "b.txt"});
  EXPECT_EQ(Status(), "上装文件部分失败！");
  EXPECT_TRUE(hook.Shown().empty());
  terminal.Settings("");
  download({"a.txt"});
  EXPECT_EQ(Status(), "下装文件全部成功！");
}

TEST_F(TFormmainTransfersTest, GoOnFlagEndsTheLoopOnComButNotOnUsb) {
  WritePcFile("a.txt", "a");
  WritePcFile("b.txt", "b");
  terminal.Settings("[Port]\nPort=COM3\n");
  OpenCommPage(noConversion);
  terminal.Settings("[Port]\nPort=COM3\n[Fault.vxDownloadFile]\nResult=5\nWhen=Once\nCall=1\nGoOn=0\n");
  download({"a.txt", "b.txt"});
  EXPECT_EQ(ReadTerminalFile("b.txt"), "");  // skipped after the library said stop

  // A fault of its own: the injector counts the calls afresh only for a fault it has not seen.
  terminal.Settings("[Fault.vxDownloadFile]\nResult=6\nWhen=Once\nCall=1\nGoOn=0\n");
  run([&] { window->miRefreshMachClick(nullptr); });
  download({"a.txt", "b.txt"});
  EXPECT_EQ(ReadTerminalFile("a.txt"), "");   // the fault was met ...
  EXPECT_EQ(ReadTerminalFile("b.txt"), "b");  // ... and on USB every file is tried
}

TEST_F(TFormmainTransfersTest, UploadEndsWithBothListsReadAgain) {
  OpenCommPage(noConversion);
  upload({"KHDA.DBF"});
  EXPECT_TRUE(PcFileExists("KHDA.DBF"));
  EXPECT_EQ(Captions(window->listCpu), std::vector<std::string>{"KHDA.DBF"});
  EXPECT_EQ(Status(), "上装文件全部成功！");
}

TEST_F(TFormmainTransfersTest, UploadWithDeleteRemovesTheTerminalsFileOnlyAfterItArrived) {
  WritePcFile("CBSJ.DBF", "older PC copy");
  OpenCommPage();
  window->chkCompleteDelFile->SetChecked(true);
  // The list's order is KHDA.DBF, CBSJ.DBF: the second upload fails.
  terminal.Settings("[Fault.vxUploadFile]\nResult=7\nWhen=Once\nCall=2\n");
  const std::string original = ReadTerminalFile("CBSJ.DBF");
  // The PC file and its name in the folder are on the disk before the terminal's copy goes, so
  // that a power cut cannot lose both.
  TSyncRecorder syncs([&] { return !ReadTerminalFile("KHDA.DBF").empty(); });
  upload({"CBSJ.DBF", "KHDA.DBF"});
  EXPECT_TRUE(syncs.SyncedWhile(terminal.Pc() / "KHDA.DBF"));
  EXPECT_TRUE(syncs.SyncedWhile(terminal.Pc()));
  EXPECT_EQ(ReadPcFile("CBSJ.DBF"), "older PC copy");  // the failed file left the PC copy alone
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), original);   // ... and the terminal's
  EXPECT_TRUE(PcFileExists("KHDA.DBF"));
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF"}));
  EXPECT_EQ(Captions(window->listCbj), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF"}));
}

TEST_F(TFormmainTransfersTest, UploadNeverLeavesAHalfWrittenFileUnderTheTargetName) {
  SetTerminalValue("System", "Capacity", std::to_string(16 * 1024 * 1024));
  PutTerminalFile(20, "BIG.DAT", randomBytes(4 * 1024 * 1024));
  WritePcFile("BIG.DAT", "kept");
  OpenCommPage();
  terminal.Settings("[Link]\nLost=1\n");
  upload({"BIG.DAT"});
  EXPECT_EQ(ReadPcFile("BIG.DAT"), "kept");
  EXPECT_EQ(Captions(window->listCpu), std::vector<std::string>{"BIG.DAT"});
}

TEST_F(TFormmainTransfersTest, EveryCallFailingOnceLeavesTheWindowWorking) {
  WritePcFile("a.txt", "a");
  OpenCommPage();
  for (const char* function : {"vxGetMachSysInfo", "vxGetNormalFileList", "vxSetDateTime", "vxDownloadFile",
                               "vxUploadFile", "vxCompleteDelFile", "vxGetErrMsg", "vxSetProgress"}) {
    for (const char* when : {"Once", "From"}) {
      for (const char* goOn : {"0", "1"}) {
        terminal.Settings(std::string("[Fault.") + function + "]\nResult=102\nWhen=" + when + "\nCall=2\nGoOn=" +
                          goOn + "\n");
        hook.Clear();
        window->chkCompleteDelFile->SetChecked(true);
        download({"a.txt"});
        upload({"a.txt"});
        run([&] { window->miRefreshMachClick(nullptr); });
        EXPECT_EQ(window->Busy(), 0) << function;
        EXPECT_EQ(ReadPcFile("a.txt"), "a") << function;
        terminal.Settings("");
        run([&] { window->miRefreshMachClick(nullptr); });
        EXPECT_EQ(label(window->lblMachType) == "未知", false) << function;
      }
    }
  }
}

TEST_F(TFormmainTransfersTest, WorkerOutlivingTheWindowNeverTouchesIt) {
  SetTerminalValue("System", "Capacity", std::to_string(16 * 1024 * 1024));
  PutTerminalFile(20, "SLOW.DAT", std::string(200000, 's'));
  OpenCommPage();
  terminal.Settings("[Transfer]\nRate=400000\n");
  Select(window->listCbj, {"SLOW.DAT"});
  window->sbtnRightClick(nullptr);
  std::shared_ptr<TWorkerLink> link = window->WorkerLink();
  // The file is on its way (its progress is shown) when the window goes.
  ASSERT_TRUE(WaitUntil([&] { return window->barComm->Position() > 0; }));
  delete window;
  window = nullptr;
  Formmain = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return link->Busy() == 0; }, 10000));
  EXPECT_EQ(ReadPcFile("SLOW.DAT"), std::string(200000, 's'));
}

TEST_F(TFormmainTransfersTest, TerminateRequestEndsTheRoutineBetweenFiles) {
  terminalFiles({{20, "ONE.DAT", 100000}, {21, "TWO.DAT", 100000}, {22, "THREE.DAT", 100000}});
  OpenCommPage();
  terminal.Settings("[Transfer]\nRate=500000\n");
  Select(window->listCbj, {"ONE.DAT", "TWO.DAT", "THREE.DAT"});
  window->sbtnRightClick(nullptr);
  ASSERT_TRUE(WaitUntil([&] { return window->barComm->Position() > 0; }));
  EXPECT_TRUE(window->WorkerLink()->TerminateRunning());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(PcFileExists("ONE.DAT"));  // the call under way ends as it would
  EXPECT_FALSE(PcFileExists("THREE.DAT"));
}
