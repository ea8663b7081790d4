// The drawing layer the workbook writer puts at the end of a sheet (notes, images, charts) and
// the background picture it puts after the page setup.
#include <gtest/gtest.h>

#include <fstream>

#include "Biff8Records.h"
#include "TBitmap.h"
#include "TComponent.h"
#include "TDataExportXLS.h"
#include "TMemoryStream.h"
#include "TPngImage.h"
#include "TStringList.h"
#include "TxlsChart.h"
#include "TxlsGraphic.h"
#include "TxlsImage.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "TxlsWorkbookFile.h"
#include "TxlsWorkbookWriter.h"
#include "XlsTestSupport.h"

namespace {

constexpr std::uint16_t kShapeRecord = 0xF00A;
constexpr std::uint16_t kOptRecord = 0xF00B;
constexpr std::uint16_t kDgRecord = 0xF008;

// A workbook of the sheets, each written with a few cells.
void WriteSheets(TStream& stream, const std::vector<TxlsSheet*>& sheets) {
  TxlsWorkbookWriter writer(stream);
  writer.WriteWorkbookPrologue();
  TxlsWorkbookContent content;
  for (TxlsSheet* sheet : sheets) {
    const TxlsSheetFrame frame = sheet->Frame();
    writer.WriteSheetPrologue(frame);
    writer.WriteLabelSST(0, 0, u"Meter", 15);
    writer.WriteNumber(1, 0, 12.5, 15);
    writer.WriteSheetEpilogue(frame);
    content.Pictures = frame.Pictures;
  }
  writer.WriteWorkbookGlobals(content);
}

// The records of that workbook.
std::vector<TRecord> SheetRecords(const std::vector<TxlsSheet*>& sheets) {
  TMemoryStream stream;
  WriteSheets(stream, sheets);
  return SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
}
std::vector<TRecord> SheetRecords(TxlsSheet& sheet) { return SheetRecords(std::vector<TxlsSheet*>{&sheet}); }

// The ids of the records from the sheet's SELECTION on.
std::vector<std::uint16_t> DrawingIds(const std::vector<TRecord>& records) {
  std::vector<std::uint16_t> ids;
  bool on = false;
  for (const TRecord& r : records) {
    if (r.Id == biff8::SELECTION) on = true;
    else if (on) ids.push_back(r.Id);
  }
  return ids;
}

// The OfficeArt records of a type found in OfficeArt data (containers are searched too).
struct TArtRecord {
  std::uint16_t Instance;
  std::string Body;
};
void walkArt(const std::string& data, std::size_t at, std::size_t end, std::uint16_t type, std::vector<TArtRecord>& out) {
  while (at + 8 <= end) {
    const std::uint16_t head = U16At(data, at);
    const std::uint16_t recType = U16At(data, at + 2);
    const std::uint32_t length = U32At(data, at + 4);
    const std::size_t body = at + 8;
    const std::size_t stop = std::min<std::size_t>(end, body + length);
    if (recType == type) out.push_back({static_cast<std::uint16_t>(head >> 4), data.substr(body, stop - body)});
    if ((head & 0x0F) == 0x0F) walkArt(data, body, stop, type, out);  // a container
    at = (head & 0x0F) == 0x0F && stop < body + length ? stop : body + length;
  }
}
std::vector<TArtRecord> ArtRecords(const std::vector<TRecord>& records, std::uint16_t type) {
  std::string data;
  for (const TRecord& r : RecordsWithId(records, biff8::MSODRAWING)) data += r.Data;
  std::vector<TArtRecord> out;
  walkArt(data, 0, data.size(), type, out);
  return out;
}

// The value of property Id in an OPT body, -1 when absent.
std::int64_t OptValue(const TArtRecord& opt, std::uint16_t id) {
  for (std::size_t k = 0; k < opt.Instance; ++k)
    if ((U16At(opt.Body, 6 * k) & 0x3FFF) == (id & 0x3FFF)) return U32At(opt.Body, 6 * k + 2);
  return -1;
}

class DrawingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    exporter = new TDataExportXLS(&owner);
    sheet = exporter->Sheets()->Add();
  }
  TxlsNote* addNote(int row, int col, const char* text) {
    TxlsNote* note = sheet->Notes()->Add();
    note->SetRow(static_cast<std::uint16_t>(row));
    note->SetCol(static_cast<std::uint16_t>(col));
    note->Lines()->SetText(text);
    return note;
  }
  // A PNG picture of the exporter, shown by an image at (row, col).
  TxlsImage* addImage(const std::string& path, int width, int height) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(path);
    TxlsPicture* picture = exporter->Pictures()->Add();
    picture->SetFileName(path);
    TxlsImage* image = sheet->Images()->Add();
    image->SetPictureName(picture->Name());
    image->SetRow(3);
    image->SetCol(1);
    return image;
  }

  TComponent owner{nullptr};
  TDataExportXLS* exporter = nullptr;
  TxlsSheet* sheet = nullptr;
  TTempDir dir;
};

}  // namespace

