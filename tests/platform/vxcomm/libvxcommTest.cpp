#include "libvxcomm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <optional>
#include <random>
#include <vector>

#include "CodePage.h"
#include "VxResult.h"
#include "VxTestTerminal.h"

namespace {

constexpr std::int32_t Usb = 255;

class libvxcommTest : public ::testing::Test {
protected:
  TVxTestTerminal terminal;

  std::vector<VxFileRecord> list(bool recycled = false) {
    std::vector<VxFileRecord> records(recycled ? VXCOMM_RECYCLE_LIST_MAX : VXCOMM_FILE_LIST_MAX);
    std::int32_t count = -1;
    EXPECT_EQ(recycled ? vxGetDelFileList(Usb, records.data(), &count) : vxGetNormalFileList(Usb, records.data(), &count),
              vxOk);
    records.resize(static_cast<std::size_t>(std::max(count, 0)));
    return records;
  }

  static std::string name(const VxFileRecord& r) { return std::string(r.Name, strnlen(r.Name, sizeof r.Name)); }

  std::int32_t download(const std::string& bytes, const AnsiString& terminalName) {
    TVxTestTerminal::Write(terminal.Pc() / "source", bytes);
    return vxDownloadFile(Usb, terminal.PcPath("source").c_str(), terminalName.c_str());
  }

  static std::optional<VxFileRecord> find(const std::vector<VxFileRecord>& records, const std::string& wanted) {
    for (const VxFileRecord& r : records)
      if (name(r) == wanted) return r;
    return std::nullopt;
  }

  std::string text(std::int32_t id, bool system) {
    char buffer[VXCOMM_TEXT_SIZE];
    const std::int32_t r = system ? vxGetMachSysInfo(Usb, id, buffer) : vxGetMachInfo(Usb, id, buffer);
    EXPECT_EQ(r, vxOk) << id;
    return buffer;
  }
};

std::string randomBytes(std::size_t size) {
  std::mt19937 random(42);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

}  // namespace

TEST_F(libvxcommTest, FreshTerminalAnswersOnUsbWithItsSeededFiles) {
  EXPECT_EQ(vxCheckPort(), Usb);
  const auto files = list();
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(name(files[0]), "CBJ.EXE");
  EXPECT_EQ(name(files[1]), "KHDA.DBF");
  EXPECT_EQ(name(files[2]), "CBSJ.DBF");
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_EQ(files[static_cast<std::size_t>(i)].Number, i + 1);
  std::tm today{};
  const std::time_t now = std::time(nullptr);
  localtime_r(&now, &today);
  EXPECT_EQ(files[2].Year, today.tm_year % 100);
  EXPECT_EQ(files[2].Month, today.tm_mon + 1);
  EXPECT_EQ(files[2].Day, today.tm_mday);
  EXPECT_EQ(files[2].State, 0);
}

TEST_F(libvxcommTest, DownloadAndUploadAreByteIdentical) {
  const std::string bytes = randomBytes(300'000);
  const AnsiString gbkName = Utf8ToAnsi("抄表数据.dbf");
  ASSERT_EQ(download(bytes, gbkName), vxOk);
  const std::optional<VxFileRecord> r = find(list(), gbkName);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Size, 300'000);
  EXPECT_EQ(r->Blocks, 19);  // 300000 / 16320, rounded up
  const AnsiString target = Utf8ToAnsi(terminal.PcPath("回来.dbf"));
  ASSERT_EQ(vxUploadFile(Usb, gbkName.c_str(), target.c_str()), vxOk);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "回来.dbf"), bytes);
}

TEST_F(libvxcommTest, UploadReplacesAnExistingPcFileOnlyWhenComplete) {
  TVxTestTerminal::Write(terminal.Pc() / "KHDA.DBF", "older");
  ASSERT_EQ(vxUploadFile(Usb, "KHDA.DBF", terminal.PcPath("KHDA.DBF").c_str()), vxOk);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "KHDA.DBF").substr(0, 1), "\x03");
  // The terminal's names are one whatever the case of their letters.
  ASSERT_EQ(vxUploadFile(Usb, "khda.Dbf", terminal.PcPath("lower").c_str()), vxOk);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "lower"), TVxTestTerminal::Read(terminal.Pc() / "KHDA.DBF"));
  std::filesystem::remove(terminal.Pc() / "lower");
  TVxTestTerminal::Write(terminal.Pc() / "keep", "kept");
  EXPECT_EQ(vxUploadFile(Usb, "NONE.DBF", terminal.PcPath("keep").c_str()), vxErrFileNotFound);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "keep"), "kept");
  EXPECT_EQ(vxUploadFile(Usb, "KHDA.DBF", terminal.PcPath("no/such/folder/x").c_str()), vxErrPcFileWrite);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(terminal.Pc()), {}), 2);  // no part file left
}

