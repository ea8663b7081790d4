// dBASE III and IV tables: a database is a folder, its tables are the ".dbf" files in it, and a
// table's memo fields live in the ".dbt" file of the same base name beside it.
//
// Read: version bytes 0x03 and 0x30 (no memo file), 0x83 (dBASE III memo: 512-byte blocks of
// text ended by 0x1A) and 0x8B (dBASE IV memo: blocks of the size the memo header gives, each
// memo prefixed by its length). Fields: C (string, trailing blanks removed), N and F (integer
// for up to 9 digits without decimals, large integer for up to 18, else float; a field
// declared without decimals that holds a fraction is read as floats), D ("yyyymmdd" as a
// date), L (T/Y true, F/N false) and M (the memo's bytes; block 0 or blank reads as Null).
// Blanks are Null in every type, and so are a number of stars (too large for its field) or
// "null", a date of zeros and a logical "?". Text stays in the ANSI code page; a table whose
// language-driver byte names another code page has its text converted. Records marked deleted
// are skipped.
//
// A table is read record by record through a small buffer, never loaded whole (the integer
// fields are read through once when it is opened, for fractions); its memo file is read whole
// at the first memo, and each memo once, however many records point at it. Every header value
// is checked against the file before it is used: a header shorter than 33 bytes, a record
// length of 0 or shorter than its fields, a record count past the end of the file, a field of
// another type than C, N, F, D, L or M (other dialects' binary types), a memo block past the
// end of the memo file, a dBASE III memo without its end mark, or a memo field without a memo
// file raises EDatabaseError naming the file; so does a value its field's type cannot read
// (naming the record and the field).
#pragma once

#include <memory>

#include "DbTypes.h"
#include "TStream.h"

// The ".dbf" files of Folder. Raises EDatabaseError when Folder is no folder. OpenTable takes a
// table's file name with or without ".dbf"; a file of that name in another case only when none
// has it exactly, and so for the memo file (".dbt" in the case of the table's ".dbf").
std::unique_ptr<TDbSource> OpenDbaseSource(const AnsiString& Folder);

// One table read from streams; Memo may be null when the table has no memo file. FileName names
// the table in error messages, MemoFileName the memo file (default: FileName with ".dbt").
std::unique_ptr<TDbCursor> OpenDbaseTable(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo,
                                          const AnsiString& FileName, const AnsiString& MemoFileName = "");
