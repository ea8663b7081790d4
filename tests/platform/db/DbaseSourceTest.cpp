#include "DbaseSource.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TDbTestFolder.h"
#include "TMemoryStream.h"

namespace {

struct TFieldSpec {
  std::string Name;
  char Type;
  int Length;
  int Decimals = 0;
};

void putLe(std::string& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

// A table as the format describes it; each record is given whole, deletion flag first.
std::string dbfBytes(std::uint8_t version, const std::vector<TFieldSpec>& fields, const std::vector<std::string>& records,
                     std::uint8_t languageDriver = 0) {
  std::string out(32, '\0');
  out[0] = static_cast<char>(version);
  int recordLength = 1;
  for (const TFieldSpec& f : fields) recordLength += f.Length;
  putLe(out, 4, std::uint32_t(records.size()), 4);
  putLe(out, 8, std::uint32_t(32 * (fields.size() + 1) + 1), 2);
  putLe(out, 10, std::uint32_t(recordLength), 2);
  out[29] = static_cast<char>(languageDriver);
  for (const TFieldSpec& f : fields) {
    std::string d(32, '\0');
    d.replace(0, f.Name.size(), f.Name);
    d[11] = f.Type;
    d[16] = static_cast<char>(f.Length);
    d[17] = static_cast<char>(f.Decimals);
    out += d;
  }
  out += '\x0D';
  for (const std::string& r : records) out += r;
  out += '\x1A';
  return out;
}

std::unique_ptr<TDbCursor> openBytes(const std::string& table, const std::string& memo = {}) {
  auto tableStream = std::make_unique<TMemoryStream>();
  tableStream->WriteBuffer(table.data(), std::int64_t(table.size()));
  std::unique_ptr<TMemoryStream> memoStream;
  if (!memo.empty()) {
    memoStream = std::make_unique<TMemoryStream>();
    memoStream->WriteBuffer(memo.data(), std::int64_t(memo.size()));
  }
  return OpenDbaseTable(std::move(tableStream), std::move(memoStream), "t.dbf");
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}

TDateTime dateOf(const Variant& v) { return v.AsDateTime(); }

class DbaseSourceTest : public ::testing::Test {
protected:
  void SetUp() override { SetACP(936); }
  void TearDown() override { SetACP(936); }
  TDbTestFolder folder_;
};

}  // namespace

TEST_F(DbaseSourceTest, ReadsAGbkTableWithMemosWrittenByPythonDbf) {
  folder_.Python(
      "import dbf, datetime\n"
      "t = dbf.Table('meters.dbf', 'NAME C(20); AMT N(12,2); CNT N(5,0); BIG N(15,0); D D; L L; M M',"
      " dbf_type='db3', codepage='cp936')\n"
      "t.open(dbf.READ_WRITE)\n"
      "t.append(('张三', 1234.5, 42, 123456789012, datetime.date(2024,2,29), True, '备注一'))\n"
      "t.append(('gone', 1, 1, 1, None, False, 'deleted'))\n"
      "t.append(('李四', -0.25, None, None, None, None, 'x'*600 + '尾'))\n"
      "dbf.delete(t[1])\n"
      "t.close()\n");
  auto source = OpenDbaseSource(folder_.Folder());
  EXPECT_EQ(source->TableNames(), std::vector<AnsiString>{"meters.dbf"});
  auto cursor = source->OpenTable("meters.dbf");

  const auto& columns = cursor->Columns();
  ASSERT_EQ(columns.size(), 7u);
  EXPECT_EQ(columns[0].Name, "NAME");
  EXPECT_EQ(columns[0].DataType, ftString);
  EXPECT_EQ(columns[0].Size, 20);
  EXPECT_EQ(columns[1].DataType, ftFloat);
  EXPECT_EQ(columns[1].Scale, 2);
  EXPECT_EQ(columns[2].DataType, ftInteger);
  EXPECT_EQ(columns[3].DataType, ftLargeint);
  EXPECT_EQ(columns[4].DataType, ftDate);
  EXPECT_EQ(columns[5].DataType, ftBoolean);
  EXPECT_EQ(columns[6].DataType, ftMemo);

  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u) << "the deleted record is skipped";
  EXPECT_EQ(rows[0][0].AsString(), WideToAnsi(u"张三"));
  EXPECT_EQ(rows[0][1].AsFloat(), 1234.5);
  EXPECT_EQ(rows[0][2].VarType(), varInteger);
  EXPECT_EQ(rows[0][2].AsInteger(), 42);
  EXPECT_EQ(rows[0][3].AsInt64(), 123456789012LL);
  EXPECT_EQ(dateOf(rows[0][4]), EncodeDate(2024, 2, 29));
  EXPECT_EQ(rows[0][5].AsBoolean(), true);
  EXPECT_EQ(rows[0][6].AsString(), WideToAnsi(u"备注一"));

