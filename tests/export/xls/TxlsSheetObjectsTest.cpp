// The user's sheet objects: free cells, notes, hyperlinks, pictures, images and charts.
#include <gtest/gtest.h>

#include <fstream>

#include "CodePage.h"
#include "DateRoutines.h"
#include "TBitmap.h"
#include "TStringList.h"
#include "TXLSOptions.h"
#include "TxlsBoundSheet.h"
#include "TxlsCell.h"
#include "TxlsChart.h"
#include "TxlsColumnList.h"
#include "TxlsHyperlink.h"
#include "TxlsImage.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "TypInfo.h"
#include "XlsTestSupport.h"

namespace {

// A stand-in for the exporter and one of its sheets: what the objects look up by published
// property (Options, Pictures, Sheets, Images).
class TFakeSheet;
class TFakeSheets : public TOwnedCollection {
  DECLARE_CLASS(TFakeSheets, TOwnedCollection)
  explicit TFakeSheets(TPersistent* owner);
};

class TFakeExporter : public TPersistent {
  DECLARE_CLASS(TFakeExporter, TPersistent)
  TFakeExporter();
  TxlsPictures* Pictures() const { return pictures_.get(); }
  TFakeSheets* Sheets() const { return sheets_.get(); }
  TXLSOptions* Options() const { return options_.get(); }

private:
  std::unique_ptr<TxlsPictures> pictures_;
  std::unique_ptr<TFakeSheets> sheets_;
  std::unique_ptr<TXLSOptions> options_;
};

class TFakeSheet : public TCollectionItem {
  DECLARE_CLASS(TFakeSheet, TCollectionItem)
  explicit TFakeSheet(TCollection* c)
      : TCollectionItem(c), images_(std::make_unique<TxlsImages>(this)), charts_(std::make_unique<TxlsCharts>(this)) {}
  TxlsImages* Images() const { return images_.get(); }
  TxlsCharts* Charts() const { return charts_.get(); }

private:
  std::unique_ptr<TxlsImages> images_;
  std::unique_ptr<TxlsCharts> charts_;
};

DEFINE_CLASS(TFakeSheets, TOwnedCollection)
DEFINE_CLASS(TFakeExporter, TPersistent, Published::Class("Pictures", &TFakeExporter::Pictures),
             Published::Class("Sheets", &TFakeExporter::Sheets), Published::Class("Options", &TFakeExporter::Options))
DEFINE_CLASS(TFakeSheet, TCollectionItem, Published::Class("Images", &TFakeSheet::Images),
             Published::Class("Charts", &TFakeSheet::Charts))

TFakeSheets::TFakeSheets(TPersistent* owner) : TOwnedCollection(owner, CollectionItemClass<TFakeSheet>()) {}
TFakeExporter::TFakeExporter()
    : pictures_(std::make_unique<TxlsPictures>(this)),
      sheets_(std::make_unique<TFakeSheets>(this)),
      options_(std::make_unique<TXLSOptions>()) {}

}  // namespace

TEST(TxlsCell, NewCellIsATextOfTodayWithTheDefaultNumberFormat) {
  TxlsCell cell;
  EXPECT_EQ(cell.CellType(), ctString);
  EXPECT_EQ(cell.NumericFormat(), "###,###,#0.00");
  EXPECT_EQ(cell.AsDateTime(), Date());
  EXPECT_EQ(cell.DisplayName(), "Col: 0 Row: 0 ");
  cell.SetCellType(ctNumeric);
  cell.SetValue(Variant(u"not a number"));
  EXPECT_EQ(cell.AsNumber(), 0.0);
  cell.SetValue(Variant(u"2.5"));
  EXPECT_EQ(cell.Value().AsFloat(), 2.5);
}

TEST(TxlsNote, BoxStartsTwoRowsAboveAndTextLosesItsLastLineBreak) {
  TxlsNote note;
  note.SetCol(4);
  note.SetRow(10);
  EXPECT_EQ(note.Anchor(), (TxlsAnchor{4, 0, 8, 0, 6, 0, 13, 0}));
  note.SetRow(2);
  EXPECT_EQ(note.Anchor().Row1, 0);
  // A box that would pass the sheet's last row or column is moved back into the sheet.
  note.SetRow(65535);
  note.SetCol(255);
  EXPECT_EQ(note.Anchor(), (TxlsAnchor{253, 0, 65530, 0, 255, 0, 65535, 0}));
  note.SetRow(65533);
  note.SetCol(253);
  EXPECT_EQ(note.Anchor(), (TxlsAnchor{253, 0, 65530, 0, 255, 0, 65535, 0}));
  EXPECT_FALSE(note.IsValid());  // no text
  note.Lines()->Add("first");
  note.Lines()->Add("second");
  EXPECT_EQ(note.Text(), u"first\r\nsecond");
  EXPECT_TRUE(note.IsValid());
  note.SetCol(256);
  EXPECT_FALSE(note.IsValid());
}

