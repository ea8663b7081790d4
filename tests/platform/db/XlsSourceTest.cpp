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

  EXPECT_EQ(errorOf([&] { OpenXlsSource(folder_.File("missing.xls")); }).substr(0, folder_.File("missing.xls").size() + 2),
            folder_.File("missing.xls") + ": ");
}

TEST_F(XlsSourceTest, AnEmptySheetIsATableOfOneNamelessColumnAndNoRows) {
  auto cursor = OpenXlsBytes(workbook("", record(0x0201, cell(3, 3, 0))), "w.xls")->OpenTable("Sheet1$");
  ASSERT_EQ(cursor->Columns().size(), 1u);
  EXPECT_EQ(cursor->Columns()[0].Name, "F1");
  EXPECT_EQ(cursor->RecordCountHint(), 0);
  EXPECT_TRUE(ReadAll(*cursor).empty());
}