TEST_F(DrawingsTest, ASheetWithOneNoteGetsItsObjectTextAndNoteRecordsInOrder) {
  addNote(5, 2, "Meter replaced\r\n");
  const auto records = SheetRecords(*sheet);
  const std::vector<std::uint16_t> expected = {biff8::MSODRAWING, biff8::OBJ,      biff8::MSODRAWING, biff8::TXO,
                                               biff8::CONTINUE,   biff8::CONTINUE, biff8::NOTE,       biff8::EOF_};
  EXPECT_EQ(DrawingIds(records), expected);
  const auto obj = RecordsWithId(records, biff8::OBJ);
  ASSERT_EQ(obj.size(), 1u);
  // Common object data (comment, object 1, locked and printed), notes data of length 0, end.
  EXPECT_EQ(Hex(obj[0].Data), "15 00 12 00 19 00 01 00 11 00 " + Hex(std::string(12, '\0')) + " 0D 00 00 00 00 00 00 00");
  // The trailing line break is not part of the text: 14 characters.
  const auto txo = RecordsWithId(records, biff8::TXO);
  ASSERT_EQ(txo.size(), 1u);
  EXPECT_EQ(txo[0].Data.size(), 18u);
  EXPECT_EQ(U16At(txo[0].Data, 0), 0x0012);  // left, top
  EXPECT_EQ(U16At(txo[0].Data, 10), 14);
  EXPECT_EQ(U16At(txo[0].Data, 12), 16);
  const auto continues = RecordsWithId(records, biff8::CONTINUE);
  EXPECT_EQ(continues[continues.size() - 2].Data.size(), 1u + 2 * 14);
  const auto note = RecordsWithId(records, biff8::NOTE);
  ASSERT_EQ(note.size(), 1u);
  // Row, column, hidden, object 1, an empty author (count 0, option byte) and the closing byte.
  EXPECT_EQ(Hex(note[0].Data), "04 00 01 00 00 00 01 00 00 00 00 00");
  // The note's font joins the workbook's fonts: Tahoma 8 bold, the first after the four fixed.
  const auto runs = continues.back().Data;
  EXPECT_EQ(U16At(runs, 2), 5);
  EXPECT_EQ(U16At(runs, 8), 14);
  const auto fonts = RecordsWithId(records, biff8::FONT);
  ASSERT_EQ(fonts.size(), 5u);
  EXPECT_EQ(U16At(fonts[4].Data, 0), 160);
  EXPECT_EQ(U16At(fonts[4].Data, 6), 700);

  // xlrd reads the workbook with its note.
  {
    TxlsWorkbookFile file(dir.Path("note.xls"));
    WriteSheets(file.Stream(), {sheet});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(dir.Path("note.xls")), "sheet\tSheet 1\nR0C0\ttext\tMeter\nR1C0\tnumber\t12.5\nR4C1\tnote\tMeter replaced\n");
}

TEST_F(DrawingsTest, NoteTransparencyGivesTheFillOpacityAndNeverANegativeOne) {
  TxlsNote* clear = addNote(2, 1, "none");
  TxlsNote* one = addNote(3, 1, "one");
  TxlsNote* full = addNote(4, 1, "full");
  clear->Format()->SetTransparency(0);
  one->Format()->SetTransparency(1);
  full->Format()->SetTransparency(100);
  const auto opts = ArtRecords(SheetRecords(*sheet), kOptRecord);
  ASSERT_EQ(opts.size(), 3u);
  EXPECT_EQ(OptValue(opts[0], 0x0182), -1);
  EXPECT_EQ(OptValue(opts[1], 0x0182), 64881);
  EXPECT_EQ(OptValue(opts[2], 0x0182), 0);
  // The notes' colour: the screen colour 0xE1FFFF as OfficeArt holds it.
  EXPECT_EQ(OptValue(opts[0], 0x0181), 0xE1FFFF);
  EXPECT_EQ(OptValue(opts[1], 0x0080), 2);
}

