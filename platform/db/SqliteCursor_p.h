// Internal to the SQLite backend: a forward cursor over one table.
#pragma once

#include <memory>

#include "DbTypes.h"
#include "SqliteConnection_p.h"

class TSqliteCursor : public TDbCursor {
public:
  // Raises EDatabaseError naming the file when the table does not exist.
  TSqliteCursor(std::shared_ptr<TSqliteConnection> Connection, const AnsiString& Table);

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  bool Next(std::vector<Variant>& Row) override;
  void Rewind() override;
  long long RecordCountHint() const override { return count_; }

private:
  std::shared_ptr<TSqliteConnection> connection_;
  TSqliteStmt stmt_;
  std::vector<TDbColumn> columns_;
  long long count_ = -1;
  bool done_ = false;
};

// The table's name in SQL: in double quotes, quotes inside it doubled, as UTF-8.
std::string SqliteQuotedName(const AnsiString& Name);
