#include "TExportCustomColumn.h"

#include "IntegerText.h"
#include "StringRoutines.h"
#include "TExportCustomColumns.h"
#include "TExportCustomSource.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportCustomColumn, TCollectionItem,
             Published::String("ColumnName", &TExportCustomColumn::ColumnName, &TExportCustomColumn::SetColumnName),
             Published::Enum("ColumnType", {HHM_EXPORT_COL_TYPE_NAMES}, &TExportCustomColumn::ColumnType,
                             &TExportCustomColumn::SetColumnType),
             Published::String("Caption", &TExportCustomColumn::Caption, &TExportCustomColumn::SetCaption),
             Published::Integer("Width", &TExportCustomColumn::Width, &TExportCustomColumn::SetWidth),
             Published::Integer("Size", &TExportCustomColumn::Size, &TExportCustomColumn::SetSize),
             Published::Integer("Tag", &TExportCustomColumn::Tag, &TExportCustomColumn::SetTag))

namespace {

// True when another item of the collection has the name (without regard to case).
bool nameTaken(const TCollection* collection, const TCollectionItem* self, const AnsiString& name) {
  if (collection == nullptr) return false;
  for (int i = 0; i < collection->Count(); ++i) {
    auto* column = static_cast<TExportCustomColumn*>(collection->Items(i));
    if (column != self && SameText(column->ColumnName(), name)) return true;
  }
  return false;
}

}  // namespace

TExportCustomColumn::TExportCustomColumn(TCollection* Collection) : TCollectionItem(Collection) {
  for (int n = 0;; ++n) {
    AnsiString name = "Column" + IntToStr(n);
    if (!nameTaken(Collection, this, name)) {
      columnName_ = name;
      break;
    }
  }
  caption_ = columnName_;
}

void TExportCustomColumn::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TExportCustomColumn*>(Source)) {
    columnName_ = other->columnName_;
    columnType_ = other->columnType_;
    caption_ = other->caption_;
    width_ = other->width_;
    size_ = other->size_;
    tag_ = other->tag_;
    return;
  }
  inherited::Assign(Source);
}

void TExportCustomColumn::SetColumnName(const AnsiString& Value) {
  if (Value.empty() || Value == columnName_ || nameTaken(Collection(), this, Value)) return;
  columnName_ = Value;
}

TExportCustomSource* TExportCustomColumn::Source() const {
  auto* columns = dynamic_cast<TExportCustomColumns*>(Collection());
  return columns != nullptr ? columns->Source() : nullptr;
}

Variant TExportCustomColumn::GetValue() {
  Variant value;
  TExportCustomSource* source = Source();
  if (source != nullptr && source->OnGetColumnValue) source->OnGetColumnValue(source, source->RecNo(), this, value);
  return value;
}

WideString TExportCustomColumn::AsWideString(const TFormatSettings& Settings) {
  Variant value = GetValue();
  return value.IsNull() ? WideString() : value.AsWideString(Settings);
}
