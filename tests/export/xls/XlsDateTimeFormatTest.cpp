#include "XlsDateTimeFormat.h"

#include <gtest/gtest.h>

#include "CodePage.h"

struct TFormatCase {
  const char* Mask;
  char DateSeparator;
  char TimeSeparator;
  const char16_t* Excel;
};

class XlsDateTimeFormatCases : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(XlsDateTimeFormatCases, MasksAreSaidAsExcelReadsThem) {
  const TFormatCase& c = GetParam();
  EXPECT_EQ(XlsDateTimeFormat(Utf8ToAnsi(c.Mask), c.DateSeparator, c.TimeSeparator), std::u16string(c.Excel)) << c.Mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, XlsDateTimeFormatCases,
    ::testing::Values(TFormatCase{"yyyy/m/d", '-', ':', u"yyyy-m-d"}, TFormatCase{"hh:nn:ss", '/', '.', u"hh.mm.ss"},
                      TFormatCase{"h:nn AMPM", '/', ':', u"h:mm AM/PM"}, TFormatCase{"h:mm am/pm", '/', ':', u"h:mm am/pm"},
                      TFormatCase{"hh:nn:ss.zzz", '/', ':', u"hh:mm:ss.000"},
                      TFormatCase{"yyyy'年'm'月'd'日'", '/', ':', u"yyyy\"年\"m\"月\"d\"日\""},
                      TFormatCase{"dd/mm/yyyy", 'x', ':', u"dd\\xmm\\xyyyy"}, TFormatCase{"", '/', ':', u""}),
    [](const ::testing::TestParamInfo<TFormatCase>& info) { return "Mask" + std::to_string(info.index); });
