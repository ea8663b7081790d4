#include "TColumn.h"

#include <algorithm>

#include <QFontMetrics>

#include "QtConvert_p.h"
#include "TDBGrid.h"
#include "TDBGridColumns.h"
#include "TDataSource.h"
#include "TypInfo.h"

DEFINE_CLASS(TColumnTitle, TPersistent,
             Published::String("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption))
DEFINE_CLASS(TColumn, TCollectionItem, Published::String("FieldName", &TColumn::FieldName, &TColumn::SetFieldName),
             Published::Class("Title", &TColumn::Title, &TColumn::SetTitle),
             Published::Integer("Width", &TColumn::Width, &TColumn::SetWidth))

namespace {

constexpr int DefaultColumnWidth = 64;
// Room around a cell's text.
constexpr int CellPadding = 4;

}  // namespace

void TColumnTitle::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TColumnTitle*>(Source)) {
    caption_ = other->caption_;
    assigned_ = other->assigned_;
    column_->Changed(false);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TColumnTitle::Caption() const {
  if (assigned_) return caption_;
  if (TField* field = column_->Field()) return field->DisplayLabel();
  return column_->FieldName();
}

void TColumnTitle::SetCaption(const AnsiString& Value) {
  caption_ = Value;
  assigned_ = true;
  column_->Changed(false);
}

TColumn::TColumn(TCollection* Collection) : TCollectionItem(Collection), title_(std::make_unique<TColumnTitle>(this)) {}

TColumn::~TColumn() = default;

void TColumn::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TColumn*>(Source)) {
    fieldName_ = other->fieldName_;
    width_ = other->width_;
    title_->Assign(other->title_.get());
    Changed(false);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TColumn::DisplayName() const { return fieldName_.empty() ? inherited::DisplayName() : fieldName_; }

TDBGrid* TColumn::Grid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  return columns != nullptr ? columns->Grid() : nullptr;
}

void TColumn::SetFieldName(const AnsiString& Value) {
  fieldName_ = Value;
  Changed(false);
}

TField* TColumn::Field() const {
  TDBGrid* grid = Grid();
  if (grid == nullptr || grid->DataSource() == nullptr) return nullptr;
  TDataSet* dataSet = grid->DataSource()->DataSet();
  if (dataSet == nullptr || !dataSet->Active()) return nullptr;
  return dataSet->FindField(fieldName_);
}

void TColumn::SetTitle(TColumnTitle* Value) {
  if (Value != nullptr) title_->Assign(Value);
}

int TColumn::Width() const {
  if (width_ >= 0) return width_;
  TDBGrid* grid = Grid();
  TField* field = Field();
  if (grid == nullptr || field == nullptr) return DefaultColumnWidth;
  const QFontMetrics metrics(ToQFont(*grid->Font()));
  const int digits = field->DisplayWidth() * metrics.horizontalAdvance(QLatin1Char('0'));
  return std::max(digits, metrics.horizontalAdvance(ToQString(title_->Caption()))) + CellPadding;
}

void TColumn::SetWidth(int Value) {
  width_ = std::max(Value, 0);
  Changed(false);
}
