#include "TxlsCell.h"

#include "DateRoutines.h"
#include "Exception.h"
#include "Format.h"
#include "FormatSettings.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsCell, TxlsCustomItem,
             Published::Enum("CellType", {"ctBoolean", "ctDateTime", "ctNumeric", "ctString"}, &TxlsCell::CellType,
                             &TxlsCell::SetCellType),
             Published::Integer("Col", &TxlsCell::Col, &TxlsCell::SetCol),
             Published::Integer("Row", &TxlsCell::Row, &TxlsCell::SetRow),
             Published::String("DateTimeFormat", &TxlsCell::DateTimeFormat, &TxlsCell::SetDateTimeFormat),
             Published::String("NumericFormat", &TxlsCell::NumericFormat, &TxlsCell::SetNumericFormat),
             Published::Class("Format", &TxlsCell::Format, &TxlsCell::SetFormat))

DEFINE_CLASS(TxlsCells, TOwnedCollection)

TxlsCell::TxlsCell(TCollection* Collection)
    : TxlsCustomItem(Collection), format_(std::make_unique<TxlsFormat>()), dateTime_(Date()) {
  const auto settings = FormatSettingsSnapshot();
  dateTimeFormat_ = ::Format("%s %s", {settings->ShortDateFormat, settings->LongTimeFormat});
}

TxlsCell::~TxlsCell() = default;

void TxlsCell::Assign(TPersistent* Source) {
  if (auto* cell = dynamic_cast<TxlsCell*>(Source)) {
    cellType_ = cell->cellType_;
    col_ = cell->col_;
    row_ = cell->row_;
    dateTimeFormat_ = cell->dateTimeFormat_;
    numericFormat_ = cell->numericFormat_;
    format_->Assign(cell->format_.get());
    SetValue(cell->Value());
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsCell::DisplayName() const { return ::Format("Col: %d Row: %d ", {int{col_}, int{row_}}); }

Variant TxlsCell::Value() const {
  switch (cellType_) {
    case ctBoolean: return Variant(boolean_);
    case ctDateTime: return Variant::FromDateTime(dateTime_);
    case ctNumeric: return Variant(number_);
    default: return Variant(text_);
  }
}

void TxlsCell::SetValue(const Variant& Value) {
  try {
    switch (cellType_) {
      case ctBoolean: boolean_ = Value.AsBoolean(); break;
      case ctDateTime: dateTime_ = Value.AsDateTime(); break;
      case ctNumeric: number_ = Value.AsFloat(); break;
      default: text_ = Value.AsWideString(); break;
    }
  } catch (const Exception&) {
    // A value of the wrong kind leaves the cell at its type's starting value.
    switch (cellType_) {
      case ctBoolean: boolean_ = false; break;
      case ctDateTime: dateTime_ = Now(); break;
      case ctNumeric: number_ = 0; break;
      default: break;
    }
    text_.clear();
  }
}

TxlsCells::TxlsCells(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsCell>()) {}

TxlsCell* TxlsCells::Add() { return static_cast<TxlsCell*>(TCollection::Add()); }

TxlsCell* TxlsCells::Items(int Index) const { return static_cast<TxlsCell*>(TCollection::Items(Index)); }
