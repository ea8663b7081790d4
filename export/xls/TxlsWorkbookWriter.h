// TxlsWorkbookWriter: writes one Excel 97-2003 workbook stream: the workbook globals and one
// worksheet substream per sheet, record by record.
//
// Use, in this order:
//
//   TxlsWorkbookFile file(name);                  // the compound document and its stream
//   TxlsWorkbookWriter writer(file.Stream());
//   writer.SetGatherCells(true);                  // cells reach the file in large blocks
//   writer.WriteWorkbookPrologue();
//   for each sheet:
//     writer.WriteSheetPrologue(frame);           // TxlsSheetFrame: title, page texts, columns
//     writer.WriteLabelSST(row, col, text, xf) ... // the cells, rows and columns from 0
//     writer.PatchColumnWidths();                 // when widths were measured (UpdateColumnWidth)
//     writer.WriteSheetEpilogue(frame);           // free cells, merged ranges, links, window,
//                                                 // notes, images and charts
//   writer.WriteWorkbookGlobals(content);         // fonts, formats, XFs, sheets, strings
//   file.Commit();
//
// The sheets are appended to the stream as they are written; WriteWorkbookGlobals then
// completes each sheet's DIMENSIONS, builds the rest of the globals in memory and inserts them
// before the globals' EOF, so that the stream reads globals first, then each sheet. A large
// workbook need not be moved for that: BuildWorkbookGlobals leaves the stream as it is and
// gives the globals and the place they belong, which TxlsWorkbookFile::Commit puts together:
//
//   file.Commit(file.Globals(), writer.BuildWorkbookGlobals(content, file.Globals()));
//
// Cell formats come from Formats() (TxlsCellFormatTable), texts go to the shared string table
// (SST()). Every cell written widens the current sheet's used range (its DIMENSIONS).
//
// Each cell is in the stream when its call returns, unless the writer gathers cells
// (SetGatherCells): then the cell records are kept in memory and reach the stream in large
// blocks, before anything else is written to it and whenever it is used through Stream(). A
// workbook is mostly cells, and a write per cell costs more than the cell: a writer over a file
// should gather them, and use the stream only through Stream() while it writes. The globals
// (WriteWorkbookGlobals, BuildWorkbookGlobals) write out every cell gathered.
//
// Limits and bad values: a row beyond 65535 or a column beyond 255 raises ExlsFileError (the
// format has no room for it; the caller starts another sheet); a number that is not finite is
// written as the error value #NUM!; a text longer than 32767 characters raises "String too
// large" unless truncation is allowed (then it is cut). Sheet titles are made valid for Excel
// when their sheet is started: at most 31 characters, none of : \ / ? * [ ], not empty, and
// unique in the workbook ignoring case; valid titles stay as they are. Every short write raises
// ExlsFileError "Error writing output file" (for cells, when their block is written).
//
// Column widths are measured in the fonts of the cells with the screen's font metrics
// (TFontMetrics): the GUI layer must be running, on any thread. Widths take the fonts'
// design widths, not the screen's whole pixels, as the workbook's readers do when they decide
// whether a value fits its column.
//
// Drawings: the sheet prologue writes the frame's Background as a BITMAP record (a picture file
// is decoded and drawn onto a 24-bit bitmap; a file that is missing or no picture gives no
// record). The epilogue draws the frame's valid notes, the images whose picture is in the
// picture store (TxlsPictureStore, made once from the frame's or the content's Pictures) and
// the charts, as one drawing with its OBJ, TXO and NOTE records and each chart's substream.
// Each sheet's drawing has an id of its own (1, 2, ... in the order drawn) and shape ids from
// clusters of its own (see TmsoDrawingIds); its shapes are numbered on across its notes, images
// and charts, and its objects from 1. The globals then hold the drawing group, which counts the
// drawings and their shapes, with the stored pictures, and the sheet references that charts
// need.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "Biff8Records.h"
#include "MsoShapeRecords.h"
#include "System.h"
#include "TbiffBuffer.h"
#include "TsstStrings.h"
#include "TxlsBoundSheet.h"
#include "TxlsCellFormatTable.h"
#include "XlsTypes.h"

