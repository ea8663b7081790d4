// Exports on worker threads with separators of their own, while the main thread formats
// numbers and dates with the process's settings: nobody's text may change.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DateTimeText.h"
#include "ExportFixture.h"
#include "FloatText.h"
#include "TExportFormats.h"

namespace {

constexpr int Records = 3000;

class ExportThreadsTest : public ExportTest {
protected:
  TLineExport* newExport(char Decimal, char Thousand, char DateSeparator) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 0; i < Records; ++i)
      rows.push_back({Variant(1234.5 + i), Variant(DateTimeToStr(EncodeDate(2026, 1, 1) + i, TFormatSettings()))});
    auto* e = new TLineExport(owner);
    e->SetExportSource(esCustom);
    e->SetCustomSource(NewCustomSource({{"Amount", ectFloat}, {"Day", ectDate}}, rows));
    e->SetAllowCaptions(false);
    e->Formats()->SetDecimalSeparator(Decimal);
    e->Formats()->SetThousandSeparator(Thousand);
    e->Formats()->SetDateSeparator(DateSeparator);
    e->Formats()->SetDateFormat("yyyy/mm/dd");
    e->Formats()->SetFloatFormat("#,##0.00");
    return e;
  }
  static std::string expected(char Decimal, char Thousand, char DateSeparator) {
    TFormatSettings fs;
    fs.DecimalSeparator = Decimal;
    fs.ThousandSeparator = Thousand;
    fs.DateSeparator = DateSeparator;
    std::string out;
    for (int i = 0; i < Records; ++i)
      out += FormatFloat("#,##0.00", 1234.5 + i, fs) + ";" + FormatDateTime("yyyy/mm/dd", EncodeDate(2026, 1, 1) + i, fs) +
             "\r\n";
    return out;
  }
};

}  // namespace

TEST_F(ExportThreadsTest, ExportsWithTheirOwnSeparatorsDisturbNobody) {
  TFormatSettings process;
  const TFormatSettings saved = GetFormatSettings();
  SetFormatSettings(process);
  TLineExport* comma = newExport(',', '.', '.');
  TLineExport* point = newExport('.', ' ', '-');
  std::string commaBytes, pointBytes;
  std::atomic<int> running{2};
  std::thread a([&] {
    commaBytes = ExportBytes(comma);
    --running;
  });
  std::thread b([&] {
    pointBytes = ExportBytes(point);
    --running;
  });
  int mainErrors = 0, rounds = 0;
  while (running > 0 || rounds < 100) {
    if (FormatFloat("#,##0.00", 1234.5) != "1,234.50") ++mainErrors;
    if (FormatDateTime("yyyy/mm/dd", EncodeDate(2026, 12, 8)) != "2026/12/08") ++mainErrors;
    if (FloatToStr(0.5) != "0.5") ++mainErrors;
    ++rounds;
  }
  a.join();
  b.join();
  SetFormatSettings(saved);
  EXPECT_EQ(mainErrors, 0);
  EXPECT_EQ(commaBytes, expected(',', '.', '.'));
  EXPECT_EQ(pointBytes, expected('.', ' ', '-'));
  EXPECT_NE(commaBytes.find("1.234,50;2026.01.01\r\n"), std::string::npos);
}
