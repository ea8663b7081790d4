// Delimited and fixed-length text files: a database is a folder, its tables are the text files
// in it (".txt", ".csv", ".tab", ".asc"; OpenTable also takes any other file of the folder by
// name, and "name#csv" for "name.csv").
//
// How a file is read comes from the connection's defaults (HeaderRow and Format: "Delimited",
// "CSVDelimited", "TabDelimited", "Delimited(x)", "Fixed"/"FixedLength") and from the file's
// section in "Schema.ini" in the folder, which wins: Format, ColNameHeader, TextDelimiter (a
// character or "none"), CharacterSet (ANSI, OEM, UNICODE, UTF-8 or a code page number) and
// Col1=Name Type Width n entries (names, types and, for fixed-length files, widths). A
// byte-order mark decides the encoding, and a delimited file whose first line holds tabs but no
// delimiter (outside quoted cells) is read as tab-delimited. A file (and "Schema.ini") is the
// one of that name, or one whose name differs only in case when none has it exactly.
//
// The first row names the columns when there is a header; nameless or repeated names become
// F1, F2, ... by position. Quoted cells may hold the delimiter, line breaks and doubled quotes.
// Column types not given by Schema.ini are guessed from every row (integer, large integer,
// float, date, time, date-time, boolean "true"/"false", or text): a later cell that does not fit
// widens the type instead of being lost, and a quoted cell counts as text. Empty cells read as
// Null. Text in the ANSI code page is a string column, text in another encoding a wide string
// column; text longer than 255 characters a memo.
//
// Errors (EDatabaseError naming the file): a quoted field not closed, a row of more than 255
// columns, a Schema.ini entry that cannot be used, a cell that does not hold the type its
// Schema.ini entry declares.
#pragma once

#include <memory>

#include "DbTypes.h"

std::unique_ptr<TDbSource> OpenTextSource(const AnsiString& Folder, bool HeaderRow = true,
                                          const AnsiString& Format = "Delimited");
