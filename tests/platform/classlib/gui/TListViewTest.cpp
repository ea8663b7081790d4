#include "TListView.h"

#include <gtest/gtest.h>

#include <random>

#include "GuiFixture.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "StringRoutines.h"
#include "TForm.h"
#include "TImageList.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TStrings.h"
#include "TypInfo.h"

using namespace TestInput;

namespace {

class TListViewTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 500, 400);
    images = new TImageList(form);
    images->AddStandardImages();
    view = new TListView(form);
    view->SetParent(form);
    view->SetBounds(0, 0, 480, 360);
    view->SetViewStyle(vsReport);
    view->SetMultiSelect(true);
    view->SetRowSelect(true);
    view->SetReadOnly(true);
    view->SetSmallImages(images);
    for (auto [caption, width] : {std::pair{Ansi(u"文件名"), 110}, {Ansi(u"大小"), 65}, {Ansi(u"时间"), 97}, {Ansi(u"状态"), 0}}) {
      TListColumn* c = view->Columns()->Add();
      c->SetCaption(caption);
      c->SetWidth(width);
    }
    form->Show();
  }
  void TearDown() override {
    form->Free();
    GuiTest::TearDown();
  }
  TListItem* add(const AnsiString& name, int size) {
    TListItem* item = view->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add(IntToStr(size));
    item->SubItems()->Add("09-01-05 08:07");
    item->SetData(reinterpret_cast<void*>(static_cast<std::intptr_t>(size)));
    return item;
  }
  std::vector<AnsiString> captions() const {
    std::vector<AnsiString> out;
    for (int i = 0; i < view->Items()->Count(); ++i) out.push_back(view->Items()->Item(i)->Caption());
    return out;
  }
  // The sort toggle the program's views use: the state lives in the column's Tag and shows as
  // image 0 (ascending) or 1 (descending) in the header.
  void bindSortToggle() {
    view->OnColumnClick = [this](TObject*, TListColumn* column) {
      for (int i = 0; i < view->Columns()->Count(); ++i) {
        TListColumn* other = view->Columns()->Items(i);
        if (other == column) continue;
        other->SetTag(0);
        other->SetImageIndex(-1);
      }
      column->SetTag(column->Tag() == 1 ? 2 : 1);
      column->SetImageIndex(column->Tag() - 1);
      view->CustomSort(nullptr, column->Index());
    };
    view->OnCompare = [this](TObject*, TListItem* a, TListItem* b, int column, int& result) {
      if (column == 0) result = CompareText(a->Caption(), b->Caption());
      if (column == 1) {
        const auto x = reinterpret_cast<std::intptr_t>(a->Data());
        const auto y = reinterpret_cast<std::intptr_t>(b->Data());
        result = x > y ? 1 : x < y ? -1 : 0;
      }
      if (view->Columns()->Items(column)->Tag() == 2) result = -result;
    };
  }

  TForm* form = nullptr;
  TImageList* images = nullptr;
  TListView* view = nullptr;
};

}  // namespace

TEST_F(TListViewTest, ColumnClicksSortWithTheCompareEventAndShowTheArrowImage) {
  bindSortToggle();
  add("b.dbf", 300);
  add("A.txt", 1024);
  add("c.rom", 5);
  ClickColumnHeader(view, 1);
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"c.rom", "b.dbf", "A.txt"}));
  EXPECT_EQ(view->Columns()->Items(1)->ImageIndex(), 0);
  ClickColumnHeader(view, 1);
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"A.txt", "b.dbf", "c.rom"}));
  EXPECT_EQ(view->Columns()->Items(1)->ImageIndex(), 1);
  ClickColumnHeader(view, 0);
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"A.txt", "b.dbf", "c.rom"}));
  EXPECT_EQ(view->Columns()->Items(0)->ImageIndex(), 0);
  EXPECT_EQ(view->Columns()->Items(1)->ImageIndex(), -1) << "the other column's arrow goes";
  EXPECT_EQ(view->Columns()->Items(1)->Tag(), 0);
}

TEST_F(TListViewTest, SortKeepsEqualItemsInOrderAndSelectionWithItsItems) {
  add("x", 2);
  add("y", 1);
  add("z", 2);
  add("w", 1);
  TListItem* z = view->Items()->Item(2);
  z->SetSelected(true);
  view->CustomSort([](TListItem* a, TListItem* b, int) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(a->Data()) - reinterpret_cast<std::intptr_t>(b->Data()));
  }, 0);
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"y", "w", "x", "z"}));
  EXPECT_TRUE(z->Selected());
  EXPECT_EQ(view->Selected(), z);
  EXPECT_EQ(view->SelCount(), 1);
  EXPECT_EQ(z->Index(), 3);
}

