#include "TPanel.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TGroupBox.h"

using namespace TestInput;

namespace {
class TPanelTest : public FormTest {};
}  // namespace

TEST_F(TPanelTest, AlignedChildrenStayInsideBorderAndBevels) {
  auto* panel = place<TPanel>(0, 0, 200, 100);
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBorderWidth(2);
  auto* inner = place<TPanel>(0, 0, 10, 10, panel);
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->BoundsRect(), Rect(4, 4, 196, 96));
  panel->SetBevelInner(bvNone);
  EXPECT_EQ(inner->BoundsRect(), Rect(3, 3, 197, 97));
}

TEST_F(TPanelTest, AClickOnThePanelRaisesItsOnClick) {
  auto* panel = place<TPanel>(0, 0, 200, 100);
  panel->SetCaption(Ansi(u"系统菜单"));
  int clicks = 0;
  panel->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  ClickControl(panel);
  EXPECT_EQ(clicks, 1);
}

TEST_F(TPanelTest, GroupBoxChildrenAlignBelowTheCaption) {
  auto* box = place<TGroupBox>(0, 0, 200, 100);
  box->SetCaption(Ansi(u"FTP文件列表"));
  auto* inner = place<TPanel>(0, 0, 10, 10, box);
  inner->SetAlign(alClient);
  EXPECT_GT(inner->Top(), 5);
  EXPECT_LT(inner->Height(), 100);
}

TEST_F(TPanelTest, PublishedPropertiesRoundTrip) {
  auto* panel = place<TPanel>(0, 0, 200, 100);
  SetOrdProp(panel, "BevelOuter", static_cast<int>(bvLowered));
  SetOrdProp(panel, "BevelInner", static_cast<int>(bvRaised));
  SetOrdProp(panel, "BevelWidth", 2);
  SetOrdProp(panel, "BorderWidth", 3);
  SetOrdProp(panel, "Alignment", static_cast<int>(taLeftJustify));
  EXPECT_EQ(panel->BevelOuter(), bvLowered);
  EXPECT_EQ(panel->BevelInner(), bvRaised);
  EXPECT_EQ(panel->BevelWidth(), 2);
  EXPECT_EQ(panel->BorderWidth(), 3);
  EXPECT_EQ(panel->Alignment(), taLeftJustify);
  SetOrdProp(panel, "BevelWidth", 0);
  EXPECT_EQ(panel->BevelWidth(), 2) << "a bevel is at least one pixel wide";
}
