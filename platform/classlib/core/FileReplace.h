// Writing a whole file so that it is either replaced completely or left as it was.
//
// The bytes go to a new file beside the target (same folder, so the final step is a rename on
// one file system) and replace the target only once every byte has been written and the file
// has been closed without error. A failure at any step removes the new file and leaves an
// existing target untouched.
//
// The new file - the part file - is named "." + the target's name + "." + process id + "." +
// counter + ".part" and created exclusively, so two writers of one target never write into one
// file. Part files of that naming that a process which no longer runs left beside the target
// (a crash, a power cut) are removed when the next part file for the target is opened; a file
// of the user's that merely looks like one (another owner, a live process, another name) is
// never touched.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

// Writes Count bytes of Data as the file FileName (ANSI code page), replacing a file of that
// name. An existing target keeps its permission bits; through a symbolic link the file it
// points to is replaced. False, with errno set, when the name is empty or names something
// other than a file, the target exists but may not be written, the folder does not exist or
// refuses a new file, or a write fails (the disk is full).
bool WriteFileReplacing(std::string_view FileName, const void* Data, std::size_t Count);

// For writers that stream: opens the part file that is to replace FileName (a path of the
// file system), checking the target as WriteFileReplacing does. Target := the file to rename
// the part file over (the link resolved), Part := the part file. Returns its descriptor, with
// an existing target's permission bits, or -1 with errno set.
int OpenReplacingPart(const std::filesystem::path& FileName, std::filesystem::path& Target,
                      std::filesystem::path& Part);
