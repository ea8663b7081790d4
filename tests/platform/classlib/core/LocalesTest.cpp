#include "Locales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<AnsiString> enumerateAll() {
  std::vector<AnsiString> locales;
  EnumSystemLocales([&](const AnsiString& s) {
    locales.push_back(s);
    return true;
  }, LCID_SUPPORTED);
  return locales;
}

}  // namespace

TEST(LocalesTest, EnumerationGivesEightHexDigitsInAscendingOrder) {
  std::vector<AnsiString> locales = enumerateAll();
  ASSERT_GT(locales.size(), 50u);
  for (const AnsiString& s : locales) ASSERT_EQ(s.size(), 8u) << s;
  EXPECT_TRUE(std::is_sorted(locales.begin(), locales.end()));
  EXPECT_NE(std::find(locales.begin(), locales.end(), "00000804"), locales.end());
  EXPECT_NE(std::find(locales.begin(), locales.end(), "00000409"), locales.end());
  // Ids of ICU's LCID table without locale data of their own: Spanish with the traditional sort.
  EXPECT_NE(std::find(locales.begin(), locales.end(), "0000040A"), locales.end());
  // Neutral and invariant locales are not system locales.
  EXPECT_EQ(std::find(locales.begin(), locales.end(), "00000004"), locales.end());
  EXPECT_EQ(std::find(locales.begin(), locales.end(), "0000007F"), locales.end());
}

TEST(LocalesTest, EnumerationStopsWhenTheCallbackSaysSo) {
  int calls = 0;
  EXPECT_TRUE(EnumSystemLocales([&](const AnsiString&) { return ++calls < 3; }, LCID_INSTALLED));
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(EnumSystemLocales([&](const AnsiString&) { return true; }, 7));
}

TEST(LocalesTest, AbbreviationsFollowWindows) {
  EXPECT_EQ(GetLocaleInfo(2052, LOCALE_SABBREVLANGNAME), u"CHS");
  EXPECT_EQ(GetLocaleInfo(1028, LOCALE_SABBREVLANGNAME), u"CHT");
  EXPECT_EQ(GetLocaleInfo(1033, LOCALE_SABBREVLANGNAME), u"ENU");
  EXPECT_EQ(GetLocaleInfo(2057, LOCALE_SABBREVLANGNAME), u"ENG");
  EXPECT_EQ(GetLocaleInfo(1041, LOCALE_SABBREVLANGNAME), u"JPN");
  EXPECT_EQ(GetLocaleInfo(1031, LOCALE_SABBREVLANGNAME), u"DEU");
  // A locale outside the table still has a three-letter abbreviation (Hawaiian).
  EXPECT_EQ(GetLocaleInfo(0x0475, LOCALE_SABBREVLANGNAME), u"HAW");
}

TEST(LocalesTest, NamesComeFromTheLocaleDataAndUnknownLocalesHaveNone) {
  // The names are in the user's language, whichever that is.
  EXPECT_FALSE(GetLocaleInfo(2052, LOCALE_SLANGUAGE).empty());
  EXPECT_NE(GetLocaleInfo(2052, LOCALE_SLANGUAGE), GetLocaleInfo(1033, LOCALE_SLANGUAGE));
  EXPECT_EQ(GetLocaleInfo(0x7FFF, LOCALE_SABBREVLANGNAME), u"");
  EXPECT_EQ(GetLocaleInfo(2052, 0x9999), u"");
}

TEST(LocalesTest, DefaultLocaleIsASystemLocale) {
  const LCID lcid = GetUserDefaultLCID();
  EXPECT_EQ(GetSystemDefaultLCID(), lcid);
  EXPECT_FALSE(GetLocaleInfo(lcid, LOCALE_SABBREVLANGNAME).empty());
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME), GetLocaleInfo(lcid, LOCALE_SABBREVLANGNAME));
}
