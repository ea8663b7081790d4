// Tables the dBASE exporter writes, read back by independent readers (python3-dbfread,
// python3-dbf) and by our own table reader: every value of every record compared with the
// value that went in, GBK text and memos included.
#include "CodePage.h"
#include "DateTimeText.h"
#include "DateRoutines.h"
#include "DbaseSource.h"
#include "ExportFixture.h"
#include "ExportReaders.h"
#include "FloatText.h"
#include "TClientDataSet.h"
#include "TDataExportDBF.h"
#include "TExportFormats.h"
#include "TStrings.h"

namespace {

// Prints "record<TAB>field<TAB>type<TAB>value" per value, in UTF-8: text as it is, numbers as
// Python writes them, dates as yyyy-mm-dd, booleans T or F, a null as <null>.
constexpr const char* Canon = R"(
import datetime, sys
def canon(v):
    if v is None: return '<null>'
    if isinstance(v, bool): return 'T' if v else 'F'
    if isinstance(v, float): return repr(v)
    if isinstance(v, datetime.date): return v.isoformat()
    return str(v)
def emit(lines):
    sys.stdout.buffer.write(('\n'.join(lines) + '\n').encode('utf-8'))
)";

constexpr const char* DbfreadScript = R"(
import dbfread
out = []
for i, r in enumerate(dbfread.DBF(sys.argv[1], encoding='cp936', char_decode_errors='strict')):
    for k, v in r.items():
        kind = 'str' if isinstance(v, str) else type(v).__name__
        out.append('%d\t%s\t%s\t%s' % (i, k, kind, canon(v)))
emit(out)
)";

constexpr const char* DbfScript = R"(
import dbf
t = dbf.Table(sys.argv[1], codepage='cp936')
t.open(dbf.READ_ONLY)
out = []
for i, r in enumerate(t):
    for k in t.field_names:
        v = r[k]
        if isinstance(v, str): v = v.rstrip(' ')
        if v == '' and k == 'note': v = None
        out.append('%d\t%s\t%s\t%s' % (i, k.upper(), type(v).__name__, canon(v)))
t.close()
emit(out)
)";

struct TExpected {
  const char* Field;
  const char* Type;  // the Python type the readers give
  std::u16string Value;
};

class DbfReadersTest : public ExportTest {
protected:
  // Records of text with quotes, commas and GBK, integers of 1000 and more, negative and large
  // floats, dates, booleans, nulls and memos, written to readers.dbf (and .dbt) in Dir.
  void WriteTable(const TExportTempDir& Dir) {
    const std::string memo = WideToAnsi(std::u16string(127, u'备') + u"abc");  // 257 bytes
    const std::string longMemo = WideToAnsi(u"注") + std::string(509, 'm');  // 511 bytes: two blocks
    auto* ds = NewDataSet({Column("NAME", ftString, 30), Column("QTY", ftInteger), Column("BIG", ftLargeint),
                           Column("PRICE", ftFloat), Column("AMOUNT", ftCurrency), Column("DAY", ftDate),
                           Column("PAID", ftBoolean), Column("NOTE", ftMemo)},
                          {{Variant(WideToAnsi(u"张国强")), 1234, Variant(1234567890123LL), 3.5,
                            Variant(Currency::FromDouble(1234.56)), VarFromDateTime(EncodeDate(2026, 12, 8)), true, Variant(memo)},
                           {Variant("O'Brien, \"Jr\"; x"), -5, Variant(-1LL), -1234.5678, Variant(Currency::FromDouble(-0.01)),
                            VarFromDateTime(EncodeDate(1999, 12, 31)), false, Variant(longMemo)},
                           {Variant(""), 0, Variant(0LL), 0.0001, Variant(Currency::FromDouble(0)), Variant::Null(),
                            Variant::Null(), Variant::Null()},
                           {Variant(std::string(40, 'w')), 1000000, Variant(9007199254740993LL), 12345678901.25,
                            Variant(Currency::FromDouble(99999999.99)), VarFromDateTime(EncodeDate(1900, 1, 1)), true,
                            Variant("x")},
                           {Variant(WideToAnsi(u"a😀b")), Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(),
                            VarFromDateTime(EncodeDate(2000, 2, 29)), false, Variant("")}});
    auto* e = new TDataExportDBF(owner);
    e->SetDataSet(ds);
    for (const char* name : {"NAME", "QTY", "BIG", "PRICE", "AMOUNT", "DAY", "PAID", "NOTE"}) e->ExportedFields()->Add(name);
    e->ColumnsPrecision()->Add("PRICE=20,4");
    // Null floats as blank fields, which the readers take as null.
    e->SetNullValue("");
    e->SetFileName(Dir.Path("readers.dbf"));
    e->Execute();
  }

