// Writing a whole file so that it is either replaced completely or left as it was.
//
// The bytes go to a new file beside the target (same folder, so the final step is a rename on
// one file system) and replace the target only once every byte has been written and the file
// has been closed without error. A failure at any step removes the new file and leaves an
// existing target untouched.
#pragma once

#include <cstddef>
#include <string_view>

// Writes Count bytes of Data as the file FileName (ANSI code page), replacing a file of that
// name. An existing target keeps its permission bits; through a symbolic link the file it
// points to is replaced. False, with errno set, when the name is empty or names a folder, the
// target exists but may not be written, the folder does not exist or refuses a new file, or a
// write fails (the disk is full).
bool WriteFileReplacing(std::string_view FileName, const void* Data, std::size_t Count);
