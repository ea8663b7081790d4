// TExportCustomColumn: one column of a custom export source (TExportCustomSource), whose values
// the application supplies through the source's OnGetColumnValue.
//
// A new column is named "Column" followed by the lowest number from 0 that no other column of
// its collection uses, and takes that name as its Caption. Renaming it to "", to its own name
// or to a name another column of the collection has (without regard to case) is ignored.
//
// Published, in this order: ColumnName, ColumnType (ectString), Caption, Width (15), Size (15),
// Tag (0).
#pragma once

#include "ExportTypes.h"
#include "TCollectionItem.h"
#include "Variant.h"

class TExportCustomSource;
struct TFormatSettings;

class TExportCustomColumn : public TCollectionItem {
  DECLARE_CLASS(TExportCustomColumn, TCollectionItem)

  explicit TExportCustomColumn(TCollection* Collection);

  void Assign(TPersistent* Source) override;
  // The column's name.
  AnsiString DisplayName() const override { return columnName_; }

  const AnsiString& ColumnName() const { return columnName_; }
  void SetColumnName(const AnsiString& Value);
  TExportColType ColumnType() const { return columnType_; }
  void SetColumnType(TExportColType Value) { columnType_ = Value; }
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value) { caption_ = Value; }
  int Width() const { return width_; }
  void SetWidth(int Value) { width_ = Value; }
  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  int Tag() const { return tag_; }
  void SetTag(int Value) { tag_ = Value; }

  // The source whose Columns hold this column, nullptr when there is none.
  TExportCustomSource* Source() const;
  // The value of this column in the source's current record, asked of OnGetColumnValue;
  // Unassigned when the column has no source or the source no handler.
  Variant GetValue();
  // That value as text, numbers and dates written with Settings; Null gives "".
  WideString AsWideString(const TFormatSettings& Settings);

private:
  AnsiString columnName_;
  TExportColType columnType_ = ectString;
  AnsiString caption_;
  int width_ = 15;
  int size_ = 15;
  int tag_ = 0;
};
