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
//
// The class library's other whole-file writers (TAtomicFileStream, TIniFile, the compound
// document writer) make and finish their part files through OpenReplacingPart and
// CommitReplacingPart, so all of them replace files this one way.
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
// the part file over (the link resolved), Part := the part file. Returns its descriptor, open
// for reading and writing, with an existing target's permission bits, or -1 with errno set
// (Target is set by then unless FileName is empty).
int OpenReplacingPart(const std::filesystem::path& FileName, std::filesystem::path& Target,
                      std::filesystem::path& Part);

// Ends the write of a part file that OpenReplacingPart opened: closes Fd and renames Part over
// Target. False, with errno set, when the close reports a delayed write error (a full disk on
// a network file system shows only there) or the rename fails; Part is then removed and
// Target stays as it was.
bool CommitReplacingPart(int Fd, const std::filesystem::path& Part, const std::filesystem::path& Target);

// Gives up the part file: closes Fd and removes Part, leaving errno as it was. Nothing for a
// descriptor of -1 (none opened, or already committed or given up).
void DiscardReplacingPart(int Fd, const std::filesystem::path& Part);
