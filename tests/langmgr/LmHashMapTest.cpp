#include "LmHashMap.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "LmExceptions.h"

namespace {

WideString key(int i) {
  const std::string digits = std::to_string(i);
  return u"TFormmain.Control" + WideString(digits.begin(), digits.end());
}

// Home bucket of a key in a table of the given length.
int home(const WideString& k, int length) { return LmHashOfWideString(k) % length; }

std::vector<WideString> enumerate(TLmBaseHashMap& map) {
  std::vector<WideString> keys;
  WideString k, v;
  map.StartEnum();
  while (map.GetNext(k, v)) keys.push_back(k);
  return keys;
}

}  // namespace

TEST(LmHashMapTest, HashOfWideStrings) {
  EXPECT_EQ(LmHashOfWideString(u""), 0);
  EXPECT_EQ(LmHashOfWideString(u"a"), 97);
  EXPECT_EQ(LmHashOfWideString(u"ab"), 97 * 33 + 98);
  // Wraps at 32 bits and gives the absolute value.
  std::uint32_t h = 0;
  for (char16_t c : std::u16string(u"TFormmain.listCbj.Columns.Item0.Caption")) h = h * 33u + c;
  const auto s = static_cast<std::int32_t>(h);
  EXPECT_EQ(LmHashOfWideString(u"TFormmain.listCbj.Columns.Item0.Caption"), s < 0 ? -s : s);
}

TEST(LmHashMapTest, AddFindReplaceDelete) {
  TLmWideStrToWideStrHashMap map(16, 2);
  map.Add(WideString(u"Key"), WideString(u"1"));
  map.Add(WideString(u"key"), WideString(u"2"));  // keys keep their case
  map.Add(WideString(u""), WideString(u"empty"));
  EXPECT_EQ(map.Count(), 3);
  map.Add(WideString(u"Key"), WideString(u"3"));
  EXPECT_EQ(map.Count(), 3);
  WideString v = u"untouched";
  EXPECT_TRUE(map.Find(WideString(u"Key"), v));
  EXPECT_EQ(v, u"3");
  EXPECT_TRUE(map.Find(WideString(u""), v));
  EXPECT_EQ(v, u"empty");
  v = u"untouched";
  EXPECT_FALSE(map.Find(WideString(u"KEY"), v));
  EXPECT_EQ(v, u"untouched");
  EXPECT_TRUE(map.Delete(WideString(u"key")));
  EXPECT_FALSE(map.Delete(WideString(u"key")));
  EXPECT_EQ(map.Count(), 2);
}

TEST(LmHashMapTest, TheTableFillsCompletelyBeforeItGrows) {
  TLmWideStrToWideStrHashMap map(1024, 2);
  for (int i = 0; i < 1024; ++i) map.Add(key(i), u"v");
  EXPECT_EQ(map.Length(), 1024);
  EXPECT_EQ(map.Count(), 1024);
  map.Add(key(1024), u"v");
  EXPECT_EQ(map.Length(), 2048);
  for (int i = 0; i <= 1024; ++i) {
    WideString v;
    ASSERT_TRUE(map.Find(key(i), v)) << i;
  }
}

TEST(LmHashMapTest, CollidingKeysProbeToTheNextSlots) {
  // Four keys sharing the home bucket 6 of a table of 8 take slots 6, 7, 0 and 1.
  std::vector<WideString> same;
  for (int i = 0; same.size() < 4; ++i)
    if (home(key(i), 8) == 6) same.push_back(key(i));
  TLmWideStrToWideStrHashMap map(8, 2);
  for (const WideString& k : same) map.Add(k, k);
  EXPECT_EQ(enumerate(map), (std::vector<WideString>{same[2], same[3], same[0], same[1]}));
  // Deleting the middle one keeps the last one reachable past the deleted slot.
  EXPECT_TRUE(map.Delete(same[1]));
  WideString v;
  EXPECT_TRUE(map.Find(same[2], v));
  EXPECT_EQ(v, same[2]);
}

TEST(LmHashMapTest, ReAddingADeletedKeyTakesTheFirstEmptySlot) {
  std::vector<WideString> same;
  for (int i = 0; same.size() < 2; ++i)
    if (home(key(i), 8) == 2) same.push_back(key(i));
  TLmWideStrToWideStrHashMap map(8, 2);
  map.Add(same[0], u"a");  // slot 2
  map.Add(same[1], u"b");  // slot 3
  map.Delete(same[0]);
  map.Add(same[0], u"c");  // slot 4, not the deleted slot 2
  EXPECT_EQ(enumerate(map), (std::vector<WideString>{same[1], same[0]}));
}

TEST(LmHashMapTest, InvalidSizesRaise) {
  try {
    TLmWideStrToWideStrHashMap map(16, 1);
    FAIL();
  } catch (const ELmHashException& e) {
    EXPECT_EQ(e.Message(), "Incr should be lagerer than 1");
  }
  TLmWideStrToWideStrHashMap map(4, 2);
  EXPECT_THROW(map.SetIncSize(0), ELmHashException);
  EXPECT_EQ(map.IncSize(), 2);
  EXPECT_THROW(TLmWideStrToWideStrHashMap(-1, 2), ELmHashException);
  // A table of no slots still takes entries.
  TLmWideStrToWideStrHashMap empty(0, 2);
  WideString v;
  EXPECT_FALSE(empty.Find(WideString(u"x"), v));
  empty.Add(WideString(u"x"), WideString(u"y"));
  EXPECT_TRUE(empty.Find(WideString(u"x"), v));
}

TEST(LmHashMapTest, RandomOperationsMatchAReferenceMap) {
  std::mt19937 random(20240607);
  TLmWideStrToWideStrHashMap map(7, 3);
  std::unordered_map<WideString, WideString> reference;
  for (int step = 0; step < 60000; ++step) {
    const WideString k = key(static_cast<int>(random() % 3000));
    switch (random() % 4) {
      case 0:
      case 1: {
        const WideString v = key(step);
        map.Add(k, v);
        reference[k] = v;
        break;
      }
      case 2: ASSERT_EQ(map.Delete(k), reference.erase(k) == 1) << step; break;
      default: {
        WideString v;
        auto it = reference.find(k);
        ASSERT_EQ(map.Find(k, v), it != reference.end()) << step;
        if (it != reference.end()) {
          ASSERT_EQ(v, it->second) << step;
        }
      }
    }
    ASSERT_EQ(map.Count(), static_cast<int>(reference.size()));
  }
  std::map<WideString, WideString> seen;
  WideString k, v;
  map.StartEnum();
  while (map.GetNext(k, v)) ASSERT_TRUE(seen.emplace(k, v).second);
  EXPECT_EQ(seen, (std::map<WideString, WideString>(reference.begin(), reference.end())));
}

TEST(LmHashMapTest, TheBaseMapHashesKeysAsIntegers) {
  TLmBaseHashMap map(4, 2);
  for (int i = -3; i < 10; ++i) map.Add(Variant(i), Variant(i * 10));
  Variant v;
  EXPECT_TRUE(map.Find(Variant(-3), v));
  EXPECT_EQ(v.AsInteger(), -30);
  EXPECT_TRUE(map.Find(Variant("7"), v));  // keys are equal when their texts are
  EXPECT_EQ(v.AsInteger(), 70);
  EXPECT_EQ(map.Count(), 13);
  EXPECT_EQ(map.Length(), 16);
}
