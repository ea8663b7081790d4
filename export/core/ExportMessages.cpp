#include "ExportMessages.h"

#include <algorithm>
#include <array>

#include "CodePage.h"
#include "LmLangMgr.h"

namespace {

// The built-in texts are ASCII, the same bytes in every ANSI code page.
TResStringRec sSourceNotAssigned{"Export source (%s) is not assigned"};
TResStringRec sSheetDefineError{"Sheet %s define with error: %s"};
TResStringRec sSourceClosed{"Export source (%s) is closed"};
TResStringRec sSourceEmpty{"Export source (%s) is empty"};
TResStringRec sResultFileNameMissing{"Result file name not present"};
TResStringRec sMSAccessNotInstalled{"You need install and register the MS Access application"};
TResStringRec sDirectoryNotCreated{"Directory \"%s\" not found and cannot be created"};
TResStringRec sAccessDatabaseNotWritten{
    "Database \"%s\" is a Microsoft Access database, which is read but never written here: Access targets are "
    "written as SQLite databases"};
TResStringRec sDatabasePasswordRefused{
    "Database \"%s\" cannot be protected by a password: Access targets are written as SQLite databases, which "
    "have none"};
TResStringRec sExcelRowLimit{"Export is aborted. The number of lines in the Excel sheet cannot exceed 65536."};

const std::array messages{
    TExportMessage{SExportSourceNotAssigned, "EXPORT_SOURCE_NOT_ASSIGNED", &sSourceNotAssigned},
    TExportMessage{SSheetDefineError, "EXPORT_SHEET_DEFINE_ERROR", &sSheetDefineError},
    TExportMessage{SExportSourceClosed, "EXPORT_SOURCE_CLOSED", &sSourceClosed},
    TExportMessage{SExportSourceEmpty, "EXPORT_SOURCE_EMPTY", &sSourceEmpty},
    TExportMessage{SResultFileNameMissing, "EXPORT_RESULT_FILE_NAME_MISSING", &sResultFileNameMissing},
    TExportMessage{SMSAccessNotInstalled, "EXPORT_MS_ACCESS_NOT_INSTALLED", &sMSAccessNotInstalled},
    TExportMessage{SDirectoryNotCreated, "EXPORT_DIRECTORY_NOT_CREATED", &sDirectoryNotCreated},
    TExportMessage{SAccessDatabaseNotWritten, "EXPORT_ACCESS_DATABASE_NOT_WRITTEN", &sAccessDatabaseNotWritten},
    TExportMessage{SDatabasePasswordRefused, "EXPORT_DATABASE_PASSWORD_REFUSED", &sDatabasePasswordRefused},
    TExportMessage{SExcelRowLimit, "EXPORT_EXCEL_ROW_LIMIT", &sExcelRowLimit},
};

}  // namespace

const TExportMessage* ExportMessages() { return messages.data(); }

int ExportMessageCount() { return static_cast<int>(messages.size()); }

const TExportMessage* FindExportMessage(int Id) {
  auto it = std::lower_bound(messages.begin(), messages.end(), Id,
                             [](const TExportMessage& m, int id) { return m.Id < id; });
  return it != messages.end() && it->Id == Id ? &*it : nullptr;
}

void RegisterExportMessages() {
  for (const TExportMessage& m : messages) RegisterTranslatableResourceString(m.Text, AnsiToWide(m.Key));
}

void UnregisterExportMessages() {
  for (const TExportMessage& m : messages) UnregisterTranslatableResourceString(m.Text);
}
