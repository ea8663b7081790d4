#include "TDataExportDatabase.h"

#include "TExportFormats.h"
#include "TStrings.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataExportDatabase, TDataExport,
             Published::String("DatabaseName", &TDataExportDatabase::DatabaseName,
                               &TDataExportDatabase::SetDatabaseName),
             Published::Class("Captions", &TDataExport::Captions, &TDataExport::SetCaptions),
             Published::Boolean("AllowCaptions", &TDataExport::AllowCaptions, &TDataExport::SetAllowCaptions),
             Published::Class("ColumnsLength", &TDataExport::ColumnsLength, &TDataExport::SetColumnsLength),
             Published::Class("Formats", &TDataExport::Formats, &TDataExport::SetFormats),
             Published::Class("UserFormats", &TDataExport::UserFormats, &TDataExport::SetUserFormats))

TDataExportDatabase::TDataExportDatabase(TComponent* AOwner) : TDataExport(AOwner) {}

void TDataExportDatabase::Execute() {
  ExportToStream(nullptr);
  ShowOrPrintFile();
}

void TDataExportDatabase::ShowOrPrintFile() {}
