#include "TObjectList.h"

#include <gtest/gtest.h>

#include "TypInfo.h"

namespace {

class TCounted : public TObject {
  DECLARE_CLASS(TCounted, TObject)
  explicit TCounted(int& alive) : alive_(alive) { ++alive_; }
  ~TCounted() override { --alive_; }

private:
  int& alive_;
};
DEFINE_CLASS(TCounted, TObject)

}  // namespace

TEST(TObjectListTest, OwnedObjectsAreDeletedWhenTheyLeave) {
  int alive = 0;
  {
    TObjectList list;
    for (int i = 0; i < 4; ++i) list.Add(new TCounted(alive));
    list.Delete(0);
    EXPECT_EQ(alive, 3);
    TObject* kept = list.Extract(list.Items(0));
    EXPECT_EQ(alive, 3);
    list.SetItems(0, kept);  // replaces (and deletes) the old one
    EXPECT_EQ(alive, 2);
    list.Remove(kept);
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);  // the rest went with the list
}

TEST(TObjectListTest, WithoutOwnershipNothingIsDeleted) {
  int alive = 0;
  TCounted a(alive), b(alive);
  {
    TObjectList list(false);
    list.Add(&a);
    list.Add(&b);
    list.Clear();
    list.Add(&a);
  }
  EXPECT_EQ(alive, 2);
}
