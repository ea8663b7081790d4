#include "TStringList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Exception.h"
#include "TempFolder.h"

namespace {

std::vector<AnsiString> lines(const TStrings& list) {
  std::vector<AnsiString> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
  return out;
}

using Lines = std::vector<AnsiString>;

}  // namespace

TEST(TStringListTest, TextJoinsWithCrLfAndSplitsAtAnyLineBreak) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(lines(list), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
  list.SetText("a\r\n");
  EXPECT_EQ(lines(list), (Lines{"a"}));
  list.SetText("a\n\rb\r\n\r\n");
  EXPECT_EQ(lines(list), (Lines{"a", "", "b", ""}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
  // A NUL byte is content, not the end of the text.
  list.SetText(AnsiString("x\0y\nz", 5));
  EXPECT_EQ(lines(list), (Lines{AnsiString("x\0y", 3), "z"}));
}

TEST(TStringListTest, NamesAndValues) {
  TStringList list;
  list.SetText("Server=ftp.example.com\nUser=admin\nplain\nEmpty=\nPath=/a=b");
  EXPECT_EQ(list.Values("server"), "ftp.example.com");
  EXPECT_EQ(list.Values("Path"), "/a=b");
  EXPECT_EQ(list.Values("plain"), "");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.IndexOfName("USER"), 1);
  EXPECT_EQ(list.IndexOfName("plain"), -1);
  EXPECT_EQ(list.Names(1), "User");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(4), "/a=b");
  EXPECT_EQ(list.ValueFromIndex(2), "");  // a line without "=" has no value at all

  list.SetValues("User", "guest");
  list.SetValues("Port", "21");
  list.SetValues("Server", "");
  EXPECT_EQ(lines(list), (Lines{"User=guest", "plain", "Empty=", "Path=/a=b", "Port=21"}));
  list.SetValueFromIndex(0, "root");
  EXPECT_EQ(list.Strings(0), "User=root");
}

TEST(TStringListTest, CommaTextQuotesWhatWouldNotSurvive) {
  TStringList list;
  for (const char* s : {"plain", "two words", "a,b", "say \"hi\"", "", "\xd6\xd0\xce\xc4"}) list.Add(s);
  EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",,\xd6\xd0\xce\xc4");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(lines(back), lines(list));

  list.Clear();
  list.Add("");
  EXPECT_EQ(list.CommaText(), "\"\"");
  back.SetCommaText("\"\"");
  EXPECT_EQ(lines(back), (Lines{""}));
}

TEST(TStringListTest, CommaTextRoundTripsItemsEndingInALoneLeadByte) {
  TStringList list;
  for (const char* s : {"ab\x8c", "x", "y\x8c z"}) list.Add(s);
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(lines(back), lines(list));
  back.SetCommaText("a\x8c,b");
  EXPECT_EQ(lines(back), (Lines{"a\x8c", "b"}));
}

TEST(TStringListTest, CommaTextParsing) {
  TStringList list;
  list.SetCommaText("  a b,, \"c d\" ,e,");
  EXPECT_EQ(lines(list), (Lines{"a", "b", "", "c d", "e", ""}));
  list.SetCommaText("\"unclosed, still one");
  EXPECT_EQ(lines(list), (Lines{"unclosed, still one"}));
  list.SetCommaText(AnsiString("a\0b", 3));
  EXPECT_EQ(lines(list), (Lines{"a", "b"}));
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("x;'y;z'");
  EXPECT_EQ(lines(list), (Lines{"x", "y;z"}));
  EXPECT_EQ(list.DelimitedText(), "x;'y;z'");
}

