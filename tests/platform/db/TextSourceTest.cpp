#include "TextSource.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TDbTestFolder.h"

namespace {

class TextSourceTest : public ::testing::Test {
protected:
  void SetUp() override { SetACP(936); }
  void TearDown() override { SetACP(936); }

  std::unique_ptr<TDbCursor> open(const std::string& Table, bool Header = true, const AnsiString& Format = "Delimited") {
    return OpenTextSource(folder_.Folder(), Header, Format)->OpenTable(Table);
  }
  std::string errorOf(const std::string& Table, const AnsiString& Format = "Delimited") {
    try {
      auto cursor = open(Table, true, Format);
      ReadAll(*cursor);
    } catch (const EDatabaseError& e) {
      return e.Message();
    }
    return "no error";
  }
  std::vector<AnsiString> names(const TDbCursor& c) {
    std::vector<AnsiString> out;
    for (const TDbColumn& column : c.Columns()) out.push_back(column.Name);
    return out;
  }
  std::vector<TFieldType> types(const TDbCursor& c) {
    std::vector<TFieldType> out;
    for (const TDbColumn& column : c.Columns()) out.push_back(column.DataType);
    return out;
  }

  TDbTestFolder folder_;
};

}  // namespace

TEST_F(TextSourceTest, ReadsQuotedCellsWrittenByPythonsCsvModule) {
  folder_.Python(
      "import csv\n"
      "with open('people.csv', 'w', newline='', encoding='gbk') as f:\n"
      "    w = csv.writer(f, quoting=csv.QUOTE_MINIMAL, lineterminator='\\r\\n')\n"
      "    w.writerow(['名字', 'Note', 'Qty'])\n"
      "    w.writerow(['张三', 'said \"hi\", then left', 3])\n"
      "    w.writerow(['李四', 'two\\nlines', 4])\n"
      "    w.writerow(['王五', '', 5])\n");
  auto cursor = open("people.csv");
  EXPECT_EQ(names(*cursor), (std::vector<AnsiString>{WideToAnsi(u"名字"), "Note", "Qty"}));
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftString, ftString, ftInteger}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0].AsString(), WideToAnsi(u"张三"));
  EXPECT_EQ(rows[0][1].AsString(), "said \"hi\", then left");
  EXPECT_EQ(rows[1][1].AsString(), "two\nlines");
  EXPECT_EQ(rows[1][2].AsInteger(), 4);
  EXPECT_TRUE(rows[2][1].IsNull());
}

TEST_F(TextSourceTest, TypesAreGuessedFromEveryRowAndALateMismatchWidensThem) {
  std::string text = "Int,Wide,Big,Late,When,At,Flag,Code,Empty\n";
  for (int i = 0; i < 100; ++i) text += std::to_string(i) + "," + std::to_string(i) + ",1,7,2024-02-29,2024-02-29 12:30,true,\"007\",\n";
  text += "5,2.5,9999999999,abc,2024-3-1,2024-03-01,FALSE,\"008\",\n";
  folder_.Write("t.csv", text);
  auto cursor = open("t.csv");
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftInteger, ftFloat, ftLargeint, ftString, ftDate, ftDateTime,
                                                     ftBoolean, ftString, ftString}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 101u);
  EXPECT_EQ(rows[100][1].AsFloat(), 2.5);
  EXPECT_EQ(rows[100][2].AsInt64(), 9999999999LL);
  EXPECT_EQ(rows[100][3].AsString(), "abc") << "the late text is not lost";
  EXPECT_EQ(rows[0][3].AsString(), "7");
  EXPECT_EQ(rows[0][4].AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(rows[0][5].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(12, 30, 0, 0));
  EXPECT_EQ(rows[100][5].AsDateTime(), EncodeDate(2024, 3, 1));
  EXPECT_FALSE(rows[100][6].AsBoolean());
  EXPECT_EQ(rows[100][7].AsString(), "008") << "a quoted cell keeps its zeros";
  EXPECT_TRUE(rows[0][8].IsNull());
}

