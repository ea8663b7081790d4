// The FTP panel against real FTP servers (pyftpdlib on 127.0.0.1) and a simulated terminal:
// connecting and every way it fails, browsing, the list's sort, deleting on the server, and the
// relay both ways with its faults: a name the server should not give, a vanished file, a server
// that drops the connection, a cancel half-way, a failed conversion.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Dialogs.h"
#include "FtpTestServer.h"
#include "Graphics.h"
#include "TBitBtn.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TFilePagesFixture.h"
#include "TIdFTP.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TPanel.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TStrings.h"
#include "StringRoutines.h"
#include "TestInput.h"
#include "uConstStrings.h"
#include "uListViews.h"
#include "uMain.h"

namespace fs = std::filesystem;
using TestInput::ChooseMenuItem;
using TestInput::ClickControl;
using TestInput::WaitUntil;

namespace {

std::vector<std::string> sorted(std::vector<std::string> Names) {
  std::sort(Names.begin(), Names.end());
  return Names;
}

std::string randomBytes(std::size_t Size) {
  std::mt19937 random(11);
  std::string bytes(Size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class TFormmainFtpTest : public TFilePagesFixture {
protected:
  TFormmainFtpTest() : server(TFtpTestServer::Instance()) {}

  // The comm page in FTP mode, its panel set to server Kind and a folder of the test's own
  // (holding Files, name -> bytes; a name ending in "/" is a folder), not yet connected.
  void openFtpPage(const std::string& Kind = "main", const std::map<std::string, std::string>& Files = {},
                   const std::string& Options = "ConvertType=6\n") {
    dir = server.NewFolder("app");
    for (const auto& [name, bytes] : Files) {
      if (name.back() == '/')
        fs::create_directories(server.Local(dir) / name);
      else
        TFtpTestServer::Write(server.Local(dir) / name, bytes);
    }
    WriteSettings("[sysoptions]\nrunmode=0\nDir=" + terminal.Pc().string() + "\n" + Options +
                  "[FTP]\nServer=127.0.0.1\nUserName=meter\nPassword=secret\nPort=" +
                  std::to_string(server.Port(Kind)) + "\nPath=" + dir + "\n");
    CreateWindow();
    ASSERT_TRUE(WaitIdle());
    hook.Clear();
  }
  void connect() {
    window->BitBtnConnectClick(nullptr);
    ASSERT_TRUE(window->IdFTP1->Connected()) << (hook.Shown().empty() ? "" : AnsiToUtf8(hook.Shown().back().Text));
  }
  // Starts a relay through its button with these rows (or terminal files) selected, and waits.
  void fetch(const std::vector<std::string>& Names) {
    Select(window->ListView1, Names);
    window->sbtnLeftClick(nullptr);
    ASSERT_TRUE(WaitIdle());
  }
  void store(const std::vector<std::string>& Names) {
    Select(window->listCbj, Names);
    window->sbtnRightClick(nullptr);
    ASSERT_TRUE(WaitIdle());
  }
  std::string serverFile(const std::string& Name) const { return TFtpTestServer::Read(server.Local(dir) / Name); }
  bool onServer(const std::string& Name) const { return fs::exists(server.Local(dir) / Name); }
  int image(const std::string& Caption) const {
    for (int i = 0; i < window->ListView1->Items()->Count(); ++i)
      if (AnsiToUtf8(window->ListView1->Items()->Item(i)->Caption()) == Caption)
        return window->ListView1->Items()->Item(i)->ImageIndex();
    return -2;
  }
  void clickColumn(int Column) { window->ListView1ColumnClick(nullptr, window->ListView1->Column(Column)); }
  // No relay folder of the program's is left in the temporary folder.
  static int relayFolders() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
      count += entry.path().filename().string().rfind("hhm-ftp-", 0) == 0 ? 1 : 0;
    return count;
  }

  TFtpTestServer& server;
  std::string dir;
};

const std::string Connecting = "连接ftp服务器错误";
const std::string DownloadFailed = "从FTP下载文件出错";
const std::string UploadFailed = "上传到FTP出错";

}  // namespace

// --- connecting -------------------------------------------------------------------------------

TEST_F(TFormmainFtpTest, ConnectListsTheRememberedFolderAndDisconnectAsksFirst) {
  openFtpPage("main", {{"CBSJ.DBF", std::string(1234, 'x')}, {"data/", ""}});
  EXPECT_EQ(window->ListView1->Color(), clInfoBk);
  connect();
  EXPECT_EQ(AnsiToUtf8(window->BitBtnConnect->Caption()), "断开");
  EXPECT_EQ(window->ListView1->Color(), clWindow);
  EXPECT_EQ(window->comboPath->Text(), dir);
  EXPECT_EQ(Captions(window->ListView1).size(), 2u);
  EXPECT_EQ(Cell(window->ListView1, "CBSJ.DBF", 1), "1234");
  EXPECT_NE(Cell(window->ListView1, "CBSJ.DBF", 2), "");
  EXPECT_NE(Cell(window->ListView1, "CBSJ.DBF", 3), "");
  EXPECT_EQ(image("data"), 6);
  EXPECT_EQ(image("CBSJ.DBF"), 8);
  // The time and type columns show their texts whole.
  for (int column : {2, 3})
    EXPECT_TRUE(WaitUntil([&] {
      return TestInput::ShownColumnWidth(window->ListView1, column) >=
             TestInput::ColumnContentWidth(window->ListView1, column);
    })) << column;

  hook.AnswerMessage(mrNo);
  window->BitBtnConnectClick(nullptr);
  EXPECT_TRUE(window->IdFTP1->Connected());
  hook.AnswerMessage(mrYes);
  window->BitBtnConnectClick(nullptr);
  EXPECT_FALSE(window->IdFTP1->Connected());
  EXPECT_EQ(AnsiToUtf8(window->BitBtnConnect->Caption()), "连接");
  EXPECT_EQ(AnsiToUtf8(window->pnlBottom->Caption()), "ftp连接断开");
  EXPECT_EQ(window->ListView1->Color(), clInfoBk);
  ASSERT_EQ(hook.Shown().size(), 2u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkMessageDlg);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_FTP_DISCONNECT);
}

