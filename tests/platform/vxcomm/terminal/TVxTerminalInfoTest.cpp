#include "TVxTerminalInfo.h"

#include <gtest/gtest.h>

#include <functional>

#include "CodePage.h"
#include "EVxError.h"
#include "SysPath.h"
#include "TIniFile.h"
#include "VxTestTerminal.h"

namespace {

class TVxTerminalInfoTest : public ::testing::Test {
protected:
  TVxTestTerminal terminal;
  TVxTerminalInfo info{terminal.Folder()};
  void SetUp() override { info.WriteDefaults(4); }
};

}  // namespace

TEST_F(TVxTerminalInfoTest, TextsKeepEveryByte) {
  for (const AnsiString& text : {AnsiString("  blanks at both ends  "), AnsiString("\"quoted\""), AnsiString("50% off"),
                                 AnsiString("line\r\nbreak"), Utf8ToAnsi("城东 自来水;公司=1"), AnsiString()}) {
    info.SetUserText(12, text);
    EXPECT_EQ(info.UserText(12), text);
  }
  info.SetSystemText(7, Utf8ToAnsi("新公司"));
  EXPECT_EQ(TVxTerminalInfo(terminal.Folder()).SystemText(7), Utf8ToAnsi("新公司"));
}

TEST_F(TVxTerminalInfoTest, ClockOffsetBeyondThirtyTwoBits) {
  info.SetClockOffset(3'000'000'000LL);
  EXPECT_EQ(info.ClockOffset(), 3'000'000'000LL);
  info.SetClockOffset(-5);
  EXPECT_EQ(info.ClockOffset(), -5);
}

TEST_F(TVxTerminalInfoTest, FiguresOutsideTheirRangeAreRefusedWhenRead) {
  auto error = [](const std::function<void()>& read) {
    try {
      read();
    } catch (const EVxError& e) {
      return e.Result;
    }
    return static_cast<std::int32_t>(vxOk);
  };
  TIniFile ini(FromSysPath(terminal.Folder() / TVxTerminalInfo::FileName));
  ini.WriteString("System", "BlockSize", "2147483600");
  EXPECT_EQ(error([&] { info.BlockSize(); }), vxErrStorage);
  ini.WriteInteger("System", "BlockSize", TVxTerminalInfo::BlockSizeMax);
  EXPECT_EQ(info.BlockSize(), TVxTerminalInfo::BlockSizeMax);
  ini.WriteString("Clock", "Offset", "9223372036854775807");
  EXPECT_EQ(error([&] { info.ClockOffset(); }), vxErrStorage);
  ini.WriteString("Clock", "Offset", "-6400000000");
  EXPECT_EQ(error([&] { info.ClockOffset(); }), vxErrStorage);
  ini.WriteString("System", "Capacity", "-1");
  EXPECT_EQ(error([&] { info.Capacity(); }), vxErrStorage);
  ini.WriteString("System", "MemorySize", "99999999999");
  EXPECT_EQ(error([&] { info.MemorySize(); }), vxErrStorage);
  ini.WriteString("Files", "NextNumber", "0");
  EXPECT_EQ(error([&] { info.NextFileNumber(); }), vxErrStorage);
  // What is no number at all reads as the default, as before.
  ini.WriteString("System", "SystemRoom", "lots");
  EXPECT_EQ(info.SystemRoom(), 1024 * 1024);
}
