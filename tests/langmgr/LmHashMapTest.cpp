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

// The first keys whose home bucket in a table of Length slots is Bucket.
std::vector<WideString> keysAt(int bucket, int length, std::size_t count) {
  std::vector<WideString> keys;
  for (int i = 0; keys.size() < count; ++i)
    if (LmHashOfWideString(key(i)) % length == bucket) keys.push_back(key(i));
  return keys;
}

std::vector<WideString> enumerate(TLmBaseHashMap& map) {
  std::vector<WideString> keys;
  WideString k, v;
  map.StartEnum();
  while (map.GetNext(k, v)) keys.push_back(k);
  return keys;
}

}  // namespace

TEST(LmHashMapTest, AddFindReplaceDelete) {
  EXPECT_EQ(LmHashOfWideString(u"ab"), 97 * 33 + 98);
  TLmWideStrToWideStrHashMap map(16, 2);
  map.Add(WideString(u"Key"), WideString(u"1"));
  map.Add(WideString(u"key"), WideString(u"2"));   // keys keep their case
  map.Add(WideString(u""), WideString(u"empty"));  // hash 0, bucket 0
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
  map.Add(key(1024), u"v");
  EXPECT_EQ(map.Length(), 2048);
  WideString v;
  for (int i = 0; i <= 1024; ++i) ASSERT_TRUE(map.Find(key(i), v)) << i;
}

TEST(LmHashMapTest, CollisionsProbeOnAndWrapAround) {
  // Four keys with the home bucket 6 of 8 take slots 6, 7, 0 and 1: table order is 2, 3, 0, 1.
  const std::vector<WideString> same = keysAt(6, 8, 4);
  TLmWideStrToWideStrHashMap map(8, 2);
  for (const WideString& k : same) map.Add(k, k);
  EXPECT_EQ(enumerate(map), (std::vector<WideString>{same[2], same[3], same[0], same[1]}));
  // A deleted slot is passed over by lookups, and a key added again takes the first empty slot
  // of its probe sequence, not its old one.
  EXPECT_TRUE(map.Delete(same[1]));
  WideString v;
  EXPECT_TRUE(map.Find(same[2], v));
  map.Add(same[1], u"again");
  EXPECT_EQ(enumerate(map), (std::vector<WideString>{same[2], same[3], same[1], same[0]}));
}

TEST(LmHashMapTest, InvalidSizes) {
  try {
    TLmWideStrToWideStrHashMap map(16, 1);
    FAIL();
  } catch (const ELmHashException& e) {
    EXPECT_EQ(e.Message(), "Incr should be lagerer than 1");
  }
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
    WideString v;
    switch (random() % 4) {
      case 0:
      case 1:
        map.Add(k, key(step));
        reference[k] = key(step);
        break;
      case 2: ASSERT_EQ(map.Delete(k), reference.erase(k) == 1) << step; break;
      default:
        ASSERT_EQ(map.Find(k, v), reference.count(k) == 1) << step;
        if (reference.count(k) == 1) {
          ASSERT_EQ(v, reference[k]) << step;
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
  EXPECT_TRUE(map.Find(Variant("7"), v));  // keys are equal when their texts are
  EXPECT_EQ(v.AsInteger(), 70);
  EXPECT_EQ(map.Length(), 16);
}