TEST_F(TFormmainFtpTest, EmptyHostDoesNothingAtAll) {
  openFtpPage();
  window->EditFtpHost->SetText("");
  window->BitBtnConnectClick(nullptr);
  EXPECT_FALSE(window->IdFTP1->Connected());
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TFormmainFtpTest, EveryFailureToConnectIsShownWithItsReasonAndTheWindowGoesOn) {
  openFtpPage();
  struct TCase {
    std::string Host, Port, Password, Reason;
  };
  const std::vector<TCase> cases = {
      {"127.0.0.1", "abc", "secret", "'abc' is not a valid integer value"},
      {"127.0.0.1", "70000", "secret", "Invalid port number: 70000"},
      {"127.0.0.1", std::to_string(server.Port("main")), "wrong", "530 "},
      {"127.0.0.1", std::to_string(server.Port("refused")), "secret", "onnect"},
      {"no-such-host.invalid", "21", "secret", "resolve"},
      {"127.0.0.1", std::to_string(server.Port("silent")), "secret", "imeout"},
  };
  for (const TCase& c : cases) {
    hook.Clear();
    window->EditFtpHost->SetText(c.Host);
    window->EditFtpPort->SetText(c.Port);
    window->EditFtpPass->SetText(c.Password);
    // Short time-outs for the server that never answers.
    const bool silent = c.Port == std::to_string(server.Port("silent"));
    window->IdFTP1->SetConnectTimeout(silent ? 1000 : 15000);
    window->IdFTP1->SetReadTimeout(silent ? 1000 : 60000);
    window->BitBtnConnectClick(nullptr);
    EXPECT_FALSE(window->IdFTP1->Connected()) << c.Port;
    ASSERT_EQ(ShownMessages().size(), 1u) << c.Port;
    const std::string message = ShownMessages()[0];
    EXPECT_EQ(message.rfind(Connecting, 0), 0u) << message;
    EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
    EXPECT_EQ(AnsiToUtf8(window->lblComm->Caption()), message);
  }
  // The window keeps working: the right settings connect.
  hook.Clear();
  window->EditFtpPort->SetText(std::to_string(server.Port("main")));
  window->EditFtpPass->SetText("secret");
  connect();
}

