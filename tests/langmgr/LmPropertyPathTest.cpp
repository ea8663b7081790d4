// Published properties addressed by dotted paths (LmCommon.h), on real forms and menus.
#include <gtest/gtest.h>

#include "Exception.h"
#include "LangManagerFixture.h"
#include "LmCommon.h"
#include "TFont.h"
#include "TForm.h"
#include "TPopupMenu.h"
#include "TStringList.h"

namespace {

class LmPropertyPathTest : public LangManagerTest {
protected:
  void SetUp() override {
    LangManagerTest::SetUp();
    form = new TForm(nullptr);
    form->SetName("Form1");
    form->SetCaption("Caption");
    form->Font()->SetName("Tahoma");
    form->Font()->SetSize(8);
    form->Font()->SetStyle({fsBold});
    form->Font()->SetColor(clWindowText);
    form->Font()->SetCharset(GB2312_CHARSET);
    popup = new TPopupMenu(form);
    popup->SetName("pmMain");
  }
  void TearDown() override {
    form->Free();
    LangManagerTest::TearDown();
  }

  Variant get(const WideString& path, bool preferNames = true) {
    Variant v;
    GetPropValueByPath(form, path, preferNames, v);
    return v;
  }

  TForm* form = nullptr;
  TPopupMenu* popup = nullptr;
};

}  // namespace

TEST_F(LmPropertyPathTest, ReadsPlainNestedAndFontPaths) {
  EXPECT_EQ(VarToStr(get(u"Caption")), "Caption");
  EXPECT_EQ(VarToStr(get(u"Font.Name")), "Tahoma");
  EXPECT_EQ(get(u"Font.Size").AsInteger(), 8);
  EXPECT_EQ(VarToWideStr(get(u"!Font")), u"Tahoma,8,B,0,clWindowText,GB2312_CHARSET");
  EXPECT_EQ(VarToStr(get(u"Font.Color")), "clWindowText");  // named values come as names
  EXPECT_EQ(VarToStr(get(u"Font.Style")), "[fsBold]");
  EXPECT_EQ(get(u"Font.Style", false).AsInteger(), 1);
  EXPECT_EQ(VarToStr(get(u"BorderStyle")), "bsSizeable");
  EXPECT_EQ(VarToStr(get(u"Visible")), "False");
  EXPECT_TRUE(VarIsNull(get(u"NoSuchProperty")));
  EXPECT_TRUE(VarIsNull(get(u"NoSuch.Name")));
  EXPECT_TRUE(VarIsNull(get(u"PopupMenu.Items.Caption")));  // no popup menu assigned
  Variant v;
  GetPropValueByPath(nullptr, u"Caption", true, v);
  EXPECT_TRUE(VarIsNull(v));
  TStringList lines;
  lines.SetText("a\r\nb");
  GetPropValueByPath(&lines, u"Text", true, v);
  EXPECT_EQ(VarToStr(v), "a\r\nb\r\n");
}

TEST_F(LmPropertyPathTest, WritesNamedAndHexadecimalIntegers) {
  SetPropValueByPath(form, u"Font.Color", Variant("clRed"), nullptr);
  EXPECT_EQ(form->Font()->Color(), clRed);
  form->Font()->SetColor(clBlack);
  SetPropValueByPath(form, u"Font.Color", Variant("$0000FF"), nullptr);
  EXPECT_EQ(form->Font()->Color(), clRed);
  SetPropValueByPath(form, u"Font.Size", Variant("12"), nullptr);
  EXPECT_EQ(form->Font()->Size(), 12);
  SetPropValueByPath(form, u"Caption", Variant(u"新标题"), nullptr);
  EXPECT_EQ(AnsiToWide(form->Caption()), u"新标题");
}

TEST_F(LmPropertyPathTest, WritesEnumerationsSetsBooleansAndComponents) {
  SetPropValueByPath(form, u"BorderStyle", Variant(" bsDialog\t"), nullptr);
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  SetPropValueByPath(form, u"BorderStyle", Variant(1), nullptr);
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  SetPropValueByPath(form, u"Font.Style", Variant("[fsItalic, fsUnderline]"), nullptr);
  EXPECT_EQ(form->Font()->Style(), (TFontStyles{fsItalic, fsUnderline}));
  SetPropValueByPath(form, u"ShowHint", Variant("True"), nullptr);
  EXPECT_TRUE(form->ShowHint());
  SetPropValueByPath(form, u"PopupMenu", Variant("pmMain"), form);
  EXPECT_EQ(form->PopupMenu(), popup);
  SetPropValueByPath(form, u"PopupMenu", Variant("nothing"), form);
  EXPECT_EQ(form->PopupMenu(), nullptr);
}

TEST_F(LmPropertyPathTest, PropertyErrorsReachTheCallerUnlessTried) {
  EXPECT_THROW(SetPropValueByPath(form, u"NoSuchProperty", Variant("x"), nullptr), EPropertyError);
  EXPECT_THROW(SetPropValueByPath(form, u"BorderStyle", Variant("bsNothing"), nullptr), EPropertyError);
  EXPECT_THROW(SetPropValueByPath(form, u"Font.Size", Variant("big"), nullptr), Exception);
  EXPECT_FALSE(TrySetPropValueByPath(form, u"Font.Size", Variant("big"), nullptr));
  EXPECT_TRUE(TrySetPropValueByPath(form, u"Font.Size", Variant(10), nullptr));
  EXPECT_EQ(PropInfoName(GetPropInfo(form, "caption")), "Caption");
  EXPECT_EQ(PropInfoName(nullptr), "");
}
