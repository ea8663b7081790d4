// Internal to the SQLite backend: field types from declared column types, values read from a
// row, and parameter values converted to their declared types and bound.
#pragma once

#include <string>
#include <string_view>

#include "DbDatabase.h"
#include "FormatSettings.h"

struct sqlite3_stmt;

// The column a declared type ("nvarchar(30)", "double", "memo" ...) describes; Name is not set.
TDbColumn SqliteDeclaredColumn(std::string_view DeclaredType);
// The value of column Index of the statement's current row, as the field type holds it. A
// value that is no value of that type (text in a number column) is given as it is stored.
Variant SqliteColumnValue(sqlite3_stmt* Stmt, int Index, TFieldType DataType);
// Binds parameter Position (from 1), converted to its DataType with Settings (the process's,
// taken once per run of a statement); raises EDatabaseError naming FileName and the parameter
// for a value that does not convert. A text or date is bound from Text without a copy: Text
// belongs to this position and must stay unchanged until the position is bound again (the
// statement's bindings cleared) or the statement is finalized.
void BindSqliteParam(sqlite3_stmt* Stmt, int Position, const TDbParam& Param, const AnsiString& FileName,
                     const TFormatSettings& Settings, std::string& Text);
