#include "Dialogs.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"

namespace {
class DialogsTest : public GuiTest {};
}  // namespace

TEST_F(DialogsTest, ShowMessageIsAnOkBoxCaptionedWithTheTitle) {
  ShowMessage("done");
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, "done");
  EXPECT_EQ(hook.Shown()[0].Caption, Application->Title());
  EXPECT_EQ(hook.Shown()[0].Flags, MB_OK);
  EXPECT_EQ(hook.Unanswered(), 0);
}

TEST_F(DialogsTest, MessageDlgTakesItsAnswerAsAModalResult) {
  hook.AnswerMessage(mrYes);
  EXPECT_EQ(MessageDlg(Ansi(u"Ftp已经连接，是否断开?"), mtConfirmation, {mbYes, mbNo}), mrYes);
  EXPECT_EQ(hook.Shown()[0].Kind, dkMessageDlg);
  EXPECT_EQ(hook.Shown()[0].Caption, "Confirm");
  EXPECT_EQ(MessageDlg("q", mtConfirmation, {mbYes, mbNo}), mrNo) << "closed without an answer";
  EXPECT_EQ(MessageDlg("q", mtWarning, mbYesNoCancel), mrCancel);
  EXPECT_EQ(MessageDlg("i", mtInformation, {mbOK}), mrOk);
  EXPECT_EQ(hook.Unanswered(), 2);
}
