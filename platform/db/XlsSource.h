// Excel 97-2003 workbooks (BIFF8 in a compound document): a database is one workbook file, its
// tables are its worksheets (TableNames in workbook order; OpenTable also takes Jet's "Name$"
// and "[Name$]").
//
// The first row of a sheet's used range names the columns (nameless or repeated names become
// F1, F2, ... by position); the columns span the used range. Cells are read from NUMBER, RK,
// MULRK, LABELSST (the shared-string table, continued over CONTINUE records), LABEL, RSTRING,
// BOOLERR and FORMULA records, formulas by their cached result (text in the STRING record after
// them); blank cells and error values read as Null. A number whose cell format shows a date or
// time is a date, time or date-time by that format, in the workbook's 1900 or 1904 date system.
// Column types are guessed from every row: integer (whole numbers that fit 32 bits), float,
// date, time, date-time, boolean, or wide text (memo past 255 characters), numbers and dates of
// a text column being given as text.
//
// Errors (EDatabaseError naming the file): not a compound document, or one cut short; no
// "Workbook" stream (Excel 5 files included); an encrypted workbook; a record that runs past its
// stream; a shared-string table that does not hold what it says; a cell that names a shared
// string past the table. The workbook stream is read whole (it cannot be larger than the
// file); sheets are read one at a time.
#pragma once

#include <memory>
#include <string_view>

#include "DbTypes.h"

std::unique_ptr<TDbSource> OpenXlsSource(const AnsiString& FileName);

// A workbook from the bytes of a compound document or, when they are none, of a bare BIFF8
// workbook stream. FileName names it in errors.
std::unique_ptr<TDbSource> OpenXlsBytes(std::string_view Bytes, const AnsiString& FileName);
