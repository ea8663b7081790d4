#include "TVxTerminalInfo.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "EVxError.h"
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
