// TExportColumn: one exported column, built by TExportColumns::Fill from the source and the
// exporter's per-column setting lists.
//
// ColumnIndex is the column's position in the source (field index, list-view column, grid
// column, string-grid column or custom-source column). Align is 0 left, 1 center, 2 right.
// Length is the string length of text columns (dBASE and Access fields). WorkValue is free for
// the Excel exporter. FieldType, IsBlob, IsMemo and Visible describe the source field of
// data-set and grid sources (ftUnknown, False, False and True for the other sources).
#pragma once

#include "DbTypes.h"
#include "ExportTypes.h"
#include "TCollectionItem.h"

inline constexpr int ExportAlignLeft = 0;
inline constexpr int ExportAlignCenter = 1;
inline constexpr int ExportAlignRight = 2;

class TExportColumn : public TCollectionItem {
  DECLARE_CLASS(TExportColumn, TCollectionItem)

  explicit TExportColumn(TCollection* Collection);

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override { return name_; }

  int ColumnIndex() const { return columnIndex_; }
  void SetColumnIndex(int Value) { columnIndex_ = Value; }
  TExportColType ColType() const { return colType_; }
  void SetColType(TExportColType Value) { colType_ = Value; }
  TFieldType FieldType() const { return fieldType_; }
  void SetFieldType(TFieldType Value) { fieldType_ = Value; }
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value) { name_ = Value; }
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value) { caption_ = Value; }
  int Width() const { return width_; }
  void SetWidth(int Value) { width_ = Value; }
  int Align() const { return align_; }
  void SetAlign(int Value) { align_ = Value; }
  const AnsiString& Format() const { return format_; }
  void SetFormat(const AnsiString& Value) { format_ = Value; }
  int Length() const { return length_; }
  void SetLength(int Value) { length_ = Value; }
  int WorkValue() const { return workValue_; }
  void SetWorkValue(int Value) { workValue_ = Value; }
  bool IsBlob() const { return isBlob_; }
  void SetIsBlob(bool Value) { isBlob_ = Value; }
  bool IsMemo() const { return isMemo_; }
  void SetIsMemo(bool Value) { isMemo_ = Value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }

  // ColType is ectInteger .. ectDateTime: its values are written with a format mask.
  bool AllowFormat() const { return colType_ >= ectInteger && colType_ <= ectDateTime; }
  // ColType is ectInteger .. ectCurrency.
  bool IsNumeric() const { return colType_ >= ectInteger && colType_ <= ectCurrency; }
  bool IsString() const { return colType_ == ectString; }

private:
  int columnIndex_ = -1;
  TExportColType colType_ = ectInteger;
  TFieldType fieldType_ = ftUnknown;
  AnsiString name_;
  AnsiString caption_;
  int width_ = 0;
  int align_ = ExportAlignLeft;
  AnsiString format_;
  int length_ = 0;
  int workValue_ = 0;
  bool isBlob_ = false;
  bool isMemo_ = false;
  bool visible_ = true;
};