TEST_F(TextSourceTest, OnlyPlainDecimalNumbersAreGuessedAsNumbers) {
  folder_.Write("Schema.ini", "[n.txt]\nFormat=Delimited(;)\n");
  folder_.Write("n.txt", "A;B;C;D;E;F\n+1.5e2;inf;1,5;0x10;nan;-2.\n");
  auto cursor = open("n.txt");
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftFloat, ftString, ftString, ftString, ftString, ftFloat}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0].AsFloat(), 150.0);
  EXPECT_EQ(rows[0][2].AsString(), "1,5") << "text files have no decimal comma";
  EXPECT_EQ(rows[0][5].AsFloat(), -2.0);
}

TEST_F(TextSourceTest, LateCellsOfAnotherKindWidenFloatAndMomentColumns) {
  std::string text = "F,G,D,T,Q\n";
  for (int i = 0; i < 3; ++i) text += "1.5,1.5,2024-01-31,12:30,2024-01-31\n";
  text += "2,1e999,20240131,2024-02-01,\"2024-02-01\"\n";
  folder_.Write("w.csv", text);
  auto cursor = open("w.csv");
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftFloat, ftString, ftString, ftDateTime, ftString}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3][0].AsFloat(), 2.0);
  EXPECT_EQ(rows[3][1].AsString(), "1e999") << "out of range: no float";
  EXPECT_EQ(rows[3][2].AsString(), "20240131") << "a number is no date";
  EXPECT_EQ(rows[0][3].AsDateTime(), EncodeTime(12, 30, 0, 0));
  EXPECT_EQ(rows[3][3].AsDateTime(), EncodeDate(2024, 2, 1));
  EXPECT_EQ(rows[3][4].AsString(), "2024-02-01");
}

TEST_F(TextSourceTest, RowsLongerThanTheHeaderGetNumberedColumns) {
  folder_.Write("t.csv", "A,,A\n1,2,3,4\n5\n");
  auto cursor = open("t.csv");
  EXPECT_EQ(names(*cursor), (std::vector<AnsiString>{"A", "F2", "F3", "F4"}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][3].AsInteger(), 4);
  EXPECT_TRUE(rows[1][1].IsNull());
}

TEST_F(TextSourceTest, TabDelimitedSchemaAsTheConverterWritesItWins) {
  folder_.Write("Schema.ini", "[a.txt]\r\nFormat=TabDelimited\r\n");
  folder_.Write("a.txt", "Name\tValue, with comma\r\nx\t1,5\r\n");
  auto cursor = open("a.txt", true, "Fixed");
  EXPECT_EQ(names(*cursor), (std::vector<AnsiString>{"Name", "Value, with comma"}));
  EXPECT_EQ(ReadAll(*cursor)[0][1].AsString(), "1,5");
}

TEST_F(TextSourceTest, AFirstLineOfTabsWithoutTheDelimiterIsReadAsTabDelimited) {
  folder_.Write("Schema.ini", "[a.txt]\r\nFormat=CSVDelimited\r\n[b.txt]\r\nFormat=CSVDelimited\r\n"
                              "[c.txt]\r\nFormat=Delimited(;)\r\n");
  folder_.Write("a.txt", "\r\nNAME\tQTY\tDAY\r\nab,c\t3\t2024-01-02\r\n");
  // A delimiter outside quotes keeps the format; inside quotes neither character counts.
  folder_.Write("b.txt", "NAME,\"Q\tT\"\r\nx\ty,1\r\n");
  folder_.Write("c.txt", "\"A;\t\"\"B\"\tC\r\n1\t2\r\n");
  auto a = open("a.txt");
  EXPECT_EQ(names(*a), (std::vector<AnsiString>{"NAME", "QTY", "DAY"}));
  auto rows = ReadAll(*a);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0].AsString(), "ab,c");
  EXPECT_EQ(rows[0][1].AsInteger(), 3);
  EXPECT_EQ(rows[0][2].AsDateTime(), EncodeDate(2024, 1, 2));
  auto b = open("b.txt");
  EXPECT_EQ(names(*b), (std::vector<AnsiString>{"NAME", "Q\tT"}));
  EXPECT_EQ(ReadAll(*b)[0][0].AsString(), "x\ty");
  auto c = open("c.txt");
  EXPECT_EQ(names(*c), (std::vector<AnsiString>{"A;\t\"B", "C"}));
  EXPECT_EQ(ReadAll(*c)[0][1].AsInteger(), 2);
}

