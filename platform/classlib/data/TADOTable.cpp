#include "TADOTable.h"

#include <algorithm>

#include "DBConsts.h"
#include "TADOConnection.h"
#include "TypInfo.h"

DEFINE_CLASS(TADOTable, TDataSet, Published::Boolean("Active", &TADOTable::Active, &TADOTable::SetActive),
             Published::Class("Connection", &TADOTable::Connection, &TADOTable::SetConnection),
             Published::Boolean("TableDirect", &TADOTable::TableDirect, &TADOTable::SetTableDirect),
             Published::String("TableName", &TADOTable::TableName, &TADOTable::SetTableName))

TADOTable::TADOTable(TComponent* AOwner) : TDataSet(AOwner) {}

TADOTable::~TADOTable() {
  Close();
  SetConnection(nullptr);
}

void TADOTable::SetConnection(TADOConnection* Value) {
  if (Value == connection_) return;
  CheckInactive();
  if (connection_ != nullptr) std::erase(connection_->tables_, this);
  connection_ = Value;
  if (connection_ != nullptr) connection_->tables_.push_back(this);
}

void TADOTable::SetTableName(const AnsiString& Value) {
  if (Value == tableName_) return;
  CheckInactive();
  tableName_ = Value;
}

void TADOTable::InternalOpen() {
  if (connection_ == nullptr) DatabaseError(SMissingConnection);
  if (tableName_.empty()) DatabaseError(SNoTableName);
  cursor_ = connection_->source()->OpenTable(tableName_);
  FieldDefs()->Assign(cursor_->Columns());
  fetched_ = -1;
  count_ = cursor_->RecordCountHint();
}

void TADOTable::InternalClose() {
  cursor_.reset();
  fetched_ = -1;
  count_ = -1;
}

bool TADOTable::InternalFirst(std::vector<Variant>& Row) {
  cursor_->Rewind();
  fetched_ = -1;
  return InternalNext(Row);
}

bool TADOTable::InternalNext(std::vector<Variant>& Row) {
  if (!cursor_->Next(Row)) {
    // Past the last record: the count is known now.
    count_ = fetched_ + 1;
    return false;
  }
  ++fetched_;
  return true;
}

bool TADOTable::InternalGoto(std::int64_t Index, std::vector<Variant>& Row) {
  if (Index < 0 || (count_ >= 0 && Index >= count_)) return false;
  if (Index <= fetched_) {
    cursor_->Rewind();
    fetched_ = -1;
  }
  while (fetched_ < Index)
    if (!InternalNext(Row)) return false;
  return true;
}

std::int64_t TADOTable::InternalRecordCount() {
  if (count_ >= 0) return count_;
  // Read through to the end once, then back to the current record.
  const std::int64_t current = RecNo() - 1;
  std::vector<Variant> row;
  while (InternalNext(row)) {
  }
  if (current >= 0 && current != fetched_ && !InternalGoto(current, row)) DatabaseError(SRecordNotFound);
  return count_;
}