TEST_F(libvxcommTest, DownloadReplacesAFileOfTheSameNameAndKeepsItsNumber) {
  ASSERT_EQ(download("first", "A.TXT"), vxOk);
  const std::int32_t number = find(list(), "A.TXT")->Number;
  ASSERT_EQ(download("second!", "A.TXT"), vxOk);
  auto files = list();
  EXPECT_EQ(files.size(), 4u);
  EXPECT_EQ(find(files, "A.TXT")->Number, number);
  EXPECT_EQ(find(files, "A.TXT")->Size, 7);
  // A name that differs only in case names the same file, which keeps the name it has.
  ASSERT_EQ(download("third", "a.txt"), vxOk);
  files = list();
  EXPECT_EQ(files.size(), 4u);
  EXPECT_FALSE(find(files, "a.txt"));
  EXPECT_EQ(find(files, "A.TXT")->Number, number);
  EXPECT_EQ(find(files, "A.TXT")->Size, 5);
}

TEST_F(libvxcommTest, NamesUpToThirtyTwoBytes) {
  const std::string longest(32, 'N');
  ASSERT_EQ(download("x", longest), vxOk);
  const std::optional<VxFileRecord> r = find(list(), longest);
  ASSERT_TRUE(r);
  EXPECT_EQ(std::string(r->Name, 32), longest);  // no room for a NUL, and none needed
  EXPECT_EQ(download("x", longest + "N"), vxErrBadName);
  EXPECT_EQ(download("x", "A/B"), vxErrBadName);
  EXPECT_EQ(vxDownloadFile(Usb, terminal.PcPath("missing").c_str(), "M.TXT"), vxErrPcFileRead);
  EXPECT_EQ(list().size(), 4u);
}

TEST_F(libvxcommTest, RecycleAndRestoreKeepNumbers) {
  ASSERT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
  ASSERT_EQ(vxDeleteFile(Usb, "cbsj.dbf"), vxOk);
  EXPECT_EQ(vxDeleteFile(Usb, "CBSJ.DBF"), vxErrFileNotFound);
  EXPECT_EQ(list().size(), 1u);
  const auto bin = list(true);
  ASSERT_EQ(bin.size(), 2u);
  EXPECT_EQ(bin[0].Number, 2);
  EXPECT_EQ(bin[1].Number, 3);
  EXPECT_EQ(bin[1].State, 1);
  ASSERT_EQ(vxRestoreFile(Usb, 3), vxOk);
  EXPECT_EQ(find(list(), "CBSJ.DBF")->Number, 3);  // under the name it was stored with
  EXPECT_EQ(list(true).size(), 1u);
  EXPECT_EQ(vxRestoreFile(Usb, 1), vxErrFileNoNotFound);  // not in the bin
}

TEST_F(libvxcommTest, RestoreRefusesToReplaceAFileOfTheSameName) {
  ASSERT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
  ASSERT_EQ(download("new", "khda.dbf"), vxOk);  // the same name to the terminal
  EXPECT_EQ(vxRestoreFile(Usb, 2), vxErrFileExists);
  EXPECT_EQ(list(true).size(), 1u);
}

