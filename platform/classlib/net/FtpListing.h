// FtpListing: reading the directory listings FTP servers send.
//
// A listing is the text of one data transfer: MLSD's machine-readable lines (RFC 3659), or
// LIST's lines for people, which servers write in the form of the Unix "ls -l" or of the DOS
// "dir" command. The text comes from a server and is treated as hostile: any byte may appear,
// lines may be cut or absurdly long, numbers may overflow or name impossible dates. A line that
// does not read as an entry is left out; nothing in the text can make the parser fail.
//
//   auto entries = ParseFtpListing(text, TFtpListFormat::lfList, TFtpToday{2024, 3, 9});
//   for (const TFtpRawEntry& e : entries) use(e.Name, e.Kind, e.Size);
//
// Names are the server's bytes as they came (the caller converts them from the server's
// encoding); they are never empty, and the entries "." and ".." (the folder itself and its
// parent) are left out. What a name may hold otherwise is not checked here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TFtpListFormat { lfMlsd, lfList };
using enum TFtpListFormat;

enum class TFtpEntryKind { fekFile, fekDirectory, fekLink, fekOther };
using enum TFtpEntryKind;

// The date of "today" at the server, for the Unix form's dates within the last year, which
// carry a time instead of the year.
struct TFtpToday {
  int Year = 1970;
  int Month = 1;
  int Day = 1;
};

// One entry of a listing.
struct TFtpRawEntry {
  std::string Name;
  TFtpEntryKind Kind = fekFile;
  std::int64_t Size = -1;  // bytes; -1 when the listing gives none or a number out of range
  // The last change, as listed: MLSD gives it in UTC, LIST in the server's local time.
  bool HasTime = false;
  bool TimeIsUtc = false;
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// A line longer than this is no entry any server writes (a name has at most a few hundred
// bytes); it is left out.
inline constexpr std::size_t FtpMaxListingLine = 8192;

std::vector<TFtpRawEntry> ParseFtpListing(std::string_view Text, TFtpListFormat Format, const TFtpToday& Today);

// One line in each form; false when the line is no entry (or names "." or "..").
bool ParseMlsdLine(std::string_view Line, TFtpRawEntry& Entry);
bool ParseUnixLine(std::string_view Line, const TFtpToday& Today, TFtpRawEntry& Entry);
bool ParseDosLine(std::string_view Line, TFtpRawEntry& Entry);
