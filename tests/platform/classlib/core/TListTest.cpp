#include "TList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Exception.h"
#include "TypInfo.h"

namespace {

// Records every notification as "+x", "-x" (deleted) or "~x" (extracted).
class TWatchedList : public TList {
  DECLARE_CLASS(TWatchedList, TList)
  std::string log;

protected:
  void Notify(void* Ptr, TListNotification Action) override {
    log += Action == TListNotification::lnAdded ? '+' : Action == TListNotification::lnDeleted ? '-' : '~';
    log += *static_cast<char*>(Ptr);
  }
};
DEFINE_CLASS(TWatchedList, TList)

}  // namespace

TEST(TListTest, ItemsComeAndGoWithNotification) {
  char a = 'a', b = 'b', c = 'c';
  TWatchedList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(0, &c);
  list.Add(nullptr);  // stored, not notified
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf(&a), 1);
  EXPECT_EQ(list.Extract(&a), &a);
  EXPECT_EQ(list.Extract(&a), nullptr);
  EXPECT_EQ(list.Remove(&b), 1);
  list.SetItems(0, &a);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  list.Clear();
  EXPECT_EQ(list.log, "+a+b+c~a-b-c+a-a");
}

TEST(TListTest, IndexErrorsNameTheIndex) {
  TList list;
  try {
    list.Items(0);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (0)");
  }
  EXPECT_THROW(list.Insert(1, nullptr), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.First(), EListError);
  EXPECT_THROW(list.SetCount(-1), EListError);
  list.SetCount(3);
  EXPECT_EQ(list.Items(2), nullptr);
  EXPECT_THROW(list.SetCapacity(2), EListError);
  EXPECT_THROW(list.Move(0, 3), EListError);
}

TEST(TListTest, SortMoveAndExchange) {
  std::vector<int> values{5, 3, 9, 1, 7};
  TList list;
  for (int& v : values) list.Add(&v);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  std::vector<int> sorted;
  for (int i = 0; i < list.Count(); ++i) sorted.push_back(*static_cast<int*>(list.Items(i)));
  EXPECT_EQ(sorted, (std::vector<int>{1, 3, 5, 7, 9}));
  list.Move(0, 4);
  EXPECT_EQ(*static_cast<int*>(list.Last()), 1);
  list.Exchange(0, 4);
  EXPECT_EQ(*static_cast<int*>(list.First()), 1);
}
