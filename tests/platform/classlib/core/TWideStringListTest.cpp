#include "TWideStringList.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "Exception.h"
#include "TStringList.h"

TEST(TWideStringListTest, LinesAndTextKeepCharactersOutsideTheAnsiCodePage) {
  TWideStringList list;
  list.Add(u"抄表 ✓");
  list.Insert(0, u"first");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Text(), u"first\r\n抄表 ✓\r\n");
  list.SetText(u"a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(3), u"d");
  list.SetStrings(0, u"z");
  list.Delete(1);
  EXPECT_EQ(list.Text(), u"z\r\nc\r\nd\r\n");
  EXPECT_THROW(list.Strings(3), EStringListError);
  EXPECT_THROW(list.Insert(5, u"x"), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
}

TEST(TWideStringListTest, AssignCopiesWideListsAndConvertsStringLists) {
  TWideStringList a, b;
  a.Add(u"抄表");
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(a));
  TStringList ansi;
  ansi.Add("\xb3\xad\xb1\xed");  // 抄表 in GBK
  ansi.Add("x");
  b.Assign(&ansi);
  EXPECT_EQ(b.Text(), u"抄表\r\nx\r\n");
  TStringList back;
  back.Add("old");
  back.Assign(&a);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.Strings(0), "\xb3\xad\xb1\xed");
}
