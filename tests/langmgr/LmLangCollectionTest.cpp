#include "LmLangCollection.h"

#include <gtest/gtest.h>

#include "LmExceptions.h"
#include "TFont.h"

namespace {

class LmLangCollectionTest : public ::testing::Test {
protected:
  TLmLanguageItem* NewItem() {
    TLmLanguageItem* item = languages.Add();
    item->OnChange = [this](TObject*) { ++changes; };
    return item;
  }

  TLmLanguageCollection languages{nullptr};
  int changes = 0;
};

}  // namespace

TEST_F(LmLangCollectionTest, AnIdFillsTheLocaleTexts) {
  TLmLanguageItem* item = NewItem();
  item->SetLanguageID(2052);
  EXPECT_EQ(item->LanguageID(), 2052u);
  EXPECT_EQ(item->Abbreviation(), u"CHS");
  EXPECT_EQ(item->LanguageDirName(), u"2052");
  EXPECT_EQ(item->LanguageFileName(), u"CHS");
  EXPECT_FALSE(item->LanguageName().empty());
  item->SetLanguageID(2052);  // the same id again changes nothing
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(languages.Items(0), item);
}

TEST_F(LmLangCollectionTest, AFileNameGivenFirstIsKept) {
  TLmLanguageItem* item = NewItem();
  item->SetLanguageFileName(u"english");
  item->SetLanguageID(1033);
  EXPECT_EQ(item->LanguageFileName(), u"english");
  EXPECT_EQ(item->Abbreviation(), u"ENU");
}

TEST_F(LmLangCollectionTest, AnUnknownIdRaisesAndChangesNothing) {
  TLmLanguageItem* item = NewItem();
  item->SetLanguageID(1033);
  try {
    item->SetLanguageID(74565);
    FAIL();
  } catch (const ELanguageStorageError& e) {
    EXPECT_EQ(e.Message(), "Invalid Language ID 74565");
  }
  EXPECT_EQ(item->LanguageID(), 1033u);
  EXPECT_EQ(item->Abbreviation(), u"ENU");
  EXPECT_EQ(changes, 1);
}

TEST_F(LmLangCollectionTest, IdZeroClearsTheLocaleTextsOnly) {
  TLmLanguageItem* item = NewItem();
  item->SetLanguageID(2052);
  item->SetAuthor(u"作者");
  item->SetAuthorEmail(u"a@b.c");
  item->DefaultFont()->SetName("Tahoma");
  item->SetLanguageID(0);
  EXPECT_EQ(item->LanguageName(), u"");
  EXPECT_EQ(item->Abbreviation(), u"");
  EXPECT_EQ(item->LanguageFileName(), u"");
  EXPECT_EQ(item->LanguageDirName(), u"");
  EXPECT_EQ(item->Author(), u"作者");
  EXPECT_EQ(item->AuthorEmail(), u"a@b.c");
  EXPECT_EQ(item->DefaultFont()->Name(), "Tahoma");
  EXPECT_EQ(changes, 2);
}

TEST_F(LmLangCollectionTest, AssignCopiesTextsAndIdButNotTheFont) {
  TLmLanguageItem* source = NewItem();
  source->SetLanguageID(1033);
  source->SetAuthor(u"A");
  source->DefaultFont()->SetName("Arial");
  TLmLanguageItem* copy = NewItem();
  copy->Assign(source);
  EXPECT_EQ(copy->LanguageID(), 1033u);
  EXPECT_EQ(copy->Abbreviation(), u"ENU");
  EXPECT_EQ(copy->Author(), u"A");
  EXPECT_NE(copy->DefaultFont()->Name(), "Arial");
  TFont font;
  font.SetName("Courier New");
  copy->SetDefaultFont(&font);  // writing the font copies it
  EXPECT_EQ(copy->DefaultFont()->Name(), "Courier New");
  EXPECT_NE(copy->DefaultFont(), &font);
}