TEST_F(TListViewTest, AnInconsistentCompareEventCannotBreakTheSort) {
  for (int i = 0; i < 300; ++i) add("f" + IntToStr(i), i);
  std::mt19937 random(7);
  view->OnCompare = [&](TObject*, TListItem*, TListItem*, int, int& result) { result = static_cast<int>(random() % 3) - 1; };
  EXPECT_TRUE(view->AlphaSort());
  EXPECT_EQ(view->Items()->Count(), 300);
}

TEST_F(TListViewTest, WithoutCompareFunctionsCaptionsSortWithoutRegardToCase) {
  view->OnCompare = nullptr;
  add("beta", 1);
  add("Alpha", 1);
  add("gamma", 1);
  view->AlphaSort();
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"Alpha", "beta", "gamma"}));
}

TEST_F(TListViewTest, ClicksSelectAndCtrlASelectsAll) {
  for (int i = 0; i < 5; ++i) add("f" + IntToStr(i), i);
  std::vector<std::pair<AnsiString, bool>> seen;
  view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) { seen.emplace_back(item->Caption(), selected); };
  ClickListItem(view, 1);
  EXPECT_EQ(view->Selected(), view->Items()->Item(1));
  ClickListItem(view, 3, {ssCtrl});
  EXPECT_EQ(view->SelCount(), 2);
  EXPECT_EQ(view->GetNextItem(view->Selected(), sdAll, {isSelected}), view->Items()->Item(3));
  EXPECT_EQ(seen, (std::vector<std::pair<AnsiString, bool>>{{"f1", true}, {"f3", true}}));

  int ctrlA = 0;
  view->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    if (shift.Contains(ssCtrl) && key == 'A') {
      ++ctrlA;
      view->SelectAll();
    }
  };
  PressKey(view, 'A', {ssCtrl});
  EXPECT_EQ(ctrlA, 1);
  EXPECT_EQ(view->SelCount(), 5);
  view->ClearSelection();
  EXPECT_EQ(view->Selected(), nullptr);
}

TEST_F(TListViewTest, ItemsSelectedByTheProgramStaySelectedTogether) {
  for (int i = 0; i < 5; ++i) add("f" + IntToStr(i), i);
  view->Items()->Item(1)->SetSelected(true);
  view->Items()->Item(3)->SetSelected(true);
  EXPECT_EQ(view->SelCount(), 2);
  EXPECT_TRUE(view->Items()->Item(1)->Selected());
  EXPECT_TRUE(view->Items()->Item(3)->Selected());
  // The view shows what the items say: a Ctrl click adds one item to both.
  ClickListItem(view, 4, {ssCtrl});
  EXPECT_EQ(view->SelCount(), 3);
  ClickListItem(view, 3, {ssCtrl});
  EXPECT_EQ(view->SelCount(), 2);
  EXPECT_TRUE(view->Items()->Item(1)->Selected());
  EXPECT_FALSE(view->Items()->Item(3)->Selected());
}

TEST_F(TListViewTest, SingleSelectionKeepsOneItem) {
  view->SetMultiSelect(false);
  add("a", 1);
  add("b", 2);
  view->Items()->Item(0)->SetSelected(true);
  view->Items()->Item(1)->SetSelected(true);
  EXPECT_EQ(view->SelCount(), 1);
  EXPECT_EQ(view->Selected()->Caption(), "b");
  view->SelectAll();
  EXPECT_EQ(view->SelCount(), 1);
}

TEST_F(TListViewTest, ColumnsOfWidthZeroAreHidden) {
  EXPECT_EQ(ShownColumnWidth(view, 0), 110);
  EXPECT_EQ(ShownColumnWidth(view, 3), 0);
  view->Columns()->Items(3)->SetWidth(76);
  EXPECT_EQ(ShownColumnWidth(view, 3), 76);
  view->Columns()->Items(0)->SetWidth(0);
  EXPECT_EQ(ShownColumnWidth(view, 0), 0);
}

