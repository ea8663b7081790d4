// A whole file's bytes in and out, as string lists and ini files load and save them.
#pragma once

#include <string_view>

#include "System.h"

// The file's bytes as they are. Raises EFOpenError "Cannot open file "name". reason" when the
// file cannot be opened and EReadError when reading fails.
AnsiString ReadFileBytes(std::string_view FileName);
// Creates or truncates the file and writes Data. Raises EFCreateError "Cannot create file
// "name". reason" when the file cannot be created and EWriteError when not all of Data could
// be written (a full disk).
void WriteFileBytes(std::string_view FileName, std::string_view Data);
