// Sources and targets that go wrong: damaged or hostile files of every type, empty and wide
// tables, a full disk, a memo larger than the memory allows. Each ends in false with a clear
// LastError (or a conversion that succeeds), never in a crash, a changed source or half a
// target.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "ConvertFixture.h"

namespace {

class ConvertBadInputTest : public ConvertTest {
protected:
  struct TLimitedRun {
    bool Converted = false;
    std::string LastError;
  };
  // Converts in a child process under a resource limit (RLIMIT_FSIZE, RLIMIT_AS ...), so that
  // a full disk or a short memory can be had without touching the machine's own.
  TLimitedRun ConvertLimited(const std::string& Source, TConvertType Type, int Resource, rlim_t Limit) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(fds[0]);
      std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG instead
      const rlimit limit{Limit, Limit};
      ::setrlimit(Resource, &limit);
      const bool ok = module->ConvertFile(Source, Type);
      const std::string text = module->LastError();
      [[maybe_unused]] const ssize_t written = ::write(fds[1], text.data(), text.size());
      ::_exit(ok ? 0 : 1);
    }
    ::close(fds[1]);
    TLimitedRun result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) result.LastError.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the conversion did not end by itself";
    result.Converted = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
  }

  // Converts and expects a failure whose text begins with Start; the source stays as it was.
  void ExpectRefused(const std::string& Name, TConvertType Type, const std::string& Start) {
    const std::string before = ReadFileBytes(Path(Name));
    EXPECT_FALSE(module->ConvertFile(Path(Name), Type)) << Name;
    EXPECT_EQ(module->LastError().rfind(Start, 0), 0u) << Name << ": " << module->LastError();
    EXPECT_EQ(ReadFileBytes(Path(Name)), before) << Name;
  }
};

}  // namespace

TEST_F(ConvertBadInputTest, DamagedSourcesOfEveryTypeAreRefusedWithTheReadersReason) {
  const std::string open = "Open file  as Database Error: ";
  WriteFileBytes(Path("short.dbf"), std::string("\x03\x7e\x0c\x09\xff\xff\xff\x7f\x61\x00", 10));
  ExpectRefused("short.dbf", TConvertType::MDB, open);
  WriteFileBytes(Path("quote.csv"), "A,B\r\n1,\"never closed\r\n");
  ExpectRefused("quote.csv", TConvertType::MDB, open);
  WriteFileBytes(Path("junk.xls"), std::string(1024, '\x5a'));
  ExpectRefused("junk.xls", TConvertType::MDB, "");
  WriteFileBytes(Path("junk.mdb"), "not a database at all");
  ExpectRefused("junk.mdb", TConvertType::XML, "");
  WriteFileBytes(Path("junk.xml"), "<DATAPACKET Version=\"1\"><METADATA><FIELDS><FIELD Name=\"A\" Type=\"Nope\"/>");
  ExpectRefused("junk.xml", TConvertType::MDB, "");
  WriteFileBytes(Path("doctype.xml"), "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaa\">]><DATAPACKET/>");
  ExpectRefused("doctype.xml", TConvertType::MDB, "");
  for (const char* name : {"junk.xls", "junk.mdb", "junk.xml", "doctype.xml"})
    EXPECT_FALSE(module->LastError().empty()) << name;
  EXPECT_EQ(Files(), (std::vector<std::string>{"doctype.xml", "junk.mdb", "junk.xls", "junk.xml", "quote.csv",
                                               "short.dbf"}));
}

TEST_F(ConvertBadInputTest, AFolderNamedLikeASourceIsNoSource) {
  std::filesystem::create_directory(Path("dir.dbf"));
  EXPECT_FALSE(module->ConvertFile(Path("dir.dbf"), TConvertType::MDB));
  EXPECT_EQ(module->LastError(), "File not found: " + Path("dir.dbf"));
}

TEST_F(ConvertBadInputTest, AnUnreadableSourceSaysWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  MakeDbf("a.dbf", "A N(5,0)", "[(1,)]");
  std::filesystem::permissions(Path("a.dbf"), std::filesystem::perms::none);
  EXPECT_FALSE(module->ConvertFile(Path("a.dbf"), TConvertType::MDB));
  EXPECT_NE(module->LastError().find("a.dbf"), std::string::npos) << module->LastError();
  std::filesystem::permissions(Path("a.dbf"), std::filesystem::perms::owner_all);
}

TEST_F(ConvertBadInputTest, ATableWithoutRecordsGivesAnEmptyTarget) {
  MakeDbf("none.dbf", "HH C(10); DS N(10,1)", "[]");
  ASSERT_TRUE(module->ConvertFile(Path("none.dbf"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("none.mdb", "print([c[1] for c in db.execute('pragma table_info(ExportResult)')])\n"
                               "print(db.execute('select count(*) from ExportResult').fetchone())\n"),
            "['HH', 'DS']\n(0,)\n");
}

TEST_F(ConvertBadInputTest, A255ColumnTableKeepsEveryColumn) {
  std::string header, row;
  for (int i = 0; i < 255; ++i) {
    header += (i ? "," : "") + std::string("C") + std::to_string(i);
    row += (i ? "," : "") + std::to_string(i);
  }
  WriteFileBytes(Path("wide.csv"), header + "\r\n" + row + "\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("wide.csv"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("wide.mdb", "r = db.execute('select * from ExportResult').fetchone()\n"
                               "print(len(r), r[0], r[254])\n"),
            "255 0 254\n");
  WriteFileBytes(Path("wider.csv"), header + ",C255\r\n" + row + ",255\r\n");
  EXPECT_FALSE(module->ConvertFile(Path("wider.csv"), TConvertType::MDB));
  EXPECT_NE(module->LastError().find("255"), std::string::npos) << module->LastError();
}

TEST_F(ConvertBadInputTest, AFullDiskFailsWithAClearTextAndLeavesNoTarget) {
  std::string records = "[";
  for (int i = 0; i < 3000; ++i) records += "('" + std::to_string(i) + "', '张国强城东区解放路12号3单元101'),";
  MakeDbf("big.dbf", "HH C(10); DZ C(60)", records + "]");
  const std::string source = ReadFileBytes(Path("big.dbf"));
  // Room for the source's size but not for a target beside it.
  for (TConvertType type : {TConvertType::TXT, TConvertType::CSV, TConvertType::XML, TConvertType::MDB}) {
    const TLimitedRun run = ConvertLimited(Path("big.dbf"), type, RLIMIT_FSIZE, 64 * 1024);
    EXPECT_FALSE(run.Converted) << ConvertTypeName(type);
    EXPECT_FALSE(run.LastError.empty()) << ConvertTypeName(type);
    EXPECT_EQ(Files(), (std::vector<std::string>{"big.dbf"})) << run.LastError;
  }
  EXPECT_EQ(ReadFileBytes(Path("big.dbf")), source);

  // A database written before is copied before its table is replaced: a copy that does not fit
  // goes, and the database stays as it was.
  ASSERT_TRUE(module->ConvertFile(Path("big.dbf"), TConvertType::MDB)) << module->LastError();
  const std::string database = ReadFileBytes(Path("big.mdb"));
  ASSERT_GT(database.size(), 64u * 1024);
  const TLimitedRun again = ConvertLimited(Path("big.dbf"), TConvertType::MDB, RLIMIT_FSIZE, 64 * 1024);
  EXPECT_FALSE(again.Converted);
  EXPECT_EQ(Files(), (std::vector<std::string>{"big.dbf", "big.mdb"})) << again.LastError;
  EXPECT_EQ(ReadFileBytes(Path("big.mdb")), database);
  std::filesystem::remove(Path("big.mdb"));

  // And back: a text source whose table does not fit.
  ASSERT_TRUE(module->ConvertFile(Path("big.dbf"), TConvertType::CSV)) << module->LastError();
  std::filesystem::remove(Path("big.dbf"));
  const TLimitedRun run = ConvertLimited(Path("big.csv"), TConvertType::DBF, RLIMIT_FSIZE, 64 * 1024);
  EXPECT_FALSE(run.Converted);
  EXPECT_FALSE(run.LastError.empty());
  EXPECT_EQ(Files(), (std::vector<std::string>{"big.csv"})) << run.LastError;
}

TEST_F(ConvertBadInputTest, AMemoLargerThanTheMemoryFailsForWantOfIt) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#else
  MakeDbf("memo.dbf", "HH C(10); BZ M", "[('1', 'x')]");
  // The memo file grows to 2 GiB of text without its end mark; the disk holds only its first
  // and last blocks.
  {
    std::fstream dbt(Path("memo.dbt"), std::ios::binary | std::ios::in | std::ios::out);
    dbt.seekp(512);
    dbt << std::string(512, 'y');
  }
  std::filesystem::resize_file(Path("memo.dbt"), (std::uintmax_t{2} << 30) + 4096);
  const std::uintmax_t size = std::filesystem::file_size(Path("memo.dbt"));
  const TLimitedRun run = ConvertLimited(Path("memo.dbf"), TConvertType::XML, RLIMIT_AS, rlim_t{1} << 30);
  EXPECT_FALSE(run.Converted);
  EXPECT_NE(run.LastError.find("memory"), std::string::npos) << run.LastError;
  EXPECT_EQ(std::filesystem::file_size(Path("memo.dbt")), size);
  EXPECT_FALSE(std::filesystem::exists(Path("memo.xml")));
#endif
}