TEST_F(TFormmainFtpTest, RefreshWithoutAConnectionOffersToConnect) {
  openFtpPage("main", {{"a.txt", "a"}});
  hook.AnswerMessage(mrNo);
  window->MenuItem5Click(nullptr);
  EXPECT_FALSE(window->IdFTP1->Connected());
  EXPECT_TRUE(Captions(window->ListView1).empty());
  hook.AnswerMessage(mrYes);
  window->MenuItem5Click(nullptr);
  EXPECT_TRUE(window->IdFTP1->Connected());
  EXPECT_EQ(Captions(window->ListView1), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(hook.Shown()[0].Text, INFO_FTP_CONNECT);
}

// --- browsing ---------------------------------------------------------------------------------

TEST_F(TFormmainFtpTest, FoldersOpenByDoubleClickAndTheComboLeadsBack) {
  openFtpPage("main", {{"sub/", ""}, {"top.txt", "t"}});
  TFtpTestServer::Write(server.Local(dir) / "sub" / "inner.txt", "i");
  fs::create_directory(server.Local(dir) / "sub" / "empty");
  connect();
  Select(window->ListView1, {"sub"});
  window->ListView1DblClick(nullptr);
  EXPECT_EQ(window->comboPath->Text(), dir + "/sub");
  EXPECT_EQ(sorted(Captions(window->ListView1)), (std::vector<std::string>{"empty", "inner.txt"}));
  // An empty folder shows no rows, not the folder listed before.
  Select(window->ListView1, {"empty"});
  window->ListView1DblClick(nullptr);
  EXPECT_TRUE(Captions(window->ListView1).empty());
  ASSERT_EQ(window->comboPath->Items()->Count(), 3);
  window->comboPath->SetText(dir);
  window->comboPathClick(nullptr);
  EXPECT_EQ(sorted(Captions(window->ListView1)), (std::vector<std::string>{"sub", "top.txt"}));
  EXPECT_EQ(window->comboPath->Items()->Count(), 3);
  // A folder the server refuses raises to the handler's caller, which shows the reply.
  window->comboPath->SetText(dir + "/none");
  EXPECT_THROW(window->comboPathClick(nullptr), EIdFTPError);
  EXPECT_EQ(sorted(Captions(window->ListView1)), (std::vector<std::string>{"sub", "top.txt"}));
}

TEST_F(TFormmainFtpTest, FolderTheServerListsTooSlowlyFailsAfterTheTimeOutAndTheWindowGoesOn) {
  // Some 600 bytes of listing that the server sends a byte at a time: a minute's wait.
  std::map<std::string, std::string> files;
  for (int i = 0; i < 6; ++i) files["METER" + std::to_string(i) + ".DBF"] = "x";
  openFtpPage("dripping", files);
  window->IdFTP1->SetReadTimeout(2000);
  const auto start = std::chrono::steady_clock::now();
  ClickControl(window->BitBtnConnect);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 30.0);
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind(Connecting + "Timeout was reached", 0), 0u) << ShownMessages()[0];
  EXPECT_TRUE(Captions(window->ListView1).empty());
  // The same server's folder at a normal pace lists.
  hook.Clear();
  hook.AnswerMessage(mrYes);
  window->EditFtpPort->SetText(std::to_string(server.Port("main")));
  window->IdFTP1->Disconnect();
  ChooseMenuItem(window->MenuItem5);
  EXPECT_EQ(Captions(window->ListView1).size(), 6u);
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(TFormmainFtpTest, EachColumnSortsAndASecondClickTurnsTheOrder) {
  openFtpPage("list", {{"b.txt", std::string(30, 'b')}, {"A.dbf", std::string(200, 'a')}, {"c.zip", ""}});
  fs::last_write_time(server.Local(dir) / "A.dbf", fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
  fs::last_write_time(server.Local(dir) / "c.zip", fs::file_time_type::clock::now() - std::chrono::hours(24 * 40));
  connect();
  clickColumn(0);
  EXPECT_EQ(Captions(window->ListView1), (std::vector<std::string>{"A.dbf", "b.txt", "c.zip"}));
  EXPECT_EQ(window->ListView1->Column(0)->ImageIndex(), 0);
  clickColumn(1);
  EXPECT_EQ(window->ListView1->Column(0)->ImageIndex(), -1);
  EXPECT_EQ(Captions(window->ListView1), (std::vector<std::string>{"c.zip", "b.txt", "A.dbf"}));
  clickColumn(1);
  EXPECT_EQ(window->ListView1->Column(1)->ImageIndex(), 1);
  EXPECT_EQ(Captions(window->ListView1), (std::vector<std::string>{"A.dbf", "b.txt", "c.zip"}));
  clickColumn(1);
  EXPECT_EQ(window->ListView1->Column(1)->ImageIndex(), 0);
  EXPECT_EQ(Captions(window->ListView1).front(), "c.zip");
  clickColumn(2);
  EXPECT_EQ(Captions(window->ListView1), (std::vector<std::string>{"A.dbf", "c.zip", "b.txt"}));
  clickColumn(3);
  EXPECT_EQ(window->ListView1->Tag(), 3);
  std::vector<std::string> types;
  for (const std::string& caption : Captions(window->ListView1)) types.push_back(Cell(window->ListView1, caption, 3));
  EXPECT_TRUE(std::is_sorted(types.begin(), types.end(), [](const std::string& a, const std::string& b) {
    return CompareText(Utf8ToAnsi(a), Utf8ToAnsi(b)) < 0;
  }));
  // Double clicks still find the entry a row shows, whatever the order.
  Select(window->ListView1, {"b.txt"});
  EXPECT_EQ(window->IdFTP1->DirectoryListing()[ItemNumber(window->ListView1->Selected())].FileName, "b.txt");
}

TEST_F(TFormmainFtpTest, TenThousandEntriesAreListed) {
  openFtpPage();
  for (int i = 0; i < 10000; ++i) TFtpTestServer::Write(server.Local(dir) / ("F" + std::to_string(i) + ".DAT"), "");
  connect();
  EXPECT_EQ(window->ListView1->Items()->Count(), 10000);
}

TEST_F(TFormmainFtpTest, DeleteRemovesTheSelectedFilesOnTheServer) {
  openFtpPage("main", {{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
  connect();
  Select(window->ListView1, {"a.txt", "c.txt"});
  window->MenuItem3Click(nullptr);
  EXPECT_FALSE(onServer("a.txt"));
  EXPECT_TRUE(onServer("b.txt"));
  EXPECT_FALSE(onServer("c.txt"));
  EXPECT_EQ(Captions(window->ListView1), std::vector<std::string>{"b.txt"});
  EXPECT_TRUE(hook.Shown().empty());
}

// --- server to terminal (mode 18) -------------------------------------------------------------

TEST_F(TFormmainFtpTest, FetchSendsTheSelectedFilesToTheTerminalAndLeavesNothingOnThePc) {
  const std::string bytes = randomBytes(300000);
  openFtpPage("main", {{"CBJ2.ROM", bytes}, {"抄表.txt", "text"}, {"skip.txt", "s"}});
  // A file of the user's in the PC folder with a name the server also has stays as it is.
  WritePcFile("CBJ2.ROM", "the user's own");
  const int relaysBefore = relayFolders();
  connect();
  fetch({"CBJ2.ROM", "抄表.txt"});
  EXPECT_EQ(ReadTerminalFile("CBJ2.ROM"), bytes);
  EXPECT_EQ(ReadTerminalFile("抄表.txt"), "text");
  EXPECT_EQ(ReadTerminalFile("skip.txt"), "");
  EXPECT_EQ(ReadPcFile("CBJ2.ROM"), "the user's own");
  EXPECT_FALSE(fs::exists(fs::path(AppDir) / "CBJ2.ROM"));
  EXPECT_EQ(relayFolders(), relaysBefore);
  EXPECT_TRUE(ShownMessages().empty());
  // The listing that follows shows the new files; the summary comes before it.
  EXPECT_NE(Cell(window->listCbj, "CBJ2.ROM", 0), "");
  EXPECT_FALSE(window->ProgressBar1->Visible());
  EXPECT_FALSE(window->FtpTransferring());
  EXPECT_EQ(window->IdFTP1->Tag(), NoFetchTag);
}

TEST_F(TFormmainFtpTest, NamesThatWouldLeaveTheFetchFolderAreNotFetchedAndTheUserIsTold) {
  // Refused one after the other, faster than the window shows their messages.
  const std::vector<std::string> refused = {"a\\b.txt", "x..y", "c\\d", "e\\f", "g..h", "i\\j", "k..l", "m\\n", "o..p"};
  std::map<std::string, std::string> files = {{"ok.txt", "ok"}};
  for (const std::string& name : refused) files[name] = "x";
  openFtpPage("main", files);
  connect();
  std::vector<std::string> selected = refused;
  selected.push_back("ok.txt");
  fetch(selected);
  EXPECT_EQ(ReadTerminalFile("ok.txt"), "ok");
  EXPECT_EQ(TerminalNames().size(), 4u);
  const auto shown = ShownMessages();
  ASSERT_EQ(shown.size(), refused.size());
  // Each message names its own file.
  std::vector<std::string> named;
  for (const std::string& message : shown) {
    EXPECT_EQ(message.rfind(DownloadFailed, 0), 0u) << message;
    EXPECT_NE(message.find("cannot name a local file"), std::string::npos) << message;
    for (const std::string& name : refused)
      if (message.find("\"" + name + "\"") != std::string::npos) named.push_back(name);
  }
  EXPECT_EQ(sorted(named), sorted(refused));
  EXPECT_EQ(Status(), "下装文件部分失败！");
}

TEST_F(TFormmainFtpTest, FileThatVanishedAfterTheListingFailsWithTheServersReply) {
  openFtpPage("main", {{"gone.txt", "g"}, {"here.txt", "h"}});
  connect();
  fs::remove(server.Local(dir) / "gone.txt");
  Select(window->ListView1, {"gone.txt", "here.txt"});
  window->sbtnLeftClick(nullptr);
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind(DownloadFailed + "550 ", 0), 0u) << ShownMessages()[0];
  EXPECT_EQ(ReadTerminalFile("here.txt"), "h");
  EXPECT_EQ(ReadTerminalFile("gone.txt"), "");
  EXPECT_TRUE(window->IdFTP1->Connected());
}

TEST_F(TFormmainFtpTest, ServerDroppingAFetchLeavesNothingOnTheTerminalAndEndsTheRun) {
  openFtpPage("faulty", {{"big.bin", randomBytes(1024 * 1024)}, {"next.txt", "n"}});
  const int relaysBefore = relayFolders();
  connect();
  clickColumn(0);  // big.bin goes first
  fetch({"big.bin", "next.txt"});
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind(DownloadFailed, 0), 0u);
  EXPECT_EQ(ReadTerminalFile("big.bin"), "");
  EXPECT_EQ(ReadTerminalFile("next.txt"), "");
  EXPECT_EQ(relayFolders(), relaysBefore);
  EXPECT_TRUE(WaitUntil([&] { return AnsiToUtf8(window->BitBtnConnect->Caption()) == "连接"; }));
  EXPECT_FALSE(window->IdFTP1->Connected());
}

TEST_F(TFormmainFtpTest, CancelDuringAFetchDeletesThePartlyFetchedFile) {
  openFtpPage("slow", {{"big.bin", randomBytes(8 * 1024 * 1024)}, {"next.txt", "n"}});
  connect();
  clickColumn(0);  // big.bin goes first
  Select(window->ListView1, {"big.bin", "next.txt"});
  window->sbtnLeftClick(nullptr);
  ASSERT_TRUE(WaitUntil([&] { return window->FtpTransferring() && window->ProgressBar1->Position() > 0; }, 20000));
  EXPECT_TRUE(window->ProgressBar1->Visible());
  EXPECT_EQ(window->ProgressBar1->Max(), 8 * 1024 * 1024);
  EXPECT_EQ(AnsiToUtf8(window->lblComm->Caption()).rfind("FTP传输：", 0), 0u);
  const std::string relay = window->FtpRelayFolder();
  ASSERT_FALSE(relay.empty());
  EXPECT_TRUE(fs::exists(fs::path(relay) / "big.bin"));
  hook.AnswerMessage(mrYes);
  window->N3Click(nullptr);
  EXPECT_FALSE(fs::exists(fs::path(relay) / "big.bin"));
  EXPECT_EQ(AnsiToUtf8(window->lblComm->Caption()), "下载取消");
  ASSERT_TRUE(WaitIdle());
  EXPECT_FALSE(fs::exists(relay));
  EXPECT_EQ(ReadTerminalFile("big.bin"), "");
  EXPECT_EQ(ReadTerminalFile("next.txt"), "");
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0], DownloadFailed + "The connection was closed.");
  EXPECT_FALSE(window->ProgressBar1->Visible());
  EXPECT_FALSE(window->FtpTransferring());
}

