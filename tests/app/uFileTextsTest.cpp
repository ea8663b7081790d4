// The texts of the file lists: sizes, dates, types, record names; and the name checks of the PC
// side.
#include <gtest/gtest.h>

#include <cstring>

#include "CodePage.h"
#include "ClasslibCore.h"
#include "TUnitList.h"
#include "uConstStrings.h"
#include "uFileTexts.h"

namespace {

class uFileTextsTest : public ::testing::Test {
protected:
  uFileTextsTest() : units({ClasslibCoreUnit, uConstStringsUnit}) { units.Initialize(); }
  ~uFileTextsTest() override { units.Finalize(); }
  TUnitList units;
};

}  // namespace

TEST_F(uFileTextsTest, SizeTextsRoundUpToWholeKibAndMib) {
  EXPECT_EQ(FileSizeText(0), "0");
  EXPECT_EQ(FileSizeText(1023), "1023");
  EXPECT_EQ(FileSizeText(1024), "1K");
  EXPECT_EQ(FileSizeText(1025), "2K");
  EXPECT_EQ(FileSizeText(1048575), "1024K");
  EXPECT_EQ(FileSizeText(1048576), "1M");
  EXPECT_EQ(FileSizeText(1048577), "2M");
}

TEST_F(uFileTextsTest, SizesBeyondFourGibKeepAllTheirBits) {
  EXPECT_EQ(FileSizeText(std::int64_t{5} << 30), "5120M");
  EXPECT_EQ(FileSizeText((std::int64_t{4} << 30) + 1), "4097M");
}

TEST_F(uFileTextsTest, DateTextHasTwoDigitsPerNumber) {
  EXPECT_EQ(FileDateText(9, 1, 5, 8, 7), "09-01-05 08:07");
  EXPECT_EQ(FileDateText(2024, 12, 31, 23, 59), "24-12-31 23:59");
}

TEST_F(uFileTextsTest, TerminalProgramImagesAndWhatTheirExtensionsBeginWith) {
  const AnsiString program = Utf8ToAnsi("手持机程序");
  EXPECT_EQ(PcFileTypeText("app.ROM"), program);
  EXPECT_EQ(PcFileTypeText("x.ram"), program);
  EXPECT_EQ(PcFileTypeText("x.ro"), program);
  EXPECT_NE(PcFileTypeText("x.rob"), program);
  EXPECT_NE(PcFileTypeText("README"), program);
}

TEST_F(uFileTextsTest, OtherTypesAreTheDesktopsNamesOrUnknown) {
  EXPECT_NE(PcFileTypeText("a.txt"), INFO_UNKOWN_TYPE);
  EXPECT_FALSE(PcFileTypeText("a.txt").empty());
  EXPECT_LE(PcFileTypeText("a.txt").size(), 79u);
  EXPECT_EQ(PcFileTypeText("a.no-such-type-here"), INFO_UNKOWN_TYPE);
}

TEST_F(uFileTextsTest, RecordNameEndsAtItsNulOrAfterThirtyTwoCharacters) {
  TCommFileRecord record{};
  std::memcpy(record.Name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 32);
  record.Year = 9;  // the byte after the name must not be read as part of it
  EXPECT_EQ(CommRecordName(record), "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
  std::memcpy(record.Name, "A.DBF\0XYZ", 9);
  EXPECT_EQ(CommRecordName(record), "A.DBF");
  record.Month = 1;
  record.Day = 5;
  record.Hour = 8;
  record.Minute = 7;
  EXPECT_EQ(CommRecordDate(record), "09-01-05 08:07");
}

TEST_F(uFileTextsTest, PlainNamesStayInTheirFolder) {
  EXPECT_TRUE(IsPlainFileName("a.dbf"));
  EXPECT_TRUE(IsPlainFileName("..a"));
  EXPECT_FALSE(IsPlainFileName(""));
  EXPECT_FALSE(IsPlainFileName("."));
  EXPECT_FALSE(IsPlainFileName(".."));
  EXPECT_FALSE(IsPlainFileName("../a.dbf"));
  EXPECT_FALSE(IsPlainFileName("sub/a.dbf"));
  EXPECT_FALSE(IsPlainFileName("/etc/passwd"));
}

TEST_F(uFileTextsTest, TheSystemDriveIsTheRoot) {
  EXPECT_EQ(PcFolderOfText("C:"), "/");
  EXPECT_EQ(PcFolderOfText("c:\\"), "/");
  EXPECT_EQ(PcFolderOfText("C:/tmp"), "/tmp");
  EXPECT_EQ(PcFolderOfText("D:"), "D:");
  EXPECT_EQ(PcFolderOfText("/tmp"), "/tmp");
}
