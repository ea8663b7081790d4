// Window messages: handles, message numbers and the calls that deliver messages to controls.
//
// Every windowed control (TWinControl) has a Handle for its whole life; handles are never
// reused within a process, so a stale handle simply names no window.
//
//   PostMessage  may be called from any thread. It queues the message and returns at once;
//                queued messages reach their controls on the main thread, one at a time and in
//                the order they were posted (also while a modal form or message box runs its
//                own loop). A message whose control was freed in the meantime is dropped.
//   SendMessage  delivers at once when called on the main thread; from another thread it waits
//                until the main thread has delivered it.
//
// A control receives a message through Perform -> WndProc -> Dispatch. A class adds handlers
// with a message map in its declaration; messages it does not list go to its parent class:
//
//   class TFormmain : public TForm {
//     ...
//     void WMCommReport(TMessage& Message);
//     BEGIN_MESSAGE_MAP
//       MESSAGE_HANDLER(WM_COMMREPORT, TMessage, WMCommReport)
//     END_MESSAGE_MAP(TForm)
//   };
#pragma once

#include <cstdint>

using UINT = unsigned int;
using WORD = std::uint16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using HWND = struct HWND__*;

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_NCPAINT = 0x0085;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// False when the handle names no window or the GUI has not been started.
bool PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// The handler's Result; 0 when the handle names no window.
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
bool IsWindow(HWND hWnd);
// Suspends painting of one window (and its children) until called with nullptr; one window at
// a time, as the platform allows. False when another window is locked or the handle is stale.
bool LockWindowUpdate(HWND hWndLock);

#define BEGIN_MESSAGE_MAP                      \
 protected:                                    \
  void Dispatch(TMessage& Message) override {  \
    switch (Message.Msg) {
#define MESSAGE_HANDLER(msg, type, method)      \
  case msg:                                    \
    method(static_cast<type&>(Message));       \
    break;
#define END_MESSAGE_MAP(base)                  \
  default:                                     \
    base::Dispatch(Message);                   \
    break;                                     \
    }                                          \
  }                                            \
                                               \
 public:
