#include "TFont.h"

#include <gtest/gtest.h>

#include <limits>

#include "CodePage.h"
#include "TypInfo.h"

TEST(TFontTest, SizeInPointsAndHeightInPixelsFollowEachOther) {
  TFont f;
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  f.SetHeight(-11);
  EXPECT_EQ(f.Size(), 8);
  f.SetHeight(-25);
  EXPECT_EQ(f.Size(), 19);
  f.SetSize(0);
  EXPECT_EQ(f.Height(), 0);
}

TEST(TFontTest, SizesBeyondTheLargestAreHeldThere) {
  TFont f;
  f.SetSize(1610612736);
  EXPECT_EQ(f.Size(), TFont::MaxSize);
  f.SetSize(std::numeric_limits<int>::min());
  EXPECT_EQ(f.Size(), -TFont::MaxSize);
  // A height beyond what any resolution turns into points stays within an integer.
  f.SetPixelsPerInch(1);
  f.SetHeight(std::numeric_limits<int>::min());
  EXPECT_EQ(f.Size(), std::numeric_limits<int>::max());
}

TEST(TFontTest, DefaultIsTheDesktopGuiFontOfTheCodePage) {
  const int saved = GetACP();
  SetACP(936);
  TFont chinese;
  EXPECT_EQ(chinese.Name(), WideToAnsi(u"宋体"));
  EXPECT_EQ(chinese.Height(), -12);
  EXPECT_EQ(chinese.Charset(), GB2312_CHARSET);
  SetACP(1252);
  TFont western;
  EXPECT_EQ(western.Name(), "MS Sans Serif");
  EXPECT_EQ(western.Height(), -11);
  EXPECT_EQ(western.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(western.Color(), clWindowText);
  SetACP(saved);
}

TEST(TFontTest, OnChangeRunsOncePerRealChangeAndOncePerAssign) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &f);
    ++changes;
  };
  f.SetStyle({fsBold, fsItalic});
  f.SetStyle({fsBold, fsItalic});
  f.SetName("");  // refused: a font has a name
  EXPECT_EQ(changes, 1);
  TFont other;
  other.SetName("Tahoma");
  other.SetColor(clRed);
  f.Assign(&other);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(f.Equals(other));
  EXPECT_THROW(f.Assign(nullptr), EConvertError);
}

TEST(TFontTest, PublishedPropertiesRoundTripThroughTheTable) {
  TFont f;
  SetOrdProp(&f, "Charset", GB2312_CHARSET);
  SetOrdProp(&f, "Color", clBlue);
  SetOrdProp(&f, "Height", -16);
  SetStrProp(&f, "Name", "Arial");
  SetOrdProp(&f, "Pitch", static_cast<int>(fpFixed));
  SetOrdProp(&f, "Style", static_cast<std::int64_t>(TFontStyles{fsUnderline, fsStrikeOut}.Bits()));
  EXPECT_EQ(GetOrdProp(&f, "Charset"), GB2312_CHARSET);
  EXPECT_EQ(GetOrdProp(&f, "Color"), clBlue);
  EXPECT_EQ(GetOrdProp(&f, "Height"), -16);
  EXPECT_EQ(GetOrdProp(&f, "Size"), 12);
  EXPECT_EQ(GetStrProp(&f, "Name"), "Arial");
  EXPECT_EQ(f.Pitch(), fpFixed);
  EXPECT_EQ(f.Style(), (TFontStyles{fsUnderline, fsStrikeOut}));
  SetOrdProp(&f, "Size", 8);
  EXPECT_EQ(f.Height(), -11);
  // The identifier tables name colours and character sets.
  const TPropInfo* color = GetPropInfo(&f, "Color");
  ASSERT_NE(color->Idents, nullptr);
  AnsiString name;
  EXPECT_TRUE(IntToIdent(*color->Idents, clBlue, name));
  EXPECT_EQ(name, "clBlue");
  EXPECT_TRUE(IntToIdent(*GetPropInfo(&f, "Charset")->Idents, GB2312_CHARSET, name));
  EXPECT_EQ(name, "GB2312_CHARSET");
}
