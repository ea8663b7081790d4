#include "ResourceString.h"

#include <gtest/gtest.h>

TEST(ResourceStringTest, LoadsTheBuiltInTextUntilRedirected) {
  TResStringRec text = {"List index out of bounds"};
  EXPECT_EQ(LoadResString(&text), "List index out of bounds");
  const AnsiString translation = "\xc1\xd0\xb1\xed";  // 列表 in GBK
  text.Redirect = &translation;
  EXPECT_EQ(LoadResString(&text), translation);
  text.Redirect = nullptr;
  EXPECT_EQ(LoadResString(&text), "List index out of bounds");
  EXPECT_EQ(LoadResString(nullptr), "");
}
