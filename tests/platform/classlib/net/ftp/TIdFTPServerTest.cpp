// The FTP client component against real FTP servers (pyftpdlib on 127.0.0.1): logging in,
// folders and listings in both forms, names in UTF-8 and GBK, transfers both ways with their
// events, and every way a server can fail a client: refusing, not answering, vanishing files,
// dropping the connection half-way.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "ClasslibCore.h"
#include "DateRoutines.h"
#include "CodePage.h"
#include "FtpTestServer.h"
#include "TIdFTP.h"
#include "TThread.h"
#include "TUnitList.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string randomBytes(std::size_t Size, unsigned Seed = 1) {
  std::mt19937 random(Seed);
  std::string bytes(Size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class TIdFTPServerTest : public ::testing::Test {
protected:
  TIdFTPServerTest() : units({ClasslibCoreUnit}), server(TFtpTestServer::Instance()) {
    units.Initialize();
    std::string pattern = (fs::temp_directory_path() / "hhm-ftp-local-XXXXXX").string();
    local = ::mkdtemp(pattern.data());
    ftp.SetHost("127.0.0.1");
    ftp.SetUsername(TFtpTestServer::User);
    ftp.SetPassword(TFtpTestServer::Password);
    ftp.OnConnected = [this](TObject*) { ++connected; };
    ftp.OnDisconnected = [this](TObject*) { ++disconnected; };
    ftp.OnWorkBegin = [this](TObject*, TWorkMode, std::int64_t Max) {
      events += "B";
      workMax = Max;
      EXPECT_TRUE(IsMainThread());
    };
    ftp.OnWork = [this](TObject*, TWorkMode, std::int64_t Count) {
      EXPECT_GE(Count, workCount);
      workCount = Count;
      if (events.empty() || events.back() != 'W') events += "W";
    };
    ftp.OnWorkEnd = [this](TObject*, TWorkMode) { events += "E"; };
  }
  ~TIdFTPServerTest() override {
    ftp.Disconnect();
    drain();
    units.Finalize();
    std::error_code ec;
    fs::remove_all(local, ec);
  }

  // Connects to server Kind, in a folder of the test's own.
  void open(const std::string& Kind, const std::string& Folder = "t") {
    ftp.SetPort(server.Port(Kind));
    ftp.Connect();
    dir = server.NewFolder(Folder);
    ftp.ChangeDir(dir);
  }
  // Runs what other threads handed to the main thread.
  void drain() {
    while (CheckSynchronize(0)) {
    }
  }
  // Waits for a condition, running the main thread's queue meanwhile.
  bool waitFor(const std::function<bool()>& Done, std::chrono::milliseconds Limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + Limit;
    while (!Done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      CheckSynchronize(20);
    }
    return true;
  }
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const TIdFTPListItem& item : ftp.DirectoryListing()) result.push_back(item.FileName);
    std::sort(result.begin(), result.end());
    return result;
  }
  const TIdFTPListItem* item(const std::string& Name) const {
    for (const TIdFTPListItem& item : ftp.DirectoryListing())
      if (item.FileName == Name) return &item;
    return nullptr;
  }
  // The message of the EIdFTPError a call raises ("" when it raises none).
  template <class F>
  static std::string failure(F&& Call) {
    try {
      Call();
    } catch (const EIdFTPError& e) {
      return e.Message();
    }
    return {};
  }

  TUnitList units;
  TFtpTestServer& server;
  TIdFTP ftp{nullptr};
  fs::path local;
  std::string dir;
  int connected = 0;
  int disconnected = 0;
  std::string events;
  std::int64_t workMax = -1;
  std::int64_t workCount = 0;
};

// --- logging in -------------------------------------------------------------------------------

TEST_F(TIdFTPServerTest, ConnectLogsInAtTheLoginFolderAndDisconnectEndsIt) {
  ftp.SetPort(server.Port("main"));
  ftp.Connect();
  EXPECT_TRUE(ftp.Connected());
  EXPECT_EQ(connected, 1);
  EXPECT_EQ(ftp.RetrieveCurrentDir(), "/");
  ftp.Disconnect();
  EXPECT_FALSE(ftp.Connected());
  EXPECT_EQ(disconnected, 1);
  ftp.Disconnect();
  EXPECT_EQ(disconnected, 1);
}

