// The parts of a chart's data: TxlsDataRange (a block of cells, columns and rows counted from
// 1, all 0 when created) and TxlsChartSeries (one series: its colour, its values given by an
// exported column's name or by a range, and its title).
//
// TxlsChartSeries published (defaults): Color clrAqua, DataColumn "", DataRange (owned),
// DataRangeType rtColumn, Title "". TxlsChartSeriesList: the series of one chart.
#pragma once

#include <cstdint>
#include <memory>

#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"
#include "XlsColors.h"

class TxlsColumnList;

enum class TxlsRangeType { rtColumn, rtCustom };
using enum TxlsRangeType;

class TxlsDataRange : public TPersistent {
  DECLARE_CLASS(TxlsDataRange, TPersistent)

  TxlsDataRange() = default;
  void Assign(TPersistent* Source) override;
  // Takes the cells a named column occupied (from 1); an unknown name leaves the range as it is.
  void TakeColumn(const TxlsColumnList& Columns, const AnsiString& Name);
  bool IsEmpty() const { return col1_ == 0 && col2_ == 0 && row1_ == 0 && row2_ == 0; }

  std::uint8_t Col1() const { return col1_; }
  void SetCol1(std::uint8_t Value) { col1_ = Value; }
  std::uint8_t Col2() const { return col2_; }
  void SetCol2(std::uint8_t Value) { col2_ = Value; }
  std::uint16_t Row1() const { return row1_; }
  void SetRow1(std::uint16_t Value) { row1_ = Value; }
  std::uint16_t Row2() const { return row2_; }
  void SetRow2(std::uint16_t Value) { row2_ = Value; }

private:
  std::uint8_t col1_ = 0, col2_ = 0;
  std::uint16_t row1_ = 0, row2_ = 0;
};

inline constexpr std::initializer_list<const char*> TxlsRangeTypeNames = {"rtColumn", "rtCustom"};

class TxlsChartSeries : public TxlsCustomItem {
  DECLARE_CLASS(TxlsChartSeries, TxlsCustomItem)

  explicit TxlsChartSeries(TCollection* Collection = nullptr);
  ~TxlsChartSeries() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 6; }

  TxlsColor Color() const { return color_; }
  void SetColor(TxlsColor Value) { color_ = Value; }
  const AnsiString& DataColumn() const { return dataColumn_; }
  void SetDataColumn(const AnsiString& Value) { dataColumn_ = Value; }
  TxlsDataRange* DataRange() const { return dataRange_.get(); }
  void SetDataRange(TxlsDataRange* Value) { dataRange_->Assign(Value); }
  TxlsRangeType DataRangeType() const { return dataRangeType_; }
  void SetDataRangeType(TxlsRangeType Value) { dataRangeType_ = Value; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }

private:
  TxlsColor color_ = clrAqua;
  AnsiString dataColumn_;
  std::unique_ptr<TxlsDataRange> dataRange_;
  TxlsRangeType dataRangeType_ = rtColumn;
  WideString title_;
};

class TxlsChartSeriesList : public TOwnedCollection {
  DECLARE_CLASS(TxlsChartSeriesList, TOwnedCollection)

  explicit TxlsChartSeriesList(TPersistent* AOwner);
  TxlsChartSeries* Add();
  TxlsChartSeries* Items(int Index) const;
};
