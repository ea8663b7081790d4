// TxlsChart: a chart drawn on a sheet over exported columns or fixed ranges, with its place.
//
// The place (TxlsChartPosition) is automatic (TxlsChartAutoPosition: below or right of the
// cells written, Left/Top cells away, Width by Height cells; defaults cpBottom, 0, 0, 5, 10) or
// custom (TxlsChartCustomPosition: the frame's columns X1..X2 and rows Y1..Y2, from 1).
//
// TxlsChart published (defaults): AutoColor True, CategoryLabels (owned, zeros),
// CategoryLabelsType rtColumn, CategoryLabelsColumn "", LegendPlacement clpRight, Position
// (owned), Series (owned), ShowLegend True, Style xcsColumn, Title "".
//
// Anchor gives the frame's cells for a chart of a sheet; for an automatic place it needs the
// cells written to the sheet so far (UsedRange; nullptr or empty: no place yet, all zero).
// ResolveRanges takes the ranges of series and category labels given by column name from where
// the columns went on the sheet.
#pragma once

#include <cstdint>
#include <memory>

#include "MsoShapeRecords.h"
#include "TxlsChartSeries.h"

class TxlsBoundSheet;

enum class TxlsChartPlacement { cpBottom, cpRight };
using enum TxlsChartPlacement;
enum class TxlsChartPositionType { cptAuto, cptCustom };
using enum TxlsChartPositionType;
enum class TxlsChartLegendPlacement { clpBottom, clpCorner, clpTop, clpRight, clpLeft };
using enum TxlsChartLegendPlacement;
enum class TxlsChartStyle {
  xcsColumn, xcsColumn3d, xcsBar, xcsBar3d, xcsLine, xcsLineMark, xcsLine3d, xcsPie, xcsPie3d, xcsArea, xcsArea3d,
  xcsSurface, xcsSurface3d, xcsRadar, xcsRadarArea
};
using enum TxlsChartStyle;

class TxlsChartAutoPosition : public TPersistent {
  DECLARE_CLASS(TxlsChartAutoPosition, TPersistent)

  TxlsChartAutoPosition() = default;
  void Assign(TPersistent* Source) override;

  TxlsChartPlacement Placement() const { return placement_; }
  void SetPlacement(TxlsChartPlacement Value) { placement_ = Value; }
  int Height() const { return height_; }
  void SetHeight(int Value) { height_ = Value; }
  int Left() const { return left_; }
  void SetLeft(int Value) { left_ = Value; }
  int Top() const { return top_; }
  void SetTop(int Value) { top_ = Value; }
  int Width() const { return width_; }
  void SetWidth(int Value) { width_ = Value; }

private:
  TxlsChartPlacement placement_ = cpBottom;
  int height_ = 10, left_ = 0, top_ = 0, width_ = 5;
};

class TxlsChartCustomPosition : public TPersistent {
  DECLARE_CLASS(TxlsChartCustomPosition, TPersistent)

  TxlsChartCustomPosition() = default;
  void Assign(TPersistent* Source) override;

  std::uint8_t X1() const { return x1_; }
  void SetX1(std::uint8_t Value) { x1_ = Value; }
  std::uint8_t X2() const { return x2_; }
  void SetX2(std::uint8_t Value) { x2_ = Value; }
  std::uint16_t Y1() const { return y1_; }
  void SetY1(std::uint16_t Value) { y1_ = Value; }
  std::uint16_t Y2() const { return y2_; }
  void SetY2(std::uint16_t Value) { y2_ = Value; }

private:
  std::uint8_t x1_ = 0, x2_ = 0;
  std::uint16_t y1_ = 0, y2_ = 0;
};

class TxlsChartPosition : public TPersistent {
  DECLARE_CLASS(TxlsChartPosition, TPersistent)

  TxlsChartPosition();
  ~TxlsChartPosition() override;
  void Assign(TPersistent* Source) override;

  TxlsChartAutoPosition* AutoPosition() const { return auto_.get(); }
  void SetAutoPosition(TxlsChartAutoPosition* Value) { auto_->Assign(Value); }
  TxlsChartCustomPosition* CustomPosition() const { return custom_.get(); }
  void SetCustomPosition(TxlsChartCustomPosition* Value) { custom_->Assign(Value); }
  TxlsChartPositionType PositionType() const { return type_; }
  void SetPositionType(TxlsChartPositionType Value) { type_ = Value; }

private:
  std::unique_ptr<TxlsChartAutoPosition> auto_;
  std::unique_ptr<TxlsChartCustomPosition> custom_;
  TxlsChartPositionType type_ = cptAuto;
};

class TxlsChart : public TxlsCustomItem {
  DECLARE_CLASS(TxlsChart, TxlsCustomItem)

  explicit TxlsChart(TCollection* Collection = nullptr);
  ~TxlsChart() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 5; }
  TxlsAnchor Anchor(const TxlsBoundSheet* UsedRange) const;
  void ResolveRanges(const TxlsColumnList& Columns);

  bool AutoColor() const { return autoColor_; }
  void SetAutoColor(bool Value) { autoColor_ = Value; }
  TxlsDataRange* CategoryLabels() const { return categoryLabels_.get(); }
  void SetCategoryLabels(TxlsDataRange* Value) { categoryLabels_->Assign(Value); }
  TxlsRangeType CategoryLabelsType() const { return categoryLabelsType_; }
  void SetCategoryLabelsType(TxlsRangeType Value) { categoryLabelsType_ = Value; }
  const AnsiString& CategoryLabelsColumn() const { return categoryLabelsColumn_; }
  void SetCategoryLabelsColumn(const AnsiString& Value) { categoryLabelsColumn_ = Value; }
  TxlsChartLegendPlacement LegendPlacement() const { return legendPlacement_; }
  void SetLegendPlacement(TxlsChartLegendPlacement Value) { legendPlacement_ = Value; }
  TxlsChartPosition* Position() const { return position_.get(); }
  void SetPosition(TxlsChartPosition* Value) { position_->Assign(Value); }
  TxlsChartSeriesList* Series() const { return series_.get(); }
  void SetSeries(TxlsChartSeriesList* Value) { series_->Assign(Value); }
  bool ShowLegend() const { return showLegend_; }
  void SetShowLegend(bool Value) { showLegend_ = Value; }
  TxlsChartStyle Style() const { return style_; }
  void SetStyle(TxlsChartStyle Value) { style_ = Value; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }

private:
  bool autoColor_ = true;
  std::unique_ptr<TxlsDataRange> categoryLabels_;
  TxlsRangeType categoryLabelsType_ = rtColumn;
  AnsiString categoryLabelsColumn_;
  TxlsChartLegendPlacement legendPlacement_ = clpRight;
  std::unique_ptr<TxlsChartPosition> position_;
  std::unique_ptr<TxlsChartSeriesList> series_;
  bool showLegend_ = true;
  TxlsChartStyle style_ = xcsColumn;
  WideString title_;
};

class TxlsCharts : public TOwnedCollection {
  DECLARE_CLASS(TxlsCharts, TOwnedCollection)

  explicit TxlsCharts(TPersistent* AOwner);
  TxlsChart* Add();
  TxlsChart* Items(int Index) const;
};