TEST(TxlsHyperlink, ValidPlacesAndRecordLengths) {
  TxlsHyperlink link;
  link.SetTitle(u"ab");
  link.SetTarget(u"0123456789");
  link.SetRow(1);
  link.SetCol(256);
  EXPECT_TRUE(link.IsValid());
  link.SetCol(257);
  EXPECT_FALSE(link.IsValid());
  link.SetCol(1);
  link.SetRow(0);
  EXPECT_FALSE(link.IsValid());
  EXPECT_EQ(link.RecordLength(), 84u);
  // A local file: the parts as laid out, whatever their count says.
  link.SetStyle(hlsLocalFile);
  link.SetTarget(u"C:\\数据\\a.xls");
  const std::size_t ansi = WideToAnsi(link.Target()).size();
  EXPECT_EQ(link.RecordLength(), 8u + 16 + 4 + 4 + (4 + 6) + 16 + 2 + 4 + ansi + 1 + 24 + 4 + 4 + 2 + 2 * 11);
}

TEST(TxlsHyperlink, NewLinkTakesTheLookOfItsOwnersHyperlinkFormat) {
  TFakeExporter exporter;
  exporter.Options()->HyperlinkFormat()->Font()->SetColor(clrRed);
  TxlsHyperlinks links(&exporter);
  EXPECT_EQ(links.Add()->Format()->Font()->Color(), clrRed);
  TxlsHyperlinks orphans(nullptr);
  EXPECT_EQ(orphans.Add()->Format()->Font()->Color(), clrBlack);
}

TEST(TxlsPicture, NamesAreUniqueIgnoringCase) {
  TFakeExporter exporter;
  TxlsPicture* first = exporter.Pictures()->Add();
  TxlsPicture* second = exporter.Pictures()->Add();
  EXPECT_EQ(first->Name(), "Picture_0");
  EXPECT_EQ(second->Name(), "Picture_1");
  try {
    second->SetName("picture_0");
    FAIL() << "a name was taken twice";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "A picture picture_0 already exists");
  }
  EXPECT_EQ(second->Name(), "Picture_1");
  EXPECT_THROW(second->SetName(""), Exception);
}

