// TADOTable: one table of a connection as a data set, read record by record from the
// backend's cursor (a table is never held whole).
//
// Opening connects Connection when it is closed and opens TableName (a dBASE or text file's
// name, a sheet's name, a database table's name, as GetTableNames lists them). TableDirect
// (default False) asks the provider for the table itself rather than a query; every backend
// here reads tables directly, so it changes nothing. The cursor reads forward: going back (First, a bookmark of an
// earlier record) reads again from the first record, and RecordCount reads the table through
// once when its backend cannot tell the count.
//
// Published properties: Active (False), Connection (none; cleared when the connection is
// destroyed), TableDirect (False), TableName ("").
//
// Errors: EDatabaseError "Missing Connection or ConnectionString" without a connection, "No
// table name given" for an empty TableName, whatever the connection and the reader raise;
// changing TableName or Connection of an open table raises "Cannot perform this operation on an
// open dataset".
#pragma once

#include <memory>

#include "TDataSet.h"

class TADOConnection;
class TDbCursor;

class TADOTable : public TDataSet {
  DECLARE_CLASS(TADOTable, TDataSet)

  explicit TADOTable(TComponent* AOwner);
  ~TADOTable() override;

  TADOConnection* Connection() const { return connection_; }
  void SetConnection(TADOConnection* Value);
  const AnsiString& TableName() const { return tableName_; }
  void SetTableName(const AnsiString& Value);
  bool TableDirect() const { return tableDirect_; }
  void SetTableDirect(bool Value) { tableDirect_ = Value; }

protected:
  void InternalOpen() override;
  void InternalClose() override;
  bool InternalFirst(std::vector<Variant>& Row) override;
  bool InternalNext(std::vector<Variant>& Row) override;
  bool InternalGoto(std::int64_t Index, std::vector<Variant>& Row) override;
  std::int64_t InternalRecordCount() override;

private:
  TADOConnection* connection_ = nullptr;
  AnsiString tableName_;
  bool tableDirect_ = false;
  std::unique_ptr<TDbCursor> cursor_;
  // Index of the record last fetched from the cursor, -1 before the first; the count once
  // known.
  std::int64_t fetched_ = -1;
  std::int64_t count_ = -1;
};