  static std::vector<std::vector<TExpected>> Expected() {
    const std::u16string memo = std::u16string(127, u'备') + u"abc";
    const std::u16string longMemo = u"注" + std::u16string(509, u'm');
    return {
        {{"NAME", "str", u"张国强"}, {"QTY", "int", u"1234"}, {"BIG", "int", u"1234567890123"}, {"PRICE", "float", u"3.5"},
         {"AMOUNT", "float", u"1234.56"}, {"DAY", "date", u"2026-12-08"}, {"PAID", "bool", u"T"}, {"NOTE", "str", memo}},
        {{"NAME", "str", u"O'Brien, \"Jr\"; x"}, {"QTY", "int", u"-5"}, {"BIG", "int", u"-1"}, {"PRICE", "float", u"-1234.5678"},
         {"AMOUNT", "float", u"-0.01"}, {"DAY", "date", u"1999-12-31"}, {"PAID", "bool", u"F"}, {"NOTE", "str", longMemo}},
        {{"NAME", "str", u""}, {"QTY", "int", u"0"}, {"BIG", "int", u"0"}, {"PRICE", "float", u"0.0001"},
         {"AMOUNT", "float", u"0.0"}, {"DAY", "NoneType", u"<null>"}, {"PAID", "NoneType", u"<null>"},
         {"NOTE", "NoneType", u"<null>"}},
        {{"NAME", "str", std::u16string(30, u'w')}, {"QTY", "int", u"1000000"}, {"BIG", "int", u"9007199254740993"},
         {"PRICE", "float", u"12345678901.25"}, {"AMOUNT", "float", u"99999999.99"}, {"DAY", "date", u"1900-01-01"},
         {"PAID", "bool", u"T"}, {"NOTE", "str", u"x"}},
        {{"NAME", "str", u"a?b"}, {"QTY", "NoneType", u"<null>"}, {"BIG", "NoneType", u"<null>"},
         {"PRICE", "NoneType", u"<null>"}, {"AMOUNT", "NoneType", u"<null>"}, {"DAY", "date", u"2000-02-29"},
         {"PAID", "bool", u"F"}, {"NOTE", "NoneType", u"<null>"}},
    };
  }

  // The lines the Python readers print for the expected values.
  static std::vector<std::string> ExpectedLines() {
    std::vector<std::string> lines;
    const auto rows = Expected();
    for (std::size_t i = 0; i < rows.size(); ++i)
      for (const TExpected& v : rows[i])
        lines.push_back(std::to_string(i) + "\t" + v.Field + "\t" + v.Type + "\t" + WideToUtf8(v.Value));
    return lines;
  }

  static std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = output.find('\n', from)) != std::string::npos; from = at + 1)
      lines.push_back(output.substr(from, at - from));
    return lines;
  }

  static void CompareOneByOne(const std::vector<std::string>& Read, const std::vector<std::string>& Wanted,
                              const std::string& Reader) {
    ASSERT_EQ(Read.size(), Wanted.size()) << Reader;
    for (std::size_t i = 0; i < Read.size(); ++i) EXPECT_EQ(Read[i], Wanted[i]) << Reader;
  }
};

TEST_F(DbfReadersTest, DbfreadReadsEveryValueAsWritten) {
  TExportTempDir dir;
  WriteTable(dir);
  const TReaderResult read = RunPython(std::string(Canon) + DbfreadScript, "'" + dir.Path("readers.dbf") + "'");
  ASSERT_EQ(read.Status, 0) << read.Output;
  CompareOneByOne(Lines(read.Output), ExpectedLines(), "dbfread");
}

TEST_F(DbfReadersTest, PythonDbfReadsEveryValueAsWritten) {
  TExportTempDir dir;
  WriteTable(dir);
  const TReaderResult read = RunPython(std::string(Canon) + DbfScript, "'" + dir.Path("readers.dbf") + "'");
  ASSERT_EQ(read.Status, 0) << read.Output;
  CompareOneByOne(Lines(read.Output), ExpectedLines(), "python3-dbf");
}

TEST_F(DbfReadersTest, OurReaderReadsEveryValueAsWritten) {
  TExportTempDir dir;
  WriteTable(dir);
  auto source = OpenDbaseSource(dir.Dir().string() + "/");
  auto cursor = source->OpenTable("readers");
  const auto expected = Expected();
  std::vector<Variant> row;
  std::size_t i = 0;
  for (; cursor->Next(row); ++i) {
    ASSERT_LT(i, expected.size());
    ASSERT_EQ(row.size(), expected[i].size());
    for (std::size_t c = 0; c < row.size(); ++c) {
      const TExpected& want = expected[i][c];
      const Variant& v = row[c];
      const std::string field = want.Field;
      EXPECT_EQ(cursor->Columns()[c].Name, field);
      const std::string text = WideToUtf8(want.Value);
      SCOPED_TRACE("record " + std::to_string(i) + " field " + field);
      if (want.Type == std::string("NoneType")) {
        EXPECT_TRUE(v.IsNull());
      } else if (want.Type == std::string("int")) {
        // This reader takes numeric fields of more than 18 digits as floats.
        if (v.VarType() == varDouble)
          EXPECT_EQ(v.AsFloat(), std::strtod(text.c_str(), nullptr));
        else
          EXPECT_EQ(v.AsInt64(), std::stoll(text));
      } else if (want.Type == std::string("float")) {
        EXPECT_EQ(v.AsFloat(), std::strtod(text.c_str(), nullptr));
      } else if (want.Type == std::string("date")) {
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd", v.AsDateTime()), text);
      } else if (want.Type == std::string("bool")) {
        EXPECT_EQ(v.AsBoolean() ? "T" : "F", text);
      } else {
        EXPECT_EQ(AnsiToUtf8(v.AsString()), text);
      }
    }
  }
  EXPECT_EQ(i, expected.size());
}

}  // namespace
