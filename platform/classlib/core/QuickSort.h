// The quicksort of the run-time library's lists, shared by every list that sorts by index
// (TList, TStringList, the language manager's wide string list).
//
// The lists sort by index: Compare(I, J) compares two
// entries, Exchange(I, J) swaps them. The pivot is followed when an exchange moves it, so the
// order of equal entries comes out as callers of these lists have always seen it (the sort is
// not stable).
#pragma once

namespace quicksort {

template <class Compare, class Exchange>
void SortRange(int L, int R, Compare&& compare, Exchange&& exchange) {
  while (L < R) {
    int I = L, J = R, P = (L + R) / 2;
    do {
      // The bounds only matter for a comparison that contradicts itself; they keep a faulty
      // custom comparison from walking off the list.
      while (I < R && compare(I, P) < 0) ++I;
      while (J > L && compare(J, P) > 0) --J;
      if (I <= J) {
        if (I != J) exchange(I, J);
        if (P == I)
          P = J;
        else if (P == J)
          P = I;
        ++I;
        --J;
      }
    } while (I <= J);
    // Recurse into the smaller part and loop over the larger one, so the stack stays shallow
    // even for inputs that split badly.
    if (J - L < R - I) {
      if (L < J) SortRange(L, J, compare, exchange);
      L = I;
    } else {
      if (I < R) SortRange(I, R, compare, exchange);
      R = J;
    }
  }
}

}  // namespace quicksort
