#include "TOpenDialog.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TStrings.h"

namespace {
class TOpenDialogTest : public GuiTest {};
}  // namespace

TEST_F(TOpenDialogTest, ExecuteTakesTheChosenFileOrTheCancel) {
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Open");
  dialog.SetFilter("Text|*.txt;*.csv|All|*.*");
  dialog.SetFileName("/old.txt");
  hook.AnswerFile("/data/a.txt");
  hook.AnswerFile("");
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "/data/a.txt");
  EXPECT_EQ(dialog.Files()->Count(), 1);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "/data/a.txt") << "cancel changes nothing";
  EXPECT_FALSE(dialog.Execute()) << "no answer left: cancelled";
  EXPECT_EQ(hook.Unanswered(), 1);
  EXPECT_EQ(hook.Shown().at(0).Caption, "Open");
}

TEST_F(TOpenDialogTest, PublishedPropertiesRoundTrip) {
  TOpenDialog dialog(nullptr);
  SetStrProp(&dialog, "Filter", "All|*.*");
  SetStrProp(&dialog, "InitialDir", "/tmp");
  SetStrProp(&dialog, "Title", "t");
  SetStrProp(&dialog, "DefaultExt", "txt");
  SetOrdProp(&dialog, "FilterIndex", 2);
  SetOrdProp(&dialog, "Options", static_cast<std::int64_t>(TOpenOptions{ofFileMustExist, ofAllowMultiSelect}.Bits()));
  EXPECT_EQ(dialog.Filter(), "All|*.*");
  EXPECT_EQ(dialog.InitialDir(), "/tmp");
  EXPECT_EQ(dialog.Title(), "t");
  EXPECT_EQ(dialog.DefaultExt(), "txt");
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_TRUE(dialog.Options().Contains(ofAllowMultiSelect));
}
