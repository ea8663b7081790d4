// Round trips of the terminal's dBASE tables through every type and back, compared value by
// value by python3-dbfread: integers, floats, dates, booleans, GBK text, memos and empty values
// come back as they went.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConvertFixture.h"

namespace {

// Texts with the delimiter, quotes and line breaks, a customer named "Null", numbers at their
// field's limits (more decimals and more digits than a default float field holds), every kind
// of empty value.
constexpr const char* RoundTripSpec =
    "HH C(10); HM C(30); DS N(10,1); KJ N(10,0); JE N(12,2); LNG N(11,6); BIG N(18,2); RQ D; YC L; BZ M";
constexpr const char* RoundTripRecords =
    "[('0100101', '张国强', 1234.5, 2147483647, -0.01, 116.397128, 1234567890123.45, datetime.date(2024, 2, 29), True,"
    "  '表在院内\\r\\n第二行'),"
    " ('0100102', '王\"小\"二, 三', -876.0, -5, 99999999.99, -0.000001, -99999999999.99, datetime.date(1999, 12, 31),"
    "  False, 'a, \"b\"'),"
    " ('0100103', ' 前后空格', 0.0, 0, 0.5, 0.0, 0.0, datetime.date(2000, 1, 1), None, ''),"
    " ('null', 'Null', None, None, None, None, None, None, None, 'NULL'),"
    " ('', '', None, None, None, None, None, None, None, None)]";

class ConvertRoundTripTest : public ConvertTest, public ::testing::WithParamInterface<TConvertType> {
protected:
  // Converts a.dbf into Type, the result (renamed b.*) back into dBASE, and compares a.dbf with
  // b.dbf field by field and value by value; "" when they agree, else what differs. An XML
  // packet keeps the fields' layout, so b.dbf has a.dbf's; the other types declare no number
  // layout, and b.dbf's float fields are at least as wide as N(15,4). A workbook keeps no row
  // whose cells are all empty, and its line breaks are line feeds.
  std::string RoundTrip(TConvertType Type) {
    MakeDbf("a.dbf", RoundTripSpec, RoundTripRecords);
    if (!module->ConvertFile(Path("a.dbf"), Type)) return "to " + ConvertTypeName(Type) + ": " + module->LastError();
    const std::string ext = GetFileTypeExt(Type);
    std::filesystem::rename(Path("a" + ext), Path("b" + ext));
    if (!module->ConvertFile(Path("b" + ext), TConvertType::DBF)) return "back: " + module->LastError();
    const TReaderResult r = RunPython(
        "import dbfread, sys\n"
        "a = dbfread.DBF(sys.argv[1], encoding='cp936', char_decode_errors='strict')\n"
        "b = dbfread.DBF(sys.argv[2], encoding='cp936', char_decode_errors='strict')\n"
        "if a.field_names != b.field_names: print('fields', a.field_names, b.field_names)\n"
        "layout = lambda t: [(f.name, f.type, f.length, f.decimal_count) for f in t.fields]\n"
        "if sys.argv[3] == 'XML' and layout(a) != layout(b): print('layout', layout(a), layout(b))\n"
        "for f in b.fields if sys.argv[3] != 'XML' else []:\n"
        "  if f.type == 'N' and f.decimal_count and (f.length < 15 or f.decimal_count < 4): print('narrow', f)\n"
        "ra, rb = list(a), list(b)\n"
        "if sys.argv[3] == 'XLS':\n"
        "  while ra and not any(ra[-1].values()): ra.pop()\n"
        "if len(ra) != len(rb): print('records', len(ra), len(rb))\n"
        "for i, (x, y) in enumerate(zip(ra, rb)):\n"
        "  for k in a.field_names:\n"
        "    u, v = x[k], y.get(k)\n"
        "    if sys.argv[3] == 'XLS' and isinstance(u, str): u = u.replace('\\r\\n', '\\n')\n"
        "    if u != v and not (u in (None, '') and v in (None, '')): print(i, k, repr(u), repr(v))\n",
        "'" + Path("a.dbf") + "' '" + Path("b.dbf") + "' " + ConvertTypeName(Type) + " 2>&1");
    EXPECT_EQ(r.Status, 0);
    return r.Output;
  }
};

}  // namespace

TEST_P(ConvertRoundTripTest, EveryValueComesBack) { EXPECT_EQ(RoundTrip(GetParam()), ""); }

INSTANTIATE_TEST_SUITE_P(Types, ConvertRoundTripTest,
                         ::testing::Values(TConvertType::TXT, TConvertType::CSV, TConvertType::MDB, TConvertType::XLS,
                                           TConvertType::XML),
                         [](const ::testing::TestParamInfo<TConvertType>& Info) {
                           return std::string(ConvertTypeName(Info.param));
                         });

