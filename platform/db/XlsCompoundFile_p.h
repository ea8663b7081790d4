// Internal to the workbook reader: the "Workbook" stream of a compound document.
#pragma once

#include <string>
#include <string_view>

#include "System.h"

// Raises EDatabaseError naming FileName when the file is no compound document, is cut short or
// has no BIFF8 workbook stream.
std::string ReadWorkbookStream(const AnsiString& FileName);
std::string ReadWorkbookStreamFromBytes(std::string_view Bytes, const AnsiString& FileName);