TEST_F(TFormmainFtpTest, CancelAnsweredNoOrWithoutATransferDoesNothing) {
  openFtpPage("main", {{"a.txt", "a"}});
  connect();
  window->N3Click(nullptr);
  EXPECT_TRUE(hook.Shown().empty());
  window->SetFtpTransferring(true);
  hook.AnswerMessage(mrNo);
  window->N3Click(nullptr);
  window->SetFtpTransferring(false);
  EXPECT_TRUE(window->IdFTP1->Connected());
}

TEST_F(TFormmainFtpTest, FetchConvertsOnlyFilesOfThePagesType) {
  openFtpPage("main", {{"keep.csv", "x"}}, "ConvertType=1\n");
  // A text file as the conversion service itself writes one.
  const std::string text = TableAsText();
  if (text.empty()) GTEST_SKIP() << "the conversion service converts no tables in this build";
  TFtpTestServer::Write(server.Local(dir) / "in.txt", text);
  connect();
  fetch({"in.txt", "keep.csv"});
  EXPECT_NE(ReadTerminalFile("in.dbf"), "");
  EXPECT_EQ(ReadTerminalFile("in.txt"), "");
  EXPECT_EQ(ReadTerminalFile("keep.csv"), "x");
}

TEST_F(TFormmainFtpTest, FetchWithAllSendsATableAsItIsOverTheTerminalsAndConvertsTheRest) {
  const std::string table = ReadTerminalFile("KHDA.DBF");
  openFtpPage("main", {{"CBSJ.DBF", table}}, "ConvertType=0\n");
  if (!ConvertsTables()) GTEST_SKIP() << "the conversion service converts no tables in this build";
  // Another table, as text in the default text format.
  TFtpTestServer::Write(server.Local(dir) / "Cbsj.Txt", "QQ,RR\r\n\"a\",7\r\n");
  connect();
  fetch({"CBSJ.DBF"});
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), table);
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  EXPECT_EQ(Status(), "下装文件全部成功！");
  // Converted, the text is sent as Cbsj.dbf, which is the terminal's CBSJ.DBF.
  fetch({"Cbsj.Txt"});
  const std::string converted = ReadTerminalFile("CBSJ.DBF");
  EXPECT_EQ(converted.substr(0, 1), "\x03");
  EXPECT_NE(converted.find("QQ"), std::string::npos);
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  EXPECT_TRUE(ShownMessages().empty());
}

