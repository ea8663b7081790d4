// SQLite 3 databases, read and written through SQLite's C API. Access databases are written as
// SQLite databases on this platform, so a ".mdb" target of the export is such a file; it is read
// back like any database.
//
// Tables: TableNames lists the tables (not SQLite's own), ordered by name without regard to
// case. A table's columns take their field types from their declared types, as Access names
// them: integer/int/long 32-bit integer, counter/autoincrement counter, smallint/short small
// integer, byte/tinyint word, bigint large integer, double/float/single/real float,
// currency/money/decimal/numeric BCD (19 digits, 4 decimals), datetime/timestamp date-time,
// date date, time time, logical/bit/yesno/boolean boolean, nvarchar(n)/varchar(n)/char(n)/
// text(n) wide string of n characters (255 without n), memo/longtext/text/ntext wide memo,
// blob/longbinary/image/oleobject/binary blob, guid/uniqueidentifier GUID; any other declared
// type by SQLite's own rules (INT integer, CHAR/CLOB/TEXT wide memo, REAL/FLOA/DOUB float,
// none or BLOB blob, else float). Dates are kept as ISO 8601 text ("2024-02-29 13:45:30");
// a REAL in a date column is read as a Julian day.
//
// Writing: every statement that changes the database runs inside one transaction per
// connection, begun by the first such statement and committed when the database object (and
// every statement and cursor made from it) is released; a failed statement leaves the rows
// written before it in place. Text is stored as UTF-8, names included (AnsiString names are in
// the ANSI code page).
//
// Errors: EDatabaseError naming the file: not a database, cannot be opened or created, a
// statement refused, a table that does not exist.
#pragma once

#include <memory>
#include <string_view>

#include "DbDatabase.h"

// An existing database file.
std::unique_ptr<TDbDatabase> OpenSqliteDatabase(const AnsiString& FileName);
// Creates an empty database file; raises EDatabaseError when the file exists already.
void CreateSqliteDatabase(const AnsiString& FileName);
// True when the bytes start as a SQLite 3 database file does.
bool IsSqliteHeader(std::string_view FirstBytes);