TEST_F(TIdFTPServerTest, ConnectingAgainEndsTheOpenConnectionFirst) {
  ftp.SetPort(server.Port("main"));
  ftp.Connect();
  ftp.Connect();
  EXPECT_EQ(connected, 2);
  EXPECT_EQ(disconnected, 1);
  EXPECT_TRUE(ftp.Connected());
}

TEST_F(TIdFTPServerTest, WrongPasswordIsRefusedWithTheServersReply) {
  ftp.SetPort(server.Port("main"));
  ftp.SetPassword("wrong");
  const std::string message = failure([&] { ftp.Connect(); });
  EXPECT_EQ(message.rfind("530 ", 0), 0u) << message;
  EXPECT_FALSE(ftp.Connected());
  EXPECT_EQ(connected, 0);
  EXPECT_EQ(disconnected, 0);
}

TEST_F(TIdFTPServerTest, RefusedPortSaysSo) {
  ftp.SetPort(server.Port("refused"));
  const std::string message = failure([&] { ftp.Connect(); });
  EXPECT_NE(message.find("onnect"), std::string::npos) << message;
  EXPECT_FALSE(ftp.Connected());
}

TEST_F(TIdFTPServerTest, HostThatDoesNotResolveSaysSo) {
  ftp.SetHost("no-such-host.invalid");
  ftp.SetPort(21);
  ftp.SetConnectTimeout(5000);
  const std::string message = failure([&] { ftp.Connect(); });
  EXPECT_NE(message.find("resolve"), std::string::npos) << message;
}

TEST_F(TIdFTPServerTest, SilentServerEndsTheLoginAfterTheTimeOut) {
  ftp.SetPort(server.Port("silent"));
  ftp.SetConnectTimeout(1000);
  ftp.SetReadTimeout(1000);
  const auto start = std::chrono::steady_clock::now();
  const std::string message = failure([&] { ftp.Connect(); });
  EXPECT_NE(message.find("imeout"), std::string::npos) << message;
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  EXPECT_FALSE(ftp.Connected());
}

// --- folders and listings ---------------------------------------------------------------------

TEST_F(TIdFTPServerTest, ListsTheFolderWithTypesSizesAndTimes) {
  open("main");
  TFtpTestServer::Write(server.Local(dir) / "CBSJ.DBF", std::string(1234, 'x'));
  fs::create_directory(server.Local(dir) / "sub");
  const auto before = std::chrono::system_clock::now();
  ftp.List();
  ASSERT_EQ(names(), (std::vector<std::string>{"CBSJ.DBF", "sub"}));
  EXPECT_EQ(item("CBSJ.DBF")->ItemType, ditFile);
  EXPECT_EQ(item("CBSJ.DBF")->Size, 1234);
  EXPECT_EQ(item("sub")->ItemType, ditDirectory);
  // The listed time is the file's, in local time (MLSD gives it in UTC).
  ASSERT_TRUE(item("CBSJ.DBF")->HasModifiedDate);
  const double days = std::chrono::duration<double>(std::chrono::system_clock::now() - before).count() / 86400;
  EXPECT_NEAR(item("CBSJ.DBF")->ModifiedDate, Now(), days + 2.0 / 86400);
}

TEST_F(TIdFTPServerTest, ListingWithoutMlsdReadsTheUnixForm) {
  open("list");
  TFtpTestServer::Write(server.Local(dir) / "a b.txt", "12345");
  fs::create_directory(server.Local(dir) / "sub");
  ftp.List();
  ASSERT_EQ(names(), (std::vector<std::string>{"a b.txt", "sub"}));
  EXPECT_EQ(item("a b.txt")->Size, 5);
  EXPECT_EQ(item("sub")->ItemType, ditDirectory);
  EXPECT_TRUE(item("a b.txt")->HasModifiedDate);
  const std::string commands = server.Commands("list");
  EXPECT_NE(commands.find("LIST"), std::string::npos);
  EXPECT_EQ(commands.find("MLSD"), std::string::npos);
}

