// The errors of the Excel workbook layer. Every failure of the record writer, the shared string
// table and the container is an ExlsFileError carrying one of the texts below (formatted with
// the value named in its comment).
#pragma once

#include "Exception.h"

class ExlsFileError : public Exception {
public:
  using Exception::Exception;
};

namespace xlsmsg {
// A record's id, length or data could not be written.
inline constexpr const char* WriteError = "Error writing output file";
// A text longer than an Excel cell holds, while truncation is off.
inline constexpr const char* StringTooLarge = "String too large";
// The workbook file could not be created: %s the file name, then the reason.
inline constexpr const char* CannotCreateFile = "Cannot create file %s";
// A cell beyond the sheet's last column: %d the 0-based column.
inline constexpr const char* ColumnOutOfRange = "Column %d is beyond the last column of an Excel sheet (256 columns)";
// A cell beyond the sheet's last row: %d the 0-based row.
inline constexpr const char* RowOutOfRange = "Row %d is beyond the last row of an Excel sheet (65536 rows)";
}  // namespace xlsmsg
