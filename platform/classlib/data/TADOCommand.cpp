#include "TADOCommand.h"

#include "ConnectionString_p.h"
#include "DBConsts.h"
#include "DbDatabase.h"
#include "TADOConnection.h"
#include "TypInfo.h"

DEFINE_CLASS(TADOCommand, TComponent,
             Published::String("CommandText", &TADOCommand::CommandText, &TADOCommand::SetCommandText),
             Published::Class("Connection", &TADOCommand::Connection, &TADOCommand::SetConnection),
             Published::String("ConnectionString", &TADOCommand::ConnectionString, &TADOCommand::SetConnectionString),
             Published::Set("ExecuteOptions", {"eoAsyncExecute", "eoAsyncFetch", "eoAsyncFetchNonBlocking",
                                               "eoExecuteNoRecords"},
                            &TADOCommand::ExecuteOptions, &TADOCommand::SetExecuteOptions),
             Published::Class("Parameters", &TADOCommand::Parameters, &TADOCommand::SetParameters),
             Published::Boolean("Prepared", &TADOCommand::Prepared, &TADOCommand::SetPrepared))

namespace {

bool nameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || u >= 0x80;
}

// The statement with "?" for each ":NAME", and the names in order. Quoted texts and names are
// copied as they are; "::" is one colon.
AnsiString parseParameters(const AnsiString& Text, std::vector<AnsiString>& Names) {
  AnsiString statement;
  statement.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size();) {
    const char c = Text[i];
    if (c == '\'' || c == '"' || c == '[' || c == '`') {
      const char close = c == '[' ? ']' : c;
      const std::size_t end = Text.find(close, i + 1);
      const std::size_t stop = end == AnsiString::npos ? Text.size() : end + 1;
      statement.append(Text, i, stop - i);
      i = stop;
    } else if (c == ':' && i + 1 < Text.size() && Text[i + 1] == ':') {
      statement += ':';
      i += 2;
    } else if (c == ':' && i + 1 < Text.size() && nameChar(Text[i + 1])) {
      std::size_t end = i + 1;
      while (end < Text.size() && nameChar(Text[end])) ++end;
      Names.push_back(Text.substr(i + 1, end - i - 1));
      statement += '?';
      i = end;
    } else {
      statement += c;
      ++i;
    }
  }
  return statement;
}

}  // namespace

TADOCommand::TADOCommand(TComponent* AOwner) : TComponent(AOwner), parameters_(std::make_unique<TParameters>()) {}

TADOCommand::~TADOCommand() {
  unprepare();
  SetConnection(nullptr);
  if (ownConnection_ != nullptr) std::erase(ownConnection_->commands_, this);
}

void TADOCommand::SetConnection(TADOConnection* Value) {
  if (Value == connection_) return;
  unprepare();
  if (connection_ != nullptr) {
    std::erase(connection_->commands_, this);
    RemoveFreeNotification(connection_);
  }
  connection_ = Value;
  if (connection_ != nullptr) {
    connection_->commands_.push_back(this);
    FreeNotification(connection_);
  }
}

void TADOCommand::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == connection_) SetConnection(nullptr);
}

const AnsiString& TADOCommand::ConnectionString() const {
  static const AnsiString none;
  return ownConnection_ != nullptr ? ownConnection_->ConnectionString() : none;
}

void TADOCommand::SetConnectionString(const AnsiString& Value) {
  unprepare();
  if (ownConnection_ == nullptr) {
    ownConnection_ = std::make_unique<TADOConnection>(nullptr);
    ownConnection_->SetLoginPrompt(false);
    ownConnection_->commands_.push_back(this);
  }
  ownConnection_->Close();
  ownConnection_->SetConnectionString(Value);
}

void TADOCommand::SetCommandText(const AnsiString& Value) {
  unprepare();
  std::vector<AnsiString> names;
  statementText_ = parseParameters(Value, names);
  commandText_ = Value;
  parameters_->BeginUpdate();
  parameters_->Clear();
  for (const AnsiString& name : names) parameters_->Add()->SetName(name);
  parameters_->EndUpdate();
}

void TADOCommand::SetParameters(TParameters* Value) {
  if (Value != nullptr) parameters_->Assign(Value);
}

TADOConnection* TADOCommand::activeConnection() const {
  if (connection_ != nullptr) return connection_;
  if (ownConnection_ != nullptr && !ownConnection_->ConnectionString().empty()) return ownConnection_.get();
  throw EDatabaseError(Name().empty() ? AnsiString(SMissingConnection) : Name() + ": " + SMissingConnection);
}

std::unique_ptr<TDbStatement> TADOCommand::prepare() {
  TADOConnection* connection = activeConnection();
  auto* database = dynamic_cast<TDbDatabase*>(connection->source());
  if (database == nullptr)
    throw EDatabaseError("The database does not run commands: " +
                         TConnectionString(connection->ConnectionString()).Value("Data Source"));
  return database->Prepare(statementText_);
}

void TADOCommand::unprepare() { statement_.reset(); }

void TADOCommand::SetPrepared(bool Value) {
  if (Value && statement_ == nullptr) statement_ = prepare();
  if (!Value) unprepare();
  prepared_ = Value;
}

int TADOCommand::Execute() {
  std::unique_ptr<TDbStatement> once;
  TDbStatement* statement = statement_.get();
  if (statement == nullptr) {
    once = prepare();
    statement = once.get();
    if (prepared_) {
      statement_ = std::move(once);
    }
  }
  // The values go to the statement through one vector kept between runs, lent rather than
  // copied: a prepared insert runs once per record. The parameters outlive the run.
  const int count = parameters_->Count();
  params_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const TParameter* p = parameters_->Items(i);
    TDbParam& param = params_[static_cast<std::size_t>(i)];
    if (param.Name != p->Name()) param.Name = p->Name();
    param.DataType = p->DataType();
    param.Lent = &p->Value();
  }
  return statement->Execute(params_);
}
