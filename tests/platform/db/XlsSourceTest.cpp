#include "XlsSource.h"

#include <gtest/gtest.h>

#include <cstring>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TDbTestFolder.h"

namespace {

std::string le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
  return out;
}
std::string record(std::uint16_t id, const std::string& data) { return le(id, 2) + le(std::uint32_t(data.size()), 2) + data; }
std::string bof(std::uint16_t type) { return record(0x0809, le(0x0600, 2) + le(type, 2) + std::string(12, '\0')); }
std::string eof() { return record(0x000A, ""); }
// A compressed string with a character count of countBytes bytes.
std::string text8(const std::string& s, int countBytes) { return le(std::uint32_t(s.size()), countBytes) + '\0' + s; }
std::string cell(int row, int col, int xf) { return le(row, 2) + le(col, 2) + le(xf, 2); }
std::string number(double v) {
  std::string out(8, '\0');
  std::memcpy(out.data(), &v, 8);
  return out;
}

// A workbook stream of one sheet: globals (with Extra records before the sheet list) and the
// sheet's cell records.
std::string workbook(const std::string& extra, const std::string& cells, const std::string& sheetName = "Sheet1") {
  std::string xfs;
  for (int i = 0; i < 16; ++i) xfs += record(0x00E0, le(0, 2) + le(0, 2) + std::string(16, '\0'));
  xfs += record(0x00E0, le(0, 2) + le(14, 2) + std::string(16, '\0'));   // xf 16: built-in date
  xfs += record(0x00E0, le(0, 2) + le(164, 2) + std::string(16, '\0'));  // xf 17: custom format 164
  const std::string format = record(0x041E, le(164, 2) + text8("[$-804]h\"时\"mm", 2));
  const std::string head = bof(0x0005) + format + xfs + extra;
  const std::size_t sheetAt = head.size() + 4 + 6 + 2 + sheetName.size() + 4;
  const std::string globals = head + record(0x0085, le(std::uint32_t(sheetAt), 4) + le(0, 2) + text8(sheetName, 1)) + eof();
  return globals + bof(0x0010) + cells + eof();
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}

std::vector<TFieldType> types(const TDbCursor& c) {
  std::vector<TFieldType> out;
  for (const TDbColumn& column : c.Columns()) out.push_back(column.DataType);
  return out;
}

class XlsSourceTest : public ::testing::Test {
protected:
  void SetUp() override { SetACP(936); }
  TDbTestFolder folder_;
};

}  // namespace

