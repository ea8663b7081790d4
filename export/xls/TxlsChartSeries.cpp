#include "TxlsChartSeries.h"

#include "CodePage.h"
#include "TxlsColumnList.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsDataRange, TPersistent,
             Published::Integer("Col1", &TxlsDataRange::Col1, &TxlsDataRange::SetCol1),
             Published::Integer("Col2", &TxlsDataRange::Col2, &TxlsDataRange::SetCol2),
             Published::Integer("Row1", &TxlsDataRange::Row1, &TxlsDataRange::SetRow1),
             Published::Integer("Row2", &TxlsDataRange::Row2, &TxlsDataRange::SetRow2))

DEFINE_CLASS(TxlsChartSeries, TxlsCustomItem,
             Published::Enum("Color", TxlsColorNames, &TxlsChartSeries::Color, &TxlsChartSeries::SetColor),
             Published::String("DataColumn", &TxlsChartSeries::DataColumn, &TxlsChartSeries::SetDataColumn),
             Published::Class("DataRange", &TxlsChartSeries::DataRange, &TxlsChartSeries::SetDataRange),
             Published::Enum("DataRangeType", TxlsRangeTypeNames, &TxlsChartSeries::DataRangeType,
                             &TxlsChartSeries::SetDataRangeType),
             Published::WideString("Title", &TxlsChartSeries::Title, &TxlsChartSeries::SetTitle))

DEFINE_CLASS(TxlsChartSeriesList, TOwnedCollection)

void TxlsDataRange::Assign(TPersistent* Source) {
  if (auto* range = dynamic_cast<TxlsDataRange*>(Source)) {
    col1_ = range->col1_;
    col2_ = range->col2_;
    row1_ = range->row1_;
    row2_ = range->row2_;
    return;
  }
  inherited::Assign(Source);
}

void TxlsDataRange::TakeColumn(const TxlsColumnList& Columns, const AnsiString& Name) {
  const TxlsColumn* column = Columns.Find(Name);
  if (column == nullptr || column->FirstRow < 0) return;
  col1_ = static_cast<std::uint8_t>(column->FirstCol + 1);
  row1_ = static_cast<std::uint16_t>(column->FirstRow + 1);
  col2_ = static_cast<std::uint8_t>(column->LastCol + 1);
  row2_ = static_cast<std::uint16_t>(column->LastRow + 1);
}

TxlsChartSeries::TxlsChartSeries(TCollection* Collection)
    : TxlsCustomItem(Collection), dataRange_(std::make_unique<TxlsDataRange>()) {}

TxlsChartSeries::~TxlsChartSeries() = default;

void TxlsChartSeries::Assign(TPersistent* Source) {
  if (auto* series = dynamic_cast<TxlsChartSeries*>(Source)) {
    color_ = series->color_;
    dataColumn_ = series->dataColumn_;
    dataRange_->Assign(series->dataRange_.get());
    dataRangeType_ = series->dataRangeType_;
    title_ = series->title_;
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsChartSeries::DisplayName() const {
  return title_.empty() ? inherited::DisplayName() : WideToAnsi(title_);
}

TxlsChartSeriesList::TxlsChartSeriesList(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TxlsChartSeries>()) {}

TxlsChartSeries* TxlsChartSeriesList::Add() { return static_cast<TxlsChartSeries*>(TCollection::Add()); }

TxlsChartSeries* TxlsChartSeriesList::Items(int Index) const {
  return static_cast<TxlsChartSeries*>(TCollection::Items(Index));
}
