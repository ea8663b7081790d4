#include "Messages.h"

#include <deque>
#include <future>
#include <mutex>
#include <unordered_map>

#include <QCoreApplication>
#include <QThread>

#include "MessageQueue_p.h"
#include "TWinControl.h"
#include "TWinControl_p.h"

namespace {

struct Posted {
  HWND handle;
  TMessage message;
};

// Handles and queued messages, shared by every thread that posts. The mutex guards all fields.
struct State {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, TWinControl*> windows;
  std::uintptr_t lastHandle = 0x10000;
  std::deque<Posted> queue;
  bool wakePending = false;  // a delivery call is on its way to the main thread
  bool running = false;      // the GUI has started; messages can be delivered
};

State& state() {
  static State s;
  return s;
}

HWND lockedWindow = nullptr;  // main thread only

std::uintptr_t key(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

bool onMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && app->thread() == QThread::currentThread();
}

void deliverOne();

// Asks the main thread to deliver the next queued message; called with the mutex held.
void wake(State& s) {
  s.wakePending = true;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [] { deliverOne(); }, Qt::QueuedConnection);
}

// Delivers one message and, when more are queued, asks for the next delivery, so that a
// modal loop started by a handler keeps delivering the ones behind it, in order.
void deliverOne() {
  State& s = state();
  Posted p{};
  {
    std::lock_guard lock(s.mutex);
    s.wakePending = false;
    if (s.queue.empty()) return;
    p = s.queue.front();
    s.queue.pop_front();
    if (!s.queue.empty() && s.running) wake(s);
  }
  TWinControl* control = MessageQueue::Find(p.handle);
  if (control == nullptr) return;
  try {
    control->Perform(p.message.Msg, p.message.WParam, p.message.LParam);
  } catch (...) {
    HandleEventException(control, std::current_exception());
  }
}

}  // namespace

HWND MessageQueue::Register(TWinControl* control) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.lastHandle += 4;
  s.windows[s.lastHandle] = control;
  return reinterpret_cast<HWND>(s.lastHandle);
}

void MessageQueue::Unregister(HWND handle) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.windows.erase(key(handle));
  if (lockedWindow == handle) lockedWindow = nullptr;
}

TWinControl* MessageQueue::Find(HWND handle) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  auto it = s.windows.find(key(handle));
  return it == s.windows.end() ? nullptr : it->second;
}

void MessageQueue::Start() {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.running = true;
  if (!s.queue.empty() && !s.wakePending) wake(s);
}

void MessageQueue::Stop() {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.running = false;
  s.wakePending = false;
  s.queue.clear();
}

bool PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  if (!s.running || s.windows.find(key(hWnd)) == s.windows.end()) return false;
  s.queue.push_back(Posted{hWnd, TMessage{Msg, wParam, lParam, 0}});
  if (!s.wakePending) wake(s);
  return true;
}

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (onMainThread() || QCoreApplication::instance() == nullptr) {
    TWinControl* control = MessageQueue::Find(hWnd);
    return control == nullptr ? 0 : control->Perform(Msg, wParam, lParam);
  }
  {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (!s.running || s.windows.find(key(hWnd)) == s.windows.end()) return 0;
  }
  // Another thread: the main thread runs the handler while this one waits. An exception of the
  // handler is reported there and the result is 0.
  LRESULT result = 0;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        TWinControl* control = MessageQueue::Find(hWnd);
        if (control == nullptr) return;
        try {
          result = control->Perform(Msg, wParam, lParam);
        } catch (...) {
          HandleEventException(control, std::current_exception());
        }
      },
      Qt::BlockingQueuedConnection);
  return result;
}

bool IsWindow(HWND hWnd) { return hWnd != nullptr && MessageQueue::Find(hWnd) != nullptr; }

bool LockWindowUpdate(HWND hWndLock) {
  if (hWndLock == nullptr) {
    if (TWinControl* c = MessageQueue::Find(lockedWindow)) {
      if (QWidget* w = c->ControlPrivate()->widget) {
        w->setUpdatesEnabled(true);
        w->update();
      }
    }
    lockedWindow = nullptr;
    return true;
  }
  if (lockedWindow != nullptr && lockedWindow != hWndLock && MessageQueue::Find(lockedWindow) != nullptr) return false;
  TWinControl* c = MessageQueue::Find(hWndLock);
  if (c == nullptr) return false;
  if (QWidget* w = c->ControlPrivate()->widget) w->setUpdatesEnabled(false);
  lockedWindow = hWndLock;
  return true;
}
