// TExportCol: one value of the current record in an export's row (TExportRow): the column's
// name (without blanks and control characters at its ends), the value's text (Data), its raw
// value (Value, Null for a null field or a text that does not convert) and the column's
// position (ColumnIndex, -1 until it is set).
#pragma once

#include "TObject.h"
#include "Variant.h"

class TExportRow;

class TExportCol : public TObject {
  DECLARE_CLASS(TExportCol, TObject)

  TExportCol(TExportRow* Row, const AnsiString& Name);

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value);
  const WideString& Data() const { return data_; }
  WideString& Data() { return data_; }
  void SetData(const WideString& Value) { data_ = Value; }
  const Variant& Value() const { return value_; }
  Variant& Value() { return value_; }
  void SetValue(const Variant& Value) { value_ = Value; }
  int ColumnIndex() const { return columnIndex_; }
  void SetColumnIndex(int Value) { columnIndex_ = Value; }
  TExportRow* Row() const { return row_; }

private:
  TExportRow* row_;
  AnsiString name_;
  WideString data_;
  Variant value_;
  int columnIndex_ = -1;
};
