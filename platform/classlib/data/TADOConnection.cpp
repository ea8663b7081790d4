#include "TADOConnection.h"

#include "ConnectionString_p.h"
#include "DbBackend_p.h"
#include "TADOCommand.h"
#include "TADOTable.h"
#include "TStrings.h"
#include "TypInfo.h"

DEFINE_CLASS(TADOConnection, TComponent,
             Published::String("ConnectionString", &TADOConnection::ConnectionString,
                               &TADOConnection::SetConnectionString),
             Published::Boolean("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected),
             Published::Boolean("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt),
             Published::Event("OnLogin", &TADOConnection::OnLogin))

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

TADOConnection::~TADOConnection() {
  disconnect();
  while (!tables_.empty()) tables_.back()->SetConnection(nullptr);
  while (!commands_.empty()) commands_.back()->SetConnection(nullptr);
}

void TADOConnection::SetConnectionString(const AnsiString& Value) {
  if (Value == connectionString_) return;
  if (Connected()) throw EDatabaseError("Operation is not allowed when the object is open.");
  connectionString_ = Value;
}

void TADOConnection::SetConnected(bool Value) {
  if (Value == Connected()) return;
  if (Value) {
    connect();
  } else {
    disconnect();
  }
}

void TADOConnection::connect() {
  TConnectionString params(connectionString_);
  CheckDbProvider(params);
  if (loginPrompt_ && OnLogin) {
    // The names the handler gives are those the connection would log in with; the files read
    // here carry no users, so they are asked for and not checked.
    AnsiString user = params.Value("User ID"), password = params.Value("Password");
    OnLogin(this, user, password);
  }
  source_ = OpenDbBackend(params);
}

void TADOConnection::disconnect() {
  if (!Connected()) return;
  // Tables read through the source; they close before it goes.
  std::vector<TADOTable*> tables = tables_;
  for (TADOTable* table : tables) table->Close();
  for (TADOCommand* command : commands_) command->unprepare();
  source_.reset();
}

TDbSource* TADOConnection::source() {
  if (!Connected()) connect();
  return source_.get();
}

void TADOConnection::CommitTrans() {
  if (auto* database = dynamic_cast<TDbDatabase*>(source_.get())) database->Commit();
}

void TADOConnection::GetTableNames(TStrings* List, bool) {
  // The sources list no system tables of their own, so SystemTables changes nothing.
  std::vector<AnsiString> names = source()->TableNames();
  List->BeginUpdate();
  try {
    List->Clear();
    for (const AnsiString& name : names) List->Add(name);
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}
