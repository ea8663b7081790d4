#include "ExportTextHelpers.h"

#include <gtest/gtest.h>

#include "FormatSettings.h"
#include "TComponent.h"

TEST(ExportTextHelpersTest, TheListSeparatorOfTheLocaleIsTheCsvDelimiter) {
  const TFormatSettings saved = GetFormatSettings();
  TFormatSettings fs = saved;
  fs.ListSeparator = ';';
  SetFormatSettings(fs);
  EXPECT_EQ(ExportListSeparator(), ';');
  fs.ListSeparator = '\0';
  SetFormatSettings(fs);
  EXPECT_EQ(ExportListSeparator(), ',');
  SetFormatSettings(saved);
}

TEST(ExportTextHelpersTest, CharactersAndTheirIniTexts) {
  EXPECT_EQ(CharToIniText('\t'), "#9");
  EXPECT_EQ(CharToIniText(' '), "#32");
  EXPECT_EQ(CharToIniText(';'), ";");
  EXPECT_EQ(CharToIniText('\xb3'), "#179");
  EXPECT_EQ(IniTextToChar("#9"), '\t');
  EXPECT_EQ(IniTextToChar("#179"), '\xb3');
  EXPECT_EQ(IniTextToChar(";"), ';');
  EXPECT_EQ(IniTextToChar(""), '\0');
  EXPECT_EQ(IniTextToChar("#x"), '\0');
  EXPECT_EQ(IniTextToChar("ab"), '\0');
}

TEST(ExportTextHelpersTest, ReplacingOnceOrEverywhereWithOrWithoutCase) {
  EXPECT_EQ(WideReplace(u"aXbxc", u"x", u"-", 0), u"aXb-c");
  EXPECT_EQ(WideReplace(u"aXbxc", u"x", u"-", ExportIgnoreCase), u"a-bxc");
  EXPECT_EQ(WideReplace(u"aXbxc", u"x", u"-", ExportReplaceAll | ExportIgnoreCase), u"a-b-c");
  EXPECT_EQ(WideReplace(u"aaa", u"a", u"aa", ExportReplaceAll), u"aaaaaa");  // replaced text is not scanned again
  EXPECT_EQ(WideReplace(u"abc", u"", u"x", ExportReplaceAll), u"abc");
  EXPECT_EQ(ByteReplace("NULL null Null", "null", ""), "  ");
}

TEST(ExportTextHelpersTest, CodePagesAndTextWidths) {
  EXPECT_EQ(WideToCodePage(u"抄", ExportAnsiCodePage), "\xb3\xad");
  EXPECT_EQ(WideToCodePage(u"", ExportOemCodePage), "");
  EXPECT_EQ(WideToCodePage(u"€", ExportAnsiCodePage), "\x80");
  TComponent object(nullptr);
  EXPECT_EQ(ExportTextWidth(&object, u"abc"), 24);
  EXPECT_EQ(ExportTextWidth(nullptr, u"abc"), 0);
  EXPECT_EQ(ExportTextWidth(&object, u""), 0);
}
