#include "CodePage.h"

#include <gtest/gtest.h>

#include "Exception.h"

TEST(CodePageTest, DefaultAnsiCodePageIsGbk) {
  EXPECT_EQ(GetACP(), 936);
  EXPECT_EQ(GetOEMCP(), 936);
  EXPECT_EQ(GetMACCP(), 10008);
}

TEST(CodePageTest, GbkRoundTrip) {
  const AnsiString gbk = "\xca\xd6\xb3\xd6\xbb\xfa";  // 手持机
  EXPECT_EQ(AnsiToWide(gbk), u"手持机");
  EXPECT_EQ(WideToAnsi(u"手持机"), gbk);
  EXPECT_EQ(AnsiToUtf8(gbk), "手持机");
  EXPECT_EQ(Utf8ToAnsi("手持机"), gbk);
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeTheSubstitute) {
  EXPECT_EQ(WideToAnsi(u"a\u0E01b"), "a?b");   // Thai is not in GBK
  EXPECT_EQ(WideToAnsi(u"é", 437), "\x82");     // but is in the OEM US page
  EXPECT_EQ(WideToAnsi(u"€", 437), "?");
}

TEST(CodePageTest, InvalidBytesDoNotCrash) {
  WideString w = AnsiToWide("\x81");  // a lone lead byte
  EXPECT_FALSE(w.empty());
  EXPECT_NO_THROW(Utf8ToWide("\xff\xfe\x80"));
}

TEST(CodePageTest, LeadBytesOfTheCodePage) {
  EXPECT_TRUE(IsDBCSLeadByte(0xCA));
  EXPECT_TRUE(IsDBCSLeadByte(0x81));
  EXPECT_FALSE(IsDBCSLeadByte('A'));
  EXPECT_FALSE(IsDBCSLeadByte(0x80));  // the euro sign stands alone in 936
  EXPECT_FALSE(IsDBCSLeadByte(0xCA, 1252));
  EXPECT_FALSE(IsDBCSLeadByte(0xE4, CP_UTF8));
  EXPECT_TRUE(IsDBCSLeadByte(0x82, 932));
}

TEST(CodePageTest, TrailBytesOfTheCodePage) {
  for (int b : {0x40, 0x5C, 0x7C, 0x7E, 0x80, 0x81, 0xFE}) EXPECT_TRUE(IsDBCSTrailByte(b)) << b;
  for (int b : {0x00, 0x22, 0x27, 0x2C, 0x3F, 0x7F, 0xFF}) EXPECT_FALSE(IsDBCSTrailByte(b)) << b;
  EXPECT_TRUE(IsDBCSTrailByte(0xA1, 950));
  EXPECT_FALSE(IsDBCSTrailByte(0x7F, 950));
  EXPECT_FALSE(IsDBCSTrailByte(0x41, 1252));
  EXPECT_FALSE(IsDBCSTrailByte(0x80, CP_UTF8));
}

TEST(CodePageTest, MacintoshSimplifiedChineseIsConvertedAsGb2312) {
  EXPECT_EQ(WideToAnsi(u"中文", CP_MACCP), WideToAnsi(u"中文", 936));
}

TEST(CodePageTest, SetAcpChangesTheAnsiConversions) {
  SetACP(CP_UTF8);
  EXPECT_EQ(WideToAnsi(u"手持机"), "手持机");
  EXPECT_EQ(GetOEMCP(), 437);
  SetACP(936);
  EXPECT_THROW(SetACP(12345), EConvertError);
  EXPECT_EQ(GetACP(), 936);
}

TEST(CodePageTest, WideningIntoAStringGivesTheSameTextAndReusesItsStorage) {
  WideString out;
  out.reserve(64);
  const char16_t* storage = out.data();
  AnsiToWide("Meter 42", out);
  EXPECT_EQ(out, u"Meter 42");
  EXPECT_EQ(out.data(), storage);
  AnsiToWide("\xb3\xad\xb1\xed", out);  // 抄表 in GBK goes through the converter
  EXPECT_EQ(out, u"抄表");
  AnsiToWide("", out);
  EXPECT_TRUE(out.empty());
}
