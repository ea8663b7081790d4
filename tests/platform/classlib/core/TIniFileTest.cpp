#include "TIniFile.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "CodePage.h"
#include "DateRoutines.h"
#include "FormatSettings.h"
#include "TStringList.h"

namespace {

namespace fs = std::filesystem;

class TIniFileTest : public testing::Test {
protected:
  void SetUp() override {
    SetACP(936);
    savedSettings_ = GetFormatSettings();
    char pattern[] = "/tmp/inifile-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = dir_ / "settings.ini";
  }
  void TearDown() override {
    SetFormatSettings(savedSettings_);
    setImmutable(dir_, false);
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }

  void put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string get() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  AnsiString name() const { return path_.string(); }
  static AnsiString gbk(const char16_t* text) { return WideToAnsi(text, 936); }

  // Makes a folder no process may write to: read-only permissions, or for root, who ignores
  // them, the file system's immutable flag.
  static bool makeReadOnly(const fs::path& folder) {
    if (::geteuid() != 0) {
      fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
      return true;
    }
    return setImmutable(folder, true);
  }
  static bool setImmutable(const fs::path& folder, bool on) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
  }

  fs::path dir_, path_;
  TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(TIniFileTest, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("FTP", "Server", "localhost"), "localhost");
  EXPECT_EQ(ini.ReadInteger("sysoptions", "runmode", 1), 1);
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.Count(), 0);
  ini.DeleteKey("sysoptions", "runmode");
  ini.EraseSection("sysoptions");
  ini.UpdateFile();
  EXPECT_FALSE(fs::exists(path_));
  ini.WriteInteger("sysoptions", "runmode", 3);
  ini.WriteBool("sysoptions", "SysSetting", true);
  EXPECT_EQ(get(), "[sysoptions]\r\nrunmode=3\r\nSysSetting=1\r\n");
}

TEST_F(TIniFileTest, NamesMatchWithoutCaseOrBlanksAndWritesLeaveEveryOtherLineAsItWas) {
  put("; settings\n[UploadFile]\n  UploadNum = 3 \nfile1=A.DBF\n\n; old entries\nfile5=stale\n\n[Other]\r\nunknown=1\n"
      "free text");
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadInteger(" uploadfile ", "UPLOADNUM", 0), 3);
  ini.WriteInteger("uploadfile", "uploadnum ", 1);
  ini.WriteString("uploadfile", "file2", "B.DBF");
  ini.WriteString("other", "added", "x");
  ini.WriteString("FTP", "Port", "21");
  EXPECT_EQ(get(),
            "; settings\n[UploadFile]\n  UploadNum = 1\nfile1=A.DBF\n\n; old entries\nfile5=stale\nfile2=B.DBF\n\n"
            "[Other]\r\nunknown=1\nfree text\nadded=x\n[FTP]\nPort=21\n");
  TStringList keys;
  ini.ReadSection("Other", &keys);
  EXPECT_EQ(keys.CommaText(), "unknown,\"free text\",added");
}

TEST_F(TIniFileTest, FirstOfDuplicatedKeysAndSectionsCounts) {
  put("[a]\nk=1\nK=2\n[b]\nx=1\n[A]\nk=3\nz=4\n");
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
  EXPECT_EQ(ini.ReadString("a", "z", "none"), "none");
  TStringList lines;
  ini.ReadSectionValues("a", &lines);
  EXPECT_EQ(lines.CommaText(), "k=1");
  ini.ReadSections(&lines);
  EXPECT_EQ(lines.CommaText(), "a,b");
  ini.WriteString("a", "k", "5");
  EXPECT_EQ(get(), "[a]\nk=5\nK=2\n[b]\nx=1\n[A]\nk=3\nz=4\n");
  ini.DeleteKey("a", "k");
  EXPECT_EQ(ini.ReadString("a", "k", ""), "2");
  ini.EraseSection("A");
  EXPECT_EQ(get(), "[b]\nx=1\n");
}

TEST_F(TIniFileTest, OnePairOfEnclosingQuotesIsRemoved) {
  put("[q]\na = \"  x  \"\nb='y'\nc=\"z'\nd=\"\ne=\"\"\nf=\"\"w\"\"\nnovalue\n");
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("q", "a", ""), "  x  ");
  EXPECT_EQ(ini.ReadString("q", "b", ""), "y");
  EXPECT_EQ(ini.ReadString("q", "c", ""), "\"z'");
  EXPECT_EQ(ini.ReadString("q", "d", ""), "\"");
  EXPECT_EQ(ini.ReadString("q", "e", "default"), "");
  EXPECT_EQ(ini.ReadString("q", "f", ""), "\"w\"");
  EXPECT_EQ(ini.ReadString("q", "novalue", "default"), "default");
  EXPECT_TRUE(ini.ValueExists("q", "NOVALUE"));
  EXPECT_FALSE(ini.ValueExists("q", "g"));
  TStringList lines;
  ini.ReadSectionValues("q", &lines);
  EXPECT_EQ(lines.Strings(0), "a=  x  ");
  EXPECT_EQ(lines.Strings(6), "novalue=");
}

