// File names between the class library and the file system.
//
// The class library handles file names as AnsiString in the ANSI code page, as the program and
// its settings carry them; the file system names files in UTF-8. Every class-library unit that
// calls the file system converts through these two routines, and only there.
#pragma once

#include <filesystem>
#include <string_view>

#include "System.h"

std::filesystem::path ToSysPath(std::string_view FileName);
AnsiString FromSysPath(const std::filesystem::path& Path);
