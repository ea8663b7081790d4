#include "Format.h"

#include <gtest/gtest.h>

#include "Exception.h"

namespace {

TFormatSettings us() {
  TFormatSettings fs;  // the defaults are the common English ones
  return fs;
}

void expectInvalid(std::string_view fmt, std::initializer_list<TVarRec> args) {
  try {
    Format(fmt, args, us());
    ADD_FAILURE() << "no error for " << fmt;
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Format '" + AnsiString(fmt) + "' invalid or incompatible with argument");
  }
}

}  // namespace

TEST(FormatTest, Integers) {
  EXPECT_EQ(Format("%d|%5d|%-5d|%.3d|%.3d", {42, 42, 42, 7, -7}, us()), "42|   42|42   |007|-007");
  EXPECT_EQ(Format("%x|%X|%.4x|%x", {255, 255, 255, std::int64_t{-1}}, us()), "FF|FF|00FF|FFFFFFFFFFFFFFFF");
  EXPECT_EQ(Format("%u|%u|%d", {-1, 3000000000u, std::size_t{18446744073709551615u}}, us()),
            "4294967295|3000000000|18446744073709551615");
  EXPECT_EQ(Format("%d", {INT64_MIN}, us()), "-9223372036854775808");
}

TEST(FormatTest, ChineseFormatWithOneInteger) {
  // 手持机连接在COM%d口！ in GBK, as the message table carries it.
  const AnsiString fmt = "\xca\xd6\xb3\xd6\xbb\xfa\xc1\xac\xbd\xd3\xd4\xda" "COM%d\xbf\xda\xa3\xa1";
  EXPECT_EQ(Format(fmt, {3}, us()), "\xca\xd6\xb3\xd6\xbb\xfa\xc1\xac\xbd\xd3\xd4\xda" "COM3\xbf\xda\xa3\xa1");
}

TEST(FormatTest, Strings) {
  const AnsiString name = "abc";
  EXPECT_EQ(Format("[%s][%5s][%-5s][%.2s][%s][%s]", {name, "ab", "ab", "abcdef", 'c', u"\u4e2d"}, us()),
            "[abc][   ab][ab   ][ab][c][\xd6\xd0]");
  // Precision never cuts a double-byte character in half.
  EXPECT_EQ(Format("%.3s", {"\xd6\xd0\xce\xc4"}, us()), "\xd6\xd0");
  const AnsiString longText(100000, 'z');
  EXPECT_EQ(Format("<%s>", {longText}, us()).size(), 100002u);
  EXPECT_EQ(Format("100%%", {}, us()), "100%");
  EXPECT_EQ(Format("no specifiers", {1, 2}, us()), "no specifiers");
}

TEST(FormatTest, Floats) {
  EXPECT_EQ(Format("%f|%.1f|%.0f|%n|%e|%.3e|%g|%g", {1234.5, 0.05, 2.5, 1234567.891, 1234.5, 1234.5, 0.5, 1e20}, us()),
            "1234.50|0.1|3|1,234,567.89|1.23450000000000E+003|1.23E+003|0.5|1E020");
  EXPECT_EQ(Format("%m|%m|%.0m", {1234.5, Currency::FromScaled(-15000), 2.0}, us()), "$1,234.50|-$1.50|$2");
  TFormatSettings comma = us();
  comma.DecimalSeparator = ',';
  comma.ThousandSeparator = '.';
  EXPECT_EQ(Format("%.2f|%n", {3.14159, 1234.5}, comma), "3,14|1.234,50");
}

TEST(FormatTest, IndexAndStar) {
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}, us()), "b a b");
  EXPECT_EQ(Format("%*d|%-*d|%.*f", {5, 42, 4, 7, 1, 2.25}, us()), "   42|7   |2.3");
  EXPECT_EQ(Format("%p", {nullptr}, us()), std::string(sizeof(void*) * 2, '0'));
}

TEST(FormatTest, BadFormatsAndArgumentsRaise) {
  expectInvalid("%d %d", {1});             // too few: never read past the list
  expectInvalid("%s", {});
  expectInvalid("%d", {"text"});
  expectInvalid("%s", {5});
  expectInvalid("%f", {5});
  expectInvalid("%d", {1.5});
  expectInvalid("%d", {true});
  expectInvalid("%p", {1});
  expectInvalid("abc%", {1});
  expectInvalid("%5", {1});
  expectInvalid("%k", {1});
  expectInvalid("%3:d", {1, 2});
  expectInvalid("%*d", {"x", 1});
  expectInvalid("%999999999d", {1});
}
