#include "TypInfo.h"

#include <gtest/gtest.h>

#include "TPersistent.h"

namespace {

enum class TAlign { alNone, alTop, alBottom };
enum class TStyle { fsBold, fsItalic };
using TStyles = SetOf<TStyle>;

const TIdentMap kColors = {{0x0000FF, "clRed"}, {0, "clBlack"}};

class TSub : public TPersistent {
  DECLARE_CLASS(TSub, TPersistent)
  AnsiString Text() const { return text; }
  void SetText(const AnsiString& v) { text = v; }
  AnsiString text;
};
DEFINE_CLASS(TSub, TPersistent, Published::String("Text", &TSub::Text, &TSub::SetText))

class TBase : public TPersistent {
  DECLARE_CLASS(TBase, TPersistent)
  AnsiString Caption() const { return caption; }
  void SetCaption(const AnsiString& v) { caption = v; }
  AnsiString ReadOnly() const { return "fixed"; }
  AnsiString caption;
};
DEFINE_CLASS(TBase, TPersistent,
             Published::String("Caption", &TBase::Caption, &TBase::SetCaption),
             Published::String("ReadOnly", &TBase::ReadOnly))

class TDerived : public TBase {
  DECLARE_CLASS(TDerived, TBase)
  const WideString& Hint() const { return hint; }
  void SetHint(const WideString& v) { hint = v; }
  int Left() const { return left; }
  void SetLeft(int v) { left = v; }
  int Color() const { return color; }
  void SetColor(int v) { color = v; }
  TAlign Align() const { return align; }
  void SetAlign(TAlign v) { align = v; }
  TStyles Style() const { return style; }
  void SetStyle(TStyles v) { style = v; }
  bool Visible() const { return visible; }
  void SetVisible(bool v) { visible = v; }
  TSub* Sub() const { return sub.get(); }
  void SetSub(TSub* v) { sub->text = v->text; }
  TNotifyEvent OnClick;

  WideString hint;
  int left = 0;
  int color = 0;
  TAlign align = TAlign::alNone;
  TStyles style;
  bool visible = true;
  std::unique_ptr<TSub> sub = std::make_unique<TSub>();
};
DEFINE_CLASS(TDerived, TBase,
             Published::WideString("Hint", &TDerived::Hint, &TDerived::SetHint),
             Published::Integer("Left", &TDerived::Left, &TDerived::SetLeft),
             Published::Integer(kColors, "Color", &TDerived::Color, &TDerived::SetColor),
             Published::Enum("Align", {"alNone", "alTop", "alBottom"}, &TDerived::Align, &TDerived::SetAlign),
             Published::Set("Style", {"fsBold", "fsItalic"}, &TDerived::Style, &TDerived::SetStyle),
             Published::Boolean("Visible", &TDerived::Visible, &TDerived::SetVisible),
             Published::Class("Sub", &TDerived::Sub, &TDerived::SetSub),
             Published::Event("OnClick", &TDerived::OnClick))

}  // namespace

TEST(TypInfoTest, PropertiesComeInDeclarationOrderAncestorsFirst) {
  TDerived d;
  std::vector<AnsiString> names;
  for (const TPropInfo* p : d.ClassType().Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<AnsiString>{"Caption", "ReadOnly", "Hint", "Left", "Color", "Align", "Style",
                                            "Visible", "Sub", "OnClick"}));
}

TEST(TypInfoTest, ClassNamesAndAncestry) {
  TDerived d;
  EXPECT_EQ(d.ClassName(), "TDerived");
  EXPECT_TRUE(d.Is<TBase>());
  EXPECT_TRUE(d.Is<TObject>());
  EXPECT_FALSE(d.Is<TSub>());
  EXPECT_TRUE(d.ClassType().InheritsFromName("tpersistent"));
  EXPECT_FALSE(d.ClassType().InheritsFromName("TNotebook"));
  EXPECT_EQ(d.ClassType().ClassParent(), &TBase::StaticClass());
}

TEST(TypInfoTest, ReadOnlyPropertyIsVisibleAsSuch) {
  TDerived d;
  const TPropInfo* p = GetPropInfo(&d, "ReadOnly");
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->HasSetter());
  EXPECT_EQ(GetStrProp(&d, "ReadOnly"), "fixed");
  EXPECT_THROW(SetStrProp(&d, "ReadOnly", "x"), EPropertyError);
  EXPECT_TRUE(GetPropInfo(&d, "Caption")->HasSetter());
}

