// Internal to the SQLite backend: one open database file, shared by the database object and
// the cursors and statements made from it, so the file stays open as long as any of them.
#pragma once

#include <memory>
#include <string_view>

#include "System.h"

struct sqlite3;
struct sqlite3_stmt;

struct TSqliteStmtFree {
  void operator()(sqlite3_stmt* Stmt) const;
};
using TSqliteStmt = std::unique_ptr<sqlite3_stmt, TSqliteStmtFree>;

class TSqliteConnection {
public:
  // Opens the file read-write (read-only when it may not be written); with Create, makes a
  // new one. Raises EDatabaseError naming the file.
  TSqliteConnection(const AnsiString& FileName, bool Create);
  // Commits the open transaction, if any, and closes the file.
  ~TSqliteConnection();
  TSqliteConnection(const TSqliteConnection&) = delete;
  TSqliteConnection& operator=(const TSqliteConnection&) = delete;

  const AnsiString& FileName() const { return fileName_; }
  sqlite3* Handle() const { return db_; }

  // Raises EDatabaseError with the file name, What and SQLite's message for the last failure.
  [[noreturn]] void Fail(std::string_view What) const;
  TSqliteStmt Prepare(std::string_view Utf8Sql);
  // Runs a statement without parameters or rows.
  void Exec(const char* Utf8Sql);
  // Starts the connection's write transaction unless one is running.
  void BeginWrite();
  // Ends the write transaction, if any: its changes reach the file, or, when they cannot (a
  // full disk), are rolled back and EDatabaseError is raised.
  void Commit();

private:
  AnsiString fileName_;
  sqlite3* db_ = nullptr;
  bool inTransaction_ = false;
};
