// TIniFile: an ini file on disk, read and written as the Windows profile functions do.
//
// Format. "[Section]" lines open sections, "Key=Value" lines hold values, lines starting with ";"
// are comments. Section and key names are matched without regard to the case of ASCII letters and
// without the blanks around them; where a section or a key appears twice, only the first counts.
// ReadString gives the value without the blanks around it and without one pair of enclosing quotes
// (both " or both '), so '" a "' reads as ' a '. A key line without "=" is listed by ReadSection
// but has no value. The text is taken as bytes in the ANSI code page; a UTF-8 byte-order mark at
// the start of the file is kept and otherwise ignored. Lines may end with CR LF or LF; the last
// one needs no line break.
//
// Reading. A missing or unreadable file, or a folder or device in its place, reads as an empty
// one: every read gives its default and nothing raises. Any other file is taken as text, also one
// that holds binary bytes: a line that happens to look like a section or a key counts, and a write
// keeps every other byte. The object keeps the parsed file and checks the file's identity, size
// and times at every call, parsing it again only when it changed; so two TIniFile objects on one
// file (in this process or not) always see each other's writes.
//
// Writing. Each write reaches the file before it returns, as with the profile functions: the first
// write creates the file and the section; a new key goes after the last line of its section, a
// changed value is replaced in its line, and every other line stays byte for byte as it was
// (comments, blank lines, unknown keys, their order and line breaks). The new text is written to a
// part file beside the old one and renamed over it (FileReplace.h), so that the file always holds
// the old or the new text, never a part of one; the file's permissions are kept, and through a
// symbolic link the file it points to is replaced. Where no part file can be made (a folder the
// user may not write, holding a file he may), the file is rewritten in place. A write that would
// not change the text does not touch the file. UpdateFile, and the destructor, wait until what was written
// has reached the disk, so that a batch of writes costs one flush.
//
// Errors. A write raises EIniFileException "Unable to write to <file>: <reason>" when the file
// cannot be written (or, for a new file, its folder), when an existing file cannot be read
// (rewriting it would lose its contents), and when a name or value cannot be stored in the format:
// an empty name, a section name holding "]" or ending in the first byte of a double-byte character
// (which would take the closing "]" for its second), a key name holding "=" or starting with "["
// or ";", or a line break in any of them. Deleting from a missing file does nothing and creates no
// file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "TCustomIniFile.h"

class TIniDocument;

class TIniFile : public TCustomIniFile {
  DECLARE_CLASS(TIniFile, TCustomIniFile)

  // FileName is 8-bit text in the ANSI code page; a relative name is taken from the current
  // folder. Nothing is read or created yet.
  explicit TIniFile(const AnsiString& FileName);
  ~TIniFile() override;

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) override;
  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
  void ReadSection(const AnsiString& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const AnsiString& Section, TStrings* Strings) override;
  void EraseSection(const AnsiString& Section) override;
  void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
  // Waits until the writes of this object have reached the disk; EIniFileException when the
  // system reports that they could not.
  void UpdateFile() override;

private:
  struct TFileState;
  // Brings the parsed text up to date with the file; the shared lock is held.
  void refresh();
  // Writes the parsed text to the file; the shared lock is held.
  void save();
  // Rewrites the file itself, when no temporary file can be made beside it.
  void saveInPlace(const std::filesystem::path& target);
  // Records the file just written through Fd as the parsed text's.
  void saved(int Fd, const std::filesystem::path& target);
  [[noreturn]] void writeError(const AnsiString& Reason) const;
  void checkName(const AnsiString& Name, bool IsKey) const;

  std::filesystem::path path_;
  std::unique_ptr<TIniDocument> document_;
  std::unique_ptr<TFileState> state_;
};
