// TDataExportText: the base of the exporters that write one file, FileName.
//
// Execute: the file's folder (the program's own when FileName has none) is created with every
// missing parent, else EDataExportError 34025 "Directory "%s" not found and cannot be
// created"; the export then runs into the file, and ShowOrPrintFile follows. The file is
// written whole or not at all: the export goes into a temporary file beside it, which replaces
// FileName only when the export returned (an export stopped by Abort has returned and keeps
// the rows it wrote). When the export raises, FileName keeps what it held before and no
// temporary file is left; the error reaches the caller. A file that cannot be created raises
// EFCreateError.
//
// ShowOrPrintFile, unless the export was aborted: ShowFile asks the desktop to open
// GetShowFileName with its handler, PrintFile asks it to print GetPrintFileName; the outcome is
// not reported (a type the desktop cannot print is left alone, never sent to a printer as it
// is).
//
// Published, in this order: FileName, ShowFile (False), PrintFile (False). Ini settings
// (section GENERAL): FileName, ShowFile, PrintFile.
#pragma once

#include "TDataExport.h"

class TDataExportText : public TDataExport {
  DECLARE_CLASS(TDataExportText, TDataExport)

  explicit TDataExportText(TComponent* AOwner);

  const AnsiString& FileName() const { return fileName_; }
  void SetFileName(const AnsiString& Value) { fileName_ = Value; }
  bool ShowFile() const { return showFile_; }
  void SetShowFile(bool Value) { showFile_ = Value; }
  bool PrintFile() const { return printFile_; }
  void SetPrintFile(bool Value) { printFile_ = Value; }

  void Execute() override;
  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;

  virtual void ShowOrPrintFile();
  virtual AnsiString GetShowFileName();
  virtual AnsiString GetPrintFileName();

protected:
  // Makes the folder of FileName (the program's own when the name has none) with every missing
  // parent; EDataExportError 34025 when it cannot be made.
  void ForceFileFolder();

private:
  AnsiString fileName_;
  bool showFile_ = false;
  bool printFile_ = false;
};