TEST_F(libvxcommTest, DelRecyleFileDeletesByNumberInOrOutsideTheBin) {
  ASSERT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
  EXPECT_EQ(vxDelRecyleFile(Usb, 2), vxOk);
  EXPECT_TRUE(list(true).empty());
  EXPECT_EQ(vxDelRecyleFile(Usb, 1), vxOk);  // "delete selected files for good" of the file page
  EXPECT_EQ(list().size(), 1u);
  for (std::int32_t bad : {0, -1, 2, 99, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(vxDelRecyleFile(Usb, bad), vxErrFileNoNotFound) << bad;
    EXPECT_EQ(vxRestoreFile(Usb, bad), vxErrFileNoNotFound) << bad;
  }
}

TEST_F(libvxcommTest, CompleteDelFileRemovesForGood) {
  EXPECT_EQ(vxCompleteDelFile(Usb, "cbj.exe"), vxOk);
  EXPECT_EQ(vxCompleteDelFile(Usb, "CBJ.EXE"), vxErrFileNotFound);
  EXPECT_EQ(list().size(), 2u);
  EXPECT_TRUE(list(true).empty());
}

TEST_F(libvxcommTest, DeleteAllRemovesEveryFileAndTheBin) {
  ASSERT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
  ASSERT_EQ(vxDeleteFile(Usb, "*.*"), vxOk);
  EXPECT_TRUE(list().empty());
  EXPECT_TRUE(list(true).empty());
  ASSERT_EQ(download("x", "NEW.TXT"), vxOk);
  EXPECT_EQ(list()[0].Number, 4);  // the old numbers name nothing new
}

TEST_F(libvxcommTest, ListsKeepWithinTheCallersBuffers) {
  vxCheckPort();  // the terminal exists from here on
  // Files stored as the folder keeps them: "<number> <name>".
  for (int i = 1; i <= 4320; ++i) {
    char stored[32];
    std::snprintf(stored, sizeof stored, "%08d F%04d", 100 + i, i);
    TVxTestTerminal::Write(terminal.Folder() / (i <= 320 ? "recycle" : "files") / stored, "");
  }
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX + 10);
  std::memset(records.data(), 0x55, records.size() * sizeof(VxFileRecord));
  std::int32_t count = 0;
  EXPECT_EQ(vxGetNormalFileList(Usb, records.data(), &count), vxErrListCut);
  EXPECT_EQ(count, VXCOMM_FILE_LIST_MAX);
  EXPECT_EQ(records[VXCOMM_FILE_LIST_MAX].Size, 0x55555555);  // past the end: untouched
  std::int32_t fileCount = 0;
  ASSERT_EQ(vxGetMachSysInfo(Usb, 2, &fileCount), vxOk);
  EXPECT_EQ(fileCount, 3 + 4000);

  std::memset(records.data(), 0x55, records.size() * sizeof(VxFileRecord));
  EXPECT_EQ(vxGetDelFileList(Usb, records.data(), &count), vxErrListCut);
  EXPECT_EQ(count, VXCOMM_RECYCLE_LIST_MAX);
  EXPECT_EQ(records[VXCOMM_RECYCLE_LIST_MAX].Number, 0x55555555);
  int32_t goOn = 0;
  EXPECT_NE(vxGetErrMsg(vxErrListCut, nullptr, &goOn), 0);
  EXPECT_EQ(goOn, 1);
}

TEST_F(libvxcommTest, ListsOfExactlyTheBuffersSizeComeWhole) {
  vxCheckPort();  // the terminal, with its three first files, exists from here on
  for (int i = 1; i <= VXCOMM_FILE_LIST_MAX - 3 + VXCOMM_RECYCLE_LIST_MAX; ++i) {
    char stored[32];
    std::snprintf(stored, sizeof stored, "%08d F%04d", 100 + i, i);
    TVxTestTerminal::Write(terminal.Folder() / (i <= VXCOMM_RECYCLE_LIST_MAX ? "recycle" : "files") / stored, "");
  }
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  std::int32_t count = 0;
  EXPECT_EQ(vxGetNormalFileList(Usb, records.data(), &count), vxOk);
  EXPECT_EQ(count, VXCOMM_FILE_LIST_MAX);
  EXPECT_EQ(vxGetDelFileList(Usb, records.data(), &count), vxOk);
  EXPECT_EQ(count, VXCOMM_RECYCLE_LIST_MAX);
}