TEST_F(TIdFTPServerTest, ChangeDirFollowsRelativeAndAbsoluteNamesAndReadsBackTheFolder) {
  open("main");
  fs::create_directories(server.Local(dir) / "sub" / "deeper");
  ftp.ChangeDir("sub");
  EXPECT_EQ(ftp.RetrieveCurrentDir(), dir + "/sub");
  ftp.ChangeDir("deeper/..");
  EXPECT_EQ(ftp.RetrieveCurrentDir(), dir + "/sub");
  ftp.ChangeDir("..");
  EXPECT_EQ(ftp.RetrieveCurrentDir(), dir);
  ftp.ChangeDir("/");
  EXPECT_EQ(ftp.RetrieveCurrentDir(), "/");
  ftp.ChangeDir(dir + "/sub");
  EXPECT_EQ(ftp.RetrieveCurrentDir(), dir + "/sub");
}

TEST_F(TIdFTPServerTest, MissingFolderIsRefusedAndTheWorkingFolderStays) {
  open("main");
  const std::string message = failure([&] { ftp.ChangeDir("nowhere"); });
  EXPECT_EQ(message.rfind("550 ", 0), 0u) << message;
  EXPECT_EQ(ftp.RetrieveCurrentDir(), dir);
  // The session goes on, whatever libcurl did with the connection after the refusal.
  EXPECT_TRUE(ftp.Connected());
  ftp.List();
  drain();
  EXPECT_EQ(disconnected, 0);
}

TEST_F(TIdFTPServerTest, EmptyFolderGivesAnEmptyListingAfterAFullOne) {
  open("main");
  TFtpTestServer::Write(server.Local(dir) / "a.txt", "a");
  fs::create_directory(server.Local(dir) / "empty");
  ftp.List();
  ASSERT_EQ(ftp.DirectoryListing().size(), 2u);
  ftp.ChangeDir("empty");
  ftp.List();
  EXPECT_TRUE(ftp.DirectoryListing().empty());
}

TEST_F(TIdFTPServerTest, TenThousandEntriesAreListedInBothForms) {
  for (const char* kind : {"main", "list"}) {
    open(kind, std::string("many-") + kind);
    for (int i = 0; i < 10000; ++i) TFtpTestServer::Write(server.Local(dir) / ("F" + std::to_string(i)), "");
    ftp.List();
    EXPECT_EQ(ftp.DirectoryListing().size(), 10000u) << kind;
    ftp.Disconnect();
  }
}

TEST_F(TIdFTPServerTest, Utf8NamesArriveInTheProgramsCodePageAndTravelBack) {
  open("main");
  const std::string name = Utf8ToAnsi("抄表数据.txt");
  TFtpTestServer::Write(server.Local(dir) / "抄表数据.txt", "data");
  ftp.List();
  ASSERT_EQ(names(), std::vector<std::string>{name});
  EXPECT_EQ(ftp.Size(name), 4);
  ftp.Get(name, (local / "copy").string(), true, false);
  EXPECT_EQ(TFtpTestServer::Read(local / "copy"), "data");
  ftp.Put((local / "copy").string(), Utf8ToAnsi("回传.txt"));
  EXPECT_EQ(TFtpTestServer::Read(server.Local(dir) / "回传.txt"), "data");
}

TEST_F(TIdFTPServerTest, NamesOfAServerWithoutUtf8PassAsTheirBytes) {
  open("gbk");
  const std::string gbk = "\xb3\xad\xb1\xed.txt";  // 抄表.txt in GBK
  TFtpTestServer::Write(server.Local(dir) / gbk, "gbk data");
  ftp.List();
  ASSERT_EQ(names(), std::vector<std::string>{gbk});
  ftp.Get(gbk, (local / "copy").string(), true, false);
  EXPECT_EQ(TFtpTestServer::Read(local / "copy"), "gbk data");
}

// --- transfers --------------------------------------------------------------------------------

TEST_F(TIdFTPServerTest, GetFetchesTheWholeFileAndTellsItsWorkOnTheMainThread) {
  open("main");
  const std::string bytes = randomBytes(3 * 1024 * 1024);
  TFtpTestServer::Write(server.Local(dir) / "big.bin", bytes);
  std::exception_ptr error;
  std::thread worker([&] {
    try {
      ftp.Get("big.bin", (local / "big.bin").string(), false, false);
    } catch (...) {
      error = std::current_exception();
    }
  });
  ASSERT_TRUE(waitFor([&] { return events.find('E') != std::string::npos; }));
  worker.join();
  ASSERT_FALSE(error);
  EXPECT_EQ(TFtpTestServer::Read(local / "big.bin"), bytes);
  EXPECT_EQ(events.front(), 'B');
  EXPECT_EQ(events.back(), 'E');
  EXPECT_NE(events.find('W'), std::string::npos);
  EXPECT_EQ(workCount, static_cast<std::int64_t>(bytes.size()));
}

