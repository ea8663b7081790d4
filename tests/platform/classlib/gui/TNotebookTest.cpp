#include "TNotebook.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TButton.h"
#include "TPage.h"
#include "TStrings.h"

using namespace TestInput;

namespace {
class TNotebookTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    book = place<TNotebook>(0, 0, 400, 300);
    book->Pages()->SetText("about\r\ncomm\r\nspecial\r\nmanage\r\n");
    form->Show();
  }
  TNotebook* book = nullptr;
};
}  // namespace

TEST_F(TNotebookTest, OnePageIsShownAtATime) {
  ASSERT_EQ(book->PageCount(), 4);
  auto* onComm = place<TButton>(10, 10, 75, 25, book->Page(1));
  auto* onAbout = place<TButton>(10, 10, 75, 25, book->Page(0));
  int changes = 0;
  book->OnPageChanged = [&](TObject*) { ++changes; };
  book->SetPageIndex(0);
  EXPECT_TRUE(onAbout->Showing());
  EXPECT_FALSE(onComm->Showing());
  book->SetPageIndex(1);
  EXPECT_TRUE(onComm->Showing());
  EXPECT_FALSE(onAbout->Showing());
  EXPECT_EQ(book->ActivePage(), "comm");
  book->SetPageIndex(4);
  book->SetPageIndex(-1);
  EXPECT_EQ(book->PageIndex(), 1) << "an index outside the pages is refused";
  book->SetActivePage("manage");
  EXPECT_EQ(book->PageIndex(), 3);
  EXPECT_EQ(changes, 2);
}

TEST_F(TNotebookTest, PagesFillTheNotebookAndAlignTheirControls) {
  auto* filler = place<TButton>(0, 0, 10, 10, book->Page(2));
  filler->SetAlign(alClient);
  EXPECT_EQ(filler->BoundsRect(), Rect(0, 0, 400, 300));
  book->SetBounds(0, 0, 500, 350);
  EXPECT_EQ(filler->BoundsRect(), Rect(0, 0, 500, 350));
}

TEST_F(TNotebookTest, DeletingAPageLineFreesThePageAndItsControls) {
  place<TButton>(10, 10, 75, 25, book->Page(2));
  const int before = LiveControlCount();
  book->Pages()->Delete(2);
  EXPECT_EQ(book->PageCount(), 3);
  EXPECT_EQ(LiveControlCount(), before - 2);
  EXPECT_EQ(book->Page(2)->Caption(), "manage");
  delete book->Page(0);
  EXPECT_EQ(book->Pages()->Text(), "comm\r\nmanage\r\n") << "a freed page takes its line";
}
