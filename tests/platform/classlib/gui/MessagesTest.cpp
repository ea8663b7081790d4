#include "Messages.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "GuiFixture.h"
#include "TForm.h"
#include "TThread.h"

using namespace TestInput;

namespace {

constexpr UINT WM_REPORT = WM_USER + 100;
constexpr UINT WM_OTHER = WM_USER + 1;

// A form that records the reports it is sent, through a message map.
class TReportForm : public TForm {
  DECLARE_CLASS(TReportForm, TForm)
public:
  using TForm::TForm;
  std::vector<std::pair<WPARAM, LPARAM>> reports;
  std::vector<std::thread::id> threads;
  int others = 0;

  void WMReport(TMessage& Message) {
    reports.emplace_back(Message.WParam, Message.LParam);
    threads.push_back(std::this_thread::get_id());
    Message.Result = static_cast<LRESULT>(Message.WParam) * 2;
  }

  BEGIN_MESSAGE_MAP
    MESSAGE_HANDLER(WM_REPORT, TMessage, WMReport)
  END_MESSAGE_MAP(TForm)

protected:
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == WM_OTHER) ++others;
    TForm::DefaultHandler(Message);
  }
};
DEFINE_CLASS(TReportForm, TForm)

class MessagesTest : public GuiTest {};

}  // namespace

TEST_F(MessagesTest, PostedFromAWorkerArriveOnTheMainThreadInOrder) {
  auto* form = NewForm<TReportForm>(nullptr);
  const HWND handle = form->Handle();
  constexpr int kCount = 500;
  std::thread worker([handle] {
    for (int i = 0; i < kCount; ++i) ASSERT_TRUE(PostMessage(handle, WM_REPORT, static_cast<WPARAM>(i % 5), i));
  });
  worker.join();
  ASSERT_TRUE(WaitUntil([&] { return form->reports.size() == kCount; }));
  for (int i = 0; i < kCount; ++i) {
    EXPECT_EQ(form->reports[static_cast<std::size_t>(i)].second, i);
    EXPECT_EQ(form->threads[static_cast<std::size_t>(i)], std::this_thread::get_id());
  }
  form->Free();
}

TEST_F(MessagesTest, UnlistedMessagesReachTheDefaultHandler) {
  auto* form = NewForm<TReportForm>(nullptr);
  EXPECT_EQ(SendMessage(form->Handle(), WM_OTHER, 0, 0), 0);
  EXPECT_EQ(form->others, 1);
  EXPECT_EQ(SendMessage(form->Handle(), WM_REPORT, 21, 0), 42);
  form->Free();
}

TEST_F(MessagesTest, AMessageToAFreedControlIsDroppedAndItsHandleIsDead) {
  auto* form = NewForm<TReportForm>(nullptr);
  const HWND handle = form->Handle();
  ASSERT_TRUE(PostMessage(handle, WM_REPORT, 1, 1));
  form->Free();
  ProcessFor(20);  // nothing to reach, nothing to crash
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_FALSE(PostMessage(handle, WM_REPORT, 1, 1));
  EXPECT_EQ(SendMessage(handle, WM_REPORT, 1, 1), 0);
  auto* next = NewForm<TReportForm>(nullptr);
  EXPECT_NE(next->Handle(), handle) << "handles are not reused";
  next->Free();
}

TEST_F(MessagesTest, SendMessageFromAWorkerWaitsForTheMainThread) {
  auto* form = NewForm<TReportForm>(nullptr);
  const HWND handle = form->Handle();
  LRESULT result = 0;
  std::thread worker([&] { result = SendMessage(handle, WM_REPORT, 5, 0); });
  ASSERT_TRUE(WaitUntil([&] { return !form->reports.empty(); }));
  worker.join();
  EXPECT_EQ(result, 10);
  EXPECT_EQ(form->threads.at(0), std::this_thread::get_id());
  form->Free();
}

TEST_F(MessagesTest, WorkQueuedForTheMainThreadRunsFromTheEventLoop) {
  bool ran = false;
  std::thread worker([&] { TThread::Queue(nullptr, [&] { ran = true; }); });
  worker.join();
  EXPECT_TRUE(WaitUntil([&] { return ran; }));
}

TEST_F(MessagesTest, WmCloseClosesAForm) {
  auto* form = NewForm<TReportForm>(nullptr);
  form->Show();
  ASSERT_TRUE(PostMessage(form->Handle(), WM_CLOSE, 0, 0));
  EXPECT_TRUE(WaitUntil([&] { return !form->Visible(); }));
  form->Free();
}

TEST_F(MessagesTest, OneWindowAtATimeCanBeLockedFromPainting) {
  auto* a = NewForm<TReportForm>(nullptr);
  auto* b = NewForm<TReportForm>(nullptr);
  EXPECT_TRUE(LockWindowUpdate(a->Handle()));
  EXPECT_FALSE(LockWindowUpdate(b->Handle()));
  EXPECT_TRUE(LockWindowUpdate(nullptr));
  EXPECT_TRUE(LockWindowUpdate(b->Handle()));
  b->Free();
  EXPECT_TRUE(LockWindowUpdate(a->Handle())) << "a freed window's lock goes with it";
  LockWindowUpdate(nullptr);
  a->Free();
}
