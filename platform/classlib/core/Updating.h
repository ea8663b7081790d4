// Updating: runs a piece of work inside a BeginUpdate/EndUpdate bracket of a list (a TStrings,
// a TCollection or anything else with that pair), so that the list tells of the change once.
//
// The bracket is closed also when the work raises. It is not a destructor: closing the bracket
// runs change handlers, which may raise themselves, and that exception must reach the caller.
#pragma once

#include <utility>

template <class List, class Work>
void Updating(List& list, Work&& work) {
  list.BeginUpdate();
  try {
    std::forward<Work>(work)();
  } catch (...) {
    list.EndUpdate();
    throw;
  }
  list.EndUpdate();
}
