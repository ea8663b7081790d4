#include "TxlsChart.h"

#include <algorithm>

#include "CodePage.h"
#include "TxlsBoundSheet.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsChartAutoPosition, TPersistent,
             Published::Enum("Placement", {"cpBottom", "cpRight"}, &TxlsChartAutoPosition::Placement,
                             &TxlsChartAutoPosition::SetPlacement),
             Published::Integer("Height", &TxlsChartAutoPosition::Height, &TxlsChartAutoPosition::SetHeight),
             Published::Integer("Left", &TxlsChartAutoPosition::Left, &TxlsChartAutoPosition::SetLeft),
             Published::Integer("Top", &TxlsChartAutoPosition::Top, &TxlsChartAutoPosition::SetTop),
             Published::Integer("Width", &TxlsChartAutoPosition::Width, &TxlsChartAutoPosition::SetWidth))

DEFINE_CLASS(TxlsChartCustomPosition, TPersistent,
             Published::Integer("X1", &TxlsChartCustomPosition::X1, &TxlsChartCustomPosition::SetX1),
             Published::Integer("X2", &TxlsChartCustomPosition::X2, &TxlsChartCustomPosition::SetX2),
             Published::Integer("Y1", &TxlsChartCustomPosition::Y1, &TxlsChartCustomPosition::SetY1),
             Published::Integer("Y2", &TxlsChartCustomPosition::Y2, &TxlsChartCustomPosition::SetY2))

DEFINE_CLASS(TxlsChartPosition, TPersistent,
             Published::Class("AutoPosition", &TxlsChartPosition::AutoPosition, &TxlsChartPosition::SetAutoPosition),
             Published::Class("CustomPosition", &TxlsChartPosition::CustomPosition,
                              &TxlsChartPosition::SetCustomPosition),
             Published::Enum("PositionType", {"cptAuto", "cptCustom"}, &TxlsChartPosition::PositionType,
                             &TxlsChartPosition::SetPositionType))

DEFINE_CLASS(TxlsChart, TxlsCustomItem,
             Published::Boolean("AutoColor", &TxlsChart::AutoColor, &TxlsChart::SetAutoColor),
             Published::Class("CategoryLabels", &TxlsChart::CategoryLabels, &TxlsChart::SetCategoryLabels),
             Published::Enum("CategoryLabelsType", TxlsRangeTypeNames, &TxlsChart::CategoryLabelsType,
                             &TxlsChart::SetCategoryLabelsType),
             Published::String("CategoryLabelsColumn", &TxlsChart::CategoryLabelsColumn,
                               &TxlsChart::SetCategoryLabelsColumn),
             Published::Enum("LegendPlacement", {"clpBottom", "clpCorner", "clpTop", "clpRight", "clpLeft"},
                             &TxlsChart::LegendPlacement, &TxlsChart::SetLegendPlacement),
             Published::Class("Position", &TxlsChart::Position, &TxlsChart::SetPosition),
             Published::Class("Series", &TxlsChart::Series, &TxlsChart::SetSeries),
             Published::Boolean("ShowLegend", &TxlsChart::ShowLegend, &TxlsChart::SetShowLegend),
             Published::Enum("Style",
                             {"xcsColumn", "xcsColumn3d", "xcsBar", "xcsBar3d", "xcsLine", "xcsLineMark", "xcsLine3d",
                              "xcsPie", "xcsPie3d", "xcsArea", "xcsArea3d", "xcsSurface", "xcsSurface3d", "xcsRadar",
                              "xcsRadarArea"},
                             &TxlsChart::Style, &TxlsChart::SetStyle),
             Published::WideString("Title", &TxlsChart::Title, &TxlsChart::SetTitle))

DEFINE_CLASS(TxlsCharts, TOwnedCollection)

void TxlsChartAutoPosition::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TxlsChartAutoPosition*>(Source)) {
    placement_ = p->placement_;
    height_ = p->height_;
    left_ = p->left_;
    top_ = p->top_;
    width_ = p->width_;
    return;
  }
  inherited::Assign(Source);
}

