// TDataExportXLS: the exporter that writes an Excel 97-2003 workbook (.xls, BIFF8 in an OLE
// compound document) with one or more sheets.
//
//   TDataExportXLS xls(owner);
//   xls.SetDataSet(readings);
//   xls.SetFileName("/data/CBSJ.xls");
//   xls.Execute();
//
// Each item of Sheets is a sheet with its own source, columns, header and footer lines,
// captions, formats, looks, strip styles, field formats with aggregates, and its hyperlinks,
// notes, charts, images, free cells and merged ranges (TxlsSheet). When no sheet is marked
// Exported (or there is none) one sheet is made from the exporter's own properties of the same
// names for the export and taken away again afterwards.
//
// Execute: FileName "" raises 34023 "Result file name not present"; the file's folder (the
// program's own when the name has none) is made with its parents, else 34025; then the workbook
// is written (ExportSheets) and, unless the export was aborted, the file is shown or printed
// (ShowFile, PrintFile). The file is written whole or not at all: an export that raises, or
// that is aborted before its first sheet, leaves an earlier file of that name as it was. A file
// that cannot be created raises ExlsFileError "Cannot create file %s".
//
// ExportSheets, for every exported sheet in order: its source must be assigned (34014), open
// (34016) and, unless ExportEmpty, not empty (34017), all checked before anything is written;
// then BeginExport and BeforeExport run (an abort there writes nothing). Each sheet is then
// prepared (a sheet of more columns than the 256 an Excel sheet holds, from StartDataCol on,
// raises 34015 "Sheet %s define with error: %s"), framed, and filled with its header lines,
// captions, data rows (with sub-aggregate groups), aggregates and footer lines; OnBeforeExportSheet
// and OnAfterExportSheet come before and after. AfterExport and EndExport end the export;
// EndExport also when it raises.
//
// Row limit: a sheet holds 65,536 rows. Before each record the rows it will still take (its data
// row, a sub-aggregate row when SubAggControlColumn is set, the aggregate row when the sheet has
// aggregates, and its footer lines) are counted; when they do not fit, with AutoAddSheet off
// the export stops with 34822 "Export is aborted. The number of lines in the Excel sheet cannot
// exceed 65536."; with it on the sheet is finished and a sheet with all its settings (but its
// own title, "Sheet %d") is put right after it, where the records go on from the record that
// did not fit. Sheets added so are taken away again after the export, and the ExportRecCount
// of the sheet they continue is restored. Every sheet title is made unique and valid when it is
// written. A sheet whose header, captions and footer leave no room for a data row raises 34015.
//
// Cells by column type: numbers (integer, large integer, float, currency) as NUMBER, with a
// value that is no number written as text; dates and times above 1.0 as their day number (less
// 1 up to 60, the 1900 date system counting 29 February 1900) with the column's date format,
// the others (a time of day, a date before 1900, a format with milliseconds ".zzz") as their
// text; booleans as BOOLERR; strings as shared strings; an empty text as BLANK;
// the NULLString text always as text. A text longer than 32,767 characters raises ExlsFileError
// "String too large" unless AutoTruncateValue, which cuts it.
//
// Published, besides those of TDataExportFormatText (defaults): ColumnsWidth, AutoAddSheet True,
// AutoCalcColWidth False, AutoTruncateValue False, Options, FieldFormats, StripStyles,
// StripType ssNone, Hyperlinks, Notes, Charts, Sheets, Pictures, Images, Cells, MergedCells,
// Background, HeaderRows 0, StartDataCol 0, FooterRows 0, SubAggControlColumn "", and the
// events below. Ini settings: those of TDataExportFormatText, then section "XLS" with
// AutoTruncateValue, AutoCalcColWidth and AutoAddSheet.
//
// A source component freed while a sheet refers to it is dropped from every sheet.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "TDataExportFormatText.h"
#include "TxlsSheet.h"
#include "XlsExportEvents.h"

class TMemoryStream;
class TXLSOptions;
class TxlsCells;
class TxlsCharts;
class TxlsFieldFormats;
class TxlsFormat;
class TxlsFormats;
class TxlsGraphic;
class TxlsHyperlinks;
class TxlsImages;
class TxlsMergedCellList;
class TxlsNotes;
class TxlsPictures;
class TxlsWorkbookWriter;
struct TxlsSheetWork;

class TDataExportXLS : public TDataExportFormatText {
  DECLARE_CLASS(TDataExportXLS, TDataExportFormatText)

  explicit TDataExportXLS(TComponent* AOwner);
  ~TDataExportXLS() override;

  TExportWriterClass WriterClass() override;
  void Execute() override;
  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;

  bool AutoAddSheet() const { return autoAddSheet_; }
  void SetAutoAddSheet(bool Value) { autoAddSheet_ = Value; }
  bool AutoTruncateValue() const { return autoTruncateValue_; }
  void SetAutoTruncateValue(bool Value) { autoTruncateValue_ = Value; }
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
  TxlsSheets* Sheets() const { return sheets_.get(); }
  void SetSheets(TxlsSheets* Value);
  TxlsPictures* Pictures() const { return pictures_.get(); }
  void SetPictures(TxlsPictures* Value);
  TxlsImages* Images() const { return images_.get(); }
  void SetImages(TxlsImages* Value);
  TxlsCells* Cells() const { return cells_.get(); }
  void SetCells(TxlsCells* Value);
  TxlsMergedCellList* MergedCells() const { return mergedCells_.get(); }
  void SetMergedCells(TxlsMergedCellList* Value);
  TxlsGraphic* Background() const { return background_.get(); }
  void SetBackground(TxlsGraphic* Value);
  int HeaderRows() const { return headerRows_; }
  void SetHeaderRows(int Value) { headerRows_ = static_cast<std::uint16_t>(Value); }
  int StartDataCol() const { return startDataCol_; }
  void SetStartDataCol(int Value) { startDataCol_ = static_cast<std::uint8_t>(Value); }
  int FooterRows() const { return footerRows_; }
  void SetFooterRows(int Value) { footerRows_ = static_cast<std::uint16_t>(Value); }
  const AnsiString& SubAggControlColumn() const { return subAggControlColumn_; }
  void SetSubAggControlColumn(const AnsiString& Value) { subAggControlColumn_ = Value; }
  // The 16 chart colours (0xRRGGBB); the workbook's palette shows the first four.
  std::array<std::uint32_t, 16>& ChartColors() { return chartColors_; }
  // The section the steps are writing: 0 none, 1 header, 2 captions, 3 data, 4 aggregates,
  // 5 footer.
  std::uint8_t WriteSection() const { return writeSection_; }

  TxlsExportedRecordEvent OnExportedSheetRecord;
  TxlsAdvancedGetExportTextEvent OnAdvancedGetExportText;
  TxlsAdvancedGetExportDataEvent OnAdvancedGetExportData;
  TxlsAdvancedBeforeExportRowEvent OnAdvancedBeforeExportRow;
  TxlsGetSheetTextParamsEvent OnGetHeaderParams;
  TxlsGetCaptionParamsEvent OnGetCaptionParams;
  TxlsGetSheetTextParamsEvent OnGetBeforeDataParams;
  TxlsGetDataParamsEvent OnGetDataParams;
  TxlsGetAggregateParamsEvent OnGetAggregateParams;
  TxlsGetSheetTextParamsEvent OnGetFooterParams;
  TxlsSheetEvent OnBeforeExportSheet;
  TxlsSheetEvent OnAfterExportSheet;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Writes every exported sheet and the workbook globals into the open workbook.
  void ExportSheets();

  // The per-sheet steps, in the order ExportSheets runs them.
  void PrepareSheet(TxlsSheet* Sheet);
  void WriteSheetHeader(TxlsSheet* Sheet);
  void WriteSheetCaptions(TxlsSheet* Sheet);
  void WriteLeadingCells(TxlsSheet* Sheet);
  void FillSheetRow(TxlsSheet* Sheet);
  void WriteSheetDataRow(TxlsSheet* Sheet);
  void WriteSheetAggregates(TxlsSheet* Sheet);
  void WriteSheetFooter(TxlsSheet* Sheet);

private:
  void exportSheet(TxlsSheet* Sheet, TxlsSheetWork& Work);
  TxlsSheet* continueOnNewSheet(TxlsSheet* Sheet, TxlsSheetWork& Work);
  bool roomForRecord(const TxlsSheet* Sheet) const;
  void writeHeaderOrFooter(TxlsSheet* Sheet, bool Header);
  std::uint16_t dataXF(TxlsSheet* Sheet, int Column);
  void writeDataCell(TxlsSheet* Sheet, int Column, const WideString& Text, const Variant& Value, std::uint16_t XF);
  bool userCellAt(int Row, int Col) const;

  bool autoAddSheet_ = true;
  bool autoTruncateValue_ = false;
  std::unique_ptr<TXLSOptions> options_;
  std::unique_ptr<TxlsFieldFormats> fieldFormats_;
  std::unique_ptr<TxlsFormats> stripStyles_;
  TxlsStripType stripType_ = ssNone;
  std::unique_ptr<TxlsHyperlinks> hyperlinks_;
  std::unique_ptr<TxlsNotes> notes_;
  std::unique_ptr<TxlsCharts> charts_;
  std::unique_ptr<TxlsSheets> sheets_;
  std::unique_ptr<TxlsPictures> pictures_;
  std::unique_ptr<TxlsImages> images_;
  std::unique_ptr<TxlsCells> cells_;
  std::unique_ptr<TxlsMergedCellList> mergedCells_;
  std::unique_ptr<TxlsGraphic> background_;
  std::uint16_t headerRows_ = 0;
  std::uint8_t startDataCol_ = 0;
  std::uint16_t footerRows_ = 0;
  AnsiString subAggControlColumn_;
  std::array<std::uint32_t, 16> chartColors_;
  std::uint8_t writeSection_ = 0;

  // While a workbook is written: its writer, its globals (and where they go), and the state of
  // the sheet being written.
  TxlsWorkbookWriter* workbook_ = nullptr;
  TMemoryStream* globals_ = nullptr;
  std::int64_t globalsAt_ = 0;
  TxlsSheetWork* work_ = nullptr;
};
