// Databases that run statements as well as list and read tables. Of the backends only SQLite
// writes; the connection stand-in (TADOCommand) runs its commands through this interface.
//
// Usage: Prepare a statement once, with "?" for each parameter, then Execute it as often as
// needed with one TDbParam per "?". A parameter's DataType is the type the caller declared for
// it: a text value is converted to that type before it is bound (a number with thousand
// separators in the process's format settings to the number, a date in the process's date
// format to the date ...), so that "1,234" for an integer parameter stores the number 1234.
// An Unassigned or Null value stores NULL.
//
// Errors: EDatabaseError naming the database file and the reason: a statement the database
// refuses, a parameter count that does not match, a value that does not convert to its
// parameter's type.
#pragma once

#include <memory>
#include <vector>

#include "DbTypes.h"

struct TDbParam {
  AnsiString Name;  // for error messages
  TFieldType DataType = ftUnknown;
  Variant Value;
  // A value lent for one run instead of Value: a command passes its parameters' values this
  // way, once per record, rather than copying them.
  const Variant* Lent = nullptr;

  const Variant& CurrentValue() const { return Lent != nullptr ? *Lent : Value; }
};

class TDbStatement {
public:
  virtual ~TDbStatement() = default;
  virtual int ParamCount() const = 0;
  // Runs the statement (any rows it yields are passed over) and returns the number of rows it
  // inserted, changed or deleted.
  virtual int Execute(const std::vector<TDbParam>& Params) = 0;
};

class TDbDatabase : public TDbSource {
public:
  virtual std::unique_ptr<TDbStatement> Prepare(const AnsiString& Sql) = 0;
  // Writes the changes made since the last commit to the file now. The database writes them by
  // itself when it is released, where a failure cannot be reported; here it raises
  // EDatabaseError, and the changes since the last commit are undone.
  virtual void Commit() = 0;
};
