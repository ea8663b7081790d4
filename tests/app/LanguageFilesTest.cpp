// The language files shipped beside the program: both carry the same keys, every message text
// among them, and the headers that make them language files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "ClasslibCore.h"
#include "uConstStrings.h"

namespace {

using TEntries = std::map<std::string, std::string>;

// The file's key=value lines after its UTF-8 byte-order mark; the first line separately.
TEntries readLanguageFile(const std::string& Name, std::string& FirstLine) {
  std::ifstream in(std::string(HHM_LANGUAGES_DIR) + "/" + Name, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_TRUE(text.starts_with("\xef\xbb\xbf")) << Name;
  text.erase(0, 3);
  TEntries entries;
  std::size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    if (first) FirstLine = line;
    first = false;
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) {
      EXPECT_TRUE(entries.emplace(line.substr(0, eq), line.substr(eq + 1)).second) << line;
    }
    pos = end + 2;
  }
  return entries;
}

class LanguageFilesTest : public ::testing::Test {
protected:
  LanguageFilesTest() : units({ClasslibCoreUnit, uConstStringsUnit}) {
    units.Initialize();
    chinese = readLanguageFile("Chinese.txt", chineseFirst);
    english = readLanguageFile("English.txt", englishFirst);
  }
  TUnitList units;
  std::string chineseFirst, englishFirst;
  TEntries chinese, english;
};

}  // namespace

TEST_F(LanguageFilesTest, HeadersNameTheLanguages) {
  EXPECT_EQ(chineseFirst, "!LanguageID=2052");
  EXPECT_EQ(englishFirst, "!LanguageID=1033");
  EXPECT_EQ(chinese["!LanguageName"], "简体中文");
  EXPECT_EQ(english["!LanguageName"], "English");
  EXPECT_FALSE(english["!TranslationDefaultFont"].empty());
}

TEST_F(LanguageFilesTest, BothCarryTheSameKeys) {
  for (const auto& [key, value] : chinese) {
    EXPECT_TRUE(english.count(key)) << key;
    EXPECT_FALSE(value.empty()) << key;
  }
  for (const auto& [key, value] : english) EXPECT_TRUE(chinese.count(key)) << key;
}

TEST_F(LanguageFilesTest, EveryMessageTextIsTranslated) {
  for (std::size_t i = 0; i < ConstStringCount; ++i) {
    const TConstStringEntry& entry = ConstStringTable()[i];
    ASSERT_TRUE(chinese.count(entry.Key)) << entry.Key;
    EXPECT_EQ(chinese[entry.Key], entry.DefaultUtf8) << entry.Key;
    EXPECT_FALSE(english[entry.Key].empty()) << entry.Key;
  }
}

TEST_F(LanguageFilesTest, PortTextKeepsItsNumberField) {
  for (TEntries* entries : {&chinese, &english}) {
    const std::string& text = (*entries)["INFO_CONECTED_PORT"];
    ASSERT_NE(text.find("%d"), std::string::npos);
    EXPECT_EQ(text.find("%d"), text.rfind("%d"));
    EXPECT_EQ(text.find('%'), text.rfind('%'));
  }
}

TEST_F(LanguageFilesTest, PrefixTextsStayPrefixes) {
  // A text the program appends to keeps room for what follows in every language.
  for (const char* key : {"ERR_READ_COMPACITY_FAILED", "INFO_UPLOADING", "INFO_DOWNLOADING", "ERR_LIST_DEVICE_FILES"})
    EXPECT_TRUE(english[key].ends_with(": ")) << key;
  EXPECT_TRUE(english["INFO_CURRENT_PROGRESS"].starts_with(" "));
}
