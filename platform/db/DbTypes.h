// What a database backend hands to the data access classes: the field types, one column's
// description, the error class, and the two interfaces every backend implements (a table
// source that lists its tables and opens a forward cursor over one of them).
//
// Usage: the connection stand-in (TADOConnection) picks a backend for its connection string
// and file, asks it for TableNames(), and a table or query opens a TDbCursor whose Columns()
// describe the fields and whose Next() fills one record at a time, so a table is never held
// whole. Values arrive as Variants: Null for a null field, integers as int32/int64, floats as
// double, currency as Currency, dates and times as TDateTime, booleans as bool, 8-bit text in
// the ANSI code page as AnsiString, 16-bit text as WideString, memo and blob bytes as an
// AnsiString holding the raw bytes.
//
// Errors: every backend raises EDatabaseError with the file name and the reason; a hostile
// file never causes a read outside it or an unbounded allocation.
#pragma once

#include <memory>
#include <vector>

#include "Exception.h"
#include "Variant.h"

// The field types of the data access layer, in the class library's order.
enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
  ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
  ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
  ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant,
  ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd, ftFixedWideChar, ftWideMemo
};

// A data access failure: a file that cannot be read or parsed, a missing field or table, a
// statement the backend refuses.
class EDatabaseError : public Exception {
public:
  using Exception::Exception;
};

// One column of a table as its backend describes it.
struct TDbColumn {
  AnsiString Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;       // characters of a string field, bytes of a fixed binary field, else 0
  int Precision = 0;  // total digits of a numeric field where the backend knows it
  int Scale = 0;      // digits after the decimal point of a numeric field
  bool Required = false;
};

// A forward cursor over one table.
class TDbCursor {
public:
  virtual ~TDbCursor() = default;
  virtual const std::vector<TDbColumn>& Columns() const = 0;
  // Fills Row with one value per column and returns true, or returns false after the last
  // record. Row's storage is reused between calls.
  virtual bool Next(std::vector<Variant>& Row) = 0;
  // Starts again before the first record.
  virtual void Rewind() = 0;
  // The number of records when the backend knows it without reading them, else -1.
  virtual long long RecordCountHint() const { return -1; }
};

// One opened database file (or folder of table files) of one kind.
class TDbSource {
public:
  virtual ~TDbSource() = default;
  virtual std::vector<AnsiString> TableNames() = 0;
  // Raises EDatabaseError when no table has that name.
  virtual std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) = 0;
};
