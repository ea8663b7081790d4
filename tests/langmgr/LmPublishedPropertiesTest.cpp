// Each component of the language manager publishes its properties in declaration order,
// ancestors first, and round-trips them through its property table: what is written by name
// is read back by name; values a setter refuses (a table length of 0) leave the old value.
#include <gtest/gtest.h>

#include <vector>

#include "LangManagerFixture.h"
#include "LmLangCollection.h"
#include "LmLangTranslator.h"
#include "TFont.h"
#include "TypInfo.h"

namespace {

std::vector<AnsiString> names(const TObject* object) {
  std::vector<AnsiString> result;
  for (const TPropInfo* prop : object->ClassType().Properties()) result.push_back(prop->Name);
  return result;
}

// Writes each value and expects to read back Expected (the value itself when not given).
struct Sample {
  const char* Name;
  TPropValue Value;
  TPropValue Expected = {};
};

// Property values of the kinds sampled here (events hold handlers, which do not compare).
bool same(const TPropValue& a, const TPropValue& b) {
  if (a.index() != b.index()) return false;
  return std::visit(
      [&](const auto& x) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::any>)
          return false;
        else
          return x == std::get<T>(b);
      },
      a);
}

void roundTrip(TObject* object, const std::vector<Sample>& samples) {
  for (const Sample& s : samples) {
    SetPropValue(object, s.Name, s.Value);
    const TPropValue expected = std::holds_alternative<std::monostate>(s.Expected) ? s.Value : s.Expected;
    EXPECT_TRUE(same(GetPropValue(object, s.Name), expected)) << s.Name;
  }
}

class LmPublishedPropertiesTest : public LangManagerTest {};

}  // namespace

TEST_F(LmPublishedPropertiesTest, LanguageManager) {
  auto* manager = NewManager();
  EXPECT_EQ(names(manager), (std::vector<AnsiString>{
                                "Name", "Tag", "About", "CurrentLanguageIndex", "OnStorageChanged", "OnLanguageChanged",
                                "AutoTranslateStrings", "LanguageStorage", "AutoTranslate", "TranslateTreeNode",
                                "TranslateListItem", "UseDefaultFont", "TranslateOtherFont", "AutoTransOptions",
                                "TranslationMode", "IgnoreAction", "OnTranslateObjectProperty", "OnTranslateObject"}));
  const AnsiString about = manager->About();
  auto* storage = NewStorage();
  roundTrip(manager, {{"About", AnsiString("x"), about},
                      {"CurrentLanguageIndex", std::int64_t{7}},
                      {"AutoTranslateStrings", false},
                      {"LanguageStorage", static_cast<TObject*>(nullptr)},
                      {"LanguageStorage", static_cast<TObject*>(storage)},
                      {"AutoTranslate", false},
                      {"TranslateTreeNode", true},
                      {"TranslateListItem", true},
                      {"UseDefaultFont", false},
                      {"TranslateOtherFont", false},
                      {"AutoTransOptions", std::int64_t{2}},
                      {"TranslationMode", std::int64_t{1}},
                      {"IgnoreAction", false}});
  const TPropInfo* options = GetPropInfo(manager, "AutoTransOptions");
  EXPECT_EQ(GetEnumName(*options, 2), "atDataModules");
}

TEST_F(LmPublishedPropertiesTest, HashLanguageFileStorage) {
  auto* storage = NewStorage();
  EXPECT_EQ(names(storage), (std::vector<AnsiString>{"Name", "Tag", "About", "Languages", "OnLanguageChanged",
                                                     "OnLanguageChanging", "LanguagePath", "AutoDetect", "StorageMode",
                                                     "FileName", "ListLength", "IncSize", "OnLoadFile"}));
  roundTrip(storage, {{"LanguagePath", folder.Path()},
                      {"LanguagePath", WideString(u"missing"), WideString(u"missing/")},
                      {"AutoDetect", false},
                      {"StorageMode", std::int64_t{1}},
                      {"FileName", WideString(u"lang")},
                      {"ListLength", std::int64_t{8}},
                      {"ListLength", std::int64_t{0}, std::int64_t{8}},
                      {"IncSize", std::int64_t{3}},
                      {"IncSize", std::int64_t{-1}, std::int64_t{3}}});
  TLmLanguageCollection other(nullptr);
  other.Add()->SetLanguageID(1033);
  SetObjectProp(storage, "Languages", &other);  // writing the collection copies its items
  EXPECT_EQ(storage->Languages()->Items(0)->Abbreviation(), u"ENU");
  EXPECT_NE(storage->Languages(), &other);
}

TEST_F(LmPublishedPropertiesTest, LanguageItemAndTranslator) {
  TLmLanguageCollection languages(nullptr);
  TLmLanguageItem* item = languages.Add();
  EXPECT_EQ(names(item), (std::vector<AnsiString>{"LanguageName", "Author", "AuthorEmail", "Abbreviation",
                                                  "LanguageFileName", "LanguageDirName", "LanguageID", "DefaultFont"}));
  roundTrip(item, {{"Author", WideString(u"作者")}, {"LanguageID", std::int64_t{2052}}});
  EXPECT_THROW(SetPropValue(item, "LanguageID", std::int64_t{0x7FFFF}), Exception);
  TLmLangTranslator translator(nullptr);
  EXPECT_EQ(names(&translator), (std::vector<AnsiString>{"Name", "Tag", "About"}));
  AnsiString name, author, email, comment;
  translator.DescribeComponent(name, author, email, comment);
  EXPECT_EQ(name + "/" + comment, "Language Translator/Language Translator and Translation Manager");
}
