// uFileTexts: the texts the file lists show for a file, and the checks on file names that the
// PC side makes before it touches a file.
#pragma once

#include <cstdint>

#include "System.h"
#include "VxComm.h"

// A file size as the PC list shows it: the bytes below 1 KiB ("1023"), whole KiB rounded up
// below 1 MiB ("2K" for 1025 bytes), else whole MiB rounded up ("5120M" for 5 GiB).
AnsiString FileSizeText(std::int64_t Size);

// "yy-mm-dd hh:nn", every number at least two digits (the year is taken modulo 100).
AnsiString FileDateText(int Year, int Month, int Day, int Hour, int Minute);

// The type column of the PC list: "手持机程序" for the terminal's program images (.rom, .ram,
// and any extension these begin with), else the desktop's name for the type judged by the
// name's extension (at most 79 characters), else INFO_UNKOWN_TYPE.
AnsiString PcFileTypeText(const AnsiString& FileName);

// The name in a record of the terminal's lists: up to its first NUL, at most 32 characters.
AnsiString CommRecordName(const TCommFileRecord& Record);
// The record's date as FileDateText shows it.
AnsiString CommRecordDate(const TCommFileRecord& Record);

// True for a name that stays inside the folder it is joined to: not empty, no path delimiter,
// not "." or "..".
bool IsPlainFileName(const AnsiString& Name);

// The folder a text typed as a PC folder names: the system drive written the Windows way
// ("C:", "c:\..." or "C:/...") is the root of the file system here; any other text is taken as
// it is.
AnsiString PcFolderOfText(const AnsiString& Text);
