// TCustomIniFile: settings in sections of name=value keys, kept in a file.
//
// A descendant stores the strings (TIniFile: the profile-file format on disk); the typed reads
// and writes are built here on ReadString and WriteString:
// - integers are decimal; reading also takes hexadecimal after "$" or "0x";
// - booleans are written as "1" and "0"; reading takes any integer, non-zero being true;
// - floats, dates and times use the user's locale settings, as the date and number routines
//   of the run-time library do.
// A typed read gives Default when the key is missing or its value does not convert; reads
// never raise. Writes raise EIniFileException when the file cannot be written.
#pragma once

#include "Exception.h"
#include "System.h"
#include "TObject.h"

class TStrings;

class TCustomIniFile : public TObject {
  DECLARE_CLASS(TCustomIniFile, TObject)

  explicit TCustomIniFile(const AnsiString& FileName) : fileName_(FileName) {}

  const AnsiString& FileName() const { return fileName_; }

  virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) = 0;
  virtual void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) = 0;
  virtual int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default);
  virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);
  virtual bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default);
  virtual void WriteBool(const AnsiString& Section, const AnsiString& Ident, bool Value);
  virtual double ReadFloat(const AnsiString& Section, const AnsiString& Ident, double Default);
  virtual void WriteFloat(const AnsiString& Section, const AnsiString& Ident, double Value);
  virtual TDateTime ReadDate(const AnsiString& Section, const AnsiString& Ident, TDateTime Default);
  virtual void WriteDate(const AnsiString& Section, const AnsiString& Ident, TDateTime Value);
  virtual TDateTime ReadDateTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Default);
  virtual void WriteDateTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Value);
  virtual TDateTime ReadTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Default);
  virtual void WriteTime(const AnsiString& Section, const AnsiString& Ident, TDateTime Value);

  // The key names of the section, each once, in file order (Strings is cleared first).
  virtual void ReadSection(const AnsiString& Section, TStrings* Strings) = 0;
  // The section names, each once, in file order (Strings is cleared first).
  virtual void ReadSections(TStrings* Strings) = 0;
  // "name=value" for each key of the section, the value as ReadString gives it (Strings is
  // cleared first).
  virtual void ReadSectionValues(const AnsiString& Section, TStrings* Strings) = 0;
  virtual void EraseSection(const AnsiString& Section) = 0;
  virtual void DeleteKey(const AnsiString& Section, const AnsiString& Ident) = 0;
  // Makes sure every write has reached the file.
  virtual void UpdateFile() = 0;

  // True when the section holds at least one key.
  bool SectionExists(const AnsiString& Section);
  // True when the section holds the key (with or without a value); names are matched as
  // ReadString matches them.
  bool ValueExists(const AnsiString& Section, const AnsiString& Ident);

private:
  AnsiString fileName_;
};