TEST_F(TextSourceTest, DelimiterHeaderAndTextDelimiterComeFromSchemaIni) {
  folder_.Write("schema.INI", "[B.TXT]\nFormat=Delimited(|)\nColNameHeader=False\nTextDelimiter=none\n");
  // GBK trail bytes include "|" (0x7C): the double-byte character must stay whole.
  folder_.Write("b.txt", "\"a\"|" + WideToAnsi(u"乗") + "|" + WideToAnsi(u"亅") + "\n");
  ASSERT_EQ(WideToAnsi(u"亅")[1], '|');
  auto cursor = open("b.txt");
  EXPECT_EQ(names(*cursor), (std::vector<AnsiString>{"F1", "F2", "F3"}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0].AsString(), "\"a\"");
  EXPECT_EQ(rows[0][2].AsString(), WideToAnsi(u"亅"));
}

TEST_F(TextSourceTest, DoubleByteCharactersStayWholeAcrossTheReadBlocks) {
  // Files larger than a read block, each shifted by one more byte, so that every byte of the
  // row (a lead byte, a trail byte that equals the delimiter, a quote) meets a block's end.
  const AnsiString ch = WideToAnsi(u"亅");
  const AnsiString row = ch + "|\"" + ch + ch + "\"|xy\n";
  ASSERT_EQ(row.size(), 13u);
  for (std::size_t shift = 0; shift < row.size(); ++shift) {
    SCOPED_TRACE(shift);
    std::string text = "H" + std::string(shift, 'h') + "\n";
    for (int i = 0; i < 6000; ++i) text += row;
    folder_.Write("Schema.ini", "[d.txt]\nFormat=Delimited(|)\n");
    folder_.Write("d.txt", text);
    const auto rows = ReadAll(*open("d.txt"));
    ASSERT_EQ(rows.size(), 6000u);
    for (const auto& r : rows) {
      ASSERT_EQ(r.size(), 3u);
      ASSERT_EQ(r[0].AsString(), ch);
      ASSERT_EQ(r[1].AsString(), ch + ch);
      ASSERT_EQ(r[2].AsString(), "xy");
    }
  }
}

TEST_F(TextSourceTest, FixedLengthColumnsTakeTheirWidthsAndTypesFromSchemaIni) {
  folder_.Write("Schema.ini",
                "[f.txt]\nFormat=FixedLength\nColNameHeader=False\nCol1=Code Text Width 4\n"
                "Col2=\"Unit Price\" Currency Width 8\nCol3=Day DateTime Width 10\n");
  folder_.Write("f.txt", "A1      12.52024-01-02\nB2      3.252024-12-31\n");
  auto cursor = open("f.txt");
  EXPECT_EQ(names(*cursor), (std::vector<AnsiString>{"Code", "Unit Price", "Day"}));
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftString, ftCurrency, ftDateTime}));
  EXPECT_EQ(cursor->Columns()[0].Size, 4);
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsString(), "A1");
  EXPECT_EQ(rows[0][1].AsCurrency(), Currency::FromScaled(125000));
  EXPECT_EQ(rows[1][2].AsDateTime(), EncodeDate(2024, 12, 31));
}

