// Access databases (.mdb, .accdb) read through mdbtools' libmdb, read-only. A database is one
// file; its tables are the user tables of its catalog.
//
// Columns are typed as ADO reports Access types: Text -> wide string (Size in characters),
// Memo -> wide memo, Long -> integer (auto-increment when it is an AutoNumber), Integer ->
// small integer, Byte -> word, Single and Double -> float, Currency -> BCD (values as
// Currency), Date/Time -> date-time, Yes/No -> boolean, OLE object -> blob (its bytes), GUID ->
// GUID (text in braces), Binary -> bytes, Decimal -> float. Date-time values are taken from the
// stored double, so dates before 1900 keep their value.
//
// Errors (EDatabaseError naming the file): a file that is missing, shorter than two pages,
// not of a Jet version libmdb knows, or whose catalog libmdb cannot read; an unknown table.
#pragma once

#include <memory>

#include "DbTypes.h"

std::unique_ptr<TDbSource> OpenMdbSource(const AnsiString& FileName);
