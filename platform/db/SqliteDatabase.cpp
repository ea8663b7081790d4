#include "SqliteDatabase.h"

#include <string>
#include <vector>

#include <sqlite3.h>

#include "CodePage.h"
#include "DbError.h"
#include "IntegerText.h"
#include "SqliteConnection_p.h"
#include "SqliteCursor_p.h"
#include "SqliteValues_p.h"

namespace {

class TSqliteStatement : public TDbStatement {
public:
  TSqliteStatement(std::shared_ptr<TSqliteConnection> Connection, const AnsiString& Sql)
      : connection_(std::move(Connection)), stmt_(connection_->Prepare(AnsiToUtf8(Sql))) {
    texts_.resize(static_cast<std::size_t>(ParamCount()));
  }

  int ParamCount() const override { return sqlite3_bind_parameter_count(stmt_.get()); }

  int Execute(const std::vector<TDbParam>& Params) override {
    sqlite3_stmt* stmt = stmt_.get();
    if (static_cast<int>(Params.size()) != ParamCount())
      RaiseDbError(connection_->FileName(), "the statement takes " + IntToStr(ParamCount()) + " parameters, not " +
                                                IntToStr(static_cast<std::int64_t>(Params.size())));
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    const std::shared_ptr<const TFormatSettings> settings = FormatSettingsSnapshot();
    for (std::size_t i = 0; i < Params.size(); ++i)
      BindSqliteParam(stmt, static_cast<int>(i + 1), Params[i], connection_->FileName(), *settings, texts_[i]);
    if (!sqlite3_stmt_readonly(stmt)) connection_->BeginWrite();
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
      sqlite3_reset(stmt);
      connection_->Fail("the statement failed");
    }
    sqlite3_reset(stmt);
    return sqlite3_stmt_readonly(stmt) ? 0 : sqlite3_changes(connection_->Handle());
  }

private:
  std::shared_ptr<TSqliteConnection> connection_;
  // The texts bound to the statement, one per parameter: SQLite reads them where they are, so
  // they are declared before the statement and outlive it.
  std::vector<std::string> texts_;
  TSqliteStmt stmt_;
};

class TSqliteDatabase : public TDbDatabase {
public:
  explicit TSqliteDatabase(const AnsiString& FileName)
      : connection_(std::make_shared<TSqliteConnection>(FileName, false)) {}

  std::vector<AnsiString> TableNames() override {
    TSqliteStmt stmt = connection_->Prepare(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY name COLLATE NOCASE");
    std::vector<AnsiString> names;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
      names.push_back(Utf8ToAnsi(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0))));
    if (rc != SQLITE_DONE) connection_->Fail("the tables cannot be listed");
    return names;
  }

  std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) override {
    return std::make_unique<TSqliteCursor>(connection_, Name);
  }

  std::unique_ptr<TDbStatement> Prepare(const AnsiString& Sql) override {
    return std::make_unique<TSqliteStatement>(connection_, Sql);
  }

  void Commit() override { connection_->Commit(); }

private:
  std::shared_ptr<TSqliteConnection> connection_;
};

}  // namespace

std::unique_ptr<TDbDatabase> OpenSqliteDatabase(const AnsiString& FileName) {
  return std::make_unique<TSqliteDatabase>(FileName);
}

void CreateSqliteDatabase(const AnsiString& FileName) { TSqliteConnection(FileName, true); }

bool IsSqliteHeader(std::string_view FirstBytes) {
  static constexpr std::string_view Magic("SQLite format 3\0", 16);
  return FirstBytes.substr(0, Magic.size()) == Magic;
}
