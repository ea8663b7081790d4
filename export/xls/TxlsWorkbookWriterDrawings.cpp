// The drawing layer of a sheet, before its EOF: one drawing with a shape for every valid note,
// every image whose picture is stored and every chart, each shape's OBJ record (and a note's
// TXO with its text, a chart's substream), then the NOTE records that tie the notes to cells.
#include <algorithm>
#include <vector>

#include "Biff8Records.h"
#include "CodePage.h"
#include "Graphics.h"
#include "MsoBlipRecords.h"
#include "TStream.h"
#include "TbiffRecord.h"
#include "TxlsChart.h"
#include "TxlsChartWriter.h"
#include "TxlsFont.h"
#include "TxlsImage.h"
#include "TxlsMSODrawing.h"
#include "TxlsNote.h"
#include "TxlsPicture.h"
#include "TxlsPictureStore.h"
#include "TxlsWorkbookWriter.h"

namespace {

constexpr std::uint32_t kShapeFlags = msoShapeHasAnchor | msoShapeHasShapeType;

// Shape types of the drawing.
constexpr std::uint16_t kShapePictureFrame = 75;
constexpr std::uint16_t kShapeChart = 201;
constexpr std::uint16_t kShapeTextBox = 202;

// Object types of OBJ, and the options every object here has (locked, printed).
constexpr std::uint16_t kObjectChart = 5;
constexpr std::uint16_t kObjectPicture = 8;
constexpr std::uint16_t kObjectComment = 25;
constexpr std::uint16_t kObjectOptions = 0x0011;

// A picture's clipboard format (OBJ sub-record 0x0007): a bitmap, or neither a bitmap nor an
// enhanced metafile (PNG, JPEG).
constexpr std::uint16_t kClipboardBitmap = 0x0009;
constexpr std::uint16_t kClipboardOther = 0xFFFF;
// Its picture options (sub-record 0x0008): keep the picture's aspect ratio.
constexpr std::uint16_t kPictureAutoPict = 0x0001;

// A TXO's text goes on in CONTINUE records of one option byte and at most this many characters,
// so that none of them is split again.
constexpr std::size_t kTextPieceChars = (BiffPieceSize - 1) / 2;

// Fill opacity of a note with transparency 1 % (16.16 fixed point); each further percent less.
constexpr long kOpacityAt1 = 64881;
constexpr long kOpacityStep = 656;

// The first part of every OBJ: the common object data.
void objectHeader(TbiffBuffer& r, std::uint16_t type, int id) {
  r.Clear();
  r.U16(0x0015).U16(18).U16(type).U16(static_cast<std::uint16_t>(id)).U16(kObjectOptions).Zeros(12);
}

void objectEnd(TbiffBuffer& r) { r.U16(0).U16(0); }

std::uint16_t horizontalCode(TxlsHorizontalAlignment a) {
  switch (a) {
    case halCenter: return 0x0004;
    case halRight: return 0x0006;
    case halFill: return 0x0008;
    default: return 0x0002;  // general and left
  }
}

std::uint16_t verticalCode(TxlsVerticalAlignment a) {
  switch (a) {
    case valCenter: return 0x0020;
    case valBottom: return 0x0030;
    case valJustify: return 0x0040;
    default: return 0x0010;  // top
  }
}

std::uint32_t officeArtColor(TColor color) { return static_cast<std::uint32_t>(ColorToRGB(color)) & 0x00FFFFFF; }

void addFill(TmsoOPT& opt, const TxlsNoteFormat& format) {
  if (format.FillType() == nftGradient) {
    const TxlsNoteGradient g = format.Gradient();
    opt.Add(0x0180, g == ngrFromCorner ? 5 : g == ngrFromCenter ? 6 : 7);
  }
  opt.Add(0x0181, officeArtColor(format.BackgroundColor()));
  if (const int t = format.Transparency(); t > 0)
    opt.Add(0x0182, static_cast<std::uint32_t>(std::max(0L, kOpacityAt1 - (t - 1) * kOpacityStep)));
  if (format.FillType() != nftGradient) return;
  opt.Add(0x0183, officeArtColor(format.ForegroundColor()));
  switch (format.Gradient()) {
    case ngrHorizontal: break;
    case ngrVertical: opt.Add(0x018B, 0xFFA60000); break;      // -90 degrees
    case ngrDiagonalUp: opt.Add(0x018B, 0xFF790000); break;    // -135 degrees
    default: opt.Add(0x018B, 0xFFD30000); break;               // -45 degrees
  }
  opt.Add(0x018C, 100);
  if (format.Gradient() == ngrFromCenter)
    for (std::uint16_t id : {0x018D, 0x018E, 0x018F, 0x0190}) opt.Add(id, 0x8000);
  opt.Add(0x0196, 0x009D0000);
}

std::unique_ptr<TmsoContainer> noteShape(const TxlsNote& note, int k, std::uint32_t shapeId) {
  auto shape = std::make_unique<TmsoContainer>(msoSpContainer);
  shape->Add(std::make_unique<TmsoSp>(kShapeTextBox, shapeId, kShapeFlags));
  // Properties go in the order of their ids: readers check it.
  auto opt = std::make_unique<TmsoOPT>();
  opt->Add(0x0080, static_cast<std::uint32_t>(k + 1));
  if (k == 90) opt->Add(0x0085, 1);
  opt->Add(0x00BF, 0x00080008);
  opt->Add(0x0158, 0);
  addFill(*opt, *note.Format());
  opt->Add(0x01BF, 0x00110010);
  opt->Add(0x01FF, 0x00080008);
  opt->Add(0x0201, 0);
  opt->Add(0x023F, 0x00030003);
  opt->Add(0x03BF, 0x000A0002);
  shape->Add(std::move(opt));
  shape->Add(std::make_unique<TmsoClientAnchor>(3, note.Anchor()));
  shape->Add(std::make_unique<TmsoClientData>());
  // The note's text box belongs to its shape, though it has a drawing record of its own after
  // the note's OBJ: readers find the note's text through it.
  shape->SetFollowingSize(TmsoClientTextBox().TotalSize());
  return shape;
}

std::unique_ptr<TmsoContainer> imageShape(const TxlsImage& image, int storeIndex, std::uint32_t shapeId,
                                          const TxlsAnchor& anchor) {
  auto shape = std::make_unique<TmsoContainer>(msoSpContainer);
  shape->Add(std::make_unique<TmsoSp>(kShapePictureFrame, shapeId, kShapeFlags));
  auto opt = std::make_unique<TmsoOPT>();
  const std::u16string name = AnsiToWide(image.PictureName());
  opt->Add(0x007F, 0x00800000);
  opt->Add(0x4104, static_cast<std::uint32_t>(storeIndex));
  opt->AddComplex(0xC105, name);
  opt->Add(0x01BF, 0x00010000);
  opt->Add(0x033F, 0x00100000);
  opt->AddComplex(0xC380, name);
  opt->Add(0x03BF, 0x00080000);
  shape->Add(std::move(opt));
  shape->Add(std::make_unique<TmsoClientAnchor>(2, anchor));
  shape->Add(std::make_unique<TmsoClientData>());
  return shape;
}

std::unique_ptr<TmsoContainer> chartShape(std::uint32_t shapeId, const TxlsAnchor& anchor) {
  auto shape = std::make_unique<TmsoContainer>(msoSpContainer);
  shape->Add(std::make_unique<TmsoSp>(kShapeChart, shapeId, kShapeFlags));
  auto opt = std::make_unique<TmsoOPT>();
  opt->Add(0x007F, 0x01040104);
  opt->Add(0x00BF, 0x00080008);
  opt->Add(0x0181, 0x0800004E);
  opt->Add(0x0183, 0x0800004D);
  opt->Add(0x01BF, 0x00100010);
  opt->Add(0x01C0, 0x0800004D);
  opt->Add(0x01FF, 0x00080008);
  opt->Add(0x023F, 0x00020000);
  opt->Add(0x03BF, 0x00080000);
  shape->Add(std::move(opt));
  shape->Add(std::make_unique<TmsoClientAnchor>(0, anchor));
  shape->Add(std::make_unique<TmsoClientData>());
  return shape;
}

// A note's text as the TXO holds it: line breaks as single LF.
WideString noteText(const TxlsNote& note) {
  WideString text = note.Text();
  WideString out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      out += u'\n';
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

struct TImageShape {
  const TxlsImage* Image;
  int StoreIndex;
};

}  // namespace

void TxlsWorkbookWriter::WriteSheetDrawings(const TxlsSheetFrame& Frame) {
  std::vector<const TxlsNote*> notes;
  for (int i = 0; Frame.Notes != nullptr && i < Frame.Notes->Count(); ++i)
    if (Frame.Notes->Items(i)->IsValid()) notes.push_back(Frame.Notes->Items(i));
  std::vector<TImageShape> images;
  for (int i = 0; Frame.Images != nullptr && i < Frame.Images->Count(); ++i) {
    const TxlsImage* image = Frame.Images->Items(i);
    const TxlsPicture* picture = image->Picture();
    if (picture == nullptr) continue;
    const int index = PictureStore(Frame.Pictures).StoreIndex(picture->Index());
    if (index > 0) images.push_back({image, index});
  }
  const int charts = Frame.Charts != nullptr ? Frame.Charts->Count() : 0;
  const int total = static_cast<int>(notes.size() + images.size()) + charts;
  if (total == 0) return;

  TxlsImageLayout layout;
  layout.StartDataCol = Frame.StartDataCol;
  layout.ColumnCount = static_cast<int>(Frame.ColumnWidths.size());
  layout.DefColWidth = Frame.DefColWidth;
  layout.DefRowHeight = Frame.DefRowHeight;
  layout.ColumnWidth = [this](int Column) { return ColumnWidth(Column); };
  // Excel and gnumeric lay columns out in whole pixels of the digit.
  layout.DigitWidth = static_cast<int>(digitWidth());

  // The sheet's drawing takes the next drawing id and the clusters after those of the drawings
  // before it; every shape gets its own id, the group's first, then the notes', the images' and
  // the charts'.
  TmsoDrawingIds ids;
  ids.DrawingId = static_cast<std::uint16_t>(drawings_.size() + 1);
  ids.FirstCluster = drawings_.empty() ? 1 : drawings_.back().FirstCluster + drawings_.back().Clusters();
  ids.Shapes = static_cast<std::uint32_t>(total) + 1;
  TxlsMSODrawing drawing(ids);
  std::uint32_t shapeId = ids.FirstShapeId() + 1;
  for (std::size_t k = 0; k < notes.size(); ++k) {
    drawing.Add(noteShape(*notes[k], static_cast<int>(k), shapeId++));
    drawing.Add(std::make_unique<TmsoClientTextBox>());
  }
  for (const TImageShape& image : images)
    drawing.Add(imageShape(*image.Image, image.StoreIndex, shapeId++, image.Image->Anchor(layout)));
  for (int j = 0; j < charts; ++j) {
    TxlsChart& chart = *Frame.Charts->Items(j);
    if (Frame.ColumnList != nullptr) chart.ResolveRanges(*Frame.ColumnList);
    drawing.Add(chartShape(shapeId++, chart.Anchor(current_)));
  }

  int item = 0;
  int object = 1;
  for (std::size_t k = 0; k < notes.size(); ++k) {
    drawing.WriteItem(stream(), item++);
    writeNote(drawing, *notes[k], object++, item++);
  }
  const TxlsPictureStore& store = PictureStore(Frame.Pictures);
  for (const TImageShape& image : images) {
    drawing.WriteItem(stream(), item++);
    writeImageObject(object++, store.Pictures()[static_cast<std::size_t>(image.StoreIndex - 1)].BlipType);
  }
  // A chart's substream refers to the sheet it is drawn on by that sheet's place among the
  // sheets written, which is its EXTERNSHEET entry.
  const auto sheetReference = static_cast<std::uint16_t>(boundSheets_.Count() - 1);
  for (int j = 0; j < charts; ++j) {
    drawing.WriteItem(stream(), item++);
    writeChartObject(object++);
    TxlsChartWriter(*this).Write(*Frame.Charts->Items(j), sheetReference);
  }
  for (std::size_t k = 0; k < notes.size(); ++k) {
    record_.Clear();
    record_.U16(static_cast<std::uint16_t>(notes[k]->Row() - 1)).U16(static_cast<std::uint16_t>(notes[k]->Col() - 1));
    record_.U16(0).U16(static_cast<std::uint16_t>(k + 1));  // hidden; the note's object
    // The author: an empty string (character count, option byte), then the byte that ends the
    // record.
    record_.U16(0).U8(0).U8(0);
    WriteRecord(biff8::NOTE);
  }
  drawings_.push_back(ids);
  chartsDrawn_ = chartsDrawn_ || charts > 0;
}

// A note's OBJ, its text box (drawing item TextBox), its TXO and the text with its formatting
// runs.
void TxlsWorkbookWriter::writeNote(const TxlsMSODrawing& Drawing, const TxlsNote& Note, int Object, int TextBox) {
  objectHeader(record_, kObjectComment, Object);
  record_.U16(0x000D).U16(0);
  objectEnd(record_);
  WriteRecord(biff8::OBJ);
  Drawing.WriteItem(stream(), TextBox);

  const WideString text = noteText(Note);
  const TxlsNoteFormat& format = *Note.Format();
  record_.Clear();
  record_.U16(horizontalCode(format.Alignment()->Horizontal()) | verticalCode(format.Alignment()->Vertical()));
  record_.U16(static_cast<std::uint16_t>(format.Orientation())).Zeros(6);
  record_.U16(static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0xFFFF))).U16(16).Zeros(4);
  WriteRecord(biff8::TXO);
  for (std::size_t at = 0; at < text.size(); at += kTextPieceChars) {
    record_.Clear();
    record_.U8(1).Chars(std::u16string_view(text).substr(at, kTextPieceChars));
    WriteRecord(biff8::CONTINUE);
  }
  const std::uint16_t font = formats_.FindOrAddFont(*format.Font())->FontIndex();
  record_.Clear();
  record_.U16(0).U16(font).U32(0);
  record_.U16(static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0xFFFF))).U16(0).U32(0);
  WriteRecord(biff8::CONTINUE);
}

void TxlsWorkbookWriter::writeImageObject(int Object, std::uint8_t BlipType) {
  objectHeader(record_, kObjectPicture, Object);
  record_.U16(0x0007).U16(2).U16(BlipType == msoBlipDIB ? kClipboardBitmap : kClipboardOther);
  record_.U16(0x0008).U16(2).U16(kPictureAutoPict);
  objectEnd(record_);
  WriteRecord(biff8::OBJ);
}

void TxlsWorkbookWriter::writeChartObject(int Object) {
  objectHeader(record_, kObjectChart, Object);
  objectEnd(record_);
  WriteRecord(biff8::OBJ);
}