TEST(TStringListTest, SortedListsKeepOrderAndHandleDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "banana", "apple"}) list.Add(s);
  EXPECT_EQ(lines(list), (Lines{"Apple", "banana", "pear"}));  // dupIgnore, case-insensitive
  EXPECT_EQ(list.Add("BANANA"), 1);
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  int index = -1;
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);

  list.SetDuplicates(TDuplicates::dupError);
  try {
    list.Add("pear");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(TDuplicates::dupAccept);
  list.Add("banana");
  EXPECT_EQ(list.Count(), 4);
  EXPECT_TRUE(list.Find("banana", index));
  EXPECT_EQ(index, 1);  // the first of the equal lines

  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(TStringListTest, SortingAnUnsortedList) {
  TStringList list;
  list.SetCommaText("c,B,a,b");
  list.Sort();
  EXPECT_EQ(list.Strings(0), "a");
  EXPECT_EQ(list.Strings(3), "c");
  list.SetCommaText("x,zzz,yy");
  list.CustomSort([](TStringList* l, int i, int j) {
    return static_cast<int>(l->Strings(j).size()) - static_cast<int>(l->Strings(i).size());
  });
  EXPECT_EQ(lines(list), (Lines{"zzz", "yy", "x"}));
  // A comparison that contradicts itself must not take the sort off the list.
  TStringList big;
  for (int i = 0; i < 200; ++i) big.Add(std::to_string(i * 7919 % 200));
  big.CustomSort([](TStringList*, int, int) { return -1; });
  EXPECT_EQ(big.Count(), 200);
}

TEST(TStringListTest, ChangingCaseSensitivityResortsASortedList) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(TDuplicates::dupAccept);
  list.SetCommaText("b,A,a,B");
  list.SetCaseSensitive(true);
  int index = -1;
  for (const char* s : {"a", "A", "b", "B"}) {
    EXPECT_TRUE(list.Find(s, index)) << s;
    EXPECT_EQ(list.Strings(index), s);
  }
}

TEST(TStringListTest, ChangeEventsWaitForTheOutermostEndUpdate) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.SetText("x\ny\nz");  // one bracket for the whole text
  EXPECT_EQ(changed, 3);
}

TEST(TStringListTest, ShrinkingAndGrowingKeepsLinesAndObjects) {
  TStringList list;
  std::vector<TObject> objects(300);
  for (int i = 0; i < 300; ++i) list.AddObject(std::to_string(i), &objects[static_cast<std::size_t>(i)]);
  for (int i = 299; i >= 0; --i)
    if (i % 10 != 0) list.Delete(i);
  for (int i = 0; i < 5; ++i) list.Insert(1, "new" + std::to_string(i));
  ASSERT_EQ(list.Count(), 35);
  EXPECT_EQ(list.Strings(0), "0");
  EXPECT_EQ(list.Strings(1), "new4");
  EXPECT_EQ(list.Strings(6), "10");
  EXPECT_EQ(list.Objects(34), &objects[290]);
  EXPECT_EQ(list.Objects(2), nullptr);
}

TEST(TStringListTest, IndexErrorsNameTheIndex) {
  TStringList list;
  list.Add("a");
  try {
    list.Strings(5);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
  EXPECT_THROW(list.SetObjects(1, nullptr), EStringListError);
  EXPECT_THROW(list.Exchange(0, 1), EStringListError);
  list.Insert(1, "b");
  EXPECT_EQ(list.Strings(1), "b");
}

TEST(TStringListTest, ObjectsTravelWithTheirLines) {
  TStringList a, b;
  TObject x, y;
  a.AddObject("x", &x);
  a.AddObject("y", &y);
  a.Exchange(0, 1);
  EXPECT_EQ(a.Objects(0), &y);
  EXPECT_EQ(a.IndexOfObject(&x), 1);
  b.Add("old");
  b.Assign(&a);
  EXPECT_EQ(lines(b), (Lines{"y", "x"}));
  EXPECT_EQ(b.Objects(1), &x);
  EXPECT_TRUE(b.Equals(a));
  b.AddStrings(&b);
  EXPECT_EQ(b.Count(), 4);
}

TEST(TStringListTest, FilesKeepTheirBytes) {
  TempFolder dir;
  const AnsiString name = dir.prefix() + "\xb2\xe2\xca\xd4.txt";  // 测试.txt in GBK
  TStringList list;
  list.Add("\xd6\xd0\xce\xc4=1");  // 中文=1
  list.Add(AnsiString(70000, 'v'));
  list.SaveToFile(name);
  std::ifstream raw(dir.path() / "测试.txt", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, list.Text());

  TStringList back;
  back.LoadFromFile(name);
  EXPECT_EQ(lines(back), lines(list));
  EXPECT_EQ(back.Values("\xd6\xd0\xce\xc4"), "1");
}

TEST(TStringListTest, FileErrorsSayWhichFile) {
  TempFolder dir;
  TStringList list;
  try {
    list.LoadFromFile(dir.prefix() + "missing.txt");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("missing.txt"), std::string::npos);
  }
  list.Add("keep");
  EXPECT_THROW(list.LoadFromFile(dir.prefix()), EFOpenError);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.SaveToFile(dir.prefix() + "no/such/folder.txt"), EFCreateError);
}
