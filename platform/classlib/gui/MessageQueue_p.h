// Private to the GUI layer; may change without notice.
//
// The table of window handles and the queue of posted messages behind Messages.h.
#pragma once

#include "Messages.h"

class TWinControl;

namespace MessageQueue {
// A new handle for a windowed control; handles are never reused.
HWND Register(TWinControl* control);
// The handle no longer names a window; messages still queued for it are dropped.
void Unregister(HWND handle);
// The control of a handle (main thread), or nullptr.
TWinControl* Find(HWND handle);
// Starts and stops delivery (the GUI's start-up and shut-down); stopping drops what is queued.
void Start();
void Stop();
}  // namespace MessageQueue