  EXPECT_EQ(rows[1][0].AsString(), WideToAnsi(u"李四"));
  EXPECT_EQ(rows[1][1].AsFloat(), -0.25);
  EXPECT_TRUE(rows[1][2].IsNull());
  EXPECT_TRUE(rows[1][3].IsNull());
  EXPECT_TRUE(rows[1][4].IsNull());
  EXPECT_TRUE(rows[1][5].IsNull());
  EXPECT_EQ(rows[1][6].AsString(), std::string(600, 'x') + WideToAnsi(u"尾")) << "a memo over two blocks";
}

TEST_F(DbaseSourceTest, RewindReadsTheRecordsAgain) {
  auto cursor = openBytes(dbfBytes(0x03, {{"A", 'C', 3}}, {" abc", " def"}));
  EXPECT_EQ(ReadAll(*cursor).size(), 2u);
  cursor->Rewind();
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsString(), "abc");
}

TEST_F(DbaseSourceTest, ManyRecordsAreReadAcrossBufferRuns) {
  std::vector<std::string> records;
  for (int i = 0; i < 5000; ++i) {
    char number[12];
    std::snprintf(number, sizeof number, "%10d", i);
    records.push_back(std::string(i % 7 == 0 ? "*" : " ") + number + std::string(40, 'x'));
  }
  auto cursor = openBytes(dbfBytes(0x03, {{"N", 'N', 10}, {"PAD", 'C', 40}}, records));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 5000u - 715u);
  EXPECT_EQ(rows.front()[0].AsInteger(), 1);
  EXPECT_EQ(rows.back()[0].AsInteger(), 4999);
}

TEST_F(DbaseSourceTest, ZeroCharacterVersionByteReadsAsAPlainTable) {
  auto cursor = openBytes(dbfBytes('0', {{"A", 'C', 2}}, {" ok"}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0].AsString(), "ok");
}

TEST_F(DbaseSourceTest, OddFieldContentsReadAsNullOrTheirValue) {
  const std::vector<TFieldSpec> fields = {{"N", 'N', 15, 4}, {"I", 'N', 6}, {"D", 'D', 8}, {"L", 'L', 1}, {"J", 'N', 5}};
  auto cursor = openBytes(dbfBytes(0x03, fields,
                                   {std::string(" ") + "           null" + "  12.0" + "        " + "?" + "  1.7",
                                    std::string(" ") + "      3,5000000" + "******" + "00000000" + "y" + "    3",
                                    std::string(" ") + "         +2.5E1" + "  -7  " + "20240229" + "n" + "*****"}));
  EXPECT_EQ(cursor->Columns()[1].DataType, ftInteger) << "12.0 is a whole number";
  EXPECT_EQ(cursor->Columns()[4].DataType, ftFloat) << "more decimals than declared";
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(rows[0][0].IsNull()) << "the dBASE exporter writes empty floats as null";
  EXPECT_EQ(rows[0][1].AsInteger(), 12);
  EXPECT_TRUE(rows[0][2].IsNull());
  EXPECT_TRUE(rows[0][3].IsNull());
  EXPECT_EQ(rows[0][4].AsFloat(), 1.7);
  EXPECT_EQ(rows[1][0].AsFloat(), 3.5);
  EXPECT_TRUE(rows[1][1].IsNull()) << "overflow stars";
  EXPECT_TRUE(rows[1][2].IsNull());
  EXPECT_TRUE(rows[1][3].AsBoolean());
  EXPECT_EQ(rows[1][4].AsFloat(), 3.0);
  EXPECT_EQ(rows[2][0].AsFloat(), 25.0);
  EXPECT_EQ(rows[2][1].AsInteger(), -7);
  EXPECT_EQ(dateOf(rows[2][2]), EncodeDate(2024, 2, 29));
  EXPECT_FALSE(rows[2][3].AsBoolean());
  EXPECT_TRUE(rows[2][4].IsNull());
}

