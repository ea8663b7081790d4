// Internal to the text reader: what kind of value a cell holds, how the kinds of a column's
// cells combine into its type, and a cell read as a value of a column type.
#pragma once

#include <string_view>

#include "DbTypes.h"

enum class TTextKind { Empty, Integer, Largeint, Float, Date, Time, DateTime, Boolean, Text };

// A quoted cell is text whatever it looks like, so that "007" keeps its zeros.
TTextKind TextCellKind(std::string_view Text, bool Quoted);
// The kind that holds the values of both; Text when nothing else does.
TTextKind MergeTextKinds(TTextKind A, TTextKind B);
// MergeTextKinds(Kind, TextCellKind(Text, Quoted)), parsing no more of the cell than that
// result needs: nothing in a Text column, a float or a moment in such a column.
TTextKind MergeCellKind(TTextKind Kind, std::string_view Text, bool Quoted);
// The field type of a column whose cells are of Kind; Wide for text of a Unicode file, whose
// longest cell has MaxLength characters.
TFieldType TextKindFieldType(TTextKind Kind, bool Wide, std::size_t MaxLength);
// Reads Text as a value of a number, date, time or boolean Type; false when it is none.
bool TextCellValue(std::string_view Text, TFieldType Type, Variant& Value);