TEST_F(TIdFTPServerTest, GetReplacesOnlyWhenAskedAndResumesFromTheLocalSize) {
  open("main");
  TFtpTestServer::Write(server.Local(dir) / "f.txt", "0123456789");
  TFtpTestServer::Write(local / "f.txt", "old");
  const std::string path = (local / "f.txt").string();
  EXPECT_FALSE(failure([&] { ftp.Get("f.txt", path, false, false); }).empty());
  EXPECT_EQ(TFtpTestServer::Read(local / "f.txt"), "old");
  TFtpTestServer::Write(local / "f.txt", "0123");
  ftp.Get("f.txt", path, false, true);
  EXPECT_EQ(TFtpTestServer::Read(local / "f.txt"), "0123456789");
  TFtpTestServer::Write(local / "f.txt", "something longer than the file");
  ftp.Get("f.txt", path, true, false);
  EXPECT_EQ(TFtpTestServer::Read(local / "f.txt"), "0123456789");
}

TEST_F(TIdFTPServerTest, PutStoresAndReplacesDeleteRemovesAndSizeTells) {
  open("main");
  TFtpTestServer::Write(local / "up.bin", randomBytes(200000));
  TFtpTestServer::Write(server.Local(dir) / "up.bin", "older and other");
  ftp.Put((local / "up.bin").string(), "up.bin");
  EXPECT_EQ(TFtpTestServer::Read(server.Local(dir) / "up.bin"), randomBytes(200000));
  EXPECT_EQ(ftp.Size("up.bin"), 200000);
  EXPECT_EQ(workMax, 200000);
  ftp.Delete("up.bin");
  EXPECT_FALSE(fs::exists(server.Local(dir) / "up.bin"));
  EXPECT_EQ(ftp.Size("up.bin"), -1);
  EXPECT_TRUE(ftp.Connected());
}

TEST_F(TIdFTPServerTest, FileThatVanishedSinceTheListingIsRefusedAndTheConnectionStays) {
  open("main");
  TFtpTestServer::Write(server.Local(dir) / "gone.txt", "x");
  ftp.List();
  fs::remove(server.Local(dir) / "gone.txt");
  EXPECT_EQ(ftp.Size("gone.txt"), -1);
  const std::string message = failure([&] { ftp.Get("gone.txt", (local / "gone.txt").string(), true, false); });
  EXPECT_EQ(message.rfind("550 ", 0), 0u) << message;
  EXPECT_TRUE(ftp.Connected());
  EXPECT_FALSE(failure([&] { ftp.Delete("gone.txt"); }).empty());
}

TEST_F(TIdFTPServerTest, ServerDroppingAFetchHalfWayEndsItAndTheConnection) {
  open("faulty");
  TFtpTestServer::Write(server.Local(dir) / "big.bin", randomBytes(1024 * 1024));
  const std::string message = failure([&] { ftp.Get("big.bin", (local / "big.bin").string(), true, false); });
  EXPECT_FALSE(message.empty());
  EXPECT_LT(fs::file_size(local / "big.bin"), 1024u * 1024u);
  drain();
  EXPECT_FALSE(ftp.Connected());
  EXPECT_EQ(disconnected, 1);
}

TEST_F(TIdFTPServerTest, ServerDroppingAStoreHalfWayEndsIt) {
  open("faulty");
  TFtpTestServer::Write(local / "big.bin", randomBytes(1024 * 1024));
  EXPECT_FALSE(failure([&] { ftp.Put((local / "big.bin").string(), "big.bin"); }).empty());
  drain();
  EXPECT_FALSE(ftp.Connected());
  EXPECT_EQ(disconnected, 1);
}

