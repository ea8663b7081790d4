// The section TEXTFORMAT: its defaults, the characters its values stand for, and the formats
// that could not be read back.
#include "TextFormatSettings.h"

#include <gtest/gtest.h>

#include "ExportReaders.h"

namespace {

TTextFormat formatOf(const char* Delimiter, const char* Quote, AnsiString* Reason = nullptr) {
  TTextFormatEntries entries;
  entries.DelimiterChar = Delimiter;
  entries.QuoteChar = Quote;
  TTextFormat format;
  AnsiString reason;
  const bool ok = TextFormatOf(entries, format, reason);
  if (Reason != nullptr) *Reason = ok ? AnsiString() : reason;
  return format;
}

}  // namespace

TEST(TextFormatSettingsTest, AMissingSectionGivesCommaDoubleQuoteAndBothFlags) {
  TExportTempDir dir;
  const TTextFormatEntries entries = ReadTextFormatEntries(dir.Path("none.ini"));
  EXPECT_EQ(entries.DelimiterChar, ",");
  EXPECT_EQ(entries.QuoteChar, "\"");
  EXPECT_TRUE(entries.QuotedString);
  EXPECT_TRUE(entries.IncludeTitle);
  const TTextFormatEntries empty = ReadTextFormatEntries("");
  EXPECT_EQ(empty.QuoteChar, "\"");
}

TEST(TextFormatSettingsTest, TheStoredTextsStandForTheirCharacters) {
  EXPECT_EQ(formatOf("t", "\"").Delimiter, '\t');
  EXPECT_EQ(formatOf("T", "\"").Delimiter, '\t');
  EXPECT_EQ(formatOf("", "\"").Delimiter, ' ');
  EXPECT_EQ(formatOf("abc", "\"").Delimiter, 'a');
  EXPECT_EQ(formatOf(";", "t").Quote, '\t');
  EXPECT_EQ(formatOf(";", "'").Quote, '\'');
}

TEST(TextFormatSettingsTest, FormatsThatCouldNotBeReadBackAreRefused) {
  AnsiString reason;
  formatOf("\xa3\xbb", "\"", &reason);  // a full-width semicolon in GBK
  EXPECT_NE(reason.find("delimiter"), AnsiString::npos);
  formatOf(",", "\xa1\xb0", &reason);
  EXPECT_NE(reason.find("quote character"), AnsiString::npos);
  formatOf(",", ",", &reason);
  EXPECT_NE(reason.find("the same character"), AnsiString::npos);
  formatOf("\"", "'", &reason);
  EXPECT_NE(reason.find("double quote"), AnsiString::npos);
  formatOf("|", "'", &reason);
  EXPECT_EQ(reason, "");
}

TEST(TextFormatSettingsTest, WrittenEntriesReadBackAsTheyWereTyped) {
  TExportTempDir dir;
  const std::string file = dir.Path("a.ini");
  WriteFileBytes(file, "[sysoptions]\r\nrunmode=1\r\n");
  TTextFormatEntries entries;
  entries.DelimiterChar = "";
  entries.QuoteChar = "'";
  entries.QuotedString = false;
  entries.IncludeTitle = false;
  WriteTextFormatEntries(file, entries);
  EXPECT_EQ(ReadFileBytes(file),
            "[sysoptions]\r\nrunmode=1\r\n[TEXTFORMAT]\r\nDelimiterChar=\r\nQuoteChar='\r\nQuotedString=0\r\n"
            "IncludeTitle=0\r\n");
  const TTextFormatEntries read = ReadTextFormatEntries(file);
  EXPECT_EQ(read.DelimiterChar, "");
  EXPECT_EQ(read.QuoteChar, "'");
  EXPECT_FALSE(read.QuotedString);
  EXPECT_FALSE(read.IncludeTitle);
}
