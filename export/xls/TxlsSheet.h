// TxlsSheet: one sheet of the Excel exporter's Sheets: its own source and columns, header and
// footer lines, captions, number formats, looks, strip styles, field formats with aggregates,
// and its hyperlinks, notes, charts, images, free cells and merged ranges.
//
// Published (defaults): AutoCalcColWidth False, Title ("Sheet %d" with the count of sheets once
// it joined), Options, FieldFormats, StripStyles, StripType ssNone, Hyperlinks, Notes, Charts,
// Images, Cells, MergedCells, Background, SubAggControlColumn "", ExportSource esDataSet,
// DataSet, CustomSource, ListView, DBGrid, StringGrid (none), HeaderRows 0, StartDataCol 0,
// FooterRows 0, ExportedFields, Header, Footer, Captions, UserFormats, ColumnsWidth, Formats,
// DefColWidth 8, AllowCaptions True, GoToFirstRecord True, ExportRecCount 0,
// SkipRecCount 0, CurrentRecordOnly False, OnlyVisibleFields True, AutoCalcStrType False,
// CaptionRow -1, Exported True, Tag 0. Objects are owned (setting one copies into it); the
// sources are references. DefRowHeight (12.75 points) is a setting of the sheet that the
// property table has no kind for; it is set in code.
//
// Assign copies every published property but DefRowHeight, DefColWidth, Exported and Tag.
// CopyFromExporter fills the sheet from the exporter's properties of the same names (the title
// from its Options.SheetTitle); CopyToExporter does the reverse. RemoveSource drops every
// reference to a component that is going away; a sheet of an exporter asks each source it is
// given to tell the exporter when it goes, so the exporter drops it from its sheets.
//
// While a sheet is exported it keeps its working state: its columns and row (built when the
// sheet has an exporter), the current sheet row, the records exported, the last used column,
// whether an image shows an existing picture, where each column went (ColumnList), and the
// sub-aggregate groups with the last value of the control column.
//
// TxlsSheets: the exporter's sheets.
#pragma once

#include <memory>
#include <vector>

#include "ExportTypes.h"
#include "TOwnedCollection.h"
#include "TxlsColumnList.h"
#include "TxlsWorkbookWriter.h"
#include "Variant.h"

class TComponent;
class TDataSet;
class TDBGrid;
class TExportColumns;
class TExportCustomSource;
class TExportFormats;
class TExportRow;
class TListView;
class TStringGrid;
class TStrings;
class TStringList;
class TWideStringList;
class TXLSOptions;
class TxlsCells;
class TxlsCharts;
class TxlsFieldFormats;
class TxlsFormats;
class TxlsGraphic;
class TxlsHyperlinks;
class TxlsImages;
class TxlsMergedCellList;
class TxlsNotes;

enum class TxlsStripType { ssNone, ssCol, ssRow };
using enum TxlsStripType;

// One group of rows closed by a change of the sub-aggregate control column: its aggregates go
// to FormulaRow, over the rows from StartRow to the one before FormulaRow.
struct TxlsSubAggregateGroup {
  int StartRow = 0;
  int FormulaRow = 0;
};

class TxlsSheet : public TCollectionItem {
  DECLARE_CLASS(TxlsSheet, TCollectionItem)

  explicit TxlsSheet(TCollection* Collection = nullptr);
  ~TxlsSheet() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;

  // The exporter the sheet belongs to (the owner of its collection), nullptr without one.
  TPersistent* Exporter() const;
  void CopyFromExporter(TPersistent* Exporter);
  void CopyToExporter(TPersistent* Exporter);
  void RemoveSource(TComponent* Component);
  // What the workbook writer needs to frame the sheet: its columns' widths come from Columns.
  TxlsSheetFrame Frame() const;

  bool AutoCalcColWidth() const { return autoCalcColWidth_; }
  void SetAutoCalcColWidth(bool Value) { autoCalcColWidth_ = Value; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }
  TXLSOptions* Options() const { return options_.get(); }
  void SetOptions(TXLSOptions* Value);
  TxlsFieldFormats* FieldFormats() const { return fieldFormats_.get(); }
  void SetFieldFormats(TxlsFieldFormats* Value);
  TxlsFormats* StripStyles() const { return stripStyles_.get(); }
  void SetStripStyles(TxlsFormats* Value);
  TxlsStripType StripType() const { return stripType_; }
  void SetStripType(TxlsStripType Value) { stripType_ = Value; }
  TxlsHyperlinks* Hyperlinks() const { return hyperlinks_.get(); }
  void SetHyperlinks(TxlsHyperlinks* Value);
  TxlsNotes* Notes() const { return notes_.get(); }
  void SetNotes(TxlsNotes* Value);
  TxlsCharts* Charts() const { return charts_.get(); }
  void SetCharts(TxlsCharts* Value);
  TxlsImages* Images() const { return images_.get(); }
  void SetImages(TxlsImages* Value);
  TxlsCells* Cells() const { return cells_.get(); }
  void SetCells(TxlsCells* Value);
  TxlsMergedCellList* MergedCells() const { return mergedCells_.get(); }
  void SetMergedCells(TxlsMergedCellList* Value);
  TxlsGraphic* Background() const { return background_.get(); }
  void SetBackground(TxlsGraphic* Value);
  const AnsiString& SubAggControlColumn() const { return subAggControlColumn_; }
  void SetSubAggControlColumn(const AnsiString& Value) { subAggControlColumn_ = Value; }
  TExportSource ExportSource() const { return exportSource_; }
  void SetExportSource(TExportSource Value) { exportSource_ = Value; }
  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);
  TExportCustomSource* CustomSource() const { return customSource_; }
  void SetCustomSource(TExportCustomSource* Value);
  TListView* ListView() const { return listView_; }
  void SetListView(TListView* Value);
  TDBGrid* DBGrid() const { return dbGrid_; }
  void SetDBGrid(TDBGrid* Value);
  TStringGrid* StringGrid() const { return stringGrid_; }
  void SetStringGrid(TStringGrid* Value);
  int HeaderRows() const { return headerRows_; }
  void SetHeaderRows(int Value) { headerRows_ = static_cast<std::uint16_t>(Value); }
  int StartDataCol() const { return startDataCol_; }
  void SetStartDataCol(int Value) { startDataCol_ = static_cast<std::uint8_t>(Value); }
  int FooterRows() const { return footerRows_; }
  void SetFooterRows(int Value) { footerRows_ = static_cast<std::uint16_t>(Value); }
  TStrings* ExportedFields() const;
  void SetExportedFields(TStrings* Value);
  TWideStringList* Header() const { return header_.get(); }
  void SetHeader(TWideStringList* Value);
  TWideStringList* Footer() const { return footer_.get(); }
  void SetFooter(TWideStringList* Value);
  TStrings* Captions() const;
  void SetCaptions(TStrings* Value);
  TStrings* UserFormats() const;
  void SetUserFormats(TStrings* Value);
  TStrings* ColumnsWidth() const;
  void SetColumnsWidth(TStrings* Value);
  TExportFormats* Formats() const { return formats_.get(); }
  void SetFormats(TExportFormats* Value);
  double DefRowHeight() const { return defRowHeight_; }
  void SetDefRowHeight(double Value) { defRowHeight_ = Value; }
  int DefColWidth() const { return defColWidth_; }
  void SetDefColWidth(int Value) { defColWidth_ = Value; }
  bool AllowCaptions() const { return allowCaptions_; }
  void SetAllowCaptions(bool Value) { allowCaptions_ = Value; }
  bool GoToFirstRecord() const { return goToFirstRecord_; }
  void SetGoToFirstRecord(bool Value) { goToFirstRecord_ = Value; }
  int ExportRecCount() const { return exportRecCount_; }
  void SetExportRecCount(int Value) { exportRecCount_ = Value; }
  int SkipRecCount() const { return skipRecCount_; }
  void SetSkipRecCount(int Value) { skipRecCount_ = Value; }
  bool CurrentRecordOnly() const { return currentRecordOnly_; }
  void SetCurrentRecordOnly(bool Value) { currentRecordOnly_ = Value; }
  bool OnlyVisibleFields() const { return onlyVisibleFields_; }
  void SetOnlyVisibleFields(bool Value) { onlyVisibleFields_ = Value; }
  bool AutoCalcStrType() const { return autoCalcStrType_; }
  void SetAutoCalcStrType(bool Value) { autoCalcStrType_ = Value; }
  int CaptionRow() const { return captionRow_; }
  void SetCaptionRow(int Value) { captionRow_ = Value; }
  bool Exported() const { return exported_; }
  void SetExported(bool Value) { exported_ = Value; }
  int Tag() const { return tag_; }
  void SetTag(int Value) { tag_ = Value; }

  // Working state while the sheet is exported.
  TExportColumns* Columns() const { return columns_.get(); }
  TExportRow* Row() const { return row_.get(); }
  int CurrentRow = 0;
  int RecordsExported = 0;
  int LastUsedColumn = 0;
  TxlsColumnList& ColumnList() { return columnList_; }
  Variant LastControlValue;
  int GroupStartRow = 0;
  std::vector<TxlsSubAggregateGroup>& SubAggregates() { return subAggregates_; }

private:
  // Asks a source to tell the exporter when it goes, so that RemoveSource runs.
  void watch(TComponent* Source) const;

  bool autoCalcColWidth_ = false;
  WideString title_;
  std::unique_ptr<TXLSOptions> options_;
  std::unique_ptr<TxlsFieldFormats> fieldFormats_;
  std::unique_ptr<TxlsFormats> stripStyles_;
  TxlsStripType stripType_ = ssNone;
  std::unique_ptr<TxlsHyperlinks> hyperlinks_;
  std::unique_ptr<TxlsNotes> notes_;
  std::unique_ptr<TxlsCharts> charts_;
  std::unique_ptr<TxlsImages> images_;
  std::unique_ptr<TxlsCells> cells_;
  std::unique_ptr<TxlsMergedCellList> mergedCells_;
  std::unique_ptr<TxlsGraphic> background_;
  AnsiString subAggControlColumn_;
  TExportSource exportSource_ = esDataSet;
  TDataSet* dataSet_ = nullptr;
  TExportCustomSource* customSource_ = nullptr;
  TListView* listView_ = nullptr;
  TDBGrid* dbGrid_ = nullptr;
  TStringGrid* stringGrid_ = nullptr;
  std::uint16_t headerRows_ = 0;
  std::uint8_t startDataCol_ = 0;
  std::uint16_t footerRows_ = 0;
  std::unique_ptr<TStringList> exportedFields_;
  std::unique_ptr<TWideStringList> header_;
  std::unique_ptr<TWideStringList> footer_;
  std::unique_ptr<TStringList> captions_;
  std::unique_ptr<TStringList> userFormats_;
  std::unique_ptr<TStringList> columnsWidth_;
  std::unique_ptr<TExportFormats> formats_;
  double defRowHeight_ = 12.75;
  int defColWidth_ = 8;
  bool allowCaptions_ = true;
  bool goToFirstRecord_ = true;
  int exportRecCount_ = 0;
  int skipRecCount_ = 0;
  bool currentRecordOnly_ = false;
  bool onlyVisibleFields_ = true;
  bool autoCalcStrType_ = false;
  int captionRow_ = -1;
  bool exported_ = true;
  int tag_ = 0;

  std::unique_ptr<TExportColumns> columns_;
  std::unique_ptr<TExportRow> row_;
  TxlsColumnList columnList_;
  std::vector<TxlsSubAggregateGroup> subAggregates_;
};

class TxlsSheets : public TOwnedCollection {
  DECLARE_CLASS(TxlsSheets, TOwnedCollection)

  explicit TxlsSheets(TPersistent* Exporter);
  TxlsSheet* Add();
  TxlsSheet* Items(int Index) const;
};