// --- terminal to server (mode 17) -------------------------------------------------------------

TEST_F(TFormmainFtpTest, StoreSendsTerminalFilesToTheServerFolderAndDeletesThemWhenAsked) {
  openFtpPage("main", {}, "ConvertType=6\n[uploadfile]\nCompleteDelFile=1\n");
  // A file of the user's named like a terminal file stays as it is.
  WritePcFile("CBJ.EXE", "the user's own");
  const int relaysBefore = relayFolders();
  connect();
  const std::string exe = ReadTerminalFile("CBJ.EXE");
  const std::string table = ReadTerminalFile("KHDA.DBF");
  store({"CBJ.EXE", "KHDA.DBF"});
  EXPECT_EQ(serverFile("CBJ.EXE"), exe);
  EXPECT_EQ(serverFile("KHDA.DBF"), table);
  EXPECT_EQ(TerminalNames(), std::vector<std::string>{"CBSJ.DBF"});
  EXPECT_EQ(ReadPcFile("CBJ.EXE"), "the user's own");
  EXPECT_FALSE(PcFileExists("KHDA.DBF"));
  EXPECT_EQ(relayFolders(), relaysBefore);
  EXPECT_TRUE(ShownMessages().empty());
  // The server's listing is read again at the end.
  EXPECT_EQ(sorted(Captions(window->ListView1)), (std::vector<std::string>{"CBJ.EXE", "KHDA.DBF"}));
}

