#include "SqliteConnection_p.h"

#include <filesystem>

#include <sqlite3.h>

#include "DbError.h"
#include "SysPath.h"

namespace {

// How long a statement waits for another connection's write to end before it fails.
constexpr int BusyTimeoutMs = 5000;

}  // namespace

void TSqliteStmtFree::operator()(sqlite3_stmt* Stmt) const { sqlite3_finalize(Stmt); }

TSqliteConnection::TSqliteConnection(const AnsiString& FileName, bool Create) : fileName_(FileName) {
  const std::filesystem::path path = ToSysPath(FileName);
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  if (Create && exists) RaiseDbError(FileName, "the database exists already");
  if (!Create && !std::filesystem::is_regular_file(path, ec)) RaiseDbError(FileName, "the file does not exist");
  int flags = SQLITE_OPEN_READWRITE | (Create ? SQLITE_OPEN_CREATE : 0);
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc == SQLITE_READONLY || rc == SQLITE_CANTOPEN) {
    // A file the user may only read is still read.
    sqlite3_close(db_);
    db_ = nullptr;
    if (!Create) rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
  }
  if (rc != SQLITE_OK) {
    AnsiString reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseDbError(FileName, "cannot open the database: " + reason);
  }
  sqlite3_busy_timeout(db_, BusyTimeoutMs);
  sqlite3_extended_result_codes(db_, 1);
  // Reading the schema tells a database from any other file; creating writes its header, so
  // that the new file is recognised as a database from its first bytes.
  if (sqlite3_exec(db_, Create ? "PRAGMA user_version = 0" : "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                   nullptr) != SQLITE_OK) {
    AnsiString reason = AnsiString(Create ? "cannot create the database: " : "not a SQLite database: ") +
                        sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseDbError(FileName, reason);
  }
}

TSqliteConnection::~TSqliteConnection() {
  if (inTransaction_) sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
  // Statements and cursors hold the connection, so none is left unfinalised here.
  sqlite3_close(db_);
}

void TSqliteConnection::Fail(std::string_view What) const {
  AnsiString reason(What);
  reason += ": ";
  reason += sqlite3_errmsg(db_);
  RaiseDbError(fileName_, reason);
}

TSqliteStmt TSqliteConnection::Prepare(std::string_view Utf8Sql) {
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db_, Utf8Sql.data(), static_cast<int>(Utf8Sql.size()), &stmt, &tail) != SQLITE_OK)
    Fail("the statement is refused");
  TSqliteStmt owned(stmt);
  if (owned == nullptr) RaiseDbError(fileName_, "the statement is empty");
  // One statement per command: text after it would silently not run.
  for (const char* p = tail; p != nullptr && p < Utf8Sql.data() + Utf8Sql.size(); ++p)
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';')
      RaiseDbError(fileName_, "the statement is refused: more than one statement");
  return owned;
}

void TSqliteConnection::Exec(const char* Utf8Sql) {
  TSqliteStmt stmt = Prepare(Utf8Sql);
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) Fail("the database cannot be read");
}

void TSqliteConnection::Commit() {
  if (!inTransaction_) return;
  inTransaction_ = false;
  if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return;
  const AnsiString reason = sqlite3_errmsg(db_);
  if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  RaiseDbError(fileName_, "the changes cannot be written: " + reason);
}

void TSqliteConnection::BeginWrite() {
  if (inTransaction_ || !sqlite3_get_autocommit(db_)) return;
  Exec("BEGIN");
  inTransaction_ = true;
}