TEST_F(DrawingsTest, ShapeIdsGoOnAcrossNotesImagesAndChartsOfASheet) {
  addNote(2, 1, "a note");
  addImage(dir.Path("p.png"), 30, 20);
  sheet->Charts()->Add()->Series()->Add();
  const auto records = SheetRecords(*sheet);
  const auto shapes = ArtRecords(records, kShapeRecord);
  ASSERT_EQ(shapes.size(), 4u);  // the group's own shape and the three
  std::vector<std::uint32_t> ids;
  for (const TArtRecord& s : shapes) ids.push_back(U32At(s.Body, 0));
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{1024, 1025, 1026, 1027}));
  EXPECT_EQ(shapes[1].Instance, 202);
  EXPECT_EQ(shapes[2].Instance, 75);
  EXPECT_EQ(shapes[3].Instance, 201);
  const auto dg = ArtRecords(records, kDgRecord);
  ASSERT_EQ(dg.size(), 1u);
  EXPECT_EQ(U32At(dg[0].Body, 0), 4u);
  EXPECT_EQ(U32At(dg[0].Body, 4), 1027u);
  // Objects 1, 2 and 3: the note's, the picture's and the chart's (26 bytes), whose substream
  // follows it. The picture's: common object data (picture, object 2, locked and printed), its
  // clipboard format (neither a bitmap nor a metafile: a PNG), its options (keep the aspect
  // ratio), end.
  const auto objects = RecordsWithId(records, biff8::OBJ);
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(Hex(objects[1].Data), "15 00 12 00 08 00 02 00 11 00 " + Hex(std::string(12, '\0')) +
                                      " 07 00 02 00 FF FF 08 00 02 00 01 00 00 00 00 00");
  EXPECT_EQ(objects[2].Data.size(), 26u);
  EXPECT_EQ(U16At(objects[2].Data, 6), 3);
  const auto bofs = RecordsWithId(records, biff8::BOF);
  ASSERT_EQ(bofs.size(), 3u);
  EXPECT_EQ(U16At(bofs[2].Data, 2), biff8::SubstreamChart);
  // The globals know of the three shapes and the one picture; charts need sheet references.
  const auto group = RecordsWithId(records, biff8::MSODRAWINGGROUP);
  ASSERT_EQ(group.size(), 1u);
  EXPECT_EQ(U32At(group[0].Data, 8 + 8), 3u + 1025);  // the drawing group's shape ids end there
  EXPECT_EQ(RecordsWithId(records, biff8::EXTERNSHEET).size(), 1u);
}

TEST_F(DrawingsTest, EachSheetsDrawingHasItsOwnIdAndShapeIdsAndTheGroupCountsThem) {
  addNote(2, 1, "first sheet");
  addImage(dir.Path("p.png"), 30, 20);
  TBitmap bitmap;
  bitmap.SetSize(30, 20);
  bitmap.SaveToFile(dir.Path("p.bmp"));
  exporter->Pictures()->Items(0)->SetFileName(dir.Path("p.bmp"));
  TxlsSheet* second = exporter->Sheets()->Add();
  for (int row : {2, 5}) {
    TxlsNote* note = second->Notes()->Add();
    note->SetRow(static_cast<std::uint16_t>(row));
    note->SetCol(1);
    note->Lines()->SetText("second sheet");
  }
  const auto records = SheetRecords({sheet, second});
  // Drawing 1 takes shape ids 1024 to 1026 (cluster 1), drawing 2 ids 2048 to 2050 (cluster 2).
  const auto dg = ArtRecords(records, kDgRecord);
  ASSERT_EQ(dg.size(), 2u);
  EXPECT_EQ(dg[0].Instance, 1);
  EXPECT_EQ(Hex(dg[0].Body), "03 00 00 00 02 04 00 00");
  EXPECT_EQ(dg[1].Instance, 2);
  EXPECT_EQ(Hex(dg[1].Body), "03 00 00 00 02 08 00 00");
  std::vector<std::uint32_t> ids;
  for (const TArtRecord& shape : ArtRecords(records, kShapeRecord)) ids.push_back(U32At(shape.Body, 0));
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{1024, 1025, 1026, 2048, 2049, 2050}));
  // The drawing group: the id after the last, two clusters (+ 1), six shapes in two drawings,
  // then cluster 1 of drawing 1 and cluster 2 of drawing 2, three ids given by each.
  const auto group = RecordsWithId(records, biff8::MSODRAWINGGROUP);
  ASSERT_EQ(group.size(), 1u);
  EXPECT_EQ(Hex(group[0].Data.substr(8, 8)), "00 00 06 F0 20 00 00 00");
  EXPECT_EQ(Hex(group[0].Data.substr(16, 32)),
            "03 08 00 00 03 00 00 00 06 00 00 00 02 00 00 00 01 00 00 00 03 00 00 00 02 00 00 00 03 00 00 00");
  // A BMP picture's clipboard format is a bitmap.
  const auto objects = RecordsWithId(records, biff8::OBJ);
  ASSERT_EQ(objects.size(), 4u);
  EXPECT_EQ(U16At(objects[1].Data, 26), 0x0009);
  // The notes of the second sheet are its objects 1 and 2.
  const auto notes = RecordsWithId(records, biff8::NOTE);
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(U16At(notes[2].Data, 6), 2);
}

