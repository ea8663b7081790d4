// CSV files the text exporter writes, read back by Python's csv module: every field of every
// line compared with the value that went in, with the delimiters, quotes, line breaks, Chinese
// text and grouped numbers that would break a careless file.
#include <cstdlib>

#include "CodePage.h"
#include "DateRoutines.h"
#include "ExportFixture.h"
#include "ExportReaders.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TExportFormats.h"

namespace {

// Reads argv[1] (GBK) with delimiter argv[2] and quote argv[3]; prints the fields of each line
// separated by 0x1F, each line ended by 0x1E, in UTF-8.
constexpr const char* CsvScript = R"(
import csv, sys
with open(sys.argv[1], encoding='gbk', newline='') as f:
    rows = list(csv.reader(f, delimiter=sys.argv[2], quotechar=sys.argv[3]))
sys.stdout.buffer.write(''.join('\x1f'.join(r) + '\x1e' for r in rows).encode('utf-8'))
)";

std::vector<std::vector<std::string>> split(const std::string& output) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  for (char c : output) {
    if (c == '\x1f') {
      row.push_back(field);
      field.clear();
    } else if (c == '\x1e') {
      row.push_back(field);
      rows.push_back(row);
      row.clear();
      field.clear();
    } else {
      field += c;
    }
  }
  return rows;
}

class CsvReadersTest : public ExportTest {
protected:
  std::vector<std::vector<std::string>> ReadBack(TDataExportASCII* Export, char Delimiter) {
    TExportTempDir dir;
    Export->SetFileName(dir.Path("out.csv"));
    Export->Execute();
    const std::string args = "'" + dir.Path("out.csv") + "' '" + std::string(1, Delimiter) + "' '\"'";
    const TReaderResult read = RunPython(CsvScript, args);
    EXPECT_EQ(read.Status, 0) << read.Output;
    return split(read.Output);
  }

  TClientDataSet* Readings() {
    return NewDataSet({Column("NAME", ftString, 40), Column("QTY", ftInteger), Column("PRICE", ftFloat), Column("DAY", ftDate)},
                      {{Variant(WideToAnsi(u"张国强, \"一号\"")), 1234, 1234567.891, VarFromDateTime(EncodeDate(2026, 12, 8))},
                       {Variant("line one\r\nline two; x"), -1000, -0.5, VarFromDateTime(EncodeDate(1999, 1, 31))},
                       {Variant(""), 999, 1e15, Variant::Null()},
                       {Variant(WideToAnsi(u"亅|乗\\")), 0, -98765.4321, VarFromDateTime(EncodeDate(2000, 2, 29))}});
  }

  const std::vector<std::vector<std::string>> expectedTexts = {
      {"NAME", "QTY", "PRICE", "DAY"},
      {WideToUtf8(u"张国强, \"一号\""), "1,234", "1,234,567.89", "2026-12-08"},
      {"line one\r\nline two; x", "-1,000", "-0.50", "1999-01-31"},
      {"", "999", "1,000,000,000,000,000.00", ""},
      {WideToUtf8(u"亅|乗\\"), "0", "-98,765.43", "2000-02-29"},
  };
};

TEST_F(CsvReadersTest, PythonCsvReadsEveryFieldAsWrittenWithCommas) {
  auto* e = new TDataExportASCII(owner);
  e->SetExportType(etCSV);
  e->SetDataSet(Readings());
  e->SetCSVComma(',');
  e->Formats()->SetDecimalSeparator('.');
  e->Formats()->SetThousandSeparator(',');
  e->Formats()->SetDateFormat("yyyy-mm-dd");
  const auto rows = ReadBack(e, ',');
  ASSERT_EQ(rows.size(), expectedTexts.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), expectedTexts[r].size()) << "line " << r;
    for (std::size_t c = 0; c < rows[r].size(); ++c) EXPECT_EQ(rows[r][c], expectedTexts[r][c]) << "line " << r << " field " << c;
  }
  // Integers of 1000 and more come back whole once their grouping is taken out.
  std::string qty = rows[1][1];
  std::erase(qty, ',');
  EXPECT_EQ(std::stoll(qty), 1234);
}

TEST_F(CsvReadersTest, PythonCsvReadsUnquotedStringsWithSemicolonsAndDecimalCommas) {
  auto* e = new TDataExportASCII(owner);
  e->SetExportType(etCSV);
  e->SetDataSet(Readings());
  e->SetCSVComma(';');
  e->SetCSVQuoteStrings(false);
  e->SetCSVQuoteCaptions(false);
  e->Formats()->SetDecimalSeparator(',');
  e->Formats()->SetThousandSeparator('.');
  e->Formats()->SetDateFormat("dd.mm.yyyy");
  const auto rows = ReadBack(e, ';');
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1], (std::vector<std::string>{WideToUtf8(u"张国强, \"一号\""), "1.234", "1.234.567,89", "08.12.2026"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"line one\r\nline two; x", "-1.000", "-0,50", "31.01.1999"}));
  EXPECT_EQ(rows[4], (std::vector<std::string>{WideToUtf8(u"亅|乗\\"), "0", "-98.765,43", "29.02.2000"}));
}

}  // namespace
