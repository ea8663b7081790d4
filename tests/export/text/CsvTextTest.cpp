#include "CsvText.h"

#include <gtest/gtest.h>

TEST(CsvTextTest, QuotedTextDoublesEveryQuoteWhereverItStands) {
  const struct {
    std::u16string_view Text;
    std::u16string_view Quoted;
  } cases[] = {
      {u"", u"\"\""},
      {u"张国强", u"\"张国强\""},
      {u"a\"b", u"\"a\"\"b\""},
      {u"\"", u"\"\"\"\""},
      {u"\"\"", u"\"\"\"\"\"\""},
      {u"\"start, end\"", u"\"\"\"start, end\"\"\""},
      {u"x\"\"y\"z", u"\"x\"\"\"\"y\"\"z\""},
  };
  for (const auto& c : cases) {
    WideString out = u"before,";
    CsvAppendQuoted(out, c.Text, u'"');
    EXPECT_EQ(out, WideString(u"before,") + WideString(c.Quoted)) << std::string(c.Text.begin(), c.Text.end());
  }
  // Another quote character: only it is doubled.
  WideString out;
  CsvAppendQuoted(out, u"it's \"so\"", u'\'');
  EXPECT_EQ(out, u"'it''s \"so\"'");
}

TEST(CsvTextTest, TextNeedsQuotesForTheDelimiterTheQuoteAndLineBreaks) {
  EXPECT_FALSE(CsvNeedsQuotes(u"1234.5", u',', u'"'));
  EXPECT_TRUE(CsvNeedsQuotes(u"1,234.5", u',', u'"'));
  EXPECT_TRUE(CsvNeedsQuotes(u"a\"b", u',', u'"'));
  EXPECT_TRUE(CsvNeedsQuotes(u"a\nb", u';', u'"'));
  EXPECT_TRUE(CsvNeedsQuotes(u"a\rb", u';', u'"'));
  EXPECT_FALSE(CsvNeedsQuotes(u"a,b", u';', u'"'));
}
