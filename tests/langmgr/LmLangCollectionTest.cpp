#include "LmLangCollection.h"

#include <gtest/gtest.h>

#include "LmExceptions.h"
#include "TFont.h"

TEST(LmLangCollectionTest, TheIdFillsTheLocaleTexts) {
  TLmLanguageCollection languages(nullptr);
  TLmLanguageItem* item = languages.Add();
  int changes = 0;
  item->OnChange = [&](TObject*) { ++changes; };
  item->SetLanguageFileName(u"english");  // given first: kept
  item->SetAuthor(u"作者");
  item->DefaultFont()->SetName("Tahoma");
  item->SetLanguageID(1033);
  item->SetLanguageID(1033);  // the same id again changes nothing
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(item->Abbreviation(), u"ENU");
  EXPECT_EQ(item->LanguageDirName(), u"1033");
  EXPECT_EQ(item->LanguageFileName(), u"english");
  try {
    item->SetLanguageID(74565);
    FAIL();
  } catch (const ELanguageStorageError& e) {
    EXPECT_EQ(e.Message(), "Invalid Language ID 74565");
  }
  EXPECT_EQ(item->LanguageID(), 1033u);
  // Id 0 clears the locale's texts and the file names, not the author or the font.
  item->SetLanguageID(0);
  EXPECT_EQ(item->LanguageName() + item->Abbreviation() + item->LanguageFileName() + item->LanguageDirName(), u"");
  EXPECT_EQ(item->Author(), u"作者");
  EXPECT_EQ(item->DefaultFont()->Name(), "Tahoma");
  EXPECT_EQ(changes, 2);
}

TEST(LmLangCollectionTest, AssignCopiesTextsAndIdButNotTheFont) {
  TLmLanguageCollection languages(nullptr);
  TLmLanguageItem* source = languages.Add();
  source->SetLanguageID(2052);
  source->DefaultFont()->SetName("Arial");
  TLmLanguageItem* copy = languages.Add();
  copy->Assign(source);
  EXPECT_EQ(copy->LanguageID(), 2052u);
  EXPECT_EQ(copy->Abbreviation(), u"CHS");
  EXPECT_NE(copy->DefaultFont()->Name(), "Arial");
  copy->SetDefaultFont(source->DefaultFont());  // writing the font copies it
  EXPECT_EQ(copy->DefaultFont()->Name(), "Arial");
  EXPECT_NE(copy->DefaultFont(), source->DefaultFont());
}
