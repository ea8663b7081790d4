#include "VxResult.h"

#include <gtest/gtest.h>

#include "CodePage.h"

TEST(VxResultTest, TextsAreChineseInTheAnsiCodePage) {
  EXPECT_EQ(VxResultText(vxErrFileNotFound), Utf8ToAnsi("文件不存在"));
  EXPECT_EQ(VxResultText(vxErrTimeout), Utf8ToAnsi("通讯超时"));
  EXPECT_EQ(VxResultText(vxErrFileNotFound), "\xce\xc4\xbc\xfe\xb2\xbb\xb4\xe6\xd4\xda");  // GBK bytes
}

TEST(VxResultTest, EveryTextFitsTheCallersBuffer) {
  for (std::int32_t code = -5; code < 200; ++code) {
    const AnsiString text = VxResultText(code);
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_LE(text.size(), VxTextMax) << code;
  }
}

TEST(VxResultTest, UnknownCodeNamesItsNumber) {
  EXPECT_EQ(AnsiToUtf8(VxResultText(777)), "未知错误(代码777)");
  EXPECT_EQ(AnsiToUtf8(VxResultText(-3)), "未知错误(代码-3)");
}

TEST(VxResultTest, FlagsFixTheGoOnFlagButNotTheText) {
  EXPECT_FALSE(VxResultGoesOn(vxErrFileNotFound | vxFlagStop));
  EXPECT_TRUE(VxResultGoesOn(vxErrTimeout | vxFlagGoOn));
  EXPECT_EQ(VxResultText(vxErrTimeout | vxFlagGoOn), VxResultText(vxErrTimeout));
}
