// Whole reads and writes through a file descriptor of the file system, and syncing a file to
// the disk.
//
// A read or write of a file may move fewer bytes than asked or be interrupted by a signal;
// these go on until every byte has moved, the file ends or the system reports an error.
#pragma once

#include <cstddef>
#include <filesystem>

// Reads up to Count bytes into Data; the number read, fewer only at the end of the file or on
// an error (errno set).
std::size_t ReadDescriptor(int Fd, void* Data, std::size_t Count);

// Writes Count bytes of Data; the number written, fewer only on an error (errno set; ENOSPC
// when the file takes no more).
std::size_t WriteDescriptor(int Fd, const void* Data, std::size_t Count);

// Syncs File's data, then its folder (which holds the file's name), to the disk, so that a
// power cut afterwards loses neither the bytes nor the name. False, with errno set, when either
// cannot be opened or synced.
bool SyncFileAndFolder(const std::filesystem::path& File);