TEST_F(TIniFileTest, IntegersAndBooleansFallBackToTheDefault) {
  put("[n]\nhex=0x1F\ndollar=$10\nneg=-7\nword=abc\ntail=12abc\nempty=\ntwo=2\nzero=0\ntrue=true\n[empty]\n");
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadInteger("n", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "dollar", 0), 16);
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -7);
  for (const char* key : {"word", "tail", "empty", "missing"}) EXPECT_EQ(ini.ReadInteger("n", key, 9), 9) << key;
  EXPECT_TRUE(ini.ReadBool("n", "two", false));
  EXPECT_FALSE(ini.ReadBool("n", "zero", true));
  EXPECT_TRUE(ini.ReadBool("n", "true", true));
  EXPECT_FALSE(ini.ReadBool("n", "true", false));
  EXPECT_TRUE(ini.SectionExists("N"));
  EXPECT_FALSE(ini.SectionExists("empty"));
  ini.WriteBool("n", "zero", true);
  ini.WriteInteger("n", "neg", -2147483647 - 1);
  EXPECT_EQ(ini.ReadString("n", "zero", ""), "1");
  EXPECT_EQ(ini.ReadInteger("n", "neg", 0), -2147483647 - 1);
}

TEST_F(TIniFileTest, FloatsFollowTheFormatSettings) {
  TFormatSettings comma = GetFormatSettings();
  comma.DecimalSeparator = ',';
  put("[f]\npoint=1.5\nword=abc\n");
  TIniFile ini(name());
  SetFormatSettings(comma);
  EXPECT_EQ(ini.ReadFloat("f", "point", -1), -1);
  ini.WriteFloat("f", "comma", 2.25);
  EXPECT_EQ(ini.ReadFloat("f", "comma", -1), 2.25);
  EXPECT_EQ(ini.ReadString("f", "comma", ""), "2,25");
  comma.DecimalSeparator = '.';
  SetFormatSettings(comma);
  EXPECT_EQ(ini.ReadFloat("f", "point", -1), 1.5);
  EXPECT_EQ(ini.ReadFloat("f", "word", -1), -1);
}

TEST_F(TIniFileTest, DatesAndTimesFollowTheFormatSettings) {
  TFormatSettings iso = GetFormatSettings();
  iso.ShortDateFormat = "yyyy/mm/dd";
  iso.DateSeparator = '-';
  iso.LongTimeFormat = "hh:nn:ss";
  iso.TimeSeparator = ':';
  SetFormatSettings(iso);
  TIniFile ini(name());
  TDateTime day = EncodeDate(2024, 5, 6), time = EncodeTime(13, 45, 10, 0);
  ini.WriteDate("d", "day", day);
  ini.WriteTime("d", "time", time);
  ini.WriteDateTime("d", "both", day + time);
  ini.WriteString("d", "bad", "31-02-2024");
  EXPECT_EQ(ini.ReadString("d", "both", ""), "2024-05-06 13:45:10");
  EXPECT_EQ(ini.ReadDate("d", "day", 0), day);
  EXPECT_NEAR(ini.ReadTime("d", "time", 0), time, 1e-9);
  EXPECT_NEAR(ini.ReadDateTime("d", "both", 0), day + time, 1e-9);
  EXPECT_EQ(ini.ReadDate("d", "bad", -1), -1);
  EXPECT_EQ(ini.ReadTime("d", "missing", -1), -1);
}

TEST_F(TIniFileTest, GbkNamesAndValuesAreKeptAsBytes) {
  TIniFile ini(name());
  // 乚 ends in the byte of "]", 丄 and 乤 differ only in a trail byte "A"/"a".
  AnsiString section = gbk(u"设置乚"), upper = gbk(u"丄"), lower = gbk(u"乤");
  ini.WriteString(section, upper, gbk(u"抄表机"));
  ini.WriteString(section, lower, "2");
  EXPECT_EQ(get(), "[" + section + "]\r\n" + upper + "=" + gbk(u"抄表机") + "\r\n" + lower + "=2\r\n");
  TIniFile other(name());
  EXPECT_EQ(other.ReadString(section, upper, ""), gbk(u"抄表机"));
  EXPECT_EQ(other.ReadString(section, lower, ""), "2");
}

TEST_F(TIniFileTest, ByteOrderMarkAndLineEndsAreHonoured) {
  put("\xEF\xBB\xBF[a]\nx=1");
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("a", "x", ""), "1");
  ini.WriteString("a", "y", "2");
  EXPECT_EQ(get(), "\xEF\xBB\xBF[a]\nx=1\ny=2\n");
}

