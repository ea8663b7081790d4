#include "TExportIniFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"

namespace {

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(TExportIniFileTest, ANewFileIsWrittenAtTheCurrentVersionInUtf8) {
  TempFolder folder;
  {
    TExportIniFile ini(folder.prefix() + "x.ini");
    EXPECT_EQ(ini.Version(), 400);
    ini.WriteWideString("HEADER", "line0", u"抄表");
  }
  const std::string text = readFile(folder.path() / "x.ini");
  EXPECT_NE(text.find("[DataExport]\r\nVersion=400"), std::string::npos) << text;
  EXPECT_NE(text.find("line0=\xe6\x8a\x84\xe8\xa1\xa8"), std::string::npos) << text;
  TExportIniFile again(folder.prefix() + "x.ini");
  EXPECT_EQ(again.Version(), 400);
  EXPECT_EQ(again.ReadWideString("HEADER", "line0", u"none"), u"抄表");
  EXPECT_EQ(again.ReadWideString("HEADER", "line1", u"none"), u"none");
}

TEST(TExportIniFileTest, AnOlderFileKeepsItsAnsiCodePage) {
  TempFolder folder;
  std::ofstream(folder.path() / "old.ini", std::ios::binary) << "[HEADER]\r\nline0=\xb3\xad\xb1\xed\r\n";
  TExportIniFile ini(folder.prefix() + "old.ini");
  EXPECT_EQ(ini.Version(), 0);
  EXPECT_EQ(ini.ReadWideString("HEADER", "line0", u""), u"抄表");
  ini.WriteWideString("HEADER", "line1", u"表");
  EXPECT_EQ(readFile(folder.path() / "old.ini").find("Version"), std::string::npos);
  EXPECT_NE(readFile(folder.path() / "old.ini").find("line1=\xb1\xed"), std::string::npos);
  ini.SetVersion(400);
  ini.WriteWideString("HEADER", "line2", u"表");
  TExportIniFile again(folder.prefix() + "old.ini");
  EXPECT_EQ(again.Version(), 400);
}

TEST(TExportIniFileTest, ValuesReadBackAsTheyWereWritten) {
  TempFolder folder;
  TExportIniFile ini(folder.prefix() + "x.ini");
  for (const char* value : {" ", "  indented", "trailing ", "\"quoted\"", "'single'", "\"", "a=b=c", ""}) {
    ini.WriteString("S", "k", value);
    EXPECT_EQ(ini.ReadString("S", "k", "default"), value) << value;
  }
}
