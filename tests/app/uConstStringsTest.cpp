// The message table: its keys in their fixed order, the defaults in the process's code page,
// and the unit's start and end.
#include "uConstStrings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "CodePage.h"
#include "LmHashLangStorage.h"
#include "LmLangMgr.h"

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
  EXPECT_STREQ(table[142].Key, "INFO_SET_DEVICE_SERIAL");
  EXPECT_STREQ(table[ConstStringCount - 1].Key, "ERR_PASSWORD_TOO_LONG");
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

namespace {

// The texts translated by a language manager over language files written by the test.
class TranslateConstStringsTest : public ::testing::Test {
protected:
  TranslateConstStringsTest()
      : units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit}),
        folder(std::filesystem::temp_directory_path() / ("hhm-texts-" + std::to_string(::getpid()))) {
    units.Initialize();
    std::filesystem::create_directories(folder);
  }
  ~TranslateConstStringsTest() override {
    manager.reset();
    storage.reset();
    units.Finalize();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  void language(const std::string& FileName, const std::string& Utf8Lines) {
    std::ofstream(folder / FileName, std::ios::binary) << "\xef\xbb\xbf" << Utf8Lines;
  }
  // Detects the files written so far and switches to language Index.
  void switchTo(int Index) {
    if (!storage) {
      storage = std::make_unique<TLmHashLangFileStorage>(nullptr);
      manager = std::make_unique<TLmLangManager>(nullptr);
      manager->SetLanguageStorage(storage.get());
      manager->OnLanguageChanged = [](TObject*) { TranslateConstStrings(); };
      storage->SetLanguagePath(Utf8ToWide(folder.string()));
    }
    manager->SetCurrentLanguageIndex(Index);
  }

  TUnitList units;
  std::filesystem::path folder;
  std::unique_ptr<TLmHashLangFileStorage> storage;
  std::unique_ptr<TLmLangManager> manager;
};

}  // namespace

TEST_F(TranslateConstStringsTest, WithoutAManagerNothingChanges) {
  TranslateConstStrings();
  EXPECT_EQ(AnsiToUtf8(INFO_WAITING), "请稍候...");
}

TEST_F(TranslateConstStringsTest, SwitchReplacesTheTextsByKey) {
  language("a.txt", "!LanguageID=1033\r\nINFO_WAITING=Please wait...\r\nINFO_CONECTED_PORT=On COM%d!\r\n");
  switchTo(0);
  EXPECT_EQ(INFO_WAITING, "Please wait...");
  EXPECT_EQ(INFO_CONECTED_PORT, "On COM%d!");
  EXPECT_EQ(AnsiToUtf8(INFO_UNKOWN), "未知");  // a key the language lacks keeps its text
}

TEST_F(TranslateConstStringsTest, MissingAndEmptyKeysKeepThePreviousLanguagesText) {
  language("a.txt", "!LanguageID=1033\r\nINFO_WAITING=Please wait...\r\nINFO_UNKOWN=Unknown\r\n");
  language("b.txt", "!LanguageID=1031\r\nINFO_WAITING=Bitte warten...\r\nINFO_UNKOWN=\r\n");
  switchTo(0);
  switchTo(1);
  EXPECT_EQ(INFO_WAITING, "Bitte warten...");
  EXPECT_EQ(INFO_UNKOWN, "Unknown");
}

TEST_F(TranslateConstStringsTest, TextOutsideTheCodePageBecomesSubstitutes) {
  language("a.txt", "!LanguageID=1054\r\nINFO_WAITING=\xe0\xb8\x81\xe0\xb8\x82\r\n");  // Thai
  switchTo(0);
  EXPECT_EQ(INFO_WAITING, "??");
}
