// Finding the terminal: the search on USB, on a COM port and with no terminal, the entry check
// of the management page and the direct port check.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TLabel.h"
#include "TMainWindowFixture.h"
#include "TPanel.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uWait.h"
#include "WinUser.h"

namespace {

class TFormmainDetectTest : public TMainWindowFixture {
protected:
  void SetUp() override {
    WriteSettings("[sysoptions]\nrunmode=7\n");
    CreateWindow();
  }
};

}  // namespace

TEST_F(TFormmainDetectTest, TerminalOnUsb) {
  window->DetectDevice();
  EXPECT_EQ(window->Port(), 255);
  EXPECT_EQ(FormWait, nullptr);  // the search window lives for the search only
}

TEST_F(TFormmainDetectTest, TerminalOnCom3) {
  terminal.Settings("[Port]\nPort=COM3\n");
  window->DetectDevice();
  EXPECT_EQ(window->Port(), 3);
}

TEST_F(TFormmainDetectTest, NoTerminalLeavesPortZeroButTheDirectCheckKeepsTheAnswer) {
  terminal.Settings("[Port]\nPort=None\n");
  window->DetectDevice();
  EXPECT_EQ(window->Port(), 0);
  EXPECT_FALSE(window->CheckPortDirect());
  EXPECT_EQ(window->Port(), -1);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, ERR_NOT_CONNECTED_DEVICE);
}

TEST_F(TFormmainDetectTest, PortZeroIsRefusedBySearchButAcceptedByTheDirectCheck) {
  terminal.Settings("[Fault.vxCheckPort]\nResult=0\n");
  window->CheckDeviceInfo();
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, ERR_NOT_CONNECTED_DEVICE);
  EXPECT_EQ(hook.Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
  EXPECT_TRUE(window->CheckPortDirect());
  EXPECT_EQ(window->Port(), 0);
}

TEST_F(TFormmainDetectTest, EntryCheckShowsTypeAndVersion) {
  window->CheckDeviceInfo();
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_FALSE(window->lblOsType->Caption().empty());
  EXPECT_NE(window->lblOsType->Caption(), INFO_UNKOWN1);
  EXPECT_NE(window->lblOsVer->Caption(), INFO_UNKOWN1);
}

TEST_F(TFormmainDetectTest, FailedTypeRequestShowsNotKnownBesideARealVersion) {
  terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=102\nWhen=Once\nCall=1\n");
  window->CheckDeviceInfo();
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(window->lblOsType->Caption(), INFO_UNKOWN1);
  EXPECT_NE(window->lblOsVer->Caption(), INFO_UNKOWN1);
}

TEST_F(TFormmainDetectTest, RefreshWithNoTerminalResetsTheDisplayAndStartsNothing) {
  terminal.Settings("[Port]\nPort=None\n");
  window->miRefreshMachClick(nullptr);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_INFOMATION);
  EXPECT_EQ(window->Busy(), 0);
  EXPECT_EQ(window->pnlState->Caption(), ERR_CONNECT_FAILED);
}
