// TDataExportDatabase: the base of the exporters that write into a database rather than a
// file (the Access exporter). It has no FileName: its writer talks to the database and gets no
// stream.
//
// Execute: the export runs with a writer of WriterClass made without a stream; the writer is
// freed also when the export raises; only after an export that returned does ShowOrPrintFile,
// which does nothing here, run.
//
// Published, in this order: DatabaseName, Captions, AllowCaptions (True), ColumnsLength
// (lines name=length for text columns), Formats, UserFormats.
#pragma once

#include "TDataExport.h"

class TDataExportDatabase : public TDataExport {
  DECLARE_CLASS(TDataExportDatabase, TDataExport)

  explicit TDataExportDatabase(TComponent* AOwner);

  const AnsiString& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const AnsiString& Value) { databaseName_ = Value; }

  void Execute() override;
  // After a completed export: the exporter shows or prints its result.
  virtual void ShowOrPrintFile();

private:
  AnsiString databaseName_;
};