TEST_F(ConvertBadInputTest, AMemoFileThatLostItsEndMarksIsRefusedAsDamaged) {
  std::string records = "[";
  for (int i = 0; i < 100; ++i) records += "('" + std::to_string(i) + "', 'x'),";
  MakeDbf("memo.dbf", "HH C(10); BZ M", records + "]");
  // Every record's memo block now lies in 4 MiB of text that runs to the end of the file.
  WriteFileBytes(Path("memo.dbt"), ReadFileBytes(Path("memo.dbt")).substr(0, 512) + std::string(4 << 20, 'y'));
  ExpectRefused("memo.dbf", TConvertType::XML,
                "Open file  as Database Error: " + Path("memo.dbf") +
                    ": the memo in block 1 runs to the end of memo.dbt without its end mark: the memo file is damaged");
  EXPECT_EQ(Files(), (std::vector<std::string>{"memo.dbf", "memo.dbt"}));
}

TEST_F(ConvertBadInputTest, ATableOfAnotherDialectsFieldTypesIsRefusedNamingTheField) {
  const TReaderResult r = RunPython(
      "import dbf, datetime, sys\n"
      "t = dbf.Table(sys.argv[1], 'NAME C(10); CNT I; AMT B; PRICE Y; STAMP T', dbf_type='vfp')\n"
      "t.open(dbf.READ_WRITE)\n"
      "t.append(('a', 3, 1.5, 2.25, datetime.datetime(2024, 1, 2, 3, 4, 5)))\n"
      "t.close()\n",
      "'" + Path("vfp.dbf") + "' 2>&1");
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_FALSE(module->ConvertFile(Path("vfp.dbf"), TConvertType::CSV));
  EXPECT_EQ(module->LastError(), "Open file  as Database Error: " + Path("vfp.dbf") +
                                     ": the field CNT has the type I, which is not read (only C, N, F, D, L and M are)");
  EXPECT_EQ(Files(), (std::vector<std::string>{"vfp.dbf"}));
}

