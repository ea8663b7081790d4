// The terminal's file system, kept in two folders of the terminal folder: "files" for the files
// and "recycle" for the recycle bin. Each file is stored under its file number (eight digits or
// more), a blank and its name, e.g. "00000012 CBSJ.DBF": the number stays with the file through
// the recycle bin and back, and the folders themselves are the catalogue, so no index can go
// stale. A file's last-write time is the terminal's clock when the file was written.
//
// Names are 8-bit text in the ANSI code page. As on the terminal's DOS-style file system, a name
// matches without regard to the case of its ASCII letters ("CBSJ.DBF" is "cbsj.dbf"), and a file
// keeps the spelling it was stored under. Two files in "files" never share a name, while the
// recycle bin may hold several files of one name. Failures of the underlying folders raise
// EVxError(vxErrStorage).
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "System.h"
#include "TVxPartFile.h"

struct TVxFileEntry {
  std::int32_t Number = 0;
  AnsiString Name;
  std::int64_t Size = 0;
  std::time_t Modified = 0;
  int ModifiedNanoseconds = 0;
  bool Recycled = false;
  std::filesystem::path Path;
};

class TVxFileStore {
public:
  // The longest name the terminal keeps, in bytes.
  static constexpr std::size_t NameMax = 32;

  // Creates the two folders under root when they are missing.
  explicit TVxFileStore(std::filesystem::path root);

  // The files, or the recycle bin, in the order of their numbers.
  std::vector<TVxFileEntry> List(bool recycled) const;
  // The file of that name outside the recycle bin, whatever the case of the name's letters.
  std::optional<TVxFileEntry> Find(const AnsiString& name) const;
  // The file of that number, in or outside the recycle bin.
  std::optional<TVxFileEntry> Find(std::int32_t number) const;
  // The highest number any stored file has, 0 when there is none.
  std::int32_t HighestNumber() const;

  // A new file is first written to a part file beside the folders and then committed under its
  // number and name, replacing the file of that number: a transfer that fails half-way leaves
  // the terminal as it was. Part files left by a crash are removed when the store is opened.
  std::filesystem::path NewPartPath() const;
  void Commit(TVxPartFile& part, std::int32_t number, const AnsiString& name, std::time_t modified);

  void MoveToRecycleBin(const TVxFileEntry& entry);
  void Restore(const TVxFileEntry& entry);
  void Remove(const TVxFileEntry& entry);
  // Removes every file and empties the recycle bin.
  void RemoveAll();

  // Whether the terminal accepts name: 1 to 32 bytes of valid text, no control characters,
  // none of \ / : * ? " < > |, not "." or "..", not ending in a blank or a dot.
  static bool IsValidName(const AnsiString& name);

private:
  std::filesystem::path folder(bool recycled) const;
  std::filesystem::path storedPath(bool recycled, std::int32_t number, const AnsiString& name) const;
  std::filesystem::path root_;
};
