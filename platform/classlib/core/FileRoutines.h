// Files and folders by name. Names are AnsiString in the ANSI code page and are converted to
// the file system's encoding here. The routines that answer true/false report failure that
// way (the reason is in errno); none of them raises, except ForceDirectories for an empty name.
#pragma once

#include <cstdint>
#include <string_view>

#include "System.h"

// True for an existing file that is not a folder (links are followed).
bool FileExists(std::string_view FileName);
bool DirectoryExists(std::string_view Directory);
// Deletes a file (not a folder).
bool DeleteFile(std::string_view FileName);
// Renames or moves a file or folder; never replaces an existing NewName.
bool RenameFile(std::string_view OldName, std::string_view NewName);
bool CreateDir(std::string_view Dir);
// Creates Dir and every missing folder above it; true when Dir exists afterwards. Raises
// EInOutError "Unable to create directory" for an empty name.
bool ForceDirectories(std::string_view Dir);
// Removes an empty folder.
bool RemoveDir(std::string_view Dir);
AnsiString GetCurrentDir();
// The full name of the running program's file.
AnsiString ProgramFileName();
bool SetCurrentDir(std::string_view Dir);

// Syncs a file's data and its name in its folder to the disk (see SyncFileAndFolder), so that a
// power cut afterwards loses neither; false, with errno set, when the system could not.
bool FlushFileToDisk(std::string_view FileName);

// Size in bytes of an existing file, -1 when there is none; the file is not opened.
std::int64_t FileSizeByName(std::string_view FileName);
// Last-write time of an existing file (not a folder), as local time; false when there is none.
bool FileAge(std::string_view FileName, TDateTime& FileDateTime);
// The same as an MS-DOS file date (see DateTimeToFileDate), -1 when there is no such file.
std::int32_t FileAge(std::string_view FileName);