TEST_F(DrawingsTest, AnImageOfAMissingOrUnreadablePictureIsNotDrawn) {
  TxlsImage* image = addImage(dir.Path("p.png"), 30, 20);
  std::ofstream(dir.Path("text.png")) << "not a picture";
  exporter->Pictures()->Items(0)->SetFileName(dir.Path("text.png"));
  auto records = SheetRecords(*sheet);
  EXPECT_TRUE(RecordsWithId(records, biff8::MSODRAWING).empty());
  exporter->Pictures()->Items(0)->SetFileName(dir.Path("missing.png"));
  EXPECT_TRUE(RecordsWithId(SheetRecords(*sheet), biff8::OBJ).empty());
  image->SetPictureName("no such picture");
  EXPECT_TRUE(RecordsWithId(SheetRecords(*sheet), biff8::OBJ).empty());
}

TEST_F(DrawingsTest, TheBackgroundPictureIsDrawnOntoA24BitBitmap) {
  // 100 x 30 white pixels: rows of 300 bytes, 9000 bytes in all: one record and a CONTINUE.
  TBitmap white;
  white.SetSize(100, 30);
  TPngImage png;
  png.Assign(&white);
  png.SaveToFile(dir.Path("white.png"));
  sheet->Background()->SetFileName(dir.Path("white.png"));
  const auto records = SheetRecords(*sheet);
  std::size_t at = 0;
  while (at < records.size() && records[at].Id != biff8::BITMAP) ++at;
  ASSERT_LT(at + 1, records.size());
  const std::string& bitmap = records[at].Data;
  EXPECT_EQ(bitmap.size(), 8220u);
  EXPECT_EQ(Hex(bitmap.substr(0, 20)), "09 00 01 00 34 23 00 00 0C 00 00 00 64 00 1E 00 01 00 18 00");
  EXPECT_EQ(Hex(bitmap.substr(20, 6)), "FF FF FF FF FF FF");
  ASSERT_EQ(records[at + 1].Id, biff8::CONTINUE);
  EXPECT_EQ(records[at + 1].Data.size(), 9000u + 20 - 8220);

  // A file that is no picture gives no background.
  std::ofstream(dir.Path("text.bmp")) << "not a picture";
  sheet->Background()->SetFileName(dir.Path("text.bmp"));
  EXPECT_TRUE(RecordsWithId(SheetRecords(*sheet), biff8::BITMAP).empty());
}
TEST_F(DrawingsTest, ChartsOnASheetReferToItsColumnsByName) {
  TxlsChart* chart = sheet->Charts()->Add();
  TxlsChartSeries* series = chart->Series()->Add();
  series->SetDataColumn("READING");
  sheet->ColumnList().Use("reading", 1, 2);
  sheet->ColumnList().Use("reading", 40, 2);
  SheetRecords(*sheet);
  EXPECT_EQ(series->DataRange()->Col1(), 3);
  EXPECT_EQ(series->DataRange()->Row1(), 2);
  EXPECT_EQ(series->DataRange()->Row2(), 41);
}
