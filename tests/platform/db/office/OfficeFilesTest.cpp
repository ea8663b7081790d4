// The readers over files written by office suites; the files are made by make-fixtures.sh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DbaseSource.h"
#include "TDbTestFolder.h"
#include "XlsSource.h"

namespace {

AnsiString fixture(const std::string& name) {
  const char* folder = std::getenv("DB_OFFICE_FIXTURES");
  return std::string(folder ? folder : ".") + "/" + name;
}

std::vector<TFieldType> types(const TDbCursor& c) {
  std::vector<TFieldType> out;
  for (const TDbColumn& column : c.Columns()) out.push_back(column.DataType);
  return out;
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "no error";
}

class OfficeFilesTest : public ::testing::Test {
protected:
  void SetUp() override { SetACP(936); }
  void TearDown() override { SetACP(936); }
};

}  // namespace

TEST_F(OfficeFilesTest, GnumericWorkbookWithSheetsFormulasDatesAndCjk) {
  auto source = OpenXlsSource(fixture("sheets.xls"));
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

TEST_F(OfficeFilesTest, GnumericDateFormatOverValuesWithTimesKeepsTheTimes) {
  auto cursor = OpenXlsSource(fixture("datecol.xls"))->OpenTable("datecol.csv");
  EXPECT_EQ(cursor->Columns()[1].DataType, ftDateTime);
  EXPECT_NEAR(ReadAll(*cursor)[0][1].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0), 1e-9);
}

TEST_F(OfficeFilesTest, LibreOfficeWorkbookWithSheetsFormulasAndDates) {
  auto source = OpenXlsSource(fixture("workbook.xls"));
  EXPECT_EQ(source->TableNames(), (std::vector<AnsiString>{WideToAnsi(u"读数"), "Second"}));
  auto cursor = source->OpenTable(WideToAnsi(u"读数") + "$");
  EXPECT_EQ(cursor->Columns()[0].Name, WideToAnsi(u"户名"));
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftWideString, ftFloat, ftDateTime, ftInteger}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsWideString(), u"张三");
  EXPECT_EQ(rows[0][1].AsFloat(), 1234.5);
  EXPECT_NEAR(rows[0][2].AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 0, 0), 1e-9);
  EXPECT_EQ(rows[0][3].AsFloat(), 2469.0);
  EXPECT_EQ(rows[1][1].AsFloat(), 7.0);
  EXPECT_EQ(rows[1][2].AsDateTime(), EncodeDate(1999, 12, 31));
  EXPECT_EQ(rows[1][3].AsFloat(), 14.0);
}

// LibreOffice writes the dBASE text as UTF-8 without a language-driver byte; with the ANSI code
// page set to UTF-8 (HHM_CODEPAGE=65001) that is the program's own text.
TEST_F(OfficeFilesTest, LibreOfficeDbaseTableFromACsv) {
  SetACP(65001);
  auto source = OpenDbaseSource(fixture(""));
  auto cursor = source->OpenTable("typed");
  ASSERT_EQ(cursor->Columns().size(), 5u);
  EXPECT_EQ(cursor->Columns()[0].Name, "NAME");
  EXPECT_EQ(cursor->Columns()[0].Size, 20);
  EXPECT_EQ(types(*cursor), (std::vector<TFieldType>{ftString, ftFloat, ftDate, ftBoolean, ftInteger}));
  const auto rows = ReadAll(*cursor);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][0].AsString(), WideToUtf8(u"张三"));
  EXPECT_EQ(rows[0][1].AsFloat(), 12.5);
  EXPECT_EQ(rows[0][2].AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_TRUE(rows[0][3].AsBoolean());
  EXPECT_EQ(rows[0][4].AsInteger(), 3);
  EXPECT_EQ(rows[1][0].AsString(), WideToUtf8(u"李四"));
  EXPECT_EQ(rows[1][1].AsFloat(), -1.25);
  EXPECT_EQ(rows[1][2].AsDateTime(), EncodeDate(1999, 12, 31));
  EXPECT_FALSE(rows[1][3].AsBoolean());
}

TEST_F(OfficeFilesTest, ACompoundFileCutShortIsRefused) {
  std::ifstream in(fixture("sheets.xls"), std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(file.size(), 2048u);
  const std::string cut = errorOf([&] { OpenXlsBytes(file.substr(0, 1536), "a.xls"); });
  EXPECT_EQ(cut.substr(0, 7), "a.xls: ") << cut;
}