TEST_F(TFormmainFtpTest, FailedStoreNeverDeletesTheTerminalsFile) {
  PutTerminalFile(30, "BIG.DAT", randomBytes(512 * 1024));
  openFtpPage("faulty", {}, "ConvertType=6\n[uploadfile]\nCompleteDelFile=1\n");
  connect();
  hook.AnswerMessage(mrNo);  // the offer to connect again at the end
  // CBJ.EXE comes first in the terminal's list: it is stored and deleted; BIG.DAT fails half-way
  // and stays on the terminal.
  store({"CBJ.EXE", "BIG.DAT"});
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind(UploadFailed, 0), 0u) << ShownMessages()[0];
  EXPECT_TRUE(onServer("CBJ.EXE"));
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"BIG.DAT", "CBSJ.DBF", "KHDA.DBF"}));
  EXPECT_EQ(Status(), "上装文件部分失败！");
}

TEST_F(TFormmainFtpTest, FailedConversionEndsTheStoreAtOnce) {
  // No dBASE table at all: no conversion service can read it. The file after it is not stored.
  PutTerminalFile(30, "BAD.DBF", "not a table");
  PutTerminalFile(31, "AFTER.TXT", "after");
  openFtpPage("main", {}, "ConvertType=1\n[uploadfile]\nCompleteDelFile=1\n");
  connect();
  store({"BAD.DBF", "AFTER.TXT"});
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind("Convert File Type Error:", 0), 0u);
  EXPECT_FALSE(onServer("BAD.DBF"));
  EXPECT_FALSE(onServer("BAD.txt"));
  EXPECT_FALSE(onServer("AFTER.TXT"));
  EXPECT_EQ(TerminalNames().size(), 5u);
}