TEST_F(XlsSourceTest, ReadsSheetsFormulasDatesAndCjkWrittenByGnumeric) {
  folder_.Write("in.gnumeric", R"(<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex><gnm:SheetName>数据</gnm:SheetName><gnm:SheetName>Second</gnm:SheetName></gnm:SheetNameIndex>
<gnm:Sheets>
<gnm:Sheet><gnm:Name>数据</gnm:Name><gnm:MaxCol>4</gnm:MaxCol><gnm:MaxRow>3</gnm:MaxRow><gnm:Cells>
<gnm:Cell Row="0" Col="0" ValueType="60">名字</gnm:Cell>
<gnm:Cell Row="0" Col="1" ValueType="60">Qty</gnm:Cell>
<gnm:Cell Row="0" Col="2" ValueType="60">When</gnm:Cell>
<gnm:Cell Row="0" Col="3" ValueType="60">Double</gnm:Cell>
<gnm:Cell Row="0" Col="4" ValueType="60">Label</gnm:Cell>
<gnm:Cell Row="1" Col="0" ValueType="60">张三</gnm:Cell>
<gnm:Cell Row="1" Col="1" ValueType="40">3</gnm:Cell>
<gnm:Cell Row="1" Col="2" ValueType="40" ValueFormat="yyyy-mm-dd hh:mm:ss">45351.5729166667</gnm:Cell>
<gnm:Cell Row="1" Col="3">=B2*2.5</gnm:Cell>
<gnm:Cell Row="1" Col="4">=A2&amp;"!"</gnm:Cell>
<gnm:Cell Row="2" Col="0" ValueType="60">李四</gnm:Cell>
<gnm:Cell Row="2" Col="1" ValueType="40">-4</gnm:Cell>
<gnm:Cell Row="2" Col="2" ValueType="40" ValueFormat="yyyy-mm-dd hh:mm:ss">1</gnm:Cell>
<gnm:Cell Row="2" Col="3">=B3*2.5</gnm:Cell>
<gnm:Cell Row="2" Col="4" ValueType="20">TRUE</gnm:Cell>
</gnm:Cells></gnm:Sheet>
<gnm:Sheet><gnm:Name>Second</gnm:Name><gnm:MaxCol>0</gnm:MaxCol><gnm:MaxRow>1</gnm:MaxRow><gnm:Cells>
<gnm:Cell Row="0" Col="0" ValueType="60">X</gnm:Cell>
<gnm:Cell Row="1" Col="0" ValueType="40">7</gnm:Cell>
</gnm:Cells></gnm:Sheet>
</gnm:Sheets></gnm:Workbook>
)");
  const TCommandResult made = RunCommand("cd '" + folder_.Path().string() + "' && ssconvert in.gnumeric out.xls 2>&1");
  ASSERT_EQ(made.Status, 0) << made.Output;

  auto source = OpenXlsSource(folder_.File("out.xls"));
  EXPECT_EQ(source->TableNames(), (std::vector<AnsiString>{WideToAnsi(u"数据"), "Second"}));
  auto cursor = source->OpenTable(WideToAnsi(u"数据"));
  ASSERT_EQ(cursor->Columns().size(), 5u);
  EXPECT_EQ(cursor->Columns()[0].Name, WideToAnsi(u"名字"));
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftWideString, ftInteger, ftDateTime, ftFloat, ftWideString}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsWideString(), u"张三");
  EXPECT_EQ(rows[0][1].AsInteger(), 3);
  EXPECT_NEAR(rows[0][2].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0), 1e-9);
  EXPECT_EQ(rows[0][3].AsFloat(), 7.5) << "a formula's cached number";
  EXPECT_EQ(rows[0][4].AsWideString(), u"张三!") << "a formula's cached text";
  EXPECT_EQ(rows[1][1].AsInteger(), -4);
  EXPECT_EQ(rows[1][2].AsDateTime(), EncodeDate(1900, 1, 1));
  EXPECT_EQ(rows[1][3].AsFloat(), -10.0);
  EXPECT_EQ(rows[1][4].AsWideString(), u"TRUE") << "a boolean in a text column";

  const auto second = ReadAll(*source->OpenTable("[Second$]"));
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0][0].AsInteger(), 7);
}

TEST_F(XlsSourceTest, ADateFormatOverValuesWithTimesKeepsTheTimes) {
  folder_.Write("a.csv", "Name,When\nx,2024-02-29 13:45\ny,2024-03-01\n");
  const TCommandResult made = RunCommand("cd '" + folder_.Path().string() + "' && ssconvert a.csv a.xls 2>&1");
  ASSERT_EQ(made.Status, 0) << made.Output;
  auto cursor = OpenXlsSource(folder_.File("a.xls"))->OpenTable("a.csv");
  EXPECT_EQ(cursor->Columns()[1].DataType, ftDateTime);
  EXPECT_NEAR(ReadAll(*cursor)[0][1].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0), 1e-9);
}

TEST_F(XlsSourceTest, SharedStringsContinuedInTheMiddleOfAStringSwitchCompression) {
  // "abc" + "你好": the first three characters compressed in the SST record, the rest as UTF-16
  // in the CONTINUE record behind its own option byte.
  const std::string sst = record(0x00FC, le(2, 4) + le(2, 4) + text8("Head", 2) + le(5, 2) + '\0' + "abc") +
                          record(0x003C, std::string("\x01", 1) + le(0x4F60, 2) + le(0x597D, 2));
  const std::string cells = record(0x00FD, cell(0, 0, 0) + le(0, 4)) + record(0x00FD, cell(1, 0, 0) + le(1, 4));
  auto cursor = OpenXlsBytes(workbook(sst, cells), "w.xls")->OpenTable("Sheet1");
  EXPECT_EQ(cursor->Columns()[0].Name, "Head");
  EXPECT_EQ(ReadAll(*cursor)[0][0].AsWideString(), u"abc你好");
}

