#include "TVxSettings.h"

#include <gtest/gtest.h>

#include "VxResult.h"
#include "VxTestTerminal.h"

TEST(TVxSettingsTest, PortTexts) {
  EXPECT_EQ(TVxSettings::ParsePort("USB"), 255);
  EXPECT_EQ(TVxSettings::ParsePort("usb"), 255);
  EXPECT_EQ(TVxSettings::ParsePort("255"), 255);
  EXPECT_EQ(TVxSettings::ParsePort("COM3"), 3);
  EXPECT_EQ(TVxSettings::ParsePort("com12"), 12);
  EXPECT_EQ(TVxSettings::ParsePort("7"), 7);
  for (const char* none : {"None", "", "COM0", "COM256", "0", "-1", "LPT1", "3x"})
    EXPECT_EQ(TVxSettings::ParsePort(none), TVxSettings::PortNone) << none;
}

TEST(TVxSettingsTest, ReadsPortRateLinkAndFaults) {
  TVxTestTerminal terminal;
  terminal.Settings(
      "[port]\nport=COM2\n[Transfer]\nRate=20000\n[Link]\nLost=1\n"
      "[Fault.vxUploadFile]\nResult=102\nWhen=from\nCall=3\nGoOn=1\n"
      "[Fault.vxDeleteFile]\nResult=1\n");
  TVxSettings settings(terminal.Folder());
  EXPECT_EQ(settings.Port(), 2);
  EXPECT_EQ(settings.Rate(), 20000);
  EXPECT_TRUE(settings.LinkLost());
  const auto upload = settings.Fault("vxUploadFile");
  ASSERT_TRUE(upload);
  EXPECT_EQ(upload->Result, 102);
  EXPECT_EQ(upload->When, TVxFaultWhen::From);
  EXPECT_EQ(upload->Call, 3);
  EXPECT_EQ(upload->Code(), 102 | vxFlagGoOn);
  const auto remove = settings.Fault("vxDeleteFile");
  ASSERT_TRUE(remove);
  EXPECT_EQ(remove->When, TVxFaultWhen::Always);
  EXPECT_EQ(remove->Code(), 1);  // no GoOn key: the code's own flag
  EXPECT_FALSE(settings.Fault("vxDownloadFile"));
}