TEST(TypInfoTest, ReadAndWriteEveryKindByName) {
  TDerived d;
  SetStrProp(&d, "caption", "OK");
  EXPECT_EQ(d.caption, "OK");
  SetWideStrProp(&d, "Hint", u"提示");
  EXPECT_EQ(d.hint, u"提示");
  SetOrdProp(&d, "Left", -12);
  EXPECT_EQ(GetOrdProp(&d, "Left"), -12);
  SetOrdProp(&d, "Align", 2);
  EXPECT_EQ(d.align, TAlign::alBottom);
  SetOrdProp(&d, "Style", TStyles{TStyle::fsItalic}.Bits());
  EXPECT_TRUE(d.style.Contains(TStyle::fsItalic));
  EXPECT_FALSE(d.style.Contains(TStyle::fsBold));
  SetOrdProp(&d, "Visible", 0);
  EXPECT_FALSE(d.visible);
  EXPECT_EQ(GetOrdProp(&d, "Visible"), 0);
  EXPECT_EQ(GetObjectProp(&d, "Sub"), d.sub.get());
  int clicks = 0;
  SetPropValue(&d, "OnClick", std::any(TNotifyEvent([&](TObject*) { ++clicks; })));
  d.OnClick(&d);
  EXPECT_EQ(clicks, 1);
  SetPropValue(&d, "OnClick", std::any());
  EXPECT_FALSE(d.OnClick);
}

TEST(TypInfoTest, StringKindsConvertThroughTheAnsiCodePage) {
  TDerived d;
  d.hint = u"abc";
  EXPECT_EQ(GetStrProp(&d, "Hint"), "abc");
  SetStrProp(&d, "Hint", "xyz");
  EXPECT_EQ(d.hint, u"xyz");
  d.caption = "abc";
  EXPECT_EQ(GetWideStrProp(&d, "Caption"), u"abc");
}

TEST(TypInfoTest, BadNamesAndValuesRaisePropertyErrors) {
  TDerived d;
  EXPECT_EQ(GetPropInfo(&d, "Missing"), nullptr);
  EXPECT_THROW(GetStrProp(&d, "Missing"), EPropertyError);
  EXPECT_THROW(GetStrProp(&d, "Left"), EPropertyError);
  EXPECT_THROW(SetPropValue(&d, "Left", AnsiString("12")), EPropertyError);
  TBase wrongClass;
  EXPECT_THROW(SetObjectProp(&d, "Sub", &wrongClass), EPropertyError);
  EXPECT_THROW(SetPropValue(&d, "OnClick", std::any(42)), EPropertyError);
}

TEST(TypInfoTest, ClassPropertyWriteGoesThroughTheSetter) {
  TDerived d;
  TSub other;
  other.text = "copied";
  SetObjectProp(&d, "Sub", &other);
  EXPECT_EQ(d.sub->text, "copied");
  EXPECT_NE(d.Sub(), &other);
}

TEST(TypInfoTest, EnumNamesAndIdentifierTables) {
  TDerived d;
  const TPropInfo& align = *GetPropInfo(&d, "Align");
  EXPECT_EQ(GetEnumName(align, 1), "alTop");
  EXPECT_EQ(GetEnumName(align, 3), "");
  EXPECT_EQ(GetEnumValue(align, "ALBOTTOM"), 2);
  EXPECT_EQ(GetEnumValue(align, "alLeft"), -1);
  const TPropInfo& color = *GetPropInfo(&d, "Color");
  ASSERT_NE(color.Idents, nullptr);
  AnsiString name;
  EXPECT_TRUE(IntToIdent(*color.Idents, 0xFF, name));
  EXPECT_EQ(name, "clRed");
  std::int64_t value = 0;
  EXPECT_TRUE(IdentToInt(*color.Idents, "clblack", value));
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(IdentToInt(*color.Idents, "clNone", value));
}

TEST(TypInfoTest, AssignWithoutSupportRaisesConvertError) {
  TSub a;
  TBase b;
  try {
    a.Assign(&b);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TBase to a TSub");
  }
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
}
