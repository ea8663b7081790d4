// Internal to the backends: adding a column whose name comes from the data itself.
#pragma once

#include <vector>

#include "DbTypes.h"

// Appends Column; a column without a name, or with the name of an earlier one (without regard
// to case), is called "F" and its position from 1, as the text and workbook drivers name them.
void AddNamedColumn(std::vector<TDbColumn>& Columns, TDbColumn Column);
