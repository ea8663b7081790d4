// TExportRow: the values of an export's current record, one TExportCol per column in column
// order, which it owns, with an index of the values by column name (without regard to case).
#pragma once

#include <memory>
#include <vector>

#include "TObject.h"
#include "Variant.h"

class TExportCol;
class TExportColumns;
class TExportFormats;
class TStringList;

class TExportRow : public TObject {
  DECLARE_CLASS(TExportRow, TObject)

  TExportRow(TExportColumns* Columns, TExportFormats* Formats);
  ~TExportRow() override;

  // A new value at the end, named Name, for the column at Position; the name joins the index.
  TExportCol* AddCol(const AnsiString& Name, int Position);
  // Frees every value, last first, and empties the index.
  void Clear();
  // Stores Text and Value in the value named Name; an unknown name changes nothing.
  void SetValue(const AnsiString& Name, const WideString& Text, const Variant& Value);
  // The value named Name, nullptr when there is none.
  TExportCol* Find(const AnsiString& Name) const;

  int Count() const { return static_cast<int>(cols_.size()); }
  // Raises EListError for an index out of range.
  TExportCol* Items(int Index) const;
  TExportColumns* Columns() const { return columns_; }
  TExportFormats* Formats() const { return formats_; }

private:
  TExportColumns* columns_;
  TExportFormats* formats_;
  std::vector<std::unique_ptr<TExportCol>> cols_;
  std::unique_ptr<TStringList> index_;
};
