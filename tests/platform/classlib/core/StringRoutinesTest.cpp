#include "StringRoutines.h"

#include <gtest/gtest.h>

namespace {

// One GBK character whose trail byte is the ASCII letter "a" (lead byte 0x81).
const AnsiString kGbkWithLetterTrail = "\x81\x61";

}  // namespace

TEST(StringRoutinesTest, TrimRemovesBlanksAndControlCharacters) {
  EXPECT_EQ(Trim(" \t\r\n\x01 abc \x1f\x7f"), "abc \x1f\x7f");
  EXPECT_EQ(Trim(AnsiString("\0 x\0", 4)), "x");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(u"\t\u4e2d \n"), u"\u4e2d");
  // A GBK character keeps both bytes even when it is at the edge.
  EXPECT_EQ(Trim(" \xd6\xd0 "), "\xd6\xd0");
}

TEST(StringRoutinesTest, CaseMappingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("abc-xyz1"), "ABC-XYZ1");
  EXPECT_EQ(LowerCase("ABC-XYZ1"), "abc-xyz1");
  // The trail byte "a" of a double-byte character is part of that character, not a letter.
  EXPECT_EQ(UpperCase("x" + kGbkWithLetterTrail), "X" + kGbkWithLetterTrail);
}

TEST(StringRoutinesTest, CompareTextIgnoresAsciiCaseOnly) {
  EXPECT_EQ(CompareText("Caption", "CAPTION"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_TRUE(SameText("TFormMain", "tformmain"));
  EXPECT_FALSE(SameText("a", "ab"));
  EXPECT_FALSE(SameText(kGbkWithLetterTrail, "\x81\x41"));
  EXPECT_LT(CompareStr("A", "a"), 0);
}

TEST(StringRoutinesTest, QuotingDoublesTheQuote) {
  EXPECT_EQ(QuotedStr("It's"), "'It''s'");
  EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
  std::size_t pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("\"a\"\"b\" rest", pos, '"'), "a\"b");
  EXPECT_EQ(pos, 6u);
  pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr("\"unclosed", pos, '"'), "unclosed");
  EXPECT_EQ(pos, 9u);
  EXPECT_EQ(AnsiDequotedStr("'x''y'", '\''), "x'y");
  EXPECT_EQ(AnsiDequotedStr("'x' y", '\''), "'x' y");
}

TEST(StringRoutinesTest, LoneLeadByteBeforeTheClosingQuoteKeepsTheQuote) {
  // 0x8C starts a double-byte character only before a trail byte; a quote is none.
  for (char quote : {'\'', '"'}) {
    const AnsiString quoted = AnsiQuotedStr("ab\x8c", quote);
    EXPECT_EQ(quoted, std::string(1, quote) + "ab\x8c" + quote);
    EXPECT_EQ(AnsiDequotedStr(quoted, quote), "ab\x8c");
    std::size_t pos = 0;
    EXPECT_EQ(AnsiExtractQuotedStr(quoted + " rest", pos, quote), "ab\x8c");
    EXPECT_EQ(pos, quoted.size());
  }
  EXPECT_EQ(AnsiQuotedStr("\x8c'", '\''), "'\x8c'''");
  EXPECT_EQ(AnsiDequotedStr("'\x8c'''", '\''), "\x8c'");
  // Before a trail byte the lead byte takes it, also when it looks like a letter.
  EXPECT_EQ(AnsiPos("a", kGbkWithLetterTrail + "a"), 3);
}

TEST(StringRoutinesTest, PositionsStepOverDoubleByteCharacters) {
  EXPECT_EQ(AnsiPos("lo", "hello"), 4);
  EXPECT_EQ(AnsiPos("", "hello"), 0);
  EXPECT_EQ(AnsiPos("a", kGbkWithLetterTrail), 0);
  EXPECT_EQ(LastDelimiter("/.", "/dir/file.txt"), 10);
  EXPECT_EQ(LastDelimiter("\\", "\xf1\x5c"), 0);  // 癮: its trail byte is "\"
  EXPECT_TRUE(IsDelimiter("/", "a/b", 2));
  EXPECT_FALSE(IsDelimiter("\\", "\xf1\x5c", 2));
}

TEST(StringRoutinesTest, StringReplace) {
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", {}), "a::b.c");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", {TReplaceFlag::rfReplaceAll}), "a::b::c");
  EXPECT_EQ(StringReplace("Abc aBC", "bc", "X", {TReplaceFlag::rfReplaceAll, TReplaceFlag::rfIgnoreCase}), "AX aX");
  // Replaced text is not scanned again.
  EXPECT_EQ(StringReplace("aa", "a", "aa", {TReplaceFlag::rfReplaceAll}), "aaaa");
  EXPECT_EQ(StringReplace("abc", "", "x", {TReplaceFlag::rfReplaceAll}), "abc");
  EXPECT_EQ(StringReplace(kGbkWithLetterTrail + "a", "A", "b", {TReplaceFlag::rfReplaceAll, TReplaceFlag::rfIgnoreCase}),
            kGbkWithLetterTrail + "b");
  const AnsiString longText(100000, 'x');
  EXPECT_EQ(StringReplace(longText, "x", "yy", {TReplaceFlag::rfReplaceAll}).size(), 200000u);
}
