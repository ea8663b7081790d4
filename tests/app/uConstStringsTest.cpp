// The message table: its keys in their fixed order, the defaults in the process's code page,
// and the unit's start and end.
#include "uConstStrings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "ClasslibCore.h"
#include "CodePage.h"

namespace {

class uConstStringsTest : public ::testing::Test {
protected:
  uConstStringsTest() : units({ClasslibCoreUnit, uConstStringsUnit}) { units.Initialize(); }
  TUnitList units;
};

}  // namespace

TEST_F(uConstStringsTest, TableHoldsTheKeysInOrderOnce) {
  const TConstStringEntry* table = ConstStringTable();
  EXPECT_STREQ(table[0].Key, "DLG_DIR_OPEN_TITLE");
  EXPECT_STREQ(table[1].Key, "DATE_FORMAT");
  EXPECT_STREQ(table[19].Key, "INFO_CONECTED_PORT");
  EXPECT_STREQ(table[ConstStringCount - 1].Key, "INFO_SET_DEVICE_SERIAL");
  std::set<std::string> keys;
  for (std::size_t i = 0; i < ConstStringCount; ++i) {
    const std::string key = table[i].Key;
    EXPECT_TRUE(keys.insert(key).second) << key;
    EXPECT_TRUE(key.starts_with("ERR_") || key.starts_with("INFO_") || key.starts_with("DLG_") || key == "DATE_FORMAT")
        << key;
    EXPECT_FALSE(table[i].Value->empty()) << key;
  }
}

TEST_F(uConstStringsTest, DefaultsAreInTheAnsiCodePage) {
  EXPECT_EQ(ERR_NOT_CONNECTED_DEVICE, "\xce\xb4\xc1\xac\xbd\xd3\xc9\xcf\xca\xd6\xb3\xd6\xbb\xfa"
                                      "\xbb\xf2\xca\xd6\xb3\xd6\xbb\xfa\xce\xb4\xbd\xf8\xc8\xeb"
                                      "\xcd\xa8\xd1\xb6\xd7\xb4\xcc\xac\xa3\xa1");  // GBK
  EXPECT_EQ(AnsiToUtf8(DATE_FORMAT), "YYYY年MM月DD日");
  EXPECT_EQ(AnsiToUtf8(INFO_FINISHED_FIRST), "请先完成当前操作！");
}

TEST_F(uConstStringsTest, LeadingBlanksAndPrefixColonsAreKept) {
  EXPECT_EQ(AnsiToUtf8(ERR_WARNING), " 警告");
  EXPECT_EQ(AnsiToUtf8(INFO_CURRENT_PROGRESS), " 当前进度：");
  EXPECT_EQ(AnsiToUtf8(ERR_READ_COMPACITY_FAILED), "读机器容量失败：");
  EXPECT_EQ(AnsiToUtf8(INFO_UNKOWN1), "不详");
}

TEST_F(uConstStringsTest, PortTextHoldsOneNumberField) {
  const std::string text = AnsiToUtf8(INFO_CONECTED_PORT);
  EXPECT_EQ(text, "手持机连接在COM%d口！");
  EXPECT_EQ(text.find("%d"), text.rfind("%d"));
}

TEST_F(uConstStringsTest, UnitEndEmptiesEveryText) {
  units.Finalize();
  for (std::size_t i = 0; i < ConstStringCount; ++i) EXPECT_TRUE(ConstStringTable()[i].Value->empty());
}

TEST_F(uConstStringsTest, DefaultsFollowAUtf8CodePage) {
  units.Finalize();
  setenv("HHM_CODEPAGE", "65001", 1);
  units.Initialize();
  unsetenv("HHM_CODEPAGE");
  EXPECT_EQ(INFO_CONNECT, "连接");
  SetACP(936);
}
