#include "TTreeView.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TForm.h"
#include "TImageList.h"
#include "TTreeNode.h"
#include "TTreeNodes.h"
#include "TypInfo.h"

using namespace TestInput;

namespace {

class TTreeViewTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 300);
    tree = new TTreeView(form);
    tree->SetParent(form);
    tree->SetBounds(0, 0, 280, 280);
    TTreeNodes* n = tree->Items();
    a = n->Add(nullptr, "a");
    a1 = n->AddChild(a, "a1");
    n->AddChild(a1, "a1x");
    a2 = n->AddChild(a, "a2");
    b = n->Add(a, "b");
    n->AddChildFirst(a, "a0");
    form->Show();
  }
  void TearDown() override {
    form->Free();
    GuiTest::TearDown();
  }
  std::vector<AnsiString> texts() const {
    std::vector<AnsiString> out;
    for (int i = 0; i < tree->Items()->Count(); ++i) out.push_back(tree->Items()->Item(i)->Text());
    return out;
  }
  TForm* form = nullptr;
  TTreeView* tree = nullptr;
  TTreeNode* a = nullptr;
  TTreeNode* a1 = nullptr;
  TTreeNode* a2 = nullptr;
  TTreeNode* b = nullptr;
};

}  // namespace

TEST_F(TTreeViewTest, NodesCountInTheTreesAbsoluteOrder) {
  EXPECT_EQ(texts(), (std::vector<AnsiString>{"a", "a0", "a1", "a1x", "a2", "b"}));
  EXPECT_EQ(a1->AbsoluteIndex(), 2);
  EXPECT_EQ(a1->Index(), 1);
  EXPECT_EQ(a1->Level(), 1);
  EXPECT_EQ(a1->Parent(), a);
  EXPECT_EQ(a1->GetFirstChild()->GetNext(), a2);
  EXPECT_EQ(b->GetNext(), nullptr);
  EXPECT_EQ(tree->Items()->GetFirstNode(), a);
  EXPECT_EQ(a->getNextSibling(), b);
  tree->Items()->Insert(b, "ab");
  EXPECT_EQ(b->getPrevSibling()->Text(), "ab");
  EXPECT_THROW(tree->Items()->Item(99), EListError);
}

TEST_F(TTreeViewTest, DeletingANodeDeletesItsChildren) {
  a1->Delete();
  EXPECT_EQ(texts(), (std::vector<AnsiString>{"a", "a0", "a2", "b"}));
  tree->Items()->Clear();
  EXPECT_EQ(tree->Items()->Count(), 0);
  EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_F(TTreeViewTest, ClickSelectsANodeAndRaisesOnChange) {
  std::vector<AnsiString> changes;
  tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node != nullptr ? node->Text() : "-"); };
  ClickTreeNode(tree, b);
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_TRUE(b->Selected());
  a->Expand(true);
  ClickTreeNode(tree, a2);
  EXPECT_EQ(changes, (std::vector<AnsiString>{"b", "a2"}));
  a2->Delete();
  EXPECT_NE(tree->Selected(), a2);
}

TEST_F(TTreeViewTest, ExpandingAndCollapsingAreReported) {
  std::vector<AnsiString> log;
  tree->OnExpanded = [&](TObject*, TTreeNode* n) { log.push_back("+" + n->Text()); };
  tree->OnCollapsed = [&](TObject*, TTreeNode* n) { log.push_back("-" + n->Text()); };
  a->SetExpanded(true);
  EXPECT_TRUE(a->Expanded());
  a->Collapse(false);
  EXPECT_EQ(log, (std::vector<AnsiString>{"+a", "-a"}));
}

TEST_F(TTreeViewTest, AssignCopiesTheWholeTree) {
  auto* copy = new TTreeView(form);
  copy->SetParent(form);
  a1->SetImageIndex(6);
  copy->Items()->Assign(tree->Items());
  ASSERT_EQ(copy->Items()->Count(), 6);
  EXPECT_EQ(copy->Items()->Item(3)->Text(), "a1x");
  EXPECT_EQ(copy->Items()->Item(3)->Level(), 2);
  EXPECT_EQ(copy->Items()->Item(2)->ImageIndex(), 6);
}

TEST_F(TTreeViewTest, PublishedPropertiesRoundTrip) {
  auto* images = new TImageList(form);
  SetObjectProp(tree, "Images", images);
  EXPECT_EQ(tree->Images(), images);
  delete images;
  EXPECT_EQ(tree->Images(), nullptr);
  SetOrdProp(tree, "ReadOnly", 1);
  EXPECT_TRUE(tree->ReadOnly());
  SetOrdProp(tree, "ShowRoot", 0);
  EXPECT_FALSE(GetOrdProp(tree, "ShowRoot"));
  SetOrdProp(tree, "ShowButtons", 0);
  EXPECT_FALSE(tree->ShowButtons());
  EXPECT_EQ(GetObjectProp(tree, "Items"), tree->Items());
}
