#include "Graphics.h"

#include <gtest/gtest.h>

#include "Exception.h"

TEST(GraphicsTest, ColoursConvertToAndFromTheirNamesAndNumbers) {
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("clWindowText"), clWindowText);
  EXPECT_EQ(StringToColor("CLRED"), clRed);
  EXPECT_EQ(StringToColor("$0000FF"), clRed);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_EQ(StringToColor("$8000000F"), clBtnFace);
  EXPECT_EQ(StringToColor("-16777201"), static_cast<TColor>(-16777201));
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
  EXPECT_THROW(StringToColor(""), EConvertError);
  EXPECT_THROW(StringToColor("$"), EConvertError);
}

TEST(GraphicsTest, SystemColoursResolveToRgbValues) {
  for (TColor c : {clBtnFace, clWindow, clWindowText, clInfoBk, clHighlight}) {
    const TColor rgb = ColorToRGB(c);
    EXPECT_EQ(rgb & ~0xFFFFFF, 0) << ColorToString(c);
  }
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), clWhite);
}

TEST(GraphicsTest, CharacterSetsHaveIdentifiers) {
  AnsiString name;
  EXPECT_TRUE(CharsetToIdent(134, name));
  EXPECT_EQ(name, "GB2312_CHARSET");
  int cs = 0;
  EXPECT_TRUE(IdentToCharset("default_charset", cs));
  EXPECT_EQ(cs, DEFAULT_CHARSET);
  EXPECT_FALSE(CharsetToIdent(99, name));
  EXPECT_FALSE(IdentToCharset("NO_CHARSET", cs));
}