TEST_F(TextSourceTest, UnicodeFilesGiveWideStrings) {
  const std::string utf8 = WideToUtf8(u"名字,值\r\n张三,1\r\n");
  folder_.Write("u8.csv", "\xEF\xBB\xBF" + utf8);
  folder_.Write("Schema.ini", "[u16.csv]\nCharacterSet=UNICODE\n[plain8.csv]\nCharacterSet=65001\n");
  std::string utf16 = "\xFF\xFE";
  for (char16_t c : std::u16string(u"名字,值\r\n张三,1\r\n")) {
    utf16 += char(c & 0xFF);
    utf16 += char(c >> 8);
  }
  folder_.Write("u16.csv", utf16);
  folder_.Write("plain8.csv", utf8);
  for (const char* table : {"u8.csv", "u16.csv", "plain8.csv"}) {
    auto cursor = open(table);
    EXPECT_EQ(names(*cursor)[0], WideToAnsi(u"名字")) << table;
    EXPECT_EQ(types(*cursor)[0], ftWideString) << table;
    const auto rows = ReadAll(*cursor);
    ASSERT_EQ(rows.size(), 1u) << table;
    EXPECT_EQ(rows[0][0].AsWideString(), u"张三") << table;
    EXPECT_EQ(rows[0][1].AsInteger(), 1) << table;
  }
}

TEST_F(TextSourceTest, TablesAreTheTextFilesOfTheFolder) {
  folder_.Write("a.csv", "x\n1\n");
  folder_.Write("A.CSV", "upper\n1\n");
  folder_.Write("b.TXT", "x\n1\n");
  folder_.Write("c.dbf", "");
  folder_.Write("Schema.ini", "");
  auto source = OpenTextSource(folder_.Folder());
  EXPECT_EQ(source->TableNames(), (std::vector<AnsiString>{"A.CSV", "a.csv", "b.TXT"}));
  EXPECT_EQ(ReadAll(*source->OpenTable("A#CSV")).size(), 1u);
  EXPECT_EQ(source->OpenTable("a.csv")->Columns()[0].Name, "x") << "the file named, not one in another case";
  EXPECT_EQ(source->OpenTable("A.CSV")->Columns()[0].Name, "upper");
  EXPECT_EQ(source->OpenTable("b.txt")->Columns()[0].Name, "x");
  auto cursor = source->OpenTable("a.csv");
  ReadAll(*cursor);
  cursor->Rewind();
  EXPECT_EQ(ReadAll(*cursor)[0][0].AsInteger(), 1);
}

TEST_F(TextSourceTest, BadFilesRaiseErrorsNamingTheFile) {
  const AnsiString f = folder_.Folder();
  folder_.Write("open.csv", "a,b\n1,\"never closed\n2,3\n");
  EXPECT_EQ(errorOf("open.csv"), f + "open.csv: the quoted field that starts on line 2 is not closed");

  std::string wide = "a";
  for (int i = 0; i < 100000; ++i) wide += ",a";
  folder_.Write("wide.csv", wide + "\n");
  EXPECT_EQ(errorOf("wide.csv"), f + "wide.csv: line 1 has more than 255 columns");

  folder_.Write("Schema.ini", "[fmt.csv]\nFormat=Weird\n[typed.csv]\nCol1=N Long\n[fixed.txt]\nFormat=FixedLength\n");
  folder_.Write("fmt.csv", "a\n");
  EXPECT_EQ(errorOf("fmt.csv"), f + "Schema.ini: the format Weird is not known");
  folder_.Write("typed.csv", "N\n1\n2\nx\n");
  EXPECT_EQ(errorOf("typed.csv"), f + "typed.csv: line 4: \"x\" in column N is not a Long value");
  folder_.Write("fixed.txt", "abc\n");
  EXPECT_EQ(errorOf("fixed.txt"), f + "fixed.txt: a fixed-length file needs Col entries with widths in Schema.ini");
  EXPECT_EQ(errorOf("none.csv"), f + "none.csv: no such text file");
}
