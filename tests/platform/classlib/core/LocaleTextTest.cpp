#include "LocaleText.h"

#include <gtest/gtest.h>

TEST(LocaleTextTest, TextComparisonIgnoresCaseButNotAccents) {
  EXPECT_EQ(WideCompareText(u"English", u"ENGLISH"), 0);
  EXPECT_TRUE(WideSameText(u"Ä", u"ä"));
  EXPECT_FALSE(WideSameText(u"a", u"ä"));
  EXPECT_LT(WideCompareText(u"apple", u"Banana"), 0);
  EXPECT_GT(WideCompareText(u"b", u"A"), 0);
  EXPECT_EQ(AnsiCompareText("Chinese", "chinese"), 0);
  EXPECT_TRUE(AnsiSameText("\xd6\xd0\xce\xc4", "\xd6\xd0\xce\xc4"));  // 中文
}

TEST(LocaleTextTest, StrComparisonSeesCase) {
  EXPECT_NE(WideCompareStr(u"a", u"A"), 0);
  EXPECT_FALSE(AnsiSameStr("abc", "ABC"));
  EXPECT_LT(AnsiCompareStr("a", "b"), 0);
  // Letters sort by the alphabet, not by code: "a" < "B" < "c".
  EXPECT_LT(AnsiCompareStr("a", "B"), 0);
  EXPECT_LT(AnsiCompareStr("B", "c"), 0);
}

TEST(LocaleTextTest, CaseMappingCoversAllLetters) {
  EXPECT_EQ(WideUpperCase(u"straße é"), u"STRASSE É");
  EXPECT_EQ(WideLowerCase(u"ÀB"), u"àb");
  EXPECT_EQ(AnsiUpperCase("abc\xd6\xd0"), "ABC\xd6\xd0");
}
