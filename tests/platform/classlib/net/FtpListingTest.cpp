// Directory listings as servers write them: MLSD, LIST in the Unix and the DOS form, and lines
// no server should send.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FtpListing.h"

namespace {

const TFtpToday Today{2024, 3, 9};

struct TLineCase {
  const char* Name;
  const char* Line;
  bool Read;
  const char* EntryName;
  TFtpEntryKind Kind;
  std::int64_t Size;
  int Year, Month, Day, Hour, Minute;
};

void PrintTo(const TLineCase& c, std::ostream* os) { *os << c.Name; }

void expectEntry(const TLineCase& c, bool read, const TFtpRawEntry& e) {
  ASSERT_EQ(read, c.Read) << c.Line;
  if (!c.Read) return;
  EXPECT_EQ(e.Name, c.EntryName);
  EXPECT_EQ(e.Kind, c.Kind);
  EXPECT_EQ(e.Size, c.Size);
  EXPECT_EQ(e.HasTime, c.Year != 0);
  if (c.Year == 0) return;
  EXPECT_EQ(e.Year, c.Year);
  EXPECT_EQ(e.Month, c.Month);
  EXPECT_EQ(e.Day, c.Day);
  EXPECT_EQ(e.Hour, c.Hour);
  EXPECT_EQ(e.Minute, c.Minute);
}

// --- MLSD ---------------------------------------------------------------------------------------

class MlsdLine : public ::testing::TestWithParam<TLineCase> {};

TEST_P(MlsdLine, ReadsAsExpected) {
  TFtpRawEntry e;
  const bool read = ParseMlsdLine(GetParam().Line, e);
  expectEntry(GetParam(), read, e);
  if (read) {
    EXPECT_TRUE(e.TimeIsUtc || !e.HasTime);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MlsdLine,
    ::testing::Values(
        TLineCase{"File", "modify=20240301120507;perm=r;size=1234;type=file; CBSJ.DBF", true, "CBSJ.DBF", fekFile,
                  1234, 2024, 3, 1, 12, 5},
        TLineCase{"FolderUpperCaseFacts", "Type=DIR;Modify=19991231235959; data", true, "data", fekDirectory, -1, 1999,
                  12, 31, 23, 59},
        TLineCase{"NameWithBlanksAndSemicolons", "type=file;size=1;  a b;c=d.txt ", true, " a b;c=d.txt ", fekFile, 1, 0,
                  0, 0, 0, 0},
        TLineCase{"FractionOfASecond", "type=file;modify=20240301120507.123; f", true, "f", fekFile, -1, 2024, 3, 1, 12,
                  5},
        TLineCase{"SymbolicLink", "type=OS.unix=slink:/etc;size=4; link", true, "link", fekLink, 4, 0, 0, 0, 0, 0},
        TLineCase{"UnknownType", "type=OS.vms=device; dev", true, "dev", fekOther, -1, 0, 0, 0, 0, 0},
        TLineCase{"NoFactsAtAll", " bare", true, "bare", fekFile, -1, 0, 0, 0, 0, 0},
        TLineCase{"CurrentFolderLeftOut", "type=cdir;modify=20240301120507; /pub", false, "", fekFile, 0, 0, 0, 0, 0,
                  0},
        TLineCase{"ParentFolderLeftOut", "type=pdir; ..", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"DotNamesLeftOut", "type=dir; .", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"NoBlankBeforeTheName", "type=file;size=3;name", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"EmptyName", "type=file;size=3; ", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"SizeBeyond64Bits", "type=file;size=99999999999999999999; big", true, "big", fekFile, -1, 0, 0, 0, 0,
                  0},
        TLineCase{"NegativeSize", "type=file;size=-5; neg", true, "neg", fekFile, -1, 0, 0, 0, 0, 0},
        TLineCase{"ImpossibleDate", "type=file;modify=20230229250000; feb", true, "feb", fekFile, -1, 0, 0, 0, 0, 0},
        TLineCase{"ShortDate", "type=file;modify=2024; short", true, "short", fekFile, -1, 0, 0, 0, 0, 0},
        TLineCase{"FactsWithoutValues", "type;size;=;;modify=; odd", true, "odd", fekFile, -1, 0, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- LIST, Unix form ----------------------------------------------------------------------------

class UnixLine : public ::testing::TestWithParam<TLineCase> {};

TEST_P(UnixLine, ReadsAsExpected) {
  TFtpRawEntry e;
  expectEntry(GetParam(), ParseUnixLine(GetParam().Line, Today, e), e);
  EXPECT_FALSE(e.TimeIsUtc);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnixLine,
    ::testing::Values(
        TLineCase{"FileWithTime", "-rw-r--r--   1 owner    group        1234 Mar 01 12:05 CBSJ.DBF", true, "CBSJ.DBF",
                  fekFile, 1234, 2024, 3, 1, 12, 5},
        TLineCase{"FolderWithYear", "drwxr-xr-x   2 owner    group        4096 Dec 31  2019 data", true, "data",
                  fekDirectory, 4096, 2019, 12, 31, 0, 0},
        TLineCase{"DateAfterTodayIsLastYears", "-rw-r--r-- 1 o g 5 Nov 20 08:00 old.txt", true, "old.txt", fekFile, 5,
                  2023, 11, 20, 8, 0},
        TLineCase{"TomorrowStaysThisYear", "-rw-r--r-- 1 o g 5 Mar 10 08:00 t.txt", true, "t.txt", fekFile, 5, 2024, 3,
                  10, 8, 0},
        TLineCase{"NoGroupColumn", "-rw-r--r-- 1 ftp 77 Jan 2 2021 nogroup", true, "nogroup", fekFile, 77, 2021, 1, 2,
                  0, 0},
        TLineCase{"NameWithBlanks", "-rw-r--r-- 1 o g 5 Jan 02  2021 two  blanks .txt", true, "two  blanks .txt",
                  fekFile, 5, 2021, 1, 2, 0, 0},
        TLineCase{"LinkTarget", "lrwxrwxrwx 1 o g 11 Jan 02  2021 latest -> 2021/CBSJ", true, "latest", fekLink, 11,
                  2021, 1, 2, 0, 0},
        TLineCase{"AccessListMark", "-rw-r--r--+ 1 o g 9 Jan 02 2021 acl", true, "acl", fekFile, 9, 2021, 1, 2, 0, 0},
        TLineCase{"DeviceIsOther", "crw-rw-rw- 1 o g 0 Jan 02 2021 null", true, "null", fekOther, 0, 2021, 1, 2, 0, 0},
        TLineCase{"TotalLine", "total 24", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"DotFolderLeftOut", "drwxr-xr-x 2 o g 4096 Jan 02 2021 .", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"DotDotLeftOut", "drwxr-xr-x 2 o g 4096 Jan 02 2021 ..", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"NoName", "-rw-r--r-- 1 o g 5 Jan 02 2021", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"BadPermissions", "-rw-r--r-Q 1 o g 5 Jan 02 2021 x", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"NoMonth", "-rw-r--r-- 1 o g 5 Foo 02 2021 x", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"SizeBeyond64Bits", "-rw-r--r-- 1 o g 99999999999999999999 Jan 02 2021 x", true, "x", fekFile, -1,
                  2021, 1, 2, 0, 0},
        TLineCase{"February30th", "-rw-r--r-- 1 o g 5 Feb 30 2021 x", true, "x", fekFile, 5, 0, 0, 0, 0, 0},
        TLineCase{"HourBeyond23", "-rw-r--r-- 1 o g 5 Jan 02 24:00 x", true, "x", fekFile, 5, 0, 0, 0, 0, 0},
        TLineCase{"DayZero", "-rw-r--r-- 1 o g 5 Jan 0 2021 x", false, "", fekFile, 0, 0, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- LIST, DOS form -----------------------------------------------------------------------------

class DosLine : public ::testing::TestWithParam<TLineCase> {};

TEST_P(DosLine, ReadsAsExpected) {
  TFtpRawEntry e;
  expectEntry(GetParam(), ParseDosLine(GetParam().Line, e), e);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DosLine,
    ::testing::Values(
        TLineCase{"FileAfternoon", "03-01-24  01:05PM                 1234 CBSJ.DBF", true, "CBSJ.DBF", fekFile, 1234,
                  2024, 3, 1, 13, 5},
        TLineCase{"FolderMidnight", "12-31-99  12:00AM       <DIR>          data dir", true, "data dir", fekDirectory, -1,
                  1999, 12, 31, 0, 0},
        TLineCase{"NoonIsTwelve", "01-02-2021  12:30PM  5 noon.txt", true, "noon.txt", fekFile, 5, 2021, 1, 2, 12, 30},
        TLineCase{"SeparateHalfOfDay", "01-02-21 09:15 AM 5 sep.txt", true, "sep.txt", fekFile, 5, 2021, 1, 2, 9, 15},
        TLineCase{"TwentyFourHourClock", "01/02/2021 17:45 1,234,567 big.txt", true, "big.txt", fekFile, 1234567, 2021,
                  1, 2, 17, 45},
        TLineCase{"Hour13WithHalfOfDay", "01-02-21 13:15PM 5 bad.txt", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"NoName", "01-02-21 09:15AM 5", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"SizeNotANumber", "01-02-21 09:15AM 5x name", false, "", fekFile, 0, 0, 0, 0, 0, 0},
        TLineCase{"MonthThirteen", "13-02-21 09:15AM 5 m13", true, "m13", fekFile, 5, 0, 0, 0, 0, 0},
        TLineCase{"NotADate", "2021-01-02 09:15 5 iso", false, "", fekFile, 0, 0, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- whole listings -----------------------------------------------------------------------------

TEST(FtpListing, ReadsEveryLineEndingAndSkipsGarbage) {
  const std::string text =
      "total 3\r\n"
      "-rw-r--r--   1 o g 10 Jan 02  2021 a.txt\r\n"
      "this is no entry\n"
      "\n"
      "\r\n"
      "03-01-24  01:05PM                 7 b.txt\n"
      "drwxr-xr-x   2 o g 4096 Jan 02  2021 sub";  // the last line has no line break
  const auto entries = ParseFtpListing(text, lfList, Today);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "a.txt");
  EXPECT_EQ(entries[1].Name, "b.txt");
  EXPECT_EQ(entries[2].Name, "sub");
  EXPECT_EQ(entries[2].Kind, fekDirectory);
}

TEST(FtpListing, MlsdListingLeavesOutLinesInTheListForm) {
  const std::string text = "type=file;size=1; one\r\n-rw-r--r-- 1 o g 10 Jan 02 2021 two\r\n";
  const auto entries = ParseFtpListing(text, lfMlsd, Today);
  // The Unix line has a blank, so MLSD reads "-rw-r--r--" as its facts: an entry, whose name is
  // the rest of the line; it is never mistaken for "two".
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "one");
  EXPECT_EQ(entries[1].Name, "1 o g 10 Jan 02 2021 two");
}

TEST(FtpListing, OverlongLinesAreLeftOutWithoutHarm) {
  std::string text = "type=file; " + std::string(FtpMaxListingLine, 'x') + "\r\ntype=file; ok\r\n";
  auto entries = ParseFtpListing(text, lfMlsd, Today);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].Name, "ok");
}

TEST(FtpListing, NamesKeepEveryByteButTheLineEnd) {
  // A NUL, a backslash, a path and bytes of other encodings pass as they are; the caller decides
  // what such a name may be used for.
  using namespace std::string_literals;
  const std::string text = "type=file; a\0b\r\ntype=file; ..\\evil\r\ntype=file; ../up\r\n"s +
                           "type=file; \xd6\xd0\xce\xc4.txt\r\n";
  const auto entries = ParseFtpListing(text, lfMlsd, Today);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].Name, std::string("a\0b", 3));
  EXPECT_EQ(entries[1].Name, "..\\evil");
  EXPECT_EQ(entries[2].Name, "../up");
  EXPECT_EQ(entries[3].Name, "\xd6\xd0\xce\xc4.txt");
}

TEST(FtpListing, EmptyListingHasNoEntries) {
  EXPECT_TRUE(ParseFtpListing("", lfMlsd, Today).empty());
  EXPECT_TRUE(ParseFtpListing("\r\n\r\n", lfList, Today).empty());
}

}  // namespace