TEST_F(TFormmainFtpTest, StoreWithAllStoresFiveFilesPerTable) {
  openFtpPage("main", {}, "ConvertType=0\n");
  if (!ConvertsTableInto(0)) GTEST_SKIP() << "the conversion service does not convert into all five types here";
  connect();
  store({"KHDA.DBF"});
  for (const char* name : {"KHDA.txt", "KHDA.csv", "KHDA.mdb", "KHDA.xls", "KHDA.xml"}) EXPECT_TRUE(onServer(name)) << name;
  EXPECT_FALSE(onServer("KHDA.DBF"));
  EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(TFormmainFtpTest, StoreWithAllNeverStoresAConvertedFileOverOneItStored) {
  const std::string notes = "the meter reader's own notes\r\n";
  PutTerminalFile(30, "NOTES.txt", notes);
  PutTerminalFile(31, "NOTES.DBF", ReadTerminalFile("KHDA.DBF"));
  openFtpPage("main", {}, "ConvertType=0\n[uploadfile]\nCompleteDelFile=1\n");
  if (!ConvertsTableInto(0)) GTEST_SKIP() << "the conversion service does not convert into all five types here";
  connect();
  store({"NOTES.txt", "NOTES.DBF"});
  EXPECT_EQ(serverFile("NOTES.txt"), notes);
  for (const char* name : {"NOTES.csv", "NOTES.mdb", "NOTES.xls", "NOTES.xml"}) EXPECT_TRUE(onServer(name)) << name;
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0], "Convert File Type Error:NOTES.DBF: 文件已经存在：NOTES.txt");
  // The table is not on the server whole, so the terminal keeps it.
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF", "NOTES.DBF"}));
  EXPECT_EQ(Status(), "上装文件部分失败！");
}
