// TShortFieldNameGenerator: dBASE field names of at most 10 bytes, never one twice.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "CodePage.h"
#include "StringRoutines.h"
#include "TShortFieldNameGenerator.h"

namespace {

TEST(TShortFieldNameGenerator, LongNamesSharingTheirFirstTenBytesGetNumberedSuffixes) {
  TShortFieldNameGenerator g;
  EXPECT_EQ(g.Generate("ADDRESSLINE1"), "ADDRESSLIN");
  EXPECT_EQ(g.Generate("ADDRESSLINE2"), "ADDRESSL~1");
  EXPECT_EQ(g.Generate("ADDRESSLINE3"), "ADDRESSL~2");
}

TEST(TShortFieldNameGenerator, ShortNamesAreRecordedAndCollideWithoutRegardToCase) {
  TShortFieldNameGenerator g;
  EXPECT_EQ(g.Generate("QTY"), "QTY");
  EXPECT_EQ(g.Generate("qty"), "qty~1");
  EXPECT_EQ(g.Generate("ADDRESSL~1"), "ADDRESSL~1");
  EXPECT_EQ(g.Generate("ADDRESSLINE1"), "ADDRESSLIN");
  // ~1 is taken by the short name above: the suffix rises until the name is free.
  EXPECT_EQ(g.Generate("ADDRESSLINE2"), "ADDRESSL~2");
  EXPECT_EQ(g.Generate("AddressLine3"), "AddressL~3");
}

TEST(TShortFieldNameGenerator, DoubleByteNamesAreCutBetweenCharacters) {
  TShortFieldNameGenerator g;
  EXPECT_EQ(g.Generate(WideToAnsi(u"数量数量数量")), WideToAnsi(u"数量数量数"));
  EXPECT_EQ(g.Generate(WideToAnsi(u"数量数量数量二")), WideToAnsi(u"数量数量~1"));
  EXPECT_EQ(g.Generate(WideToAnsi(u"a数量数量数")), WideToAnsi(u"a数量数量"));
  EXPECT_EQ(g.Generate(WideToAnsi(u"a数量数量数量")), WideToAnsi(u"a数量数~1"));
}

TEST(TShortFieldNameGenerator, AdversarialNameSetsNeverRepeatANameAndStayWithinTenBytes) {
  std::mt19937 random(20261208);
  const std::vector<std::string> stems = {"A", "a", "ADDRESSLINE", "addressl~1", "X~1", "~", "", "数量数量数量", "FIELD"};
  for (int round = 0; round < 50; ++round) {
    TShortFieldNameGenerator g;
    std::set<std::string> seen;
    for (int i = 0; i < 300; ++i) {
      std::string name = stems[random() % stems.size()];
      if (random() % 2) name += std::to_string(random() % 20);
      if (random() % 3 == 0) name = LowerCase(name);
      const std::string out = g.Generate(name);
      EXPECT_LE(out.size(), 10u) << name;
      // No half character: the name converts back and forth unchanged.
      EXPECT_EQ(WideToAnsi(AnsiToWide(out)), out);
      EXPECT_TRUE(seen.insert(UpperCase(out)).second) << "repeated " << out << " for " << name;
    }
  }
}

}  // namespace