TEST_F(libvxcommTest, SystemInformation) {
  std::int32_t capacity = 0;
  ASSERT_EQ(vxGetMachSysInfo(Usb, 1, &capacity), vxOk);
  EXPECT_EQ(capacity, 8 * 1024 * 1024);
  EXPECT_EQ(text(4, true), "V3.21");
  EXPECT_EQ(text(5, true), "VX-660");
  EXPECT_EQ(text(7, true), Utf8ToAnsi("华信电子技术有限公司"));
  ASSERT_EQ(vxSetMachSysInfo(Usb, 6, "  No. 7  "), vxOk);
  EXPECT_EQ(text(6, true), "  No. 7  ");
  EXPECT_EQ(vxSetMachSysInfo(Usb, 1, "1"), vxErrBadId);
  EXPECT_EQ(vxSetMachSysInfo(Usb, 8, "1"), vxErrBadId);
  char buffer[VXCOMM_TEXT_SIZE];
  EXPECT_EQ(vxGetMachSysInfo(Usb, 0, buffer), vxErrBadId);
  EXPECT_EQ(vxGetMachSysInfo(Usb, 8, buffer), vxErrBadId);
}

TEST_F(libvxcommTest, SpaceInformationFollowsTheFiles) {
  VxSpaceInfo space{};
  ASSERT_EQ(vxGetMachSysInfo(Usb, 3, &space), vxOk);
  const auto files = list();
  std::int32_t blocks = 0;
  for (const VxFileRecord& r : files) blocks += r.Blocks;
  EXPECT_EQ(space.BlockRoom, 16384);
  EXPECT_EQ(space.BlockSize, 16320);
  EXPECT_EQ(space.UsedBlocks, blocks);
  EXPECT_EQ(space.FileShare, 448 - 3);

  // A terminal that reports a block size of 0 means 16320.
  std::string info = TVxTestTerminal::Read(terminal.Folder() / "terminal.ini");
  info.replace(info.find("BlockSize=16320"), 15, "BlockSize=0");
  TVxTestTerminal::Write(terminal.Folder() / "terminal.ini", info);
  ASSERT_EQ(vxGetMachSysInfo(Usb, 3, &space), vxOk);
  EXPECT_EQ(space.BlockSize, 0);
  EXPECT_EQ(space.BlockRoom, 16384);
  EXPECT_EQ(space.UsedBlocks, blocks);

  // The recycle bin keeps its files' blocks: they leave the files' share.
  ASSERT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
  ASSERT_EQ(vxGetMachSysInfo(Usb, 3, &space), vxOk);
  EXPECT_EQ(space.UsedBlocks, blocks);
  EXPECT_EQ(space.FileShare, 448 - 1 - 2);
}

TEST_F(libvxcommTest, FiguresAtTheIntegerLimitsAreRefusedAsDamagedStorage) {
  const std::filesystem::path path = terminal.Folder() / "terminal.ini";
  VxSpaceInfo space{};
  ASSERT_EQ(vxGetMachSysInfo(Usb, 3, &space), vxOk);  // the terminal is made
  const std::string original = TVxTestTerminal::Read(path);
  std::string info = original;
  info.replace(info.find("BlockSize=16320"), 15, "BlockSize=2147483600");
  TVxTestTerminal::Write(path, info);
  EXPECT_EQ(vxGetMachSysInfo(Usb, 3, &space), vxErrStorage);
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  std::int32_t count = -1;
  EXPECT_EQ(vxGetNormalFileList(Usb, records.data(), &count), vxErrStorage);  // its blocks cannot be counted

  info = original;
  info.replace(info.find("Offset=0"), 8, "Offset=9223372036854775807");
  TVxTestTerminal::Write(path, info);
  EXPECT_EQ(download("x", "NEW.DBF"), vxErrStorage);
  VxDateTime clock{26, 5, 1, 12, 0, 0};
  EXPECT_EQ(vxSetDateTime(Usb, &clock), vxOk);  // setting the clock mends it
  EXPECT_EQ(download("x", "NEW.DBF"), vxOk);
  const std::optional<VxFileRecord> written = find(list(), "NEW.DBF");
  ASSERT_TRUE(written);
  EXPECT_EQ(written->Year, 26);
}

TEST_F(libvxcommTest, UserInformation) {
  EXPECT_EQ(text(9, false), Utf8ToAnsi("王建国"));
  for (std::int32_t id = 1; id <= 12; ++id) {
    const std::string value = "value " + std::to_string(id) + " ";
    ASSERT_EQ(vxSetMachInfo(Usb, id, value.c_str()), vxOk) << id;
  }
  for (std::int32_t id = 1; id <= 12; ++id) EXPECT_EQ(text(id, false), "value " + std::to_string(id) + " ");
  EXPECT_EQ(vxSetMachInfo(Usb, 13, "x"), vxErrBadId);
  EXPECT_EQ(vxSetMachInfo(Usb, 0, "x"), vxErrBadId);
}

