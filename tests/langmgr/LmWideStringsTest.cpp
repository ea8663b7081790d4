#include "LmWideStrings.h"

#include <gtest/gtest.h>

#include <string>

#include "../platform/classlib/core/TempFolder.h"
#include "CodePage.h"
#include "Exception.h"
#include "TMemoryStream.h"

namespace {

using namespace std::string_literals;

// The lines read from the bytes, each followed by CR LF.
WideString loaded(const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  TLmWideStringList list;
  list.LoadFromStream(&stream);
  return list.GetTextStr();
}

std::string saved(TLmWideStringList& list, int encoding) {
  TMemoryStream stream;
  list.SaveToStream(&stream, encoding);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

}  // namespace

TEST(LmWideStringsTest, TheByteOrderMarkChoosesTheEncoding) {
  EXPECT_EQ(loaded("\xEF\xBB\xBF!LanguageID=2052\r\nA=\xE4\xB8\xAD"), u"!LanguageID=2052\r\nA=中\r\n");
  EXPECT_EQ(loaded("\xFF\xFE"
                   "A\0=\0\x2D\x4E"s),
            u"A=中\r\n");
  EXPECT_EQ(loaded("A=\xD6\xD0"), u"A=中\r\n");  // GBK
  // A big-endian mark is not recognised: the bytes are ANSI text, cut at the first NUL.
  EXPECT_EQ(loaded("\xFE\xFF\0A"s), AnsiToWide("\xFE\xFF") + u"\r\n");
}

TEST(LmWideStringsTest, DegenerateFiles) {
  EXPECT_EQ(loaded("\xEF\xBB\xBF"), u"");
  EXPECT_EQ(loaded(""), u"");
  EXPECT_EQ(loaded("\xFF\xFE"
                   "A\0B"s),
            u"A\r\n");                                  // the odd last byte is ignored
  EXPECT_EQ(loaded("a\r\nb\0c\r\nd"s), u"a\r\nb\r\n");  // a NUL ends the text
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
  EXPECT_NO_THROW(loaded(garbage));
}

TEST(LmWideStringsTest, LineBreaks) {
  TLmWideStringList list;
  list.SetTextStr(u"a\r\nb\r\n");
  EXPECT_EQ(list.Count(), 2);
  list.SetTextStr(u"a\n\rb");  // LF CR ends a line and starts an empty one
  EXPECT_EQ(list.GetTextStr(), u"a\r\n\r\nb\r\n");
  list.SetTextStr(u"a\rb\nc");
  EXPECT_EQ(list.GetTextStr(), u"a\r\nb\r\nc\r\n");
}

TEST(LmWideStringsTest, SavingWritesTheMarkAndCrLfAfterEveryLine) {
  TLmWideStringList list;
  EXPECT_EQ(saved(list, teUtf8), "\xEF\xBB\xBF");
  list.SetTextStr(u"中=x\r\nb");
  EXPECT_EQ(saved(list, teUtf8), "\xEF\xBB\xBF\xE4\xB8\xAD=x\r\nb\r\n");
  EXPECT_EQ(saved(list, teAnsi), "\xD6\xD0=x\r\nb\r\n");
  EXPECT_EQ(saved(list, teUtf16LE), "\xFF\xFE\x2D\x4E=\0x\0\r\0\n\0b\0\r\0\n\0"s);
  EXPECT_EQ(saved(list, 3), "");
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
  EXPECT_EQ(list.Values(u"!LanguageName") + u"|" + list.Values(u"Title") + u"|" + list.Values(u"Missing"),
            u"English|A=B|");
  EXPECT_EQ(list.IndexOf(u"TITLE=a=b"), 2);
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
  TLmWideStringList copy;
  copy.Assign(&list);
  copy.AddStrings(&copy);
  EXPECT_EQ(copy.Count(), 6);
}
