// Internal to the backends whose database is a folder of table files: finding a file by name.
#pragma once

#include "System.h"

// The name of the file in Folder (with its trailing delimiter) called Name: Name itself when a
// file has exactly that name, else the first (in name order) whose name differs from it only in
// case, as on the file systems these folders come from; "" when there is none or Name holds a
// wildcard or a path.
AnsiString FindFileNamed(const AnsiString& Folder, const AnsiString& Name);
