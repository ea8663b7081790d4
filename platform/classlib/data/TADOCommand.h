// TADOCommand: runs one SQL statement against a database, standing in for an ADO command.
//
//   command->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/a.mdb");
//   command->SetCommandText("insert into T([Name],[Price]) values(:PARAM0,:PARAM1)");
//   command->Parameters()->Items(0)->SetDataType(ftWideString);
//   command->Parameters()->Items(1)->SetDataType(ftFloat);
//   command->SetExecuteOptions({TExecuteOption::eoExecuteNoRecords});
//   command->SetPrepared(true);
//   command->Parameters()->Items(0)->SetValue(Variant(u"水表"));
//   command->Parameters()->Items(1)->SetValue(Variant("1,234.5"));   // stored as 1234.5
//   command->Execute();
//
// The command runs through Connection, or, when it has none, through a connection of its own
// made from ConnectionString (without login prompt), connecting either when needed. Setting
// CommandText makes one parameter per ":NAME" in it, in order of appearance, with DataType
// ftUnknown and no value; "::" stands for a colon, and quoted texts ('...', "...", [...]) hold
// no parameters. Execute converts each parameter's value to its DataType (see DbDatabase.h),
// runs the statement and returns the number of records it inserted, changed or deleted; rows
// a statement yields are passed over (ExecuteOptions eoExecuteNoRecords says so, and changes
// nothing). Prepared keeps the statement compiled between runs (preparing at once); changing
// the text or the connection, or closing the connection, drops it.
//
// Published properties: CommandText (""), Connection (none), ConnectionString (""),
// ExecuteOptions ([]), Parameters, Prepared (False).
//
// Errors: EDatabaseError "Missing Connection or ConnectionString" with neither, "The database
// does not run commands: SOURCE" for a source that only reads (dBASE, text, workbook, Access),
// and what the connection and the database raise (a statement refused, a value that does not
// convert, naming the parameter).
#pragma once

#include <memory>
#include <vector>

#include "DbDatabase.h"
#include "TComponent.h"
#include "TParameters.h"

class TADOConnection;

enum class TExecuteOption { eoAsyncExecute, eoAsyncFetch, eoAsyncFetchNonBlocking, eoExecuteNoRecords };
using TExecuteOptions = SetOf<TExecuteOption>;

class TADOCommand : public TComponent {
  DECLARE_CLASS(TADOCommand, TComponent)

  explicit TADOCommand(TComponent* AOwner);
  ~TADOCommand() override;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* Value);
  const AnsiString& ConnectionString() const;
  void SetConnectionString(const AnsiString& Value);
  const AnsiString& CommandText() const { return commandText_; }
  void SetCommandText(const AnsiString& Value);
  TParameters* Parameters() const { return parameters_.get(); }
  void SetParameters(TParameters* Value);
  TExecuteOptions ExecuteOptions() const { return executeOptions_; }
  void SetExecuteOptions(TExecuteOptions Value) { executeOptions_ = Value; }
  bool Prepared() const { return prepared_; }
  void SetPrepared(bool Value);

  int Execute();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  friend class TADOConnection;
  TADOConnection* activeConnection() const;
  std::unique_ptr<TDbStatement> prepare();
  void unprepare();

  TADOConnection* connection_ = nullptr;
  std::unique_ptr<TADOConnection> ownConnection_;
  AnsiString commandText_;
  AnsiString statementText_;  // CommandText with "?" for each parameter
  std::unique_ptr<TParameters> parameters_;
  TExecuteOptions executeOptions_;
  bool prepared_ = false;
  std::unique_ptr<TDbStatement> statement_;
  std::vector<TDbParam> params_;
};