TEST_F(TIdFTPServerTest, DisconnectDuringATransferOnAnotherThreadEndsItAtOnce) {
  open("slow");
  TFtpTestServer::Write(server.Local(dir) / "big.bin", randomBytes(8 * 1024 * 1024));
  std::string message;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    message = failure([&] { ftp.Get("big.bin", (local / "big.bin").string(), true, false); });
    done = true;
  });
  ASSERT_TRUE(waitFor([&] { return workCount > 0; }));
  // Commands of another thread are refused while the transfer runs, without waiting for it.
  EXPECT_NE(failure([&] { ftp.List(); }).find("busy"), std::string::npos);
  EXPECT_TRUE(ftp.Connected());
  const auto start = std::chrono::steady_clock::now();
  ftp.Disconnect();
  EXPECT_EQ(disconnected, 1);
  EXPECT_FALSE(ftp.Connected());
  ASSERT_TRUE(waitFor([&] { return done.load(); }, 10s));
  worker.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(message, "The connection was closed.");
  EXPECT_EQ(events.back(), 'E');
  drain();
  EXPECT_EQ(disconnected, 1);
  // The component connects again afterwards.
  ftp.Connect();
  ftp.ChangeDir(dir);
  ftp.List();
  EXPECT_EQ(names(), std::vector<std::string>{"big.bin"});
}

TEST_F(TIdFTPServerTest, TransfersThatStopMovingEndAfterTheReadTimeOut) {
  open("stalling");
  ftp.SetReadTimeout(1000);
  TFtpTestServer::Write(server.Local(dir) / "big.bin", randomBytes(1024 * 1024));
  // More than the connection's buffers take in, so that the store waits for the server.
  TFtpTestServer::Write(local / "up.bin", randomBytes(32 * 1024 * 1024));
  const auto start = std::chrono::steady_clock::now();
  std::string message = failure([&] { ftp.Get("big.bin", (local / "big.bin").string(), true, false); });
  EXPECT_NE(message.find("slow"), std::string::npos) << message;
  if (!ftp.Connected()) {
    ftp.Connect();
    ftp.ChangeDir(dir);
  }
  message = failure([&] { ftp.Put((local / "up.bin").string(), "up.bin"); });
  EXPECT_NE(message.find("slow"), std::string::npos) << message;
  EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

TEST_F(TIdFTPServerTest, ListingThatTricklesInEndsAfterTheReadTimeOut) {
  open("dripping");
  // Some 600 bytes of listing: a minute at the server's pace, never a second without a byte.
  for (int i = 0; i < 6; ++i) TFtpTestServer::Write(server.Local(dir) / ("METER" + std::to_string(i) + ".DBF"), "x");
  ftp.SetReadTimeout(1000);
  const auto start = std::chrono::steady_clock::now();
  const std::string message = failure([&] { ftp.List(); });
  EXPECT_EQ(message.rfind("Timeout was reached", 0), 0u) << message;
  EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
  EXPECT_TRUE(ftp.DirectoryListing().empty());
  // The component goes on: a listing at a normal pace still works.
  drain();
  if (ftp.Connected()) ftp.Disconnect();
  ftp.SetPort(server.Port("main"));
  ftp.Connect();
  ftp.ChangeDir(dir);
  ftp.List();
  EXPECT_EQ(ftp.DirectoryListing().size(), 6u);
}

TEST_F(TIdFTPServerTest, AbortEndsARunningTransfer) {
  open("slow");
  TFtpTestServer::Write(server.Local(dir) / "big.bin", randomBytes(4 * 1024 * 1024));
  std::string message;
  std::thread worker([&] { message = failure([&] { ftp.Get("big.bin", (local / "big.bin").string(), true, false); }); });
  ASSERT_TRUE(waitFor([&] { return workCount > 0; }));
  ftp.Abort();
  worker.join();
  EXPECT_EQ(message.rfind("The transfer was ended.", 0), 0u) << message;
}

TEST_F(TIdFTPServerTest, NamesWithLineBreaksAreNeverSent) {
  open("main");
  TFtpTestServer::Write(server.Local(dir) / "keep.txt", "k");
  for (const std::string& name :
       {std::string("x\r\nDELE keep.txt"), std::string("x\nDELE keep.txt"), std::string("x\0DELE", 6)}) {
    EXPECT_NE(failure([&] { ftp.ChangeDir(name); }).find("cannot be sent"), std::string::npos);
    EXPECT_NE(failure([&] { ftp.Delete(name); }).find("cannot be sent"), std::string::npos);
    EXPECT_NE(failure([&] { ftp.Get(name, (local / "x").string(), true, false); }).find("cannot be sent"),
              std::string::npos);
  }
  EXPECT_TRUE(fs::exists(server.Local(dir) / "keep.txt"));
  EXPECT_EQ(server.Commands("main").find("DELE keep.txt"), std::string::npos);
}

}  // namespace
