#include "Variant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "DateRoutines.h"
#include "Exception.h"
#include "FormatSettings.h"

namespace {

// Variants read and write numbers and dates with the process-wide settings; these tests fix
// them to the common English ones and put the old ones back.
class VariantTest : public ::testing::Test {
protected:
  void SetUp() override {
    saved_ = GetFormatSettings();
    SetFormatSettings(TFormatSettings());
  }
  void TearDown() override { SetFormatSettings(saved_); }

private:
  TFormatSettings saved_;
};

void expectConversionError(const std::function<void()>& f, const char* message) {
  try {
    f();
    ADD_FAILURE() << "no error, expected " << message;
  } catch (const EVariantError& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

}  // namespace

TEST_F(VariantTest, KindsOfValues) {
  EXPECT_EQ(VarType(Variant()), varEmpty);
  EXPECT_EQ(VarType(Null()), varNull);
  EXPECT_EQ(VarType(Variant(1)), varInteger);
  EXPECT_EQ(VarType(Variant(std::int64_t{1} << 40)), varInt64);
  EXPECT_EQ(VarType(Variant(1.5)), varDouble);
  EXPECT_EQ(VarType(Variant(Currency::FromScaled(1))), varCurrency);
  EXPECT_EQ(VarType(VarFromDateTime(1.5)), varDate);
  EXPECT_EQ(VarType(Variant(true)), varBoolean);
  EXPECT_EQ(VarType(Variant("abc")), varString);
  EXPECT_EQ(VarType(Variant(u"abc")), varOleStr);
  EXPECT_TRUE(VarIsNull(Null()));
  EXPECT_TRUE(VarIsEmpty(Unassigned()));
  EXPECT_TRUE(VarIsStr(Variant(WideString(u"x"))));
}

TEST_F(VariantTest, ToText) {
  EXPECT_EQ(VarToStr(Null()), "");
  EXPECT_EQ(VarToStr(Variant()), "");
  EXPECT_EQ(VarToStr(Variant(-42)), "-42");
  EXPECT_EQ(VarToStr(Variant(2.5)), "2.5");
  EXPECT_EQ(VarToStr(Variant(Currency::FromScaled(12345))), "1.2345");
  EXPECT_EQ(VarToStr(Variant(true)), "True");
  EXPECT_EQ(VarToStr(VarFromDateTime(EncodeDate(2024, 3, 5))), "3/5/2024");
  EXPECT_EQ(VarToStr(VarFromDateTime(EncodeTime(14, 0, 0, 0))), "2:00:00 PM");
  EXPECT_EQ(VarToStr(Variant(u"\u4e2d")), "\xd6\xd0");
  EXPECT_EQ(Variant("\xd6\xd0").AsWideString(), u"\u4e2d");
  expectConversionError([] { Null().AsString(); }, "Could not convert variant of type (Null) into type (String)");
}

TEST_F(VariantTest, ToNumbers) {
  EXPECT_EQ(Variant(" 42").AsInteger(), 42);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // halves go to the even neighbour
  EXPECT_EQ(Variant(3.5).AsInt64(), 4);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(Currency::FromScaled(25000)).AsInteger(), 2);
  EXPECT_EQ(Variant(Currency::FromScaled(-35000)).AsInteger(), -4);
  EXPECT_DOUBLE_EQ(Variant("1e3").AsFloat(), 1000);
  EXPECT_DOUBLE_EQ(Variant(std::int64_t{7}).AsFloat(), 7);
  EXPECT_EQ(Variant("19.99").AsCurrency().Value, 199900);
  expectConversionError([] { Variant("abc").AsInteger(); }, "Could not convert variant of type (String) into type (Integer)");
  expectConversionError([] { Null().AsFloat(); }, "Could not convert variant of type (Null) into type (Double)");
  expectConversionError([] { Variant(3e9).AsInteger(); }, "Variant overflow");
  expectConversionError([] { Variant(1e300).AsCurrency(); }, "Variant overflow");
  expectConversionError([] { Variant(std::nan("")).AsInt64(); }, "Variant overflow");
}

TEST_F(VariantTest, ToBooleanAndDate) {
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant(" FALSE ").AsBoolean());
  EXPECT_TRUE(Variant("-1").AsBoolean());
  EXPECT_FALSE(Variant(0.0).AsBoolean());
  EXPECT_TRUE(Variant(7).AsBoolean());
  EXPECT_EQ(Variant("3/5/2024").AsDateTime(), EncodeDate(2024, 3, 5));
  EXPECT_EQ(Variant(45000).AsDateTime(), 45000);
  expectConversionError([] { Variant("maybe").AsBoolean(); }, "Could not convert variant of type (String) into type (Boolean)");
  expectConversionError([] { Variant(u"soon").AsDateTime(); }, "Could not convert variant of type (OleStr) into type (Date)");
}

TEST_F(VariantTest, Comparison) {
  EXPECT_EQ(VarCompareValue(Null(), Null()), TVariantRelationship::vrEqual);
  EXPECT_EQ(VarCompareValue(Null(), Variant(0)), TVariantRelationship::vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant(""), Null()), TVariantRelationship::vrGreaterThan);
  EXPECT_TRUE(Variant(2) == Variant(2.0));
  EXPECT_TRUE(Variant(std::int64_t{9007199254740993}) < Variant(std::int64_t{9007199254740994}));
  EXPECT_TRUE(Variant("10") == Variant(10));
  EXPECT_TRUE(Variant("a") < Variant("B"));
  EXPECT_FALSE(Variant("Key") == Variant("key"));
  EXPECT_TRUE(Variant("abc") == Variant(u"abc"));
  EXPECT_TRUE(Variant() == Variant(""));
  EXPECT_TRUE(Variant() == Variant(0));
  EXPECT_FALSE(Variant("abc") == Variant(1));
  EXPECT_THROW((void)(Variant("abc") < Variant(1)), EVariantError);
  EXPECT_EQ(VarCompareValue(Variant(std::nan("")), Variant(1.0)), TVariantRelationship::vrNotEqual);
}

TEST_F(VariantTest, ToTextWithGivenSettingsLeavesTheProcessSettingsAlone) {
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  fs.DateSeparator = '.';
  fs.ShortDateFormat = "d/m/yyyy";
  EXPECT_EQ(Variant(1.5).AsString(fs), "1,5");
  EXPECT_EQ(VarFromDateTime(EncodeDate(2026, 12, 8)).AsString(fs), "8.12.2026");
  EXPECT_EQ(Variant(1.5).AsWideString(fs), u"1,5");
  EXPECT_EQ(Variant(1.5).AsString(), "1.5");
}

TEST_F(VariantTest, SetTextMakesATextOfTheGivenKindWhateverTheValueHeld) {
  Variant v(1.5);
  v.SetText(std::string_view("abc"));
  EXPECT_EQ(v.VarType(), varString);
  ASSERT_NE(v.AnsiText(), nullptr);
  EXPECT_EQ(*v.AnsiText(), "abc");
  v.SetText(std::string_view(""));
  EXPECT_EQ(*v.AnsiText(), "");
  v.SetText(std::u16string_view(u"表"));
  EXPECT_EQ(v.VarType(), varOleStr);
  EXPECT_EQ(v.AnsiText(), nullptr);
  EXPECT_EQ(v.AsWideString(), u"表");
  v.SetText(std::u16string_view(u"a longer text than the one before"));
  EXPECT_EQ(v.AsWideString(), u"a longer text than the one before");
  EXPECT_EQ(Variant(7).AnsiText(), nullptr);
}
