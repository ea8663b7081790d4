#include "TImageList.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TBitmap.h"

namespace {
class TCustomImageListTest : public GuiTest {};
}  // namespace

TEST_F(TCustomImageListTest, TheStandardSetHoldsArrowsFoldersAndFiles) {
  TImageList list(nullptr);
  list.AddStandardImages();
  ASSERT_EQ(list.Count(), 9);
  TBitmap up, down, folder, file;
  list.GetBitmap(0, &up);
  list.GetBitmap(1, &down);
  list.GetBitmap(6, &folder);
  list.GetBitmap(8, &file);
  for (TBitmap* b : {&up, &down, &folder, &file}) {
    EXPECT_EQ(b->Width(), 16);
    EXPECT_EQ(b->Height(), 16);
  }
  EXPECT_THROW(list.GetBitmap(9, &up), EListError);
  // The refresh picture is added on its own.
  EXPECT_EQ(list.AddStock(siRefresh), 9);
  TBitmap refresh;
  list.GetBitmap(9, &refresh);
  EXPECT_EQ(refresh.Width(), 16);
}

TEST_F(TCustomImageListTest, AddScalesAndChangingTheSizeEmptiesTheList) {
  TImageList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  TBitmap big;
  big.SetSize(64, 48);
  EXPECT_EQ(list.Add(&big), 0);
  EXPECT_EQ(list.AddStock(siFile), 1);
  TBitmap out;
  list.GetBitmap(0, &out);
  EXPECT_EQ(out.Width(), 16);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.Delete(5), EListError);
  SetOrdProp(&list, "Width", 32);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Width(), 32);
  EXPECT_EQ(changes, 4);
}
