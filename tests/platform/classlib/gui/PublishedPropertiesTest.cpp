// Every component class round-trips each of its published properties through its property
// table: what is written by name is read back by name. Values are chosen by kind (strings,
// integers, booleans, enumerations, sets), with a few properties given values their class
// accepts; object properties are written with an object of their class.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "FormFixture.h"
#include "TAnimate.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TCheckListBox.h"
#include "TComboBox.h"
#include "TDBGrid.h"
#include "TDateTimePicker.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TGroupBox.h"
#include "TImage.h"
#include "TImageList.h"
#include "TLabel.h"
#include "TListBox.h"
#include "TListView.h"
#include "TMemo.h"
#include "TNotebook.h"
#include "TOpenDialog.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TPopupMenu.h"
#include "TProgressBar.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "TStringGrid.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "TTreeView.h"
#include "TypInfo.h"

namespace {

struct ClassRow {
  const char* name;
  std::function<TComponent*(TForm*)> make;
  // Values the class needs for its other properties to take the samples (a speed button
  // stays down only in a group, a drop-down list shows only its items ...).
  std::vector<std::pair<const char*, TPropValue>> settings;
};

template <class T>
ClassRow row(const char* name, std::vector<std::pair<const char*, TPropValue>> settings = {}) {
  return {name,
          [](TForm* form) -> TComponent* {
            auto* c = new T(form);
            if (auto* sheet = dynamic_cast<TTabSheet*>(c))
              sheet->SetPageControl(new TPageControl(form));
            else if (auto* control = dynamic_cast<TControl*>(c))
              control->SetParent(form);
            return c;
          },
          std::move(settings)};
}

// A value of the property's kind that differs from the current one where it can.
TPropValue sample(const TObject* object, const TPropInfo& prop) {
  const AnsiString& n = prop.Name;
  switch (prop.Kind) {
    case TTypeKind::tkString:
    case TTypeKind::tkWString:
      if (n == "Name") return AnsiString("Sample1");
      if (n == "Directory" || n == "Path" || n == "Root" || n == "InitialDir")
        return AnsiString(std::filesystem::temp_directory_path().string());
      if (n == "ActivePage") return AnsiString("Default");
      return Ansi(u"文本 text");
    case TTypeKind::tkInteger:
      if (prop.Idents != nullptr) return std::int64_t{clInfoBk};
      if (n == "ItemIndex") return std::int64_t{-1};
      if (n == "TabOrder" || n == "PageIndex" || n == "GroupIndex") return std::int64_t{0};
      if (n == "PasswordChar") return std::int64_t{'*'};
      if (n == "Date" || n == "MinDate" || n == "MaxDate") return std::int64_t{45000};
      if (n == "Left" || n == "Top") return std::int64_t{7};
      if (n == "Width" || n == "Height") return std::int64_t{33};
      if (n == "Max") return std::int64_t{300};
      if (n == "Position" || n == "Min") return std::int64_t{0};
      return std::int64_t{2};
    case TTypeKind::tkBoolean:
      return !std::get<bool>(GetPropValue(object, prop));
    case TTypeKind::tkEnumeration:
      return static_cast<std::int64_t>(prop.EnumNames.size() - 1);
    case TTypeKind::tkSet:
      return std::int64_t{1};
    default:
      return {};
  }
}

// Values of the plain kinds compare equal (events, held as std::any, do not compare).
bool sameValue(const TPropValue& a, const TPropValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* i = std::get_if<std::int64_t>(&a)) return *i == std::get<std::int64_t>(b);
  if (const auto* s = std::get_if<AnsiString>(&a)) return *s == std::get<AnsiString>(b);
  if (const auto* w = std::get_if<WideString>(&a)) return *w == std::get<WideString>(b);
  if (const auto* f = std::get_if<bool>(&a)) return *f == std::get<bool>(b);
  if (const auto* o = std::get_if<TObject*>(&a)) return *o == std::get<TObject*>(b);
  return false;
}

std::string describe(const TPropValue& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
  if (const auto* s = std::get_if<AnsiString>(&v)) return "\"" + *s + "\"";
  if (const auto* f = std::get_if<bool>(&v)) return *f ? "true" : "false";
  return "?";
}

