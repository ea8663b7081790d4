// File names as text: taking them apart and putting them together. Nothing here touches the
// file system except ExpandFileName, which reads the current folder.
//
// The path delimiter is "/"; the folder part of a name includes its trailing delimiter, the
// extension its leading ".". Double-byte characters are never split.
#pragma once

#include <string_view>

#include "System.h"

inline constexpr char PathDelim = '/';

// "/data/a.dbf" -> "a.dbf"
AnsiString ExtractFileName(std::string_view FileName);
// "/data/a.dbf" -> "/data/"
AnsiString ExtractFilePath(std::string_view FileName);
// "/data/a.dbf" -> "/data"; "/a.dbf" -> "/" (a root keeps its delimiter)
AnsiString ExtractFileDir(std::string_view FileName);
// "/data/a.dbf" -> ".dbf"; "" when the name has no "."
AnsiString ExtractFileExt(std::string_view FileName);
// Replaces the extension or, without one, appends Extension ("a.dbf", ".txt" -> "a.txt").
AnsiString ChangeFileExt(std::string_view FileName, std::string_view Extension);
AnsiString IncludeTrailingPathDelimiter(std::string_view S);
// Removes one trailing delimiter; the root "/" stays as it is.
AnsiString ExcludeTrailingPathDelimiter(std::string_view S);
// The full name: relative to the current folder, with "." and ".." resolved as text.
AnsiString ExpandFileName(std::string_view FileName);
