// A data set over rows given by the test, holding whatever Variant kinds the test puts in (as
// a backend's cursor may deliver them), read forward like a streaming source: going back
// starts again from the first row.
#pragma once

#include <vector>

#include "TDataSet.h"

class TRowsDataSet : public TDataSet {
public:
  TRowsDataSet(std::vector<TDbColumn> Columns, std::vector<std::vector<Variant>> Rows)
      : TDataSet(nullptr), columns_(std::move(Columns)), rows_(std::move(Rows)) {}
  ~TRowsDataSet() override { Close(); }

  int Rewinds = 0;

protected:
  void InternalOpen() override { FieldDefs()->Assign(columns_); }
  void InternalClose() override { next_ = 0; }
  bool InternalFirst(std::vector<Variant>& Row) override {
    ++Rewinds;
    next_ = 0;
    return InternalNext(Row);
  }
  bool InternalNext(std::vector<Variant>& Row) override {
    if (next_ >= rows_.size()) return false;
    Row = rows_[next_++];
    return true;
  }
  bool InternalGoto(std::int64_t Index, std::vector<Variant>& Row) override {
    if (Index < 0 || static_cast<std::size_t>(Index) >= rows_.size()) return false;
    if (static_cast<std::size_t>(Index) < next_) {
      ++Rewinds;
      next_ = 0;
    }
    while (next_ <= static_cast<std::size_t>(Index)) InternalNext(Row);
    return true;
  }
  std::int64_t InternalRecordCount() override { return static_cast<std::int64_t>(rows_.size()); }

private:
  std::vector<TDbColumn> columns_;
  std::vector<std::vector<Variant>> rows_;
  std::size_t next_ = 0;
};

inline TDbColumn Column(const char* Name, TFieldType Type, int Size = 0) {
  TDbColumn c;
  c.Name = Name;
  c.DataType = Type;
  c.Size = Size;
  return c;
}
