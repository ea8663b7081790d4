#include "TAccessWriter.h"

#include "ComObj.h"
#include "FileRoutines.h"
#include "Format.h"
#include "StringRoutines.h"
#include "TADOCommand.h"
#include "TADOConnection.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TAccessWriter, TExportWriter)

AnsiString AccessConnectionString(const AnsiString& ConnectionFormat, const AnsiString& DatabaseName) {
  return Format(ConnectionFormat, {ConnectionStringValue(DatabaseName)});
}

TAccessWriter::TAccessWriter(TDataExport* Owner, TStream* Stream)
    : TExportWriter(Owner, Stream),
      connection_(std::make_unique<TADOConnection>(nullptr)),
      command_(std::make_unique<TADOCommand>(nullptr)) {
  connection_->SetLoginPrompt(false);
  command_->SetConnection(connection_.get());
}

TAccessWriter::~TAccessWriter() = default;

void TAccessWriter::CreateDatabase(const AnsiString& ProviderFormat, const AnsiString& DatabaseName) {
  if (FileExists(DatabaseName)) return;
  std::unique_ptr<TAutomationObject> catalog = CreateOleObject("ADOX.Catalog");
  try {
    catalog->Invoke("Create", {Variant(AccessConnectionString(ProviderFormat, DatabaseName))});
  } catch (const EOleException& e) {
    throw Exception(e.Message());
  }
}

void TAccessWriter::CreateTableIfMissing(const AnsiString& ConnectionString, const AnsiString& TableName,
                                         const AnsiString& Statement) {
  TADOConnection connection(nullptr);
  connection.SetConnectionString(ConnectionString);
  connection.SetLoginPrompt(false);
  connection.Open();
  TStringList names;
  connection.GetTableNames(&names);
  for (int i = 0; i < names.Count(); ++i)
    if (SameText(names.Strings(i), TableName)) return;
  TADOCommand command(nullptr);
  command.SetConnection(&connection);
  command.SetCommandText(Statement);
  command.Execute();
  connection.CommitTrans();
}

void TAccessWriter::PrepareInsert(const AnsiString& ConnectionFormat, const AnsiString& DatabaseName,
                                  const std::vector<TFieldType>& ParameterTypes, const AnsiString& Statement) {
  command_->SetConnection(nullptr);
  connection_->Close();
  connection_->SetConnectionString(AccessConnectionString(ConnectionFormat, DatabaseName));
  command_->SetConnection(connection_.get());
  command_->SetCommandText(Statement);
  TParameters* parameters = command_->Parameters();
  for (int i = 0; i < parameters->Count() && i < static_cast<int>(ParameterTypes.size()); ++i)
    parameters->Items(i)->SetDataType(ParameterTypes[static_cast<std::size_t>(i)]);
  command_->SetExecuteOptions({TExecuteOption::eoExecuteNoRecords});
  command_->SetPrepared(true);
}

void TAccessWriter::Commit() { connection_->CommitTrans(); }

void TAccessWriter::SetParam(int Index, const WideString& Text) {
  TParameter* parameter = command_->Parameters()->Items(Index);
  if (Text.empty())
    parameter->SetValue(Variant());
  else
    parameter->SetValue(Variant(Text));
}
