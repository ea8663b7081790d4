// TAccessWriter: the writer of the Access exporter. It writes no stream: it talks to the
// database through one command (Command) on a connection of its own, both made with the writer
// and freed with it; the command runs the prepared insert once per row, and Commit writes the
// rows to the file (raising when they cannot be written, where the close at the writer's end
// could only lose them).
//
//   writer->CreateDatabase("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s", "/data/a.mdb");
//   writer->CreateTableIfMissing(connection, "ExportResult", "create table ExportResult (...)");
//   writer->PrepareInsert(format, "/data/a.mdb", {ftWideString, ftFloat}, "insert into ...");
//   writer->SetParam(0, u"水表"); writer->SetParam(1, u"12.5"); writer->Command()->Execute();
//
// "%s" in a format receives the database name as a connection-string value (quoted when it
// holds ";" or quotes, ConnectionStringValue), so any file name reaches the database intact.
//
// CreateDatabase does nothing when the file exists; otherwise the "ADOX.Catalog" object
// creates it, and a failure of its Create is raised as Exception with the catalog's message.
// CreateTableIfMissing lists the tables through a connection of its own and runs Statement
// through a command on that connection unless one of them is TableName (without regard to
// case), committing the new table at once.
// PrepareInsert gives Command the connection, the statement and each parameter's type, and
// prepares it. SetParam: an empty text stores NULL, any other text is the value, converted to
// the parameter's type when the command runs. Errors of the data access layer (a database
// that cannot be opened, a statement refused, a value that does not convert) pass unchanged.
#pragma once

#include <memory>
#include <vector>

#include "DbTypes.h"
#include "TExportWriter.h"

class TADOCommand;
class TADOConnection;

class TAccessWriter : public TExportWriter {
  DECLARE_CLASS(TAccessWriter, TExportWriter)

  TAccessWriter(TDataExport* Owner, TStream* Stream);
  ~TAccessWriter() override;

  TADOCommand* Command() const { return command_.get(); }

  void CreateDatabase(const AnsiString& ProviderFormat, const AnsiString& DatabaseName);
  void CreateTableIfMissing(const AnsiString& ConnectionString, const AnsiString& TableName,
                            const AnsiString& Statement);
  void PrepareInsert(const AnsiString& ConnectionFormat, const AnsiString& DatabaseName,
                     const std::vector<TFieldType>& ParameterTypes, const AnsiString& Statement);
  void SetParam(int Index, const WideString& Text);
  void Commit();

private:
  std::unique_ptr<TADOConnection> connection_;
  std::unique_ptr<TADOCommand> command_;
};

// ConnectionFormat with DatabaseName put in for its "%s".
AnsiString AccessConnectionString(const AnsiString& ConnectionFormat, const AnsiString& DatabaseName);
