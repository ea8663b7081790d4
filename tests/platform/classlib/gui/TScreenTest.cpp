#include "TScreen.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TEdit.h"
#include "TForm.h"

using namespace TestInput;

namespace {
class TScreenTest : public GuiTest {};
}  // namespace

TEST_F(TScreenTest, FormsAreListedInCreationOrder) {
  auto* first = NewForm<TForm>(nullptr);
  auto* second = NewForm<TForm>(first);
  auto* third = NewForm<TForm>(nullptr);
  ASSERT_EQ(Screen->FormCount(), 3);
  EXPECT_EQ(Screen->Forms(0), first);
  EXPECT_EQ(Screen->Forms(1), second);
  EXPECT_EQ(Screen->Forms(2), third);
  first->Free();
  EXPECT_EQ(Screen->FormCount(), 1);
  EXPECT_EQ(Screen->Forms(0), third);
  third->Free();
  EXPECT_THROW(Screen->Forms(0), EListError);
}

TEST_F(TScreenTest, ActiveFormAndControlFollowTheFocus) {
  auto* form = NewForm<TForm>(nullptr);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->Show();
  ASSERT_TRUE(FocusControl(edit));
  EXPECT_EQ(Screen->ActiveForm(), form);
  EXPECT_EQ(Screen->ActiveControl(), edit);
  form->Free();
}

TEST_F(TScreenTest, TheDefaultFontIsTheDesktopGuiFont) {
  EXPECT_EQ(Screen->DefaultFont()->Height(), -12);
  EXPECT_EQ(Screen->PixelsPerInch(), 96);
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  Screen->SetCursor(crDefault);
}