class TStream;
class TFontMetrics;
class TxlsCells;
class TxlsCharts;
class TxlsColumnList;
class TxlsFont;
class TxlsGraphic;
class TxlsHyperlinks;
class TxlsImages;
class TxlsMergedCellList;
class TxlsMSODrawing;
class TxlsNote;
class TxlsNotes;
class TxlsPictureStore;
class TxlsPictures;

// What the writer needs of a sheet to frame its cells.
struct TxlsSheetFrame {
  int SheetIndex = 0;
  WideString Title;
  int DefColWidth = 8;
  double DefRowHeight = 12.75;
  WideString PageHeader;
  WideString PageFooter;
  // The exported columns: their widths in characters, placed from column StartDataCol on.
  int StartDataCol = 0;
  std::vector<int> ColumnWidths;
  // The user's objects written by the epilogue (each may be missing).
  const TxlsCells* Cells = nullptr;
  const TxlsMergedCellList* MergedCells = nullptr;
  const TxlsHyperlinks* Hyperlinks = nullptr;
  // The drawings (each may be missing): notes, images of the exporter's Pictures, and charts,
  // whose ranges by column name are taken from ColumnList before they are written.
  const TxlsNotes* Notes = nullptr;
  const TxlsImages* Images = nullptr;
  TxlsCharts* Charts = nullptr;
  const TxlsColumnList* ColumnList = nullptr;
  const TxlsPictures* Pictures = nullptr;
  // The sheet's background picture (may be missing).
  TxlsGraphic* Background = nullptr;
};

// What the globals need to know of the whole workbook.
struct TxlsWorkbookContent {
  // Some sheet has charts: the sheets get external references for their ranges (also when the
  // writer drew charts itself).
  bool HasCharts = false;
  // The pictures stored once for all images (may be missing).
  const TxlsPictures* Pictures = nullptr;
};

// Error codes of BOOLERR.
constexpr std::uint8_t xlsErrorNum = 0x24;  // #NUM!

class TxlsWorkbookWriter {
public:
  explicit TxlsWorkbookWriter(TStream& Stream, bool AllowTruncate = false);
  virtual ~TxlsWorkbookWriter();
  TxlsWorkbookWriter(const TxlsWorkbookWriter&) = delete;
  TxlsWorkbookWriter& operator=(const TxlsWorkbookWriter&) = delete;

  // The stream, with the cells written so far in it.
  TStream& Stream() { return stream(); }
  // Whether cell records are gathered in memory (see above); false at first. Turning it off
  // writes out the cells gathered.
  bool GatherCells() const { return gatherCells_; }
  void SetGatherCells(bool Value) {
    gatherCells_ = Value;
    if (!Value) flushCells();
  }
  TsstStrings& SST() { return sst_; }
  TxlsCellFormatTable& Formats() { return formats_; }
  TxlsBoundSheetList& BoundSheets() { return boundSheets_; }
  // The sheet being written, nullptr between sheets.
  TxlsBoundSheet* CurrentSheet() const { return current_; }
  // The palette's colour indexes 24 to 27 take the first four of these (0xRRGGBB).
  std::array<std::uint32_t, 16>& ChartColors() { return chartColors_; }
  // The colour (0xRRGGBB) of a palette index 8 to 63; black for any other index.
  std::uint32_t PaletteColor(std::uint16_t Index) const;

  // Record primitives: the id, the length and the data assembled in Record().
  TbiffBuffer& Record() { return record_; }
  void WriteRecord(std::uint16_t Id);
  void WriteWordRecord(std::uint16_t Id, std::uint16_t Value);
  void WriteBOF(std::uint16_t Type);

  // Cells.
  void WriteLabelSST(int Row, int Col, std::u16string_view Text, std::uint16_t XF);
  void WriteNumber(int Row, int Col, double Value, std::uint16_t XF);
  void WriteBoolErr(int Row, int Col, bool Value, std::uint16_t XF);
  void WriteError(int Row, int Col, std::uint8_t Code, std::uint16_t XF);
  void WriteBlank(int Row, int Col, std::uint16_t XF);
  // A formula of the aggregate over column Col from FirstRow to LastRow, recalculated on load.
  void WriteAggregateFormula(int Row, int Col, std::uint16_t XF, TxlsAggregate Aggregate, int FirstRow, int LastRow);

