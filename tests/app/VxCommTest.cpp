// The program's declarations of the communication library against the library itself: the
// records land where the program reads them, and the figures the file page works out from the
// space information make sense.
#include "VxComm.h"

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "CodePage.h"
#include "VxTestTerminal.h"

namespace {

class VxCommTest : public ::testing::Test {
protected:
  TVxTestTerminal terminal;
  std::int32_t port = vxCheckPort();

  std::vector<TCommFileRecord> files() {
    std::vector<TCommFileRecord> records(COMM_FILE_LIST_MAX);
    std::int32_t count = 0;
    EXPECT_EQ(vxGetErrMsg(vxGetNormalFileList(port, records.data(), &count), nullptr, nullptr), 0);
    records.resize(static_cast<std::size_t>(count));
    return records;
  }
};

}  // namespace

TEST_F(VxCommTest, FileRecordsAsTheProgramReadsThem) {
  ASSERT_EQ(port, PORT_USB);
  const TCommDateTime when{9, 1, 5, 8, 7, 0};
  ASSERT_EQ(vxSetDateTime(port, &when), 0);
  TVxTestTerminal::Write(terminal.Pc() / "x", std::string(16321, 'x'));
  const AnsiString name = Utf8ToAnsi("抄表数据二〇〇九年一月五日.DBF");
  ASSERT_EQ(vxDownloadFile(port, terminal.PcPath("x").c_str(), name.c_str()), 0);
  const TCommFileRecord r = files().back();
  EXPECT_EQ(r.Size, 16321);
  EXPECT_EQ(r.FileNo, 4);
  EXPECT_EQ(std::string(r.Name, strnlen(r.Name, sizeof r.Name)), name);
  char date[32];
  std::snprintf(date, sizeof date, "%.2d-%.2d-%.2d %.2d:%.2d", r.Year, r.Month, r.Day, r.Hour, r.Minute);
  EXPECT_EQ(std::string(date).substr(0, 14), "09-01-05 08:07");
}

TEST_F(VxCommTest, FilePageFiguresFromTheSpaceInformation) {
  TVxTestTerminal::Write(terminal.Pc() / "x", std::string(16321, 'x'));  // two blocks
  ASSERT_EQ(vxDownloadFile(port, terminal.PcPath("x").c_str(), "X.DAT"), 0);
  std::int32_t capacity = 0;
  TCommSpaceInfo info{};
  ASSERT_EQ(vxGetMachSysInfo(port, SYS_CAPACITY, &capacity), 0);
  ASSERT_EQ(vxGetMachSysInfo(port, SYS_SPACE_INFO, &info), 0);
  const auto records = files();
  const std::int32_t count = static_cast<std::int32_t>(records.size());
  const std::int32_t bs = info.BlockSize == 0 ? 16320 : info.BlockSize;
  std::int32_t blocks = 0;
  for (const TCommFileRecord& r : records) blocks += (r.Size + bs - 1) / bs;
  // The file page's arithmetic, in 32-bit integers.
  const std::int32_t capK = capacity / 1024;
  const std::int32_t usedK = blocks * 16;
  const std::int32_t sysK = capK - (info.OccupiedRoom * count) / 1024 - (info.OccupiedRoom * info.SpaceCount) / 1024;
  const std::int32_t leftK = capK - usedK - sysK;
  EXPECT_EQ(capK, 8192);
  EXPECT_EQ(sysK, 1024);                // the room kept for the system
  EXPECT_EQ(leftK, (448 - blocks) * 16);  // what the data area has left
}

TEST_F(VxCommTest, ErrorTextAndGoOnFlag) {
  char text[COMM_TEXT_SIZE];
  std::int32_t goOn = -1;
  const std::int32_t result = vxUploadFile(port, "NOFILE.DBF", terminal.PcPath("n").c_str());
  EXPECT_NE(vxGetErrMsg(result, text, &goOn), 0);
  EXPECT_EQ(AnsiToUtf8(text), "文件不存在");
  EXPECT_EQ(goOn, 1);
  EXPECT_EQ(vxGetErrMsg(0, text, &goOn), 0);
  EXPECT_NE(vxGetErrMsg(vxUploadFile(port + 1, "KHDA.DBF", terminal.PcPath("n").c_str()), text, &goOn), 0);
  EXPECT_EQ(AnsiToUtf8(text), "端口未打开");
  EXPECT_EQ(goOn, 0);  // the link is not there: a loop over files stops
}
