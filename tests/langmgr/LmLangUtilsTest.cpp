#include "LmLangUtils.h"

#include <gtest/gtest.h>

#include <utility>

#include "Exception.h"

TEST(LmLangUtilsTest, TheLocaleListHoldsTheSystemLocales) {
  TLmLanguages* languages = SystemLanguages();
  ASSERT_EQ(languages, SystemLanguages());  // one list, made once
  const int chs = languages->IndexOfLanguageID(2052);
  const int enu = languages->IndexOfLanguageID(1033);
  ASSERT_GE(chs, 0);
  ASSERT_GE(enu, 0);
  EXPECT_EQ(languages->Abbreviation(chs), "CHS");
  EXPECT_EQ(languages->Abbreviation(enu), "ENU");
  EXPECT_EQ(languages->LanguageID(chs), 2052u);
  EXPECT_EQ(languages->NameFromLanguageID(2052), languages->Name(chs));
  for (int i = 0; i < languages->Count(); ++i) ASSERT_FALSE(languages->Abbreviation(i).empty()) << i;
}

TEST(LmLangUtilsTest, UnknownIdsAreInvalid) {
  EXPECT_TRUE(IsValidLanguageID(2052));
  EXPECT_TRUE(IsValidLanguageID(1033));
  EXPECT_FALSE(IsValidLanguageID(0));
  EXPECT_FALSE(IsValidLanguageID(0x12345));
  EXPECT_EQ(SystemLanguages()->IndexOfLanguageID(0x7F), -1);
  EXPECT_EQ(SystemLanguages()->NameFromLanguageID(0x12345), "<unknown>");
  EXPECT_THROW(SystemLanguages()->Name(-1), EListError);
  EXPECT_THROW(SystemLanguages()->Abbreviation(SystemLanguages()->Count()), EListError);
}

TEST(LmLangUtilsTest, WindowsIdsWithoutLocaleDataOfTheirOwnAreSystemLocales) {
  TLmLanguages* languages = SystemLanguages();
  // Spanish with the traditional sort (the id Windows tools write for "Spanish"), Punjabi
  // (India), Serbian (Latin, Serbia and Montenegro).
  for (auto [id, abbreviation] : {std::pair{1034u, "ESP"}, {1094u, "PAN"}, {2074u, "SRL"}}) {
    const int i = languages->IndexOfLanguageID(id);
    ASSERT_GE(i, 0) << id;
    EXPECT_EQ(languages->Abbreviation(i), abbreviation);
    EXPECT_NE(languages->NameFromLanguageID(id), "<unknown>");
  }
  EXPECT_NE(languages->NameFromLanguageID(1034), languages->NameFromLanguageID(3082)) << "the modern sort";
  // Ids of a known language with a sublanguage no locale has, and neutral ids, stay out.
  EXPECT_FALSE(IsValidLanguageID(0xFC04));
  EXPECT_FALSE(IsValidLanguageID(0x0004));
  EXPECT_FALSE(IsValidLanguageID(0x000A));
}
