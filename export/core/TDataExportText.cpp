#include "TDataExportText.h"

#include "ExportMessages.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "ShellApi.h"
#include "TAtomicFileStream.h"
#include "TExportIniFile.h"
#include "TExportLocale.h"
#include "TypInfo.h"
#include "WinUser.h"

DEFINE_CLASS(TDataExportText, TDataExport,
             Published::String("FileName", &TDataExportText::FileName, &TDataExportText::SetFileName),
             Published::Boolean("ShowFile", &TDataExportText::ShowFile, &TDataExportText::SetShowFile),
             Published::Boolean("PrintFile", &TDataExportText::PrintFile, &TDataExportText::SetPrintFile))

namespace {

constexpr const char* General = "GENERAL";

}  // namespace

TDataExportText::TDataExportText(TComponent* AOwner) : TDataExport(AOwner) {}

void TDataExportText::ForceFileFolder() {
  AnsiString folder = ExtractFileDir(fileName_);
  if (folder.empty()) folder = ExtractFileDir(ProgramFileName());
  if (!DirectoryExists(folder)) {
    ForceDirectories(folder);
    if (!DirectoryExists(folder)) RaiseExportError(SDirectoryNotCreated, {folder});
  }
}

void TDataExportText::Execute() {
  ForceFileFolder();
  {
    TAtomicFileStream file(fileName_);
    ExportToStream(&file);
    file.Commit();
  }
  ShowOrPrintFile();
}

void TDataExportText::ShowOrPrintFile() {
  if (Aborted()) return;
  if (showFile_) ShellExecute(nullptr, "open", GetShowFileName(), "", "", SW_SHOWNORMAL);
  if (printFile_) ShellExecute(nullptr, "print", GetPrintFileName(), "", "", SW_SHOWNORMAL);
}

AnsiString TDataExportText::GetShowFileName() { return fileName_; }

AnsiString TDataExportText::GetPrintFileName() { return fileName_; }

void TDataExportText::SaveToIni(TExportIniFile* IniFile) {
  TDataExport::SaveToIni(IniFile);
  IniFile->WriteString(General, "FileName", fileName_);
  IniFile->WriteBool(General, "ShowFile", showFile_);
  IniFile->WriteBool(General, "PrintFile", printFile_);
}

void TDataExportText::LoadFromIni(TExportIniFile* IniFile) {
  TDataExport::LoadFromIni(IniFile);
  fileName_ = IniFile->ReadString(General, "FileName", fileName_);
  showFile_ = IniFile->ReadBool(General, "ShowFile", showFile_);
  printFile_ = IniFile->ReadBool(General, "PrintFile", printFile_);
}