TEST_F(XlsSourceTest, NumberRecordsBooleansAndDateFormatsAreRead) {
  const std::string cells =
      record(0x0204, cell(0, 0, 0) + text8("N", 2)) + record(0x0204, cell(0, 1, 0) + text8("D", 2)) +
      record(0x0204, cell(0, 2, 0) + text8("T", 2)) + record(0x0204, cell(0, 3, 0) + text8("B", 2)) +
      // RK: integer 7 (bit 1), then 1.25 as the high half of a double times 100 (bit 0 clear)
      record(0x027E, cell(1, 0, 0) + le((7u << 2) | 2u, 4)) +
      record(0x00BD, le(2, 2) + le(0, 2) + le(0, 2) + le((12345u << 2) | 3u, 4) + le(16, 2) +
                         le(0x40E38800, 4) + le(1, 2)) +
      record(0x0203, cell(1, 1, 16) + number(1.0)) + record(0x0203, cell(1, 2, 17) + number(0.75)) +
      record(0x0205, cell(1, 3, 0) + '\x01' + '\x00') + record(0x0205, cell(2, 3, 0) + '\x07' + '\x01');
  auto cursor = OpenXlsBytes(workbook(record(0x0022, le(1, 2)), cells), "w.xls")->OpenTable("Sheet1");
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftFloat, ftDate, ftTime, ftBoolean}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsFloat(), 7.0);
  EXPECT_EQ(rows[1][0].AsFloat(), 123.45);
  EXPECT_EQ(rows[0][1].AsDateTime(), EncodeDate(1904, 1, 2)) << "serial 1 in the 1904 date system";
  EXPECT_EQ(rows[1][1].AsDateTime(), 40000 + 1462);
  EXPECT_EQ(rows[0][2].AsDateTime(), 0.75) << "a time of day has no date";
  EXPECT_TRUE(rows[1][2].IsNull());
  EXPECT_TRUE(rows[0][3].AsBoolean());
  EXPECT_TRUE(rows[1][3].IsNull()) << "an error value";
}

TEST_F(XlsSourceTest, BadWorkbooksRaiseErrorsNamingTheFile) {
  const std::string good = workbook("", record(0x0204, cell(0, 0, 0) + text8("A", 2)));
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(good.substr(0, good.size() - 2), "w.xls"); }), "no error")
      << "the sheet is read only when opened";
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(good.substr(0, good.size() - 2), "w.xls")->OpenTable("Sheet1"); }),
            "w.xls: the stream ends inside a record header at offset " + std::to_string(good.size() - 4));
  std::string longRecord = good;
  longRecord[longRecord.size() - 16] = '\x7F';  // the LABEL's length
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(longRecord, "w.xls")->OpenTable("Sheet1"); }).substr(0, 20), "w.xls: record $0204 ");
  const std::string badSst = record(0x00FC, le(5, 4) + le(5, 4) + text8("only one", 2));
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(workbook(badSst, ""), "w.xls"); }),
            "w.xls: the shared string table is corrupt after 1 of 5 strings");
  const std::string pastSst = record(0x00FD, cell(0, 0, 0) + le(3, 4));
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(workbook("", pastSst), "w.xls")->OpenTable("Sheet1"); }),
            "w.xls: a cell refers to shared string 3 of 0");
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(workbook(record(0x002F, le(0, 2)), ""), "w.xls"); }), "w.xls: the workbook is encrypted");
  EXPECT_EQ(errorOf([&] { OpenXlsBytes("plain text", "w.xls"); }), "w.xls: not an Excel 97-2003 (BIFF8) workbook");
  EXPECT_EQ(errorOf([&] { OpenXlsBytes(workbook("", ""), "w.xls")->OpenTable("Other"); }), "w.xls: the workbook has no sheet Other");

  folder_.Write("a.csv", "x\n1\n");
  ASSERT_EQ(RunCommand("cd '" + folder_.Path().string() + "' && ssconvert a.csv a.xls 2>&1").Status, 0);
  const std::string file = folder_.Read("a.xls");
  const std::string cut = errorOf([&] { OpenXlsBytes(file.substr(0, 1536), "a.xls"); });
  EXPECT_EQ(cut.substr(0, 7), "a.xls: ") << cut;
  EXPECT_NE(cut, "no error");
  EXPECT_EQ(errorOf([&] { OpenXlsSource(folder_.File("missing.xls")); }).substr(0, folder_.File("missing.xls").size() + 2),
            folder_.File("missing.xls") + ": ");
}