TEST_F(libvxcommTest, TextsKeepWithinOneHundredBytes) {
  const std::string hundred(100, 'h');
  ASSERT_EQ(vxSetMachInfo(Usb, 12, hundred.c_str()), vxOk);
  char buffer[200];
  std::memset(buffer, 'x', sizeof buffer);
  ASSERT_EQ(vxGetMachInfo(Usb, 12, buffer), vxOk);
  EXPECT_EQ(std::string(buffer), hundred);
  EXPECT_EQ(buffer[101], 'x');
  const std::string longer(101, 'l');
  EXPECT_EQ(vxSetMachInfo(Usb, 12, longer.c_str()), vxErrTextTooLong);
  EXPECT_EQ(text(12, false), hundred);
}

TEST_F(libvxcommTest, ClockDatesTheFilesWritten) {
  const VxDateTime when{9, 1, 5, 8, 7, 30};
  ASSERT_EQ(vxSetDateTime(Usb, &when), vxOk);
  ASSERT_EQ(download("x", "DATED.TXT"), vxOk);
  const std::optional<VxFileRecord> r = find(list(), "DATED.TXT");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Year, 9);
  EXPECT_EQ(r->Month, 1);
  EXPECT_EQ(r->Day, 5);
  EXPECT_EQ(r->Hour, 8);
  EXPECT_LE(r->Minute - 7, 1);  // the seconds run on
  const VxDateTime bad{9, 2, 30, 8, 7, 30};
  EXPECT_EQ(vxSetDateTime(Usb, &bad), vxErrBadDateTime);
}

TEST_F(libvxcommTest, MemoryAreaZeroByAddress) {
  const std::string data = randomBytes(5000);
  ASSERT_EQ(vxDownloadMemory(Usb, 0, 1000, 5000, data.data()), vxOk);
  std::vector<char> buffer(6000, 'x');
  std::int32_t length = 6000;
  ASSERT_EQ(vxUploadMemory(Usb, 0, 0, &length, buffer.data()), vxOk);
  EXPECT_EQ(length, 6000);
  EXPECT_EQ(std::string(buffer.data(), 1000), std::string(1000, '\0'));  // never written
  EXPECT_EQ(std::string(buffer.data() + 1000, 5000), data);
  length = 0;
  EXPECT_EQ(vxUploadMemory(Usb, 0, 0, &length, buffer.data()), vxOk);
  EXPECT_EQ(length, 0);
}

TEST_F(libvxcommTest, MemoryAreaZeroHasBounds) {
  std::vector<char> buffer(16);
  std::int32_t length = 16;
  EXPECT_EQ(vxUploadMemory(Usb, 0, 512 * 1024 - 8, &length, buffer.data()), vxErrBadAddress);
  EXPECT_EQ(vxUploadMemory(Usb, 0, -1, &length, buffer.data()), vxErrBadAddress);
  EXPECT_EQ(vxDownloadMemory(Usb, 0, INT32_MAX, 16, buffer.data()), vxErrBadAddress);
  EXPECT_EQ(vxDownloadMemory(Usb, 0, 0, -1, buffer.data()), vxErrBadParameter);
  length = -5;
  EXPECT_EQ(vxUploadMemory(Usb, 0, 0, &length, buffer.data()), vxErrBadParameter);
  EXPECT_EQ(vxDownloadMemory(Usb, 3, 0, 16, buffer.data()), vxErrBadArea);
  EXPECT_EQ(vxUploadMemory(Usb, -1, 0, &length, buffer.data()), vxErrBadArea);
  // A range that ends at the area's last byte is inside it.
  const std::string last = randomBytes(16);
  EXPECT_EQ(vxDownloadMemory(Usb, 0, 512 * 1024 - 16, 16, last.data()), vxOk);
  length = 16;
  EXPECT_EQ(vxUploadMemory(Usb, 0, 512 * 1024 - 16, &length, buffer.data()), vxOk);
  EXPECT_EQ(std::string(buffer.data(), 16), last);
  EXPECT_EQ(vxDownloadMemory(Usb, 0, 512 * 1024 - 15, 16, last.data()), vxErrBadAddress);
}