TEST_F(TListViewTest, ColumnsSizedToTheirTextShowEveryCellWholeAsTheRowsChange) {
  TListColumn* time = view->Columns()->Items(2);
  time->SetWidth(ColumnTextWidth);
  EXPECT_EQ(time->Width(), ColumnTextWidth);
  add("a", 1);
  ASSERT_TRUE(WaitUntil([&] { return ShownColumnWidth(view, 2) == ColumnContentWidth(view, 2); }));
  const int narrow = ShownColumnWidth(view, 2);
  // A longer text in a later row, in one of many rows added at once, and a text changed in place.
  view->Items()->BeginUpdate();
  for (int i = 0; i < 200; ++i) add("f" + IntToStr(i), i);
  view->Items()->Item(150)->SubItems()->SetStrings(1, "2009-01-05 08:07:33 PM");
  view->Items()->EndUpdate();
  ASSERT_TRUE(WaitUntil([&] { return ShownColumnWidth(view, 2) > narrow; }));
  EXPECT_GE(ShownColumnWidth(view, 2), ColumnContentWidth(view, 2));
  view->Items()->Item(0)->SubItems()->SetStrings(1, "2009-01-05 08:07:33 PM and longer still");
  ASSERT_TRUE(WaitUntil([&] { return ShownColumnWidth(view, 2) >= ColumnContentWidth(view, 2); }));
  EXPECT_EQ(time->Width(), ColumnTextWidth);
  // The other columns keep the widths they were given; other negative widths hide.
  EXPECT_EQ(ShownColumnWidth(view, 0), 110);
  time->SetWidth(-5);
  EXPECT_EQ(ShownColumnWidth(view, 2), 0);
}

TEST_F(TListViewTest, UpdatesShowAtTheOutermostEndUpdateAndClearEmpties) {
  view->Items()->BeginUpdate();
  view->Items()->BeginUpdate();
  for (int i = 0; i < 4000; ++i) add("f" + IntToStr(i), i);
  view->Items()->Item(10)->SetSelected(true);
  view->Items()->EndUpdate();
  view->Items()->EndUpdate();
  EXPECT_EQ(view->Items()->Count(), 4000);
  EXPECT_EQ(view->Selected(), view->Items()->Item(10));
  ClickListItem(view, 0);
  EXPECT_EQ(view->Selected(), view->Items()->Item(0));
  view->Items()->Clear();
  EXPECT_EQ(view->Items()->Count(), 0);
  EXPECT_EQ(view->SelCount(), 0);
}

TEST_F(TListViewTest, ItemsCanBeDeletedOneByOne) {
  add("a", 1);
  TListItem* b = add("b", 2);
  add("c", 3);
  b->SetSelected(true);
  b->Delete();
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"a", "c"}));
  EXPECT_EQ(view->SelCount(), 0);
  view->Items()->Delete(0);
  EXPECT_EQ(captions(), (std::vector<AnsiString>{"c"}));
  EXPECT_THROW(view->Items()->Item(1), EListError);
  EXPECT_THROW(view->Items()->Insert(5), EListError);
}

TEST_F(TListViewTest, DoubleClickAndClickReachTheView) {
  add("a", 1);
  int clicks = 0;
  int doubles = 0;
  view->OnClick = [&](TObject*) { ++clicks; };
  view->OnDblClick = [&](TObject*) { ++doubles; };
  ClickListItem(view, 0);
  DoubleClickListItem(view, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(doubles, 1);
}

TEST_F(TListViewTest, AFreedImageListIsForgotten) {
  delete images;
  EXPECT_EQ(view->SmallImages(), nullptr);
  add("a", 1)->SetImageIndex(6);
  Application->ProcessMessages();  // paints without the list
}

TEST_F(TListViewTest, PublishedPropertiesRoundTrip) {
  SetOrdProp(view, "MultiSelect", 0);
  EXPECT_FALSE(view->MultiSelect());
  SetOrdProp(view, "ViewStyle", static_cast<int>(vsList));
  EXPECT_EQ(view->ViewStyle(), vsList);
  SetOrdProp(view, "ReadOnly", 0);
  EXPECT_FALSE(GetOrdProp(view, "ReadOnly"));
  SetOrdProp(view, "ColumnClick", 0);
  EXPECT_FALSE(view->ColumnClick());
  EXPECT_EQ(GetObjectProp(view, "SmallImages"), images);
  SetObjectProp(view, "SmallImages", nullptr);
  EXPECT_EQ(view->SmallImages(), nullptr);
  auto* columns = dynamic_cast<TListColumns*>(GetObjectProp(view, "Columns"));
  ASSERT_NE(columns, nullptr);
  TListColumn* first = columns->Items(0);
  SetStrProp(first, "Caption", "Name");
  SetOrdProp(first, "Width", 120);
  SetOrdProp(first, "ImageIndex", 1);
  SetOrdProp(first, "Alignment", static_cast<int>(taRightJustify));
  EXPECT_EQ(first->Caption(), "Name");
  EXPECT_EQ(first->Width(), 120);
  EXPECT_EQ(first->ImageIndex(), 1);
  EXPECT_EQ(first->Alignment(), taRightJustify);
  EXPECT_NE(dynamic_cast<TListItems*>(GetObjectProp(view, "Items")), nullptr);
}