TEST_F(DbaseSourceTest, TextOfATableInAnotherCodePageIsConverted) {
  SetACP(65001);
  auto cursor = openBytes(dbfBytes(0x03, {{"A", 'C', 4}}, {" caf\xE9"}, 0x03));
  EXPECT_EQ(ReadAll(*cursor)[0][0].AsString(), "caf\xC3\xA9");
}

TEST_F(DbaseSourceTest, Dbase4MemosUseTheHeaderBlockSizeAndTheirLength) {
  std::string memo(64, '\0');
  memo[0] = 3;      // next free block
  memo[20] = 32;    // block size
  std::string block = std::string("\xFF\xFF\x08\x00", 4) + std::string("\x0D\x00\x00\x00", 4) + "hello";
  block.resize(64, '\0');
  memo.replace(32, 32, block.substr(0, 32));
  memo += block.substr(32);
  auto cursor = openBytes(dbfBytes(0x8B, {{"M", 'M', 10}}, {"          1", "           "}), memo);
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsString(), "hello");
  EXPECT_TRUE(rows[1][0].IsNull());
}

TEST_F(DbaseSourceTest, OpenTableIgnoresCaseAndTheExtension) {
  folder_.Write("Meters.DBF", dbfBytes(0x03, {{"A", 'C', 1}}, {" x"}));
  folder_.Write("notes.txt", "not a table");
  auto source = OpenDbaseSource(folder_.Folder());
  EXPECT_EQ(source->TableNames(), std::vector<AnsiString>{"Meters.DBF"});
  EXPECT_EQ(ReadAll(*source->OpenTable("meters"))[0][0].AsString(), "x");
  EXPECT_EQ(ReadAll(*source->OpenTable("METERS.dbf"))[0][0].AsString(), "x");
  EXPECT_EQ(errorOf([&] { source->OpenTable("other.dbf"); }), folder_.Folder() + "other.dbf: no such dBASE table");
  EXPECT_EQ(errorOf([&] { OpenDbaseSource(folder_.File("nowhere")); }), folder_.File("nowhere") + ": no such folder");
}

TEST_F(DbaseSourceTest, MemoFilesAreFoundBesideTheirTable) {
  auto memo = [](const std::string& Text) { return std::string(512, '\0') + Text + "\x1A\x1A"; };
  const std::string table = dbfBytes(0x83, {{"M", 'M', 10}}, {"          1"});
  folder_.Write("a.dbf", table);
  folder_.Write("A.DBT", memo("note"));
  // Names that differ only in case are other tables: each reads its own memo file.
  folder_.Write("CBSJ.DBF", table);
  folder_.Write("CBSJ.DBT", memo("upper"));
  folder_.Write("CBSJ.dbf", table);
  folder_.Write("CBSJ.dbt", memo("lower"));
  auto source = OpenDbaseSource(folder_.Folder());
  EXPECT_EQ(ReadAll(*source->OpenTable("a.dbf"))[0][0].AsString(), "note");
  EXPECT_EQ(ReadAll(*source->OpenTable("CBSJ.dbf"))[0][0].AsString(), "lower");
  EXPECT_EQ(ReadAll(*source->OpenTable("CBSJ.DBF"))[0][0].AsString(), "upper");
}

