#include "LmWideStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../platform/classlib/core/TempFolder.h"
#include "CodePage.h"
#include "Exception.h"
#include "TMemoryStream.h"

namespace {

std::unique_ptr<TLmWideStringList> loadBytes(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  auto list = std::make_unique<TLmWideStringList>();
  list->LoadFromStream(&stream);
  return list;
}

std::string saveBytes(TLmWideStringList& list, int encoding) {
  TMemoryStream stream;
  list.SaveToStream(&stream, encoding);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

}  // namespace

TEST(LmWideStringsTest, TheByteOrderMarkChoosesTheEncoding) {
  auto utf8 = loadBytes("\xEF\xBB\xBF!LanguageID=2052\r\nA=\xE4\xB8\xAD");
  ASSERT_EQ(utf8->Count(), 2);
  EXPECT_EQ(utf8->Get(0), u"!LanguageID=2052");  // the mark is not part of the first line
  EXPECT_EQ(utf8->Get(1), u"A=中");

  auto utf16 =
      loadBytes(std::string("\xFF\xFE"
                            "A\0=\0\x2D\x4E",
                            8));
  ASSERT_EQ(utf16->Count(), 1);
  EXPECT_EQ(utf16->Get(0), u"A=中");

  auto ansi = loadBytes("A=\xD6\xD0");  // GBK
  EXPECT_EQ(ansi->Get(0), u"A=中");

  // A big-endian mark is not recognised: the bytes are ANSI text, cut at the first NUL.
  auto bigEndian = loadBytes(std::string("\xFE\xFF\0A", 4));
  ASSERT_EQ(bigEndian->Count(), 1);
  EXPECT_EQ(bigEndian->Get(0), AnsiToWide("\xFE\xFF"));
}

TEST(LmWideStringsTest, DegenerateFiles) {
  EXPECT_EQ(loadBytes("\xEF\xBB\xBF")->Count(), 0);
  EXPECT_EQ(loadBytes("")->Count(), 0);
  // An odd byte after the last UTF-16 code unit is ignored.
  auto odd =
      loadBytes(std::string("\xFF\xFE"
                            "A\0B",
                            5));
  ASSERT_EQ(odd->Count(), 1);
  EXPECT_EQ(odd->Get(0), u"A");
  // A NUL ends the text; binary garbage never throws.
  EXPECT_EQ(loadBytes(std::string("a\r\nb\0c\r\nd", 9))->Count(), 2);
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
  EXPECT_NO_THROW(loadBytes(garbage));
}

TEST(LmWideStringsTest, LineBreaks) {
  TLmWideStringList list;
  list.SetTextStr(u"a\r\nb\r\n");
  EXPECT_EQ(list.Count(), 2);
  list.SetTextStr(u"a\n\rb");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), u"");
  EXPECT_EQ(list.Get(2), u"b");
  list.SetTextStr(u"a\rb\nc");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetTextStr(), u"a\r\nb\r\nc\r\n");
  list.Clear();
  EXPECT_EQ(list.GetTextStr(), u"");
}

TEST(LmWideStringsTest, SavingWritesTheMarkAndCrLfAfterEveryLine) {
  TLmWideStringList list;
  EXPECT_EQ(saveBytes(list, teUtf8), "\xEF\xBB\xBF");
  EXPECT_EQ(saveBytes(list, teUtf16LE), "\xFF\xFE");
  list.Add(u"中=x");
  list.Add(u"b");
  EXPECT_EQ(saveBytes(list, teUtf8), "\xEF\xBB\xBF\xE4\xB8\xAD=x\r\nb\r\n");
  EXPECT_EQ(saveBytes(list, teAnsi), "\xD6\xD0=x\r\nb\r\n");
  EXPECT_EQ(saveBytes(list, teUtf16LE), std::string("\xFF\xFE\x2D\x4E=\0x\0\r\0\n\0b\0\r\0\n\0", 18));
  EXPECT_EQ(saveBytes(list, 3), "");
}

TEST(LmWideStringsTest, FileRoundTripInEachEncoding) {
  TempFolder dir;
  const WideString file = Utf8ToWide(dir.prefix() + "中文.txt");
  TLmWideStringList list;
  list.SetTextStr(u"!LanguageID=2052\r\nTFormmain.Caption=手持机通讯管理器");
  for (int encoding : {teAnsi, teUtf8, teUtf16LE}) {
    list.SaveToFile(file, encoding);
    TLmWideStringList back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.GetTextStr(), list.GetTextStr()) << encoding;
  }
  EXPECT_THROW(list.LoadFromFile(Utf8ToWide(dir.prefix() + "none.txt")), EFOpenError);
}

TEST(LmWideStringsTest, NamesAndValues) {
  TLmWideStringList list;
  list.SetTextStr(u"Name\r\n!languagename=English\r\nTitle=A=B\r\nname=x\r\n");
  EXPECT_EQ(list.IndexOfName(u"name"), 3);  // "Name" alone has no "="
  EXPECT_EQ(list.Values(u"Name"), u"x");
  EXPECT_EQ(list.Values(u"!LanguageName"), u"English");
  EXPECT_EQ(list.Values(u"Title"), u"A=B");
  EXPECT_EQ(list.Values(u"Missing"), u"");
  EXPECT_EQ(list.IndexOf(u"TITLE=a=b"), 2);
  EXPECT_EQ(list.IndexOf(u"nothing"), -1);
}

TEST(LmWideStringsTest, EditingSortingAndIndexErrors) {
  TLmWideStringList list;
  list.Add(u"b");
  list.Insert(0, u"a");
  list.Insert(2, u"C");
  list.Exchange(0, 2);
  list.Put(1, u"B");
  EXPECT_EQ(list.GetTextStr(), u"C\r\nB\r\na\r\n");
  list.Sort();  // without regard to case
  EXPECT_EQ(list.GetTextStr(), u"a\r\nB\r\nC\r\n");
  EXPECT_THROW(list.Get(3), EListError);
  EXPECT_THROW(list.Insert(5, u"x"), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  TLmWideStringList copy;
  copy.Assign(&list);
  copy.AddStrings(&copy);
  copy.Delete(0);
  EXPECT_EQ(copy.Count(), 5);
}