class PublishedPropertiesTest : public FormTest, public ::testing::WithParamInterface<ClassRow> {};

}  // namespace

TEST_P(PublishedPropertiesTest, EveryPropertyRoundTripsThroughTheTable) {
  TComponent* c = GetParam().make(form);
  ASSERT_FALSE(c->ClassType().Properties().empty());
  auto setting = [&](const AnsiString& name) -> const TPropValue* {
    for (const auto& [n, v] : GetParam().settings)
      if (name == n) return &v;
    return nullptr;
  };
  for (const auto& [name, value] : GetParam().settings) SetPropValue(c, name, value);
  for (const TPropInfo* prop : c->ClassType().Properties()) {
    SCOPED_TRACE(GetParam().name + std::string(".") + prop->Name);
    if (setting(prop->Name) != nullptr) continue;
    if (prop->Kind == TTypeKind::tkMethod) {
      // An event: the handler that is read back is the one written.
      const TPropValue handler = GetPropValue(c, *prop);
      ASSERT_TRUE(prop->HasSetter());
      SetPropValue(c, *prop, handler);
      continue;
    }
    if (prop->Kind == TTypeKind::tkClass) {
      TObject* value = GetObjectProp(c, prop->Name);
      if (prop->Name == "Font") {
        TFont font;
        font.SetName("Tahoma");
        font.SetStyle({fsItalic});
        SetObjectProp(c, "Font", &font);
        EXPECT_TRUE(static_cast<TFont*>(GetObjectProp(c, "Font"))->Equals(font));
      }
      if (prop->Name != "PopupMenu" && prop->Name != "SmallImages" && prop->Name != "Images" &&
          prop->Name != "ActivePage" && prop->Name != "ActiveControl" && prop->Name != "DataSource") {
        EXPECT_NE(value, nullptr) << "owned sub-objects are always there";
      }
      continue;
    }
    if (!prop->HasSetter()) continue;
    const TPropValue value = sample(c, *prop);
    SetPropValue(c, *prop, value);
    const TPropValue back = GetPropValue(c, *prop);
    EXPECT_TRUE(sameValue(back, value)) << "wrote " << describe(value) << ", read " << describe(back);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PublishedPropertiesTest,
    ::testing::Values(row<TPanel>("TPanel"), row<TGroupBox>("TGroupBox"), row<TLabel>("TLabel"), row<TButton>("TButton"),
                      row<TBitBtn>("TBitBtn"), row<TSpeedButton>("TSpeedButton", {{"GroupIndex", std::int64_t{3}}, {"AllowAllUp", true}}), row<TEdit>("TEdit"),
                      row<TMemo>("TMemo"), row<TComboBox>("TComboBox", {{"Style", std::int64_t{0}}}), row<TCheckBox>("TCheckBox"),
                      row<TRadioGroup>("TRadioGroup"), row<TListBox>("TListBox"), row<TCheckListBox>("TCheckListBox"),
                      row<TFileListBox>("TFileListBox"), row<TListView>("TListView"), row<TTreeView>("TTreeView"),
                      row<TShellTreeView>("TShellTreeView"), row<TNotebook>("TNotebook"),
                      row<TPageControl>("TPageControl"), row<TTabSheet>("TTabSheet"), row<TProgressBar>("TProgressBar"),
                      row<TDateTimePicker>("TDateTimePicker"), row<TAnimate>("TAnimate", {{"CommonAVI", std::int64_t{1}}}), row<TImage>("TImage"),
                      row<TForm>("TForm"), row<TTimer>("TTimer"), row<TPopupMenu>("TPopupMenu"),
                      row<TMenuItem>("TMenuItem"), row<TImageList>("TImageList"), row<TOpenDialog>("TOpenDialog"),
                      row<TStringGrid>("TStringGrid", {{"FixedCols", std::int64_t{1}}, {"FixedRows", std::int64_t{1}}}),
                      row<TDBGrid>("TDBGrid")),
    [](const ::testing::TestParamInfo<ClassRow>& info) { return std::string(info.param.name); });
