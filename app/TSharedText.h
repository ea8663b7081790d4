// TSharedText: a text handed from the worker thread to the main thread.
//
// The worker writes it just before posting a report; the main window reads it when the report
// arrives. Each write replaces the previous text, so a reader sees the text current when it
// reads, which can already be a later report's. Reads and writes are whole (guarded), so a
// reader never sees a text half written.
#pragma once

#include <mutex>

#include "System.h"

class TSharedText {
public:
  TSharedText() = default;
  TSharedText(const TSharedText&) = delete;
  TSharedText& operator=(const TSharedText&) = delete;

  AnsiString Get() const {
    std::lock_guard guard(lock_);
    return text_;
  }
  void Set(const AnsiString& Text) {
    std::lock_guard guard(lock_);
    text_ = Text;
  }
  void Clear() { Set(AnsiString()); }

private:
  mutable std::mutex lock_;
  AnsiString text_;
};