TEST(TxlsPicture, SizeOfAGifComesFromItsHeaderAndOfANonPictureIsZero) {
  TTempDir dir;
  {
    std::ofstream gif(dir.Path("p.gif"), std::ios::binary);
    gif << "GIF89a" << '\x40' << '\x01' << '\xC8' << '\x00' << "garbage, never decoded";
    std::ofstream text(dir.Path("p.png"), std::ios::binary);
    text << "this is not a picture";
  }
  TxlsPicture picture;
  picture.SetFileName(dir.Path("p.gif"));
  EXPECT_EQ(picture.Kind(), 5);
  EXPECT_EQ(picture.BlipType(), 6);
  int w = 0, h = 0;
  picture.PictureSize(w, h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 200);
  picture.SetFileName(dir.Path("p.png"));
  picture.PictureSize(w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  picture.SetFileName(dir.Path("missing.bmp"));
  picture.PictureSize(w, h);
  EXPECT_EQ(w, 0);
  EXPECT_FALSE(picture.HasPicture());
}

TEST(TxlsImage, ImagesFindTheirPictureAndCountAsItsUses) {
  TFakeExporter exporter;
  TxlsPicture* picture = exporter.Pictures()->Add();
  picture->SetName("Logo");
  auto* sheet = static_cast<TFakeSheet*>(exporter.Sheets()->Add());
  TxlsImage* a = sheet->Images()->Add();
  TxlsImage* b = sheet->Images()->Add();
  EXPECT_EQ(a->Title(), u"Image_0");
  EXPECT_EQ(b->Title(), u"Image_1");
  a->SetPictureName("LOGO");
  b->SetPictureName("other");
  EXPECT_EQ(a->PictureNumber(), 1);
  EXPECT_EQ(b->PictureNumber(), -1);
  EXPECT_EQ(picture->UseCount(), 1);
  EXPECT_EQ(sheet->Images()->Find(u"image_1"), b);
}

TEST(TxlsImage, FrameCoversThePictureByColumnWidthsAndRowHeights) {
  TTempDir dir;
  TBitmap bitmap;
  bitmap.SetSize(100, 40);
  bitmap.SaveToFile(dir.Path("p.bmp"));
  TFakeExporter exporter;
  exporter.Pictures()->Add()->SetFileName(dir.Path("p.bmp"));
  auto* sheet = static_cast<TFakeSheet*>(exporter.Sheets()->Add());
  TxlsImage* image = sheet->Images()->Add();
  image->SetPictureName("Picture_0");
  image->SetCol(1);
  image->SetRow(2);
  TxlsImageLayout layout;
  const TxlsAnchor narrow = image->Anchor(layout);
  EXPECT_EQ(narrow.Col1, 1);
  EXPECT_EQ(narrow.Row1, 2);
  EXPECT_GE(narrow.Col2, 2);  // 100 pixels are more than one column of 8 characters
  // Wider columns hold the same picture in fewer columns; a larger zoom needs more.
  layout.DefColWidth = 40;
  EXPECT_EQ(image->Anchor(layout).Col2, 1);
  image->SetZoom(400);
  EXPECT_GT(image->Anchor(layout).Col2, 1);
  EXPECT_GT(image->Anchor(layout).Row2, narrow.Row2);
  // The frame ends in the row and column where the picture's size runs out, the offsets giving
  // the part of that row (1/256) and column (1/1024) it takes. Columns of 8 characters of 7
  // pixels are (8 + 1) * 7 + 1 = 64 pixels wide, rows of 12.75 points 255 twips (17 pixels).
  layout = TxlsImageLayout();
  layout.DigitWidth = 7;
  image->SetZoom(100);
  EXPECT_EQ(image->Anchor(layout), (TxlsAnchor{1, 0, 2, 0, 2, 576, 4, 90}));  // 100 x 40 pixels
  const struct {
    int Height, Row;
    std::uint16_t Row2, Dy2;
  } heights[] = {{17, 0, 1, 0}, {60, 10, 13, 136}, {10, 3, 3, 151}, {30, 65530, 65531, 196}, {40, 65535, 65535, 256}};
  for (const auto& h : heights) {
    bitmap.SetSize(30, h.Height);
    bitmap.SaveToFile(dir.Path("p.bmp"));
    image->SetRow(static_cast<std::uint16_t>(h.Row));
    const TxlsAnchor frame = image->Anchor(layout);
    EXPECT_EQ(frame.Row1, h.Row);
    EXPECT_EQ(frame.Row2, h.Row2) << h.Height << " pixels at row " << h.Row;
    EXPECT_EQ(frame.Dy2, h.Dy2) << h.Height << " pixels at row " << h.Row;
    EXPECT_EQ(frame.Col2, 1);
    EXPECT_EQ(frame.Dx2, 480);  // 30 of 64 pixels
  }
  // Exported columns are as wide as the writer holds them: 20 characters, 148 pixels.
  layout.StartDataCol = 1;
  layout.ColumnCount = 1;
  layout.ColumnWidth = [](int) { return 20; };
  EXPECT_EQ(image->Anchor(layout).Dx2, 208);  // 30 of 148 pixels

  // An image outside a sheet has no frame.
  TxlsImages loose(&exporter);
  TxlsImage* alone = loose.Add();
  alone->SetPictureName("Picture_0");
  EXPECT_EQ(alone->Anchor(layout), TxlsAnchor{});
}

TEST(TxlsChart, AutomaticPlaceFollowsTheCellsWrittenAndRangesComeFromColumns) {
  TFakeExporter exporter;
  auto* sheet = static_cast<TFakeSheet*>(exporter.Sheets()->Add());
  TxlsChart* chart = sheet->Charts()->Add();
  TxlsBoundSheet used(0, u"S");
  EXPECT_EQ(chart->Anchor(&used), TxlsAnchor{});  // nothing written yet
  used.RecordCell(0, 2);
  used.RecordCell(20, 5);
  EXPECT_EQ(chart->Anchor(&used), (TxlsAnchor{2, 0, 21, 0, 7, 0, 31, 0}));
  chart->Position()->AutoPosition()->SetPlacement(cpRight);
  EXPECT_EQ(chart->Anchor(&used), (TxlsAnchor{6, 0, 0, 0, 11, 0, 10, 0}));
  chart->Position()->SetPositionType(cptCustom);
  chart->Position()->CustomPosition()->SetX1(2), chart->Position()->CustomPosition()->SetY1(3);
  chart->Position()->CustomPosition()->SetX2(6), chart->Position()->CustomPosition()->SetY2(9);
  EXPECT_EQ(chart->Anchor(&used), (TxlsAnchor{1, 0, 2, 0, 5, 0, 8, 0}));
  TxlsCharts loose(&exporter);
  EXPECT_EQ(loose.Add()->Anchor(&used), TxlsAnchor{});

  TxlsColumnList columns;
  columns.Use("Amount", 1, 3);
  columns.Use("AMOUNT", 9, 3);
  TxlsChartSeries* series = chart->Series()->Add();
  series->SetDataColumn("amount");
  TxlsChartSeries* fixed = chart->Series()->Add();
  fixed->SetDataRangeType(rtCustom);
  chart->SetCategoryLabelsColumn("missing");
  chart->ResolveRanges(columns);
  EXPECT_EQ(series->DataRange()->Col1(), 4);
  EXPECT_EQ(series->DataRange()->Row1(), 2);
  EXPECT_EQ(series->DataRange()->Row2(), 10);
  EXPECT_TRUE(fixed->DataRange()->IsEmpty());
  EXPECT_TRUE(chart->CategoryLabels()->IsEmpty());
}