  // Framing.
  void WriteWorkbookPrologue();
  TxlsBoundSheet* WriteSheetPrologue(const TxlsSheetFrame& Frame);
  void WriteSheetEpilogue(const TxlsSheetFrame& Frame);
  void WriteWorkbookGlobals(const TxlsWorkbookContent& Content);
  // The rest of the globals written into Globals (from its position on) for the stream as it
  // stands, whose DIMENSIONS are completed; returns the stream position they belong at.
  std::int64_t BuildWorkbookGlobals(const TxlsWorkbookContent& Content, TStream& Globals);

  // Column widths of the current sheet, in characters, by exported column (0-based).
  void UpdateColumnWidth(std::u16string_view Text, std::uint16_t XF, int Column);
  void PatchColumnWidths();
  int ColumnWidth(int Column) const;

  // The workbook's picture store, made from Pictures on the first call (nullptr: an empty store
  // when none was made yet); later calls return the same store.
  const TxlsPictureStore& PictureStore(const TxlsPictures* Pictures);
  // The drawings made so far, one per sheet that has shapes.
  const std::vector<TmsoDrawingIds>& Drawings() const { return drawings_; }

protected:
  // The drawing layer's parts of a sheet: its background picture (after the page setup) and its
  // drawings (notes, images, charts; before EOF).
  virtual void WriteSheetBackground(const TxlsSheetFrame& Frame);
  virtual void WriteSheetDrawings(const TxlsSheetFrame& Frame);

private:
  std::array<std::uint32_t, biff8::PaletteColors> palette() const;
  void writeNote(const TxlsMSODrawing& Drawing, const TxlsNote& Note, int Object, int TextBox);
  void writeImageObject(int Object, std::uint8_t BlipType);
  void writeChartObject(int Object);
  void checkCell(int Row, int Col) const;
  void cellHeader(int Row, int Col, std::uint16_t XF);
  // The place of Size bytes of data of a cell record among the gathered cells, after the header,
  // row, column and XF put there.
  std::uint8_t* cellRecord(std::uint16_t Id, int Row, int Col, std::uint16_t XF, std::size_t Size);
  // After a cell record is complete: writes it out, or the gathered block once it is full.
  void cellWritten();
  void flushCells();
  // The stream after the gathered cells were written to it: every use of the stream but a
  // cell's goes through here.
  TStream& stream() {
    flushCells();
    return stream_;
  }
  void writeHeaderFooter(std::uint16_t Id, const WideString& Text);
  void writeColumnInfo(const TxlsSheetFrame& Frame);
  WideString validTitle(const WideString& Title, int SheetIndex) const;
  void patchDimensions();
  void writeGlobals(TStream& Out, const TxlsWorkbookContent& Content);
  void writeDrawingGroup(TStream& Out, const TxlsWorkbookContent& Content);
  const TFontMetrics& metricsOfXF(std::uint16_t XF);
  double digitWidth();

  TStream& stream_;
  // Cell records not yet written to the stream. Gathered, they go out once they fill a block,
  // so that the stream takes them in writes of at least kCellBlock bytes.
  static constexpr std::size_t kCellBlock = std::size_t{64} * 1024;
  static constexpr std::size_t kLargestCell = 4 + 6 + 8;  // header, row, column, XF, a number
  std::unique_ptr<std::uint8_t[]> cells_;
  std::size_t cellsUsed_ = 0;
  bool gatherCells_ = false;
  TbiffBuffer record_;
  TsstStrings sst_;
  TxlsCellFormatTable formats_;
  TxlsBoundSheetList boundSheets_;
  TxlsBoundSheet* current_ = nullptr;
  std::array<std::uint32_t, 16> chartColors_;
  std::int64_t globalsInsertPosition_ = 0;
  std::int64_t colInfoPosition_ = -1;
  int colInfoCount_ = 0;
  std::vector<int> columnWidths_;
  WideString measured_;  // UpdateColumnWidth's text
  std::map<std::uint16_t, std::unique_ptr<TFontMetrics>> metrics_;  // by font index; 0 the default font
  std::vector<const TFontMetrics*> xfMetrics_;  // the metrics of an XF's font, by XF (nullptr: not yet)
  double digitWidth_ = 0;  // of "0" in the default font, in design widths
  std::unique_ptr<TxlsPictureStore> pictureStore_;
  std::vector<TmsoDrawingIds> drawings_;
  bool chartsDrawn_ = false;
};