TEST_F(libvxcommTest, SystemAndFontImagesAreWrittenAndReadWhole) {
  std::vector<char> buffer(VXCOMM_IMAGE_MAX);
  std::int32_t length = VXCOMM_IMAGE_MAX;
  ASSERT_EQ(vxUploadMemory(Usb, 2, 0, &length, buffer.data()), vxOk);
  EXPECT_EQ(length, 256 * 1024);
  EXPECT_EQ(std::string(buffer.data(), 6), "VXFONT");

  const std::string os = randomBytes(VXCOMM_IMAGE_MAX);
  ASSERT_EQ(vxDownloadMemory(Usb, 1, 0, static_cast<std::int32_t>(os.size()), os.data()), vxOk);
  length = VXCOMM_IMAGE_MAX;
  ASSERT_EQ(vxUploadMemory(Usb, 1, 0, &length, buffer.data()), vxOk);
  EXPECT_EQ(length, VXCOMM_IMAGE_MAX);
  EXPECT_EQ(std::string(buffer.data(), buffer.size()), os);

  const std::string tooLarge(VXCOMM_IMAGE_MAX + 1, 'x');
  EXPECT_EQ(vxDownloadMemory(Usb, 2, 0, static_cast<std::int32_t>(tooLarge.size()), tooLarge.data()),
            vxErrImageTooLarge);
  EXPECT_EQ(vxDownloadMemory(Usb, 2, 16, 4, "abcd"), vxErrBadAddress);
  EXPECT_EQ(vxDownloadMemory(Usb, 2, 0, 0, nullptr), vxErrBadParameter);
  ASSERT_EQ(vxUploadMemory(Usb, 2, 0, &length, buffer.data()), vxOk);
  EXPECT_EQ(length, 256 * 1024);  // the font library is still there
}

TEST_F(libvxcommTest, ImageReadKeepsWithinTheRoomTheCallerGives) {
  std::vector<char> buffer(VXCOMM_IMAGE_MAX + 16, 'x');
  // A room smaller than the image: refused, and not a byte is written.
  std::int32_t length = 1000;
  EXPECT_EQ(vxUploadMemory(Usb, 2, 0, &length, buffer.data()), vxErrImageTooLarge);
  EXPECT_EQ(buffer[0], 'x');
  // No room given (0, negative, or more than an image can be): the 2 MiB every caller has.
  for (std::int32_t given : {0, -7, VXCOMM_IMAGE_MAX + 1}) {
    length = given;
    ASSERT_EQ(vxUploadMemory(Usb, 2, 0, &length, buffer.data()), vxOk) << given;
    EXPECT_EQ(length, 256 * 1024) << given;
  }
  // An image larger than 2 MiB on the terminal (put there by other means) never overruns.
  TVxTestTerminal::Write(terminal.Folder() / "os.img", std::string(VXCOMM_IMAGE_MAX + 1, 'o'));
  length = VXCOMM_IMAGE_MAX;
  std::fill(buffer.begin(), buffer.end(), 'x');
  EXPECT_EQ(vxUploadMemory(Usb, 1, 0, &length, buffer.data()), vxErrImageTooLarge);
  EXPECT_EQ(buffer[VXCOMM_IMAGE_MAX], 'x');
  EXPECT_EQ(buffer[0], 'x');
}

namespace {

std::vector<std::int32_t> progress;
void VXCOMM_CALL record(std::int32_t percent) { progress.push_back(percent); }

}  // namespace

TEST_F(libvxcommTest, TransfersReportProgressFromZeroToHundred) {
  progress.clear();
  ASSERT_EQ(vxSetProgress(1, record), vxOk);
  ASSERT_EQ(download(randomBytes(1'000'000), "BIG.DAT"), vxOk);
  ASSERT_GE(progress.size(), 10u);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GT(progress[i], progress[i - 1]);
  progress.clear();
  ASSERT_EQ(vxUploadFile(Usb, "BIG.DAT", terminal.PcPath("big").c_str()), vxOk);
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  progress.clear();
  ASSERT_EQ(vxSetProgress(0, record), vxOk);
  ASSERT_EQ(vxUploadFile(Usb, "BIG.DAT", terminal.PcPath("big").c_str()), vxOk);
  EXPECT_TRUE(progress.empty());
}
