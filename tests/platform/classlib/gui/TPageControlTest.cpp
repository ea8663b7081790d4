#include "TPageControl.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TTabSheet.h"
#include "WinUser.h"

using namespace TestInput;

namespace {
class TPageControlTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    pages = place<TPageControl>(0, 0, 400, 300);
    for (auto name : {u"更新手持机系统", u"获取手持机系统", u"管理手持机", u"手持机参数设定"}) {
      auto* sheet = new TTabSheet(form);
      sheet->SetCaption(Ansi(name));
      sheet->SetPageControl(pages);
      sheets.push_back(sheet);
    }
    form->Show();
  }
  TPageControl* pages = nullptr;
  std::vector<TTabSheet*> sheets;
};
}  // namespace

TEST_F(TPageControlTest, AHiddenTabKeepsItsPageButShowsNoTab) {
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(pages->PageCount(), 4);
  EXPECT_FALSE(TabShown(pages, 1));
  EXPECT_TRUE(TabShown(pages, 2));
  EXPECT_EQ(sheets[1]->TabIndex(), -1);
  EXPECT_EQ(sheets[2]->TabIndex(), 1);
  EXPECT_EQ(sheets[2]->PageIndex(), 2);
  pages->SetActivePage(sheets[3]);
  sheets[3]->SetTabVisible(false);
  EXPECT_NE(pages->ActivePage(), sheets[3]) << "the active page gives way when its tab goes";
}

TEST_F(TPageControlTest, ClickingATabShowsItsPageAndEntersTheSheet) {
  std::string log;
  sheets[2]->OnEnter = [&](TObject*) { log += "enter;"; };
  sheets[0]->OnHide = [&](TObject*) { log += "hide0;"; };
  pages->OnChange = [&](TObject*) { log += "change;"; };
  ClickTab(pages, 2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(log, "hide0;enter;change;");
  log.clear();
  pages->SetActivePageIndex(0);
  EXPECT_EQ(log, "") << "the program's choice raises no OnChange";
  pages->SetActivePage(sheets[2]);
  EXPECT_EQ(log, "hide0;enter;");
}

TEST_F(TPageControlTest, AClickAfterTheProgramsChoiceStillRaisesOnChange) {
  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  pages->SetActivePageIndex(1);
  pages->SetActivePage(sheets[3]);
  EXPECT_EQ(changes, 0);
  ClickTab(pages, 2);
  EXPECT_EQ(pages->ActivePage(), sheets[2]);
  EXPECT_EQ(changes, 1);
}

TEST_F(TPageControlTest, OnChangingCanKeepThePage) {
  int asked = 0;
  pages->OnChanging = [&](TObject*, bool& allow) {
    ++asked;
    allow = false;
  };
  ClickTab(pages, 3);
  EXPECT_EQ(asked, 1) << "the click reached the tab";
  EXPECT_EQ(pages->ActivePage(), sheets[0]);
}

TEST_F(TPageControlTest, TabWidthFixesEveryTab) {
  const int width = (pages->Width() - 2 * GetSystemMetrics(SM_CXEDGE)) / pages->PageCount();
  pages->SetTabWidth(width);
  EXPECT_EQ(ShownTabWidth(pages, 0), width);
  EXPECT_EQ(ShownTabWidth(pages, 3), width);
  pages->SetTabWidth(0);
  EXPECT_NE(ShownTabWidth(pages, 0), ShownTabWidth(pages, 2)) << "tabs as wide as their captions";
}

TEST_F(TPageControlTest, SheetsLeaveTheirControlWhenFreedOrMoved) {
  delete sheets[1];
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->Pages(1), sheets[2]);
  sheets[3]->SetPageIndex(0);
  EXPECT_EQ(pages->Pages(0), sheets[3]);
  EXPECT_THROW(sheets[0]->SetParent(form), EInvalidOperation);
  sheets[0]->SetPageControl(nullptr);
  EXPECT_EQ(pages->PageCount(), 2);
}