TEST_F(DbaseSourceTest, RecordsPointingAtOneMemoReadItOnce) {
  // A stream that counts the bytes read from it.
  class TCountingStream : public TMemoryStream {
  public:
    explicit TCountingStream(std::int64_t& Count) : count_(Count) {}
    std::int64_t Read(void* Buffer, std::int64_t Count) override {
      const std::int64_t got = TMemoryStream::Read(Buffer, Count);
      count_ += got;
      return got;
    }

  private:
    std::int64_t& count_;
  };
  const std::string text(1500, 'm');
  const std::string memo = std::string(512, '\0') + text + "\x1A\x1A" + std::string(1536 - 1502, '\0');
  const std::string table = dbfBytes(0x83, {{"M", 'M', 10}}, std::vector<std::string>(100, "          1"));
  std::int64_t memoBytesRead = 0;
  auto tableStream = std::make_unique<TMemoryStream>();
  tableStream->WriteBuffer(table.data(), std::int64_t(table.size()));
  auto memoStream = std::make_unique<TCountingStream>(memoBytesRead);
  memoStream->WriteBuffer(memo.data(), std::int64_t(memo.size()));
  auto cursor = OpenDbaseTable(std::move(tableStream), std::move(memoStream), "t.dbf");
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 100u);
  for (const auto& row : rows) ASSERT_EQ(row[0].AsString(), text);
  EXPECT_LE(memoBytesRead, std::int64_t(memo.size())) << "the memo file is read once for all the records";
}

TEST_F(DbaseSourceTest, OtherDialectsFieldTypesAreRefusedNamingTheField) {
  // Visual FoxPro's binary integer, double, currency and date-time fields, and the null flags
  // that its nullable fields bring.
  folder_.Python(
      "import dbf\n"
      "for t in 'IBYT':\n"
      "    dbf.Table('vfp_%s.dbf' % t, 'NAME C(10); X%s %s' % (t, t), dbf_type='vfp').close()\n"
      "dbf.Table('nulls.dbf', 'NAME C(10); NOTE C(5) NULL', dbf_type='vfp').close()\n");
  auto source = OpenDbaseSource(folder_.Folder());
  for (const char* type : {"I", "B", "Y", "T"}) {
    const std::string table = std::string("vfp_") + type + ".dbf";
    EXPECT_EQ(errorOf([&] { source->OpenTable(table); }),
              folder_.File(table) + ": the field X" + type + " has the type " + type +
                  ", which is not read (only C, N, F, D, L and M are)");
  }
  EXPECT_EQ(errorOf([&] { source->OpenTable("nulls.dbf"); }),
            folder_.File("nulls.dbf") + ": the field _NULLFLAGS has the type 0, which is not read (only C, N, F, D, L "
                                        "and M are)");
}

struct THostileCase {
  const char* Name;
  std::string Table;
  std::string Memo;
  const char* Error;
};

class DbaseHostileTest : public ::testing::TestWithParam<THostileCase> {};

TEST_P(DbaseHostileTest, RaisesADatabaseErrorNamingTheFile) {
  const THostileCase& c = GetParam();
  EXPECT_EQ(errorOf([&] {
              auto cursor = openBytes(c.Table, c.Memo);
              ReadAll(*cursor);
            }),
            c.Error);
}

void PrintTo(const THostileCase& c, std::ostream* out) { *out << c.Name; }