void TxlsChartCustomPosition::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TxlsChartCustomPosition*>(Source)) {
    x1_ = p->x1_;
    x2_ = p->x2_;
    y1_ = p->y1_;
    y2_ = p->y2_;
    return;
  }
  inherited::Assign(Source);
}

TxlsChartPosition::TxlsChartPosition()
    : auto_(std::make_unique<TxlsChartAutoPosition>()), custom_(std::make_unique<TxlsChartCustomPosition>()) {}

TxlsChartPosition::~TxlsChartPosition() = default;

void TxlsChartPosition::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TxlsChartPosition*>(Source)) {
    auto_->Assign(p->auto_.get());
    custom_->Assign(p->custom_.get());
    type_ = p->type_;
    return;
  }
  inherited::Assign(Source);
}

TxlsChart::TxlsChart(TCollection* Collection)
    : TxlsCustomItem(Collection),
      categoryLabels_(std::make_unique<TxlsDataRange>()),
      position_(std::make_unique<TxlsChartPosition>()),
      series_(std::make_unique<TxlsChartSeriesList>(this)) {}

TxlsChart::~TxlsChart() = default;

void TxlsChart::Assign(TPersistent* Source) {
  if (auto* chart = dynamic_cast<TxlsChart*>(Source)) {
    autoColor_ = chart->autoColor_;
    categoryLabels_->Assign(chart->categoryLabels_.get());
    categoryLabelsType_ = chart->categoryLabelsType_;
    categoryLabelsColumn_ = chart->categoryLabelsColumn_;
    legendPlacement_ = chart->legendPlacement_;
    position_->Assign(chart->position_.get());
    series_->Assign(chart->series_.get());
    showLegend_ = chart->showLegend_;
    style_ = chart->style_;
    title_ = chart->title_;
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsChart::DisplayName() const { return title_.empty() ? inherited::DisplayName() : WideToAnsi(title_); }

TxlsAnchor TxlsChart::Anchor(const TxlsBoundSheet* UsedRange) const {
  TxlsAnchor anchor;
  if (Sheet() == nullptr) return anchor;
  auto cell = [](int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)); };
  if (position_->PositionType() == cptCustom) {
    const TxlsChartCustomPosition& p = *position_->CustomPosition();
    anchor.Row1 = cell(p.Y1() - 1);
    anchor.Col1 = cell(p.X1() - 1);
    anchor.Row2 = cell(p.Y2() - 1);
    anchor.Col2 = cell(p.X2() - 1);
    return anchor;
  }
  if (UsedRange == nullptr || !UsedRange->HasCells()) return anchor;
  const TxlsChartAutoPosition& p = *position_->AutoPosition();
  int firstRow = 0, firstCol = 0;
  if (p.Placement() == cpBottom) {
    firstRow = std::max(UsedRange->LastRow + p.Top(), 0) + 1;
    firstCol = std::max(UsedRange->FirstCol + p.Left(), 0);
  } else {
    firstRow = std::max(p.Top(), 0);
    firstCol = std::max(UsedRange->LastCol + p.Left(), 0) + 1;
  }
  anchor.Row1 = cell(firstRow);
  anchor.Col1 = cell(firstCol);
  anchor.Row2 = cell(std::max(firstRow + p.Height(), 0));
  anchor.Col2 = cell(std::max(firstCol + p.Width(), 0));
  return anchor;
}

void TxlsChart::ResolveRanges(const TxlsColumnList& Columns) {
  for (int i = 0; i < series_->Count(); ++i) {
    TxlsChartSeries* series = series_->Items(i);
    if (series->DataRangeType() == rtColumn) series->DataRange()->TakeColumn(Columns, series->DataColumn());
  }
  if (categoryLabelsType_ == rtColumn) categoryLabels_->TakeColumn(Columns, categoryLabelsColumn_);
}

TxlsCharts::TxlsCharts(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsChart>()) {}

TxlsChart* TxlsCharts::Add() { return static_cast<TxlsChart*>(TCollection::Add()); }

TxlsChart* TxlsCharts::Items(int Index) const { return static_cast<TxlsChart*>(TCollection::Items(Index)); }