TEST_F(ConvertBadInputTest, AValueItsFieldCannotHoldEndsTheConversionNamingTableFieldAndRecord) {
  MakeDbf("v.dbf", "QTY N(11,0); DAY D", "[(1, datetime.date(2024, 1, 2)), (2, datetime.date(2024, 1, 3))]");
  const std::string sound = ReadFileBytes(Path("v.dbf"));
  const std::size_t headerLength = std::uint8_t(sound[8]) | std::uint8_t(sound[9]) << 8;
  const std::size_t first = headerLength + 1, second = first + 20;  // QTY of each record; DAY 11 bytes on
  const struct {
    std::size_t At;
    std::string Bytes;
    std::string Reason;
  } cases[] = {
      {second, "      1e999", "field QTY: \"1e999\" is not a number"},
      {second, "        NaN", "field QTY: \"NaN\" is not a number"},
      {second, "1.2.3.4.5.6", "field QTY: \"1.2.3.4.5.6\" is not a number"},
      {second + 11, "99999999", "field DAY: \"99999999\" is not a date (yyyymmdd)"},
      {second + 11, "20261340", "field DAY: \"20261340\" is not a date (yyyymmdd)"},
  };
  for (const auto& c : cases) {
    std::string bytes = sound;
    WriteFileBytes(Path("v.dbf"), bytes.replace(c.At, c.Bytes.size(), c.Bytes));
    ExpectRefused("v.dbf", TConvertType::XLS, "Open file  as Database Error: " + Path("v.dbf") + ": record 2, " + c.Reason);
    EXPECT_EQ(Files(), (std::vector<std::string>{"v.dbf"}));
  }
  // Stars and a date of zeros are nulls; a fraction in a field declared without decimals is
  // the value dbfread reads.
  std::string bytes = sound;
  bytes.replace(first, 11, "        1.7").replace(second, 11, "***********").replace(second + 11, 8, "00000000");
  WriteFileBytes(Path("v.dbf"), bytes);
  ASSERT_TRUE(module->ConvertFile(Path("v.dbf"), TConvertType::MDB)) << module->LastError();
  EXPECT_EQ(Sqlite("v.mdb", "print(db.execute('select * from ExportResult').fetchall())\n"),
            "[(1.7, '2024-01-02'), (None, None)]\n");
  EXPECT_EQ(DbfRecords("v.dbf"), "['QTY', 'DAY']\n[1.7, datetime.date(2024, 1, 2)]\n[None, None]\n");
}

TEST_F(ConvertBadInputTest, ValuesADbaseTableCannotHoldEndTheConversionWithTheFieldsName) {
  // A text of 255 bytes (a field holds 254), and a memo beyond what a memo file's block chain
  // holds; a fixed-length text of 255 bytes; a number of more digits than a number field holds.
  WriteFileBytes(Path("wide.csv"), "HH,HM\r\n1,\"" + std::string(255, 'x') + "\"\r\n");
  WriteFileBytes(Path("long.csv"), "HH,HM\r\n1,\"" + std::string(70000, 'y') + "\"\r\n");
  WriteFileBytes(Path("fixed.xml"), "<DATAPACKET Version=\"1\"><METADATA><FIELDS><FIELD Name=\"HM\" Type=\"FixedChar\" "
                                    "Size=\"255\"/></FIELDS></METADATA><ROWDATA><ROW><V>" +
                                        std::string(255, 'z') + "</V></ROW></ROWDATA></DATAPACKET>");
  WriteFileBytes(Path("digits.csv"), "HH,HM\r\n1,0.5\r\n2,-0.00000000000000000015\r\n");
  for (const char* name : {"wide.csv", "long.csv", "fixed.xml", "digits.csv"}) {
    const std::string before = ReadFileBytes(Path(name));
    EXPECT_FALSE(module->ConvertFile(Path(name), TConvertType::DBF)) << name;
    EXPECT_NE(module->LastError().find("HM"), std::string::npos) << module->LastError();
    EXPECT_EQ(ReadFileBytes(Path(name)), before);
  }
  EXPECT_EQ(Files(), (std::vector<std::string>{"digits.csv", "fixed.xml", "long.csv", "wide.csv"}));

  // The longest text a field holds converts whole.
  WriteFileBytes(Path("full.csv"), "HH,HM\r\na,\"" + std::string(254, 'x') + "\"\r\n");
  ASSERT_TRUE(module->ConvertFile(Path("full.csv"), TConvertType::DBF)) << module->LastError();
  EXPECT_EQ(DbfRecords("full.dbf"), "['HH', 'HM']\n['a', '" + std::string(254, 'x') + "']\n");
}