TEST_F(TIniFileTest, BinaryGarbageReadsAsDefaultsAndSurvivesAWrite) {
  std::mt19937 random(7);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  put(garbage);
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("sysoptions", "Dir", "c:\\"), "c:\\");
  ini.WriteString("sysoptions", "Dir", "/home");
  std::string after = get();
  EXPECT_EQ(after.substr(0, garbage.size()), garbage);
  EXPECT_EQ(ini.ReadString("sysoptions", "Dir", ""), "/home");
}

TEST_F(TIniFileTest, BinaryBytesAreReadAsText) {
  std::string bytes("\x00\x01\xFF\xFE\n[s]\r\nk= v \n\x00garbage\xFF\n", 26);
  put(bytes);
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
  ini.WriteString("s", "k", "w");
  EXPECT_EQ(get(), std::string("\x00\x01\xFF\xFE\n[s]\r\nk= w\n\x00garbage\xFF\n", 25));
}

TEST_F(TIniFileTest, HugeValuesAreReadWhole) {
  std::string value(100 * 1024, 'v');
  value.back() = 'e';
  TIniFile ini(name());
  ini.WriteString("big", "value", value);
  EXPECT_EQ(TIniFile(name()).ReadString("big", "value", ""), value);
}

TEST_F(TIniFileTest, NewFileInAReadOnlyFolderRaisesAndCreatesNothing) {
  if (!makeReadOnly(dir_)) GTEST_SKIP() << "cannot make a folder read-only here";
  TIniFile ini(name());
  try {
    ini.WriteString("a", "x", "2");
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_NE(e.Message().find("Unable to write to " + name()), std::string::npos) << e.Message();
  }
  EXPECT_FALSE(fs::exists(path_));
  EXPECT_EQ(ini.ReadString("a", "x", "d"), "d");
}

TEST_F(TIniFileTest, WritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  put("; kept\n[a]\nx=1\nlonger=a value longer than the new text\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat before;
  ::stat(path_.c_str(), &before);
  if (!makeReadOnly(dir_)) GTEST_SKIP() << "cannot make a folder read-only here";
  TIniFile ini(name());
  ini.WriteString("a", "x", "2");
  ini.WriteString("a", "longer", "short");
  ini.WriteString("b", "new", "3");
  ini.UpdateFile();
  EXPECT_EQ(get(), "; kept\n[a]\nx=2\nlonger=short\n[b]\nnew=3\n");
  struct stat after;
  ::stat(path_.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(fs::status(path_).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(TIniFile(name()).ReadString("b", "new", ""), "3");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";
}

TEST_F(TIniFileTest, FolderInPlaceOfTheFileReadsEmptyAndRefusesWrites) {
  fs::create_directory(path_);
  TIniFile ini(name());
  EXPECT_EQ(ini.ReadString("a", "x", "d"), "d");
  EXPECT_THROW(ini.WriteString("a", "x", "1"), EIniFileException);
}

TEST_F(TIniFileTest, NamesAndValuesTheFormatCannotHoldAreRefused) {
  TIniFile ini(name());
  EXPECT_THROW(ini.WriteString("a]b", "k", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString(" ", "k", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("a", "k=v", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("a", ";k", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("a", "[k", "v"), EIniFileException);
  EXPECT_THROW(ini.WriteString("a", "k", "line\r\n[evil]"), EIniFileException);
  // A name ending in a lead byte would take the "]" after it for its second byte.
  EXPECT_THROW(ini.WriteString(gbk(u"城") + "\xAB", "k", "v"), EIniFileException);
  EXPECT_FALSE(fs::exists(path_));
  ini.WriteString(gbk(u"城东") + "\x81]", "k", "v");  // "]" as the second byte of a character
  EXPECT_EQ(TIniFile(name()).ReadString(gbk(u"城东") + "\x81]", "k", ""), "v");
}

TEST_F(TIniFileTest, TwoObjectsAndOtherWritersSeeEachOthersChanges) {
  TIniFile first(name()), second(name());
  for (int i = 0; i < 50; ++i) {
    first.WriteInteger("s", "k", i % 10);
    ASSERT_EQ(second.ReadInteger("s", "k", -1), i % 10);
    second.WriteInteger("s", "k", 9 - i % 10);
    ASSERT_EQ(first.ReadInteger("s", "k", -1), 9 - i % 10);
  }
  put("[s]\nk=123\n");
  EXPECT_EQ(first.ReadInteger("s", "k", -1), 123);
}

TEST_F(TIniFileTest, ReplacingKeepsPermissionsAndLinksAndSkipsUnchangedWrites) {
  put("[a]\nx=1\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::path link = dir_ / "link.ini";
  fs::create_symlink(path_, link);
  TIniFile ini(link.string());
  struct stat before, after;
  ::stat(path_.c_str(), &before);
  ini.WriteString("a", "x", "1");
  ::stat(path_.c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);
  ini.WriteString("a", "x", "2");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(get(), "[a]\nx=2\n");
  EXPECT_EQ(fs::status(path_).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);  // no temporary file left
}
