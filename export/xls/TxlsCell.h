// TxlsCell: a free cell of a sheet, placed by the user at Col and Row (counted from 1), with a
// typed value, its number formats and its look.
//
// Published (defaults): CellType ctString, Col 0, Row 0, DateTimeFormat (the locale's short
// date and long time formats joined by a blank), NumericFormat "###,###,#0.00", Format (owned).
// The value is kept in one slot per type (boolean False, date-time today, number 0, text "");
// Value reads the slot of the current type. Writing Value converts it to the current type;
// when that is not possible the slot is reset (boolean False, date-time now, number 0) and the
// text emptied, without an error. A cell is written only when Col and Row are above 0.
//
// TxlsCells: the free cells of a sheet or exporter.
#pragma once

#include <cstdint>
#include <memory>

#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"
#include "TxlsFormat.h"
#include "Variant.h"

enum class TxlsCellType { ctBoolean, ctDateTime, ctNumeric, ctString };
using enum TxlsCellType;

class TxlsCell : public TxlsCustomItem {
  DECLARE_CLASS(TxlsCell, TxlsCustomItem)

  explicit TxlsCell(TCollection* Collection = nullptr);
  ~TxlsCell() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 10; }
  bool IsValid() const { return col_ > 0 && row_ > 0; }

  TxlsCellType CellType() const { return cellType_; }
  void SetCellType(TxlsCellType Value) { cellType_ = Value; }
  std::uint16_t Col() const { return col_; }
  void SetCol(std::uint16_t Value) { col_ = Value; }
  std::uint16_t Row() const { return row_; }
  void SetRow(std::uint16_t Value) { row_ = Value; }
  const AnsiString& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const AnsiString& Value) { dateTimeFormat_ = Value; }
  const AnsiString& NumericFormat() const { return numericFormat_; }
  void SetNumericFormat(const AnsiString& Value) { numericFormat_ = Value; }
  TxlsFormat* Format() const { return format_.get(); }
  void SetFormat(TxlsFormat* Value) { format_->Assign(Value); }
  Variant Value() const;
  void SetValue(const Variant& Value);

  // The typed slots.
  bool AsBoolean() const { return boolean_; }
  TDateTime AsDateTime() const { return dateTime_; }
  double AsNumber() const { return number_; }
  const WideString& AsText() const { return text_; }

private:
  TxlsCellType cellType_ = ctString;
  std::uint16_t col_ = 0;
  std::uint16_t row_ = 0;
  AnsiString dateTimeFormat_;
  AnsiString numericFormat_ = "###,###,#0.00";
  std::unique_ptr<TxlsFormat> format_;
  bool boolean_ = false;
  TDateTime dateTime_ = 0;
  double number_ = 0;
  WideString text_;
};

class TxlsCells : public TOwnedCollection {
  DECLARE_CLASS(TxlsCells, TOwnedCollection)

  explicit TxlsCells(TPersistent* AOwner);
  TxlsCell* Add();
  TxlsCell* Items(int Index) const;
};
