#include "TApplication.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TypInfo.h"
#include "TForm.h"

using namespace TestInput;

namespace {
class TApplicationTest : public GuiTest {};
}  // namespace

TEST_F(TApplicationTest, MessageBoxIsAnsweredByTheHookAndRecorded) {
  hook.AnswerMessage(IDYES);
  EXPECT_EQ(Application->MessageBox(Ansi(u"当前有操作正在进行，强制退出？"), Ansi(u" 警告"), MB_YESNO | MB_ICONWARNING), IDYES);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkMessageBox);
  EXPECT_EQ(hook.Shown()[0].Text, Ansi(u"当前有操作正在进行，强制退出？"));
  EXPECT_EQ(hook.Shown()[0].Caption, Ansi(u" 警告"));
  EXPECT_EQ(hook.Shown()[0].Flags, 52u);
  EXPECT_EQ(hook.Unanswered(), 0);
}

TEST_F(TApplicationTest, BoxesWithOnlyOkTakeNoAnswer) {
  hook.AnswerMessage(IDNO);
  EXPECT_EQ(Application->MessageBox("info", "caption", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(hook.Pending(), 1) << "the queued answer waits for a question";
  EXPECT_EQ(Application->MessageBox("question", "caption", MB_OKCANCEL | MB_ICONQUESTION), IDNO);
}

TEST_F(TApplicationTest, AnUnansweredBoxIsClosedAsByTheUser) {
  EXPECT_EQ(Application->MessageBox("q", "c", MB_YESNO), IDNO);
  EXPECT_EQ(Application->MessageBox("q", "c", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(Application->MessageBox("q", "c", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(Application->MessageBox("q", "c", MB_ABORTRETRYIGNORE), IDABORT);
  EXPECT_EQ(hook.Unanswered(), 4);
}

TEST_F(TApplicationTest, HandleExceptionShowsTheMessageOrCallsOnException) {
  try {
    throw EInOutError("File not found", 2);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, "File not found.");
  EXPECT_EQ(hook.Shown()[0].Caption, Application->Title());

  AnsiString seen;
  Application->OnException = [&](TObject*, Exception& e) { seen = e.Message(); };
  try {
    throw EAbort("silent");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  try {
    throw std::runtime_error("plain");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "plain");
  EXPECT_EQ(hook.Shown().size(), 1u);
}

TEST_F(TApplicationTest, RunShowsTheMainFormAndReturnsWhenItCloses) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  bool shown = false;
  main->OnShow = [&](TObject*) {
    shown = true;
    PostMessage(main->Handle(), WM_CLOSE, 0, 0);
  };
  Application->Run();
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Application->Terminated());
  delete main;
}

TEST_F(TApplicationTest, PublishedPropertiesRoundTrip) {
  const AnsiString saved = Application->Title();
  SetStrProp(Application, "Title", Ansi(u"手持机通讯管理器"));
  EXPECT_EQ(Application->Title(), Ansi(u"手持机通讯管理器"));
  SetStrProp(Application, "Hint", "hint");
  EXPECT_EQ(GetStrProp(Application, "Hint"), "hint");
  Application->SetTitle(saved);
}
