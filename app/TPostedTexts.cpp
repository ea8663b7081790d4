#include "TPostedTexts.h"

#include <limits>

std::intptr_t TPostedTexts::Put(const AnsiString& Text) {
  std::lock_guard guard(lock_);
  // Numbers start again at 1 long after any report still on its way was handled.
  last_ = last_ == std::numeric_limits<std::intptr_t>::max() ? 1 : last_ + 1;
  texts_[last_] = Text;
  return last_;
}

AnsiString TPostedTexts::Take(std::intptr_t Ticket) {
  std::lock_guard guard(lock_);
  const auto it = texts_.find(Ticket);
  if (it == texts_.end()) return {};
  AnsiString text = std::move(it->second);
  texts_.erase(texts_.begin(), std::next(it));
  return text;
}

void TPostedTexts::Clear() {
  std::lock_guard guard(lock_);
  texts_.clear();
}