TEST_F(ConvertTest, ATabDelimitedTextWithoutQuotesComesBackToo) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=t\r\nQuotedString=0\r\n");
  MakeDbf("a.dbf", "HH C(10); HM C(30); DS N(10,2)", "[('1', '张\\t三', 1.25), ('2', 'x\"y', -3.5)]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::TXT)) << module->LastError();
  // A text holding the delimiter is quoted all the same, so that it stays one field.
  EXPECT_EQ(ReadFileBytes(Path("a.txt")), "HH\tHM\tDS\r\n1\t\"\xd5\xc5\t\xc8\xfd\"\t1.25\r\n2\t\"x\"\"y\"\t-3.5\r\n");
  std::filesystem::rename(Path("a.txt"), Path("b.txt"));
  ASSERT_TRUE(module->ConvertFile(Path("b.txt"), TConvertType::DBF)) << module->LastError();
  EXPECT_EQ(DbfRecords("b.dbf"), "['HH', 'HM', 'DS']\n[1, '张\\t三', 1.25]\n[2, 'x\"y', -3.5]\n");
}

TEST_F(ConvertTest, AWorkbookComesBackWithItsValues) {
  MakeDbf("a.dbf", CustomerSpec, CustomerRecords);
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::XLS)) << module->LastError();
  std::filesystem::rename(Path("a.xls"), Path("b.xls"));
  ASSERT_TRUE(module->ConvertFile(Path("b.xls"), TConvertType::DBF)) << module->LastError();
  // A line break inside a cell is a line feed in a workbook.
  EXPECT_EQ(DbfRecords("b.dbf"),
            "['HH', 'HM', 'DS', 'KJ', 'RQ', 'YC', 'BZ']\n"
            "['0100101', '张国强', 1234.5, 20, datetime.date(2024, 1, 31), True, '表在院内\\n第二行']\n"
            "['0100102', '李秀英', 876.0, 25, datetime.date(2023, 12, 30), False, '']\n"
            "['0100103', '', None, None, None, None, '']\n");
}

TEST_F(ConvertTest, FixedLengthTextsOfAPacketKeepTheirWholeLength) {
  // Written by hand: a packet of fixed-length texts, one of 70 characters in a field of 80 and
  // one of 70 Chinese characters (140 bytes in GBK).
  std::string wide;
  for (int i = 0; i < 35; ++i) wide += "抄表";
  WriteFileBytes(Path("fixed.xml"),
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DATAPACKET Version=\"1\"><METADATA><FIELDS>"
                 "<FIELD Name=\"CODE\" Type=\"FixedChar\" Size=\"80\"/><FIELD Name=\"NAME\" Type=\"FixedWideChar\" Size=\"80\"/>"
                 "</FIELDS></METADATA><ROWDATA><ROW><V>" + std::string(69, 'a') + "z</V><V>" + wide +
                     "</V></ROW></ROWDATA></DATAPACKET>\n");
  ASSERT_TRUE(module->ConvertFile(Path("fixed.xml"), TConvertType::DBF)) << module->LastError();
  EXPECT_EQ(DbfLayout("fixed.dbf"), "[('CODE', 'C', 80, 0), ('NAME', 'C', 142, 0)]\n");
  EXPECT_EQ(DbfRecords("fixed.dbf"), "['CODE', 'NAME']\n['" + std::string(69, 'a') + "z', '" + wide + "']\n");
}

TEST_F(ConvertTest, NumberLayoutsADatabaseDeclaresAreKeptAndOthersHoldEveryDigit) {
  Sqlite("d.mdb", "db.execute('create table t (LNG numeric(11,6), BIG numeric(18,2), D double, N integer)')\n"
                  "db.execute('insert into t values (116.397128, 1234567890123.45, -0.000001, 7)')\n"
                  "db.execute('insert into t values (-1.5, 0.25, 0.30000000000000004, -12)')\n"
                  "db.commit()\n");
  ASSERT_TRUE(module->ConvertFile(Path("d.mdb"), TConvertType::DBF)) << module->LastError();
  // A double declares nothing: a default float field widened for six and seventeen decimals.
  EXPECT_EQ(DbfLayout("d.dbf"), "[('LNG', 'N', 11, 6), ('BIG', 'N', 18, 2), ('D', 'N', 20, 17), ('N', 'N', 11, 0)]\n");
  EXPECT_EQ(DbfRecords("d.dbf"), "['LNG', 'BIG', 'D', 'N']\n"
                                 "[116.397128, 1234567890123.45, -1e-06, 7]\n"
                                 "[-1.5, 0.25, 0.30000000000000004, -12]\n");
}
