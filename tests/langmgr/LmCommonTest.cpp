#include "LmCommon.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/classlib/core/TempFolder.h"
#include "CodePage.h"
#include "FileRoutines.h"
#include "Graphics.h"
#include "TFont.h"

TEST(LmCommonTest, TextScanners) {
  EXPECT_EQ(NthCharPos(u'.', u"a.b.c", 2), 4);
  EXPECT_EQ(NthCharPos(u'.', u"a.b.c", 3), 0);
  EXPECT_EQ(NthCharPos(u'.', u"a.b.c", 0), 0);
  EXPECT_EQ(NthCharPos(u'.', u"", 1), 0);

  WideString base;
  int number = 0;
  SplitTrailingNumber(u"ListItem007", base, number);
  EXPECT_EQ(base, u"ListItem");
  EXPECT_EQ(number, 7);
  SplitTrailingNumber(u"Item", base, number);
  EXPECT_EQ(base, u"Item");
  EXPECT_EQ(number, -1);
  SplitTrailingNumber(u"Item99999999999", base, number);  // too big for an index
  EXPECT_EQ(number, -1);

  const TLmCharSet delimiters = MakeCharSet(",;");
  EXPECT_TRUE(InCharSet(u';', delimiters));
  EXPECT_FALSE(InCharSet(u'\u012C', delimiters));  // 0x12C shares its low byte with ","
  int pos = 1;
  WideString token;
  std::vector<WideString> tokens;
  while (NextToken(u"Arial,10,,0;x", pos, delimiters, token)) tokens.push_back(token);
  EXPECT_EQ(tokens, (std::vector<WideString>{u"Arial", u"10", u"", u"0", u"x"}));

  EXPECT_TRUE(IsIntegerText(u"-12"));
  EXPECT_TRUE(IsIntegerText(u"$FF"));
  EXPECT_FALSE(IsIntegerText(u"12a"));
  EXPECT_FALSE(IsIntegerText(u"99999999999"));
}

TEST(LmCommonTest, LineBreaksInValues) {
  EXPECT_EQ(LmExpandLineBreaks(u"a<br>b<BR>c<Br>"), u"a\r\nb\r\nc\r\n");
  EXPECT_EQ(LmExpandLineBreaks(u"<B>x<BR"), u"<B>x<BR");
  // Every break a file line would end at: CR LF, a lone LF, a lone CR; LF CR is two breaks.
  EXPECT_EQ(LmCollapseLineBreaks(u"a\r\nb\nc\rd\n\re\r"), u"a<BR>b<BR>c<BR>d<BR><BR>e<BR>");
}

TEST(LmCommonTest, CreateDirTreeMakesEveryMissingParent) {
  TempFolder temp;
  const WideString deep = Utf8ToWide(temp.prefix() + "a/中/c");
  EXPECT_TRUE(CreateDirTree(deep));
  EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "a/中/c"));
  EXPECT_TRUE(CreateDirTree(deep + u"/"));  // already there
  EXPECT_TRUE(CreateDirTree(u"X"));         // too short to be a folder path
  EXPECT_FALSE(CreateDirTree(u""));
  const AnsiString cwd = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(temp.prefix()));
  EXPECT_TRUE(CreateDirTree(u"rel"));  // relative to the current folder
  EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "rel"));
  SetCurrentDir(cwd);
  std::filesystem::create_directories(temp.path() / "locked");
  std::filesystem::permissions(temp.path() / "locked",
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (::geteuid() != 0) {
    EXPECT_FALSE(CreateDirTree(Utf8ToWide(temp.prefix() + "locked/x/y")));
  }
}

TEST(LmCommonTest, FontTextRoundTrip) {
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(8);
  font.SetStyle({fsBold, fsItalic});
  font.SetPitch(fpDefault);
  font.SetColor(clWindowText);
  font.SetCharset(GB2312_CHARSET);
  EXPECT_EQ(FontToString(&font), u"Tahoma,8,BI,0,clWindowText,GB2312_CHARSET");
  TFont back;
  int changes = 0;
  back.OnChange = [&](TObject*) { ++changes; };
  StringToFont(u"Tahoma,8,BI,0,clWindowText,GB2312_CHARSET", &back);
  EXPECT_TRUE(back.Equals(font));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(FontStyleToString({fsBold, fsItalic, fsUnderline, fsStrikeOut}), "BIUS");
  EXPECT_TRUE(ObjectHasClassName(&font, "TPersistent"));  // class tests by name, ancestors too
  EXPECT_FALSE(ObjectHasClassName(&font, "TNotebook"));
  EXPECT_EQ(StringToFontStyle("sb?"), (TFontStyles{fsBold, fsStrikeOut}));
}

TEST(LmCommonTest, FontTextFieldsChangeOnlyWhatTheyGive) {
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(8);
  font.SetStyle({fsBold});
  StringToFont(u",12", &font);
  EXPECT_EQ(font.Name(), "Tahoma");
  EXPECT_EQ(font.Size(), 12);
  EXPECT_TRUE(font.Style().Contains(fsBold));
  StringToFont(u"Arial", &font);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 12);
  StringToFont(u"Arial,big", &font);
  EXPECT_EQ(font.Size(), 12);
  // A size no screen shows keeps the current one; the fields after it still count.
  StringToFont(u"Arial,1610612736,I", &font);
  EXPECT_EQ(font.Size(), 12);
  EXPECT_EQ(font.Style(), TFontStyles{fsItalic});
  StringToFont(u"Arial,-2147483648", &font);
  EXPECT_EQ(font.Size(), 12);
  StringToFont(u"Arial,-1638", &font);
  EXPECT_EQ(font.Size(), -1638);
  StringToFont(u"Arial,10,,0", &font);
  EXPECT_TRUE(font.Style().Empty());
  StringToFont(u" Verdana ; 11 ;U;2;clRed;134;ignored", &font);
  EXPECT_EQ(font.Name(), "Verdana");
  EXPECT_EQ(font.Style(), TFontStyles{fsUnderline});
  EXPECT_EQ(font.Pitch(), fpFixed);
  EXPECT_EQ(font.Color(), clRed);
  EXPECT_EQ(font.Charset(), GB2312_CHARSET);
  // An unreadable colour ends the parse; what came before it stays.
  StringToFont(u"Courier,9,B,0,notacolour,0", &font);
  EXPECT_EQ(font.Name(), "Courier");
  EXPECT_EQ(font.Charset(), GB2312_CHARSET);
}

TEST(LmCommonTest, FontTextStartsFromABaseFont) {
  TFont base;
  base.SetName("Tahoma");
  base.SetColor(clBlue);
  TFont font;
  StringToFont(u",14", &font, &base);
  EXPECT_EQ(font.Name(), "Tahoma");
  EXPECT_EQ(font.Color(), clBlue);
  EXPECT_EQ(font.Size(), 14);
  StringToFont(u"x", nullptr);  // no font: nothing to do
}
