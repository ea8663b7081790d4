#include "TsstStrings.h"

#include <gtest/gtest.h>

#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "TMemoryStream.h"
#include "XlsTestSupport.h"

namespace {

std::vector<TRecord> Saved(const TsstStrings& sst) {
  TMemoryStream stream;
  sst.SaveToStream(stream);
  return SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
}

// Reads the strings back the way a reader must: a string continues after a record boundary
// with an option byte.
std::vector<std::u16string> ReadBack(const std::vector<TRecord>& records) {
  std::vector<std::u16string> strings;
  std::size_t r = 0, at = 8;
  const std::uint32_t count = U32At(records[0].Data, 4);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at >= records[r].Data.size()) ++r, at = 0;
    const std::string* data = &records[r].Data;
    std::size_t chars = U16At(*data, at);
    EXPECT_EQ((*data)[at + 2], 1) << "string " << i << " is not in 16-bit characters";
    at += 3;
    std::u16string s;
    while (chars > 0) {
      if (at >= data->size()) {
        data = &records[++r].Data;
        EXPECT_EQ(records[r].Id, biff8::CONTINUE);
        EXPECT_EQ((*data)[0], 1);
        at = 1;
      }
      s += static_cast<char16_t>(U16At(*data, at));
      at += 2;
      --chars;
    }
    strings.push_back(s);
  }
  return strings;
}

}  // namespace

TEST(TsstStrings, SameTextTwiceIsOneStringWithTwoReferences) {
  TsstStrings sst;
  EXPECT_EQ(sst.AddString(u"abc"), 0u);
  EXPECT_EQ(sst.AddString(u"xyz"), 1u);
  EXPECT_EQ(sst.AddString(u"abc"), 0u);
  const auto records = Saved(sst);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(U32At(records[0].Data, 0), 3u);  // references
  EXPECT_EQ(U32At(records[0].Data, 4), 2u);  // unique strings
  EXPECT_EQ(Hex(records[0].Data.substr(8)), "03 00 01 61 00 62 00 63 00 03 00 01 78 00 79 00 7A 00");
}

TEST(TsstStrings, CrLfAndLoneCrBecomeOneLf) {
  TsstStrings sst;
  EXPECT_EQ(sst.AddString(u"a\r\nb\rc\n"), 0u);
  EXPECT_EQ(sst.Strings(0), u"a\nb\nc\n");
  EXPECT_EQ(sst.AddString(u"a\nb\nc\n"), 0u);
}

TEST(TsstStrings, TextOf32767CharactersIsKeptAndLongerIsRefusedUnlessCut) {
  TsstStrings sst;
  EXPECT_NO_THROW(sst.AddString(std::u16string(32767, u'x')));
  try {
    sst.AddString(std::u16string(32768, u'x'));
    FAIL() << "a text of 32768 characters was taken";
  } catch (const ExlsFileError& e) {
    EXPECT_STREQ(e.what(), "String too large");
  }
  TsstStrings cutting(true);
  cutting.AddString(std::u16string(40000, u'y'));
  EXPECT_EQ(cutting.Strings(0).size(), 32767u);
  // A cut never splits a surrogate pair.
  std::u16string pairs(32766, u'z');
  pairs += u"\U0001F600\U0001F600";
  cutting.AddString(pairs);
  EXPECT_EQ(cutting.Strings(1), std::u16string(32766, u'z'));
}

TEST(TsstStrings, StringThatDoesNotFitGoesWholeIntoTheNextContinue) {
  TsstStrings sst;
  // 8 bytes of counts and 4000 characters (8003 bytes) leave 213 bytes: a 200-character string
  // (403 bytes) starts the CONTINUE record.
  sst.AddString(std::u16string(4000, u'a'));
  sst.AddString(std::u16string(200, u'中'));
  sst.AddString(u"tail");
  const auto records = Saved(sst);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Data.size(), 8u + 8003u);
  EXPECT_EQ(records[1].Id, biff8::CONTINUE);
  EXPECT_EQ(records[1].Data.size(), 403u + 11u);
  EXPECT_EQ(ReadBack(records), (std::vector<std::u16string>{std::u16string(4000, u'a'), std::u16string(200, u'中'), u"tail"}));
}

TEST(TsstStrings, LongStringIsSplitIntoPiecesOf4110And4111Characters) {
  TsstStrings sst;
  sst.AddString(u"first");
  std::u16string cjk;
  for (int i = 0; i < 32767; ++i) cjk += static_cast<char16_t>(0x4E00 + i % 2000);
  sst.AddString(cjk);
  sst.AddString(u"after");
  const auto records = Saved(sst);
  // SST with the counts and "first"; then 4110 characters, six pieces of 4111, and the last 3991
  // characters together with "after".
  ASSERT_EQ(records.size(), 9u);
  EXPECT_EQ(records[0].Data.size(), 8u + 13u);
  EXPECT_EQ(records[1].Data.size(), 8223u);
  for (int i = 2; i < 8; ++i) EXPECT_EQ(records[i].Data.size(), 8223u) << i;
  EXPECT_EQ(records[8].Data.size(), 1u + 2 * 3991 + 13u);
  for (const TRecord& r : records) EXPECT_LE(r.Data.size(), 8224u);
  EXPECT_EQ(ReadBack(records), (std::vector<std::u16string>{u"first", cjk, u"after"}));
}