namespace {

std::string withByte(std::string s, std::size_t at, char value) {
  s[at] = value;
  return s;
}
const std::string plain = dbfBytes(0x03, {{"A", 'C', 3}}, {" abc"});
const std::string memoTable = dbfBytes(0x83, {{"M", 'M', 10}}, {"         99"});

// A table whose third record holds Values (of fields QTY N(11,0), DAY D and OK L); the first,
// deleted, holds them too, and the second is sound.
std::string badValues(const std::string& Values) {
  return dbfBytes(0x03, {{"QTY", 'N', 11}, {"DAY", 'D', 8}, {"OK", 'L', 1}},
                  {"*" + Values, std::string(" ") + "         12" + "20261231" + "T", " " + Values});
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    BadInput, DbaseHostileTest,
    ::testing::Values(
        THostileCase{"ShortHeader", plain.substr(0, 32), "", "t.dbf: the header is shorter than 33 bytes"},
        THostileCase{"RecordLengthZero", withByte(withByte(plain, 10, 0), 11, 0), "", "t.dbf: the record length is 0"},
        THostileCase{"RecordCountPastTheEnd", withByte(plain, 4, 9), "", "t.dbf: the record count 9 goes past the end of the file"},
        THostileCase{"UnknownVersion", withByte(plain, 0, 0x04), "", "t.dbf: not a dBASE III or IV table (version byte $04)"},
        THostileCase{"HeaderLengthPastTheEnd", withByte(plain, 9, 0x10), "", "t.dbf: the header length 4161 does not fit the file"},
        THostileCase{"FieldsLongerThanTheRecord", withByte(plain, 48, 9), "", "t.dbf: the fields need more than the record length of 4 bytes"},
        THostileCase{"NoFields", withByte(plain, 32, 0x0D), "", "t.dbf: the table has no fields"},
        THostileCase{"MemoBlockPastTheMemoFile", memoTable, std::string(1024, '\0'), "t.dbt: memo block 99 is past the end of the memo file"},
        THostileCase{"MemoFileMissing", memoTable, "", "t.dbf: the table has memo fields but its memo file is missing"},
        THostileCase{"DamagedMemoWithoutItsEndMark", dbfBytes(0x83, {{"M", 'M', 10}}, {"          2", "          1"}),
                     std::string(512, '\0') + std::string(4096, 'y'),
                     "t.dbf: the memo in block 2 runs to the end of t.dbt without its end mark: the memo file is damaged"},
        THostileCase{"VisualFoxProInteger", dbfBytes(0x30, {{"NAME", 'C', 10}, {"CNT", 'I', 4}}, {}), "",
                     "t.dbf: the field CNT has the type I, which is not read (only C, N, F, D, L and M are)"},
        THostileCase{"NumberOutOfRange", badValues("      1e99920261231T"), "", "t.dbf: record 3, field QTY: \"1e999\" is not a number"},
        THostileCase{"NumberNaN", badValues("        NaN20261231T"), "", "t.dbf: record 3, field QTY: \"NaN\" is not a number"},
        THostileCase{"NumberOfManyPoints", badValues("1.2.3.4.5.620261231T"), "", "t.dbf: record 3, field QTY: \"1.2.3.4.5.6\" is not a number"},
        THostileCase{"DateOfNines", badValues("          199999999T"), "", "t.dbf: record 3, field DAY: \"99999999\" is not a date (yyyymmdd)"},
        THostileCase{"DateOfMonth13", badValues("          120261340T"), "", "t.dbf: record 3, field DAY: \"20261340\" is not a date (yyyymmdd)"},
        THostileCase{"LogicalOfAnotherLetter", badValues("          120261231X"), "", "t.dbf: record 3, field OK: \"X\" is not a logical value"},
        THostileCase{"Dbase4MemoLengthPastTheEnd", dbfBytes(0x8B, {{"M", 'M', 10}}, {"          1"}),
                     std::string(512, '\0') + std::string("\xFF\xFF\x08\x00\xFF\xFF\x00\x00", 8), "t.dbt: memo block 1 has a length past the end of the memo file"}),
    [](const ::testing::TestParamInfo<THostileCase>& info) { return std::string(info.param.Name); });
