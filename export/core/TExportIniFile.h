// TExportIniFile: the ini file an exporter's settings are saved to and loaded from
// (TDataExport::SaveToIni / LoadFromIni), with the format version of the file.
//
// From version 400 on, wide values (header and footer lines) are stored in UTF-8; below it in
// the ANSI code page. The version is kept in the file (section "DataExport", key "Version"): a
// file that has it is read at that version; a new or empty file is written at
// CurrentExportIniVersion, which is recorded with the first value written; a file that holds
// settings but no version is an older one and keeps its version 0 (ANSI) unless SetVersion
// says otherwise.
//
// Values are stored so that they read back as written: one with blanks or control characters
// at its ends, or enclosed in a pair of quotes, is written in double quotes, which reading
// removes (a blank thousand separator survives). A value holding a line break cannot be stored
// (EIniFileException, as TIniFile).
#pragma once

#include "TIniFile.h"

inline constexpr int CurrentExportIniVersion = 400;
inline constexpr int ExportIniUtf8Version = 400;

class TExportIniFile : public TIniFile {
  DECLARE_CLASS(TExportIniFile, TIniFile)

  explicit TExportIniFile(const AnsiString& FileName);

  int Version() const { return version_; }
  // Takes effect for the following reads and writes and is recorded with the next write.
  void SetVersion(int Value);

  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) override;
  // Wide values encoded by the version rule.
  WideString ReadWideString(const AnsiString& Section, const AnsiString& Ident, const WideString& Default);
  void WriteWideString(const AnsiString& Section, const AnsiString& Ident, const WideString& Value);
  WideString DecodeWide(const AnsiString& Stored) const;
  AnsiString EncodeWide(const WideString& Value) const;

private:
  int version_ = CurrentExportIniVersion;
  bool versionPending_ = false;
};
