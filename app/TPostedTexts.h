// TPostedTexts: texts handed from the worker thread to the main thread, each with the report
// that carries it.
//
// A worker may post several reports before the main window gets to the first (nine files
// refused in a row, each with its message box). Every text is therefore kept under a number of
// its own, which its report carries in lParam, and the window takes exactly that text when the
// report arrives:
//
//   worker:  const LPARAM ticket = MessageText.Put(text);  // then post the report with it
//   window:  ShowInfo(MessageText.Take(Message.LParam));
//
// Reports are handled in the order they were posted, so the texts older than the one taken
// belong to reports that never arrived (their window went): taking a text drops them too.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>

#include "System.h"

class TPostedTexts {
public:
  TPostedTexts() = default;
  TPostedTexts(const TPostedTexts&) = delete;
  TPostedTexts& operator=(const TPostedTexts&) = delete;

  // Keeps Text until it is taken; the number its report carries.
  std::intptr_t Put(const AnsiString& Text);
  // The text kept under Ticket, removed with every older one; "" for a number that holds none.
  AnsiString Take(std::intptr_t Ticket);
  void Clear();

private:
  std::mutex lock_;
  std::intptr_t last_ = 0;
  std::map<std::intptr_t, AnsiString> texts_;
};
