#include "CodePageTable_p.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "CodePage.h"

namespace {

// The code pages the program converts: GBK and its Chinese, Japanese and Korean neighbours,
// two single-byte pages, and UTF-8 (which no table serves).
const std::vector<int> CodePages = {936, 950, 932, 949, 1252, 437, CP_UTF8};

// Runs Convert with the converter alone and with the tables, for comparison.
template <class F>
auto byConverter(F Convert) {
  codepagetable::SetConversionsBeforeTable(-1);
  auto result = Convert();
  codepagetable::SetConversionsBeforeTable(1);
  return result;
}

class CodePageTableTest : public ::testing::Test {
protected:
  void SetUp() override { codepagetable::SetConversionsBeforeTable(1); }
  void TearDown() override { codepagetable::SetConversionsBeforeTable(1000); }
};

}  // namespace

TEST_F(CodePageTableTest, EveryByteAndBytePairWidensAsTheConverterWidensIt) {
  for (int cp : CodePages) {
    for (int b = 0; b < 0x100; ++b) {
      const std::string one(1, static_cast<char>(b));
      ASSERT_EQ(AnsiToWide(one, cp), byConverter([&] { return AnsiToWide(one, cp); })) << cp << " " << b;
      if (b < 0x80) continue;
      for (int t = 0; t < 0x100; ++t) {
        // A pair between other text: what a lead byte takes with it must not change its neighbours.
        const std::string text = std::string("a") + static_cast<char>(b) + static_cast<char>(t) + "z";
        WideString kept;
        AnsiToWide(text, kept, cp);
        ASSERT_EQ(kept, byConverter([&] { return AnsiToWide(text, cp); })) << cp << " " << b << " " << t;
      }
    }
  }
}

TEST_F(CodePageTableTest, EveryUtf16UnitNarrowsAsTheConverterNarrowsIt) {
  for (int cp : CodePages)
    for (std::uint32_t c = 0x80; c < 0x10000; ++c) {
      const std::u16string text = {u'x', static_cast<char16_t>(c), u'y'};
      ASSERT_EQ(WideToAnsi(text, cp), byConverter([&] { return WideToAnsi(text, cp); })) << cp << " " << c;
    }
}

TEST_F(CodePageTableTest, MixedTextsConvertAsWithTheConverter) {
  std::mt19937 random(12345);
  // Lead bytes, trail bytes, bytes that stand alone, ASCII; and a cut-off lead at the end.
  const std::string bytes = "\x81\x80\xA1\xB0\xCA\xD6\xFE\xFF\x40\x7F\x5C\x22,Aa0";
  // A pair of surrogates (U+1F600) and a lone one among them.
  const std::u16string units = u"手持机抄表€\u0E01\U0001F600\uFFFD\u00E9a,\"" + std::u16string(1, char16_t(0xD800));
  for (int cp : CodePages)
    for (int i = 0; i < 3000; ++i) {
      std::string text;
      std::u16string wide;
      const int length = static_cast<int>(random() % 12);
      for (int k = 0; k < length; ++k) {
        text += bytes[random() % bytes.size()];
        wide += units[random() % units.size()];
      }
      ASSERT_EQ(AnsiToWide(text, cp), byConverter([&] { return AnsiToWide(text, cp); })) << cp;
      ASSERT_EQ(WideToAnsi(wide, cp), byConverter([&] { return WideToAnsi(wide, cp); })) << cp;
    }
}

TEST_F(CodePageTableTest, GbkTextAndWhatTheTableLeavesToTheConverter) {
  EXPECT_EQ(AnsiToWide("\xd5\xc5\xb9\xfa\xc7\xbf"), u"张国强");
  EXPECT_EQ(WideToAnsi(u"张国强 12号"), "\xd5\xc5\xb9\xfa\xc7\xbf 12\xba\xc5");
  EXPECT_EQ(WideToAnsi(u"€"), "\x80");
  // Not in GBK, a lone surrogate, a lead byte without its trail: the converter's answers.
  EXPECT_EQ(WideToAnsi(u"a\u0E01b"), "a?b");
  EXPECT_EQ(WideToAnsi(std::u16string(u"a") + char16_t(0xD800) + u"b"), byConverter([] {
              return WideToAnsi(std::u16string(u"a") + char16_t(0xD800) + u"b");
            }));
  EXPECT_EQ(AnsiToWide("ab\xd5"), byConverter([] { return AnsiToWide("ab\xd5"); }));
}

TEST_F(CodePageTableTest, AppendingKeepsWhatWasThereBeforeWithOrWithoutTables) {
  for (int before : {-1, 1}) {
    codepagetable::SetConversionsBeforeTable(before);
    for (int cp : CodePages) {
      std::string out = "head,";
      AppendWideToAnsi(u"张国强,\u0E01", out, cp);
      EXPECT_EQ(out, "head," + WideToAnsi(u"张国强,\u0E01", cp)) << cp;
      AppendWideToAnsi(u"", out, cp);
      EXPECT_EQ(out, "head," + WideToAnsi(u"张国强,\u0E01", cp)) << cp;
    }
  }
}
