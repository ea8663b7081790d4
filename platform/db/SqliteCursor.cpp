#include "SqliteCursor_p.h"

#include <sqlite3.h>

#include "CodePage.h"
#include "DbError.h"
#include "SqliteValues_p.h"

std::string SqliteQuotedName(const AnsiString& Name) {
  std::string quoted = "\"";
  for (char c : AnsiToUtf8(Name)) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

TSqliteCursor::TSqliteCursor(std::shared_ptr<TSqliteConnection> Connection, const AnsiString& Table)
    : connection_(std::move(Connection)) {
  const std::string name = SqliteQuotedName(Table);
  {
    // The table must be one: "select" would also take a view or an expression.
    TSqliteStmt find = connection_->Prepare(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "AND name = ?1 COLLATE NOCASE");
    const std::string utf8 = AnsiToUtf8(Table);
    sqlite3_bind_text64(find.get(), 1, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (sqlite3_step(find.get()) != SQLITE_ROW) RaiseDbError(connection_->FileName(), "no table named " + Table);
  }
  stmt_ = connection_->Prepare("SELECT * FROM " + name);
  const int count = sqlite3_column_count(stmt_.get());
  for (int i = 0; i < count; ++i) {
    const char* declared = sqlite3_column_decltype(stmt_.get(), i);
    TDbColumn column = SqliteDeclaredColumn(declared != nullptr ? declared : "");
    const char* columnName = sqlite3_column_name(stmt_.get(), i);
    column.Name = Utf8ToAnsi(columnName != nullptr ? columnName : "");
    columns_.push_back(column);
  }
  TSqliteStmt counter = connection_->Prepare("SELECT count(*) FROM " + name);
  if (sqlite3_step(counter.get()) == SQLITE_ROW) count_ = sqlite3_column_int64(counter.get(), 0);
}

bool TSqliteCursor::Next(std::vector<Variant>& Row) {
  if (done_) return false;
  const int rc = sqlite3_step(stmt_.get());
  if (rc == SQLITE_DONE) {
    done_ = true;
    return false;
  }
  if (rc != SQLITE_ROW) connection_->Fail("the table cannot be read");
  Row.resize(columns_.size());
  for (std::size_t i = 0; i < columns_.size(); ++i)
    Row[i] = SqliteColumnValue(stmt_.get(), static_cast<int>(i), columns_[i].DataType);
  return true;
}

void TSqliteCursor::Rewind() {
  sqlite3_reset(stmt_.get());
  done_ = false;
}
