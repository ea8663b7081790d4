// Internal to the data access layer: the "key=value;..." connection strings of the connection
// stand-in, read as OLE DB reads them.
//
// Pairs are separated by ";"; a key is compared without regard to case and blanks around keys
// and values are dropped; a value in double or single quotes may hold ";" and "=", a doubled
// quote standing for one; a later pair replaces an earlier one of the same key. A part without
// "=" is a key with an empty value ("text" in Extended Properties="text;HDR=Yes").
#pragma once

#include <utility>
#include <vector>

#include "System.h"

class TConnectionString {
public:
  // Raises EDatabaseError for a quote that is not closed or text after a closing quote.
  explicit TConnectionString(std::string_view Text);

  // The value of Key, "" when there is none.
  AnsiString Value(std::string_view Key) const;
  bool Has(std::string_view Key) const;
  // The first part's key when it has no value ("dBASE IV", "text", "Excel 8.0").
  AnsiString Kind() const;

private:
  std::vector<std::pair<AnsiString, AnsiString>> pairs_;
  AnsiString kind_;
};
