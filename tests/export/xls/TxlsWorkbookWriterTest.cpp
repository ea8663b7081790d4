#include "TxlsWorkbookWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "Biff8Records.h"
#include "CompoundFile.h"
#include "DateRoutines.h"
#include "ExlsFileError.h"
#include "TMemoryStream.h"
#include "TxlsCell.h"
#include "TxlsFormat.h"
#include "TxlsHyperlink.h"
#include "TxlsMergedCells.h"
#include "TxlsWorkbookFile.h"
#include "XlsTestSupport.h"

namespace {

TTestCell text(int row, int col, const WideString& s) { return {row, col, TTestCell::Text, s, 0, 15}; }
TTestCell num(int row, int col, double v) { return {row, col, TTestCell::Number, {}, v, 15}; }
TTestCell boolean(int row, int col, bool v) { return {row, col, TTestCell::Boolean, {}, v ? 1.0 : 0.0, 15}; }
TTestCell blank(int row, int col) { return {row, col, TTestCell::Blank, {}, 0, 15}; }

// A workbook stream written in memory by Work between the prologue and the globals.
template <class Work>
std::string WriteStream(Work&& work, const TxlsWorkbookContent& content = {}) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  writer.WriteWorkbookPrologue();
  work(writer);
  writer.WriteWorkbookGlobals(content);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

}  // namespace

TEST(TxlsWorkbookWriter, CellsOfEveryKindReadBackTheSameThroughXlrdAndFreeXL) {
  TTempDir dir;
  const std::vector<TTestSheet> sheets = {
      {u"Readings", {text(0, 0, u"Meter"), text(0, 1, u"读数"), num(1, 0, 42), num(1, 1, -0.125), boolean(2, 0, true),
                     boolean(2, 1, false), blank(3, 0), text(3, 1, u"line one\r\nline two"), num(4, 255, 1e300)}},
      {u"第二页", {text(0, 0, u"Ünïcödé ✓"), num(65535, 3, 7)}}};
  const std::string path = dir.Path("cells.xls");
  WriteTestWorkbook(path, sheets);
  EXPECT_EQ(XlrdDump(path), ExpectedDump(sheets));

  // FreeXL has no booleans: a sheet of texts and numbers only.
  const std::vector<TTestSheet> plain = {{u"Data", {text(0, 0, u"A"), num(0, 1, 2.5), text(1, 0, u"中文"), num(1, 1, 3)}}};
  const std::string plainPath = dir.Path("plain.xls");
  WriteTestWorkbook(plainPath, plain);
  EXPECT_EQ(FreeXLDump(plainPath), ExpectedDump(plain));
}

TEST(TxlsWorkbookWriter, RandomGridComparesCellByCellThroughXlrd) {
  std::mt19937 random(20240521);
  std::uniform_int_distribution<int> kind(0, 5);
  std::uniform_real_distribution<double> value(-1e6, 1e6);
  const std::u16string pool = u"abcXYZ 0123中文字符表格测试éü\r\n";
  TTestSheet sheet{u"Random", {}};
  for (int r = 0; r < 120; ++r)
    for (int c = 0; c < 9; ++c) {
      switch (kind(random)) {
        case 0: sheet.Cells.push_back(num(r, c, value(random))); break;
        case 1: sheet.Cells.push_back(boolean(r, c, random() % 2 == 0)); break;
        case 2: sheet.Cells.push_back(blank(r, c)); break;
        case 3: break;  // no cell
        case 4:  // a date as the 1900 system counts it
          sheet.Cells.push_back(num(r, c, std::floor(value(random) / 100 + 30000)));
          break;
        default: {
          WideString s;
          const int length = 1 + static_cast<int>(random() % 12);
          for (int i = 0; i < length; ++i) s += pool[random() % pool.size()];
          sheet.Cells.push_back(text(r, c, s));
        }
      }
    }
  TTempDir dir;
  const std::string path = dir.Path("random.xls");
  WriteTestWorkbook(path, {sheet});
  EXPECT_EQ(XlrdDump(path), ExpectedDump({sheet}));
}

TEST(TxlsWorkbookWriter, FileIsACompoundDocumentWhoseWorkbookStreamHasTheSizeWritten) {
  TTempDir dir;
  const std::string path = dir.Path("container.xls");
  std::int64_t written = 0;
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    writer.WriteSheetPrologue(DefaultFrame(0, u"Sheet 1"));
    for (int r = 0; r < 2000; ++r) writer.WriteNumber(r, 0, r, 15);
    writer.WriteSheetEpilogue(DefaultFrame(0, u"Sheet 1"));
    writer.WriteWorkbookGlobals({});
    written = file.Stream().Size();
    file.Commit();
  }
  EXPECT_NE(RunCommand("file '" + path + "'").find("CDFV2 Microsoft Excel"), std::string::npos);
  const std::string stream = ReadCompoundStream(path, u"Workbook");
  EXPECT_EQ(static_cast<std::int64_t>(stream.size()), written);
}

TEST(TxlsWorkbookWriter, BoundSheetOffsetsPointAtEachSheetsBOF) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    for (int s = 0; s < 3; ++s) {
      w.WriteSheetPrologue(DefaultFrame(s, u"S" + WideString(1, static_cast<char16_t>(u'1' + s))));
      w.WriteLabelSST(s, s, u"x", 15);
      w.WriteSheetEpilogue(DefaultFrame(s, u""));
    }
  });
  const auto records = SplitRecords(stream);
  const auto bound = RecordsWithId(records, biff8::BOUNDSHEET);
  ASSERT_EQ(bound.size(), 3u);
  for (const TRecord& b : bound) {
    const std::uint32_t offset = U32At(b.Data, 0);
    ASSERT_LT(offset + 8, stream.size());
    EXPECT_EQ(U16At(stream, offset), biff8::BOF);
    EXPECT_EQ(U16At(stream, offset + 6), biff8::SubstreamWorksheet);
  }
  // The globals end before the first sheet: one EOF for them, one per sheet.
  EXPECT_EQ(RecordsWithId(records, biff8::EOF_).size(), 4u);
  EXPECT_LT(RecordsWithId(records, biff8::SST)[0].Offset, U32At(bound[0].Data, 0));
}

TEST(TxlsWorkbookWriter, DimensionsCoverTheCellsWrittenAndAnEmptySheetKeepsZeros) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    w.WriteSheetPrologue(DefaultFrame(0, u"Data"));
    w.WriteNumber(2, 3, 1, 15);
    w.WriteLabelSST(7, 1, u"a", 15);
    w.WriteSheetEpilogue(DefaultFrame(0, u"Data"));
    w.WriteSheetPrologue(DefaultFrame(1, u"Empty"));
    w.WriteSheetEpilogue(DefaultFrame(1, u"Empty"));
  });
  const auto dims = RecordsWithId(SplitRecords(stream), biff8::DIMENSIONS);
  ASSERT_EQ(dims.size(), 2u);
  EXPECT_EQ(Hex(dims[0].Data), Hex(Bytes({2, 0, 0, 0, 8, 0, 0, 0, 1, 0, 4, 0, 0, 0})));
  EXPECT_EQ(Hex(dims[1].Data), Hex(std::string(14, '\0')));
}

TEST(TxlsWorkbookWriter, FirstSheetIsSelectedAndNoChartsMeansNoExternalReferences) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    for (int s = 0; s < 2; ++s) {
      w.WriteSheetPrologue(DefaultFrame(s, s == 0 ? u"A" : u"B"));
      w.WriteSheetEpilogue(DefaultFrame(s, u""));
    }
  });
  const auto records = SplitRecords(stream);
  const auto windows = RecordsWithId(records, biff8::WINDOW2);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(U16At(windows[0].Data, 0), 0x06B6);
  EXPECT_EQ(U16At(windows[1].Data, 0), 0x04B6);
  // Each sheet's selection: pane 3, active cell A1, reference 0 of one, the reference A1:A1
  // (rows 0 to 0 in 16 bits, columns 0 to 0 in 8).
  const auto selections = RecordsWithId(records, biff8::SELECTION);
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_EQ(Hex(selections[0].Data), "03 00 00 00 00 00 00 01 00 00 00 00 00 00 00");
  EXPECT_TRUE(RecordsWithId(records, biff8::SUPBOOK).empty());
  EXPECT_TRUE(RecordsWithId(records, biff8::EXTERNSHEET).empty());
  EXPECT_TRUE(RecordsWithId(records, biff8::MSODRAWINGGROUP).empty());

  const std::string withCharts = WriteStream(
      [](TxlsWorkbookWriter& w) {
        w.WriteSheetPrologue(DefaultFrame(0, u"A"));
        w.WriteSheetEpilogue(DefaultFrame(0, u"A"));
      },
      {true, nullptr});
  const auto extern_ = RecordsWithId(SplitRecords(withCharts), biff8::EXTERNSHEET);
  ASSERT_EQ(extern_.size(), 1u);
  EXPECT_EQ(Hex(extern_[0].Data), Hex(Bytes({1, 0, 0, 0, 0, 0, 0, 0})));
}

TEST(TxlsWorkbookWriter, PageHeaderOfAsciiIsStoredInEightBitsAndChineseInSixteen) {
  TxlsSheetFrame frame = DefaultFrame(0, u"S");
  frame.PageHeader = u"Page";
  frame.PageFooter = u"抄表 &P";
  const std::string stream = WriteStream([&](TxlsWorkbookWriter& w) {
    w.WriteSheetPrologue(frame);
    w.WriteSheetEpilogue(frame);
  });
  const auto records = SplitRecords(stream);
  const auto header = RecordsWithId(records, biff8::HEADER);
  const auto footer = RecordsWithId(records, biff8::FOOTER);
  ASSERT_EQ(header.size(), 1u);
  ASSERT_EQ(footer.size(), 1u);
  EXPECT_EQ(Hex(header[0].Data), Hex(Bytes({4, 0, 0, 'P', 'a', 'g', 'e'})));
  EXPECT_EQ(Hex(footer[0].Data),
            Hex(Bytes({5, 0, 1, 0x84, 0x62, 0x68, 0x88, ' ', 0, '&', 0, 'P', 0})));  // 抄 U+6284, 表 U+8868

  TxlsSheetFrame empty = DefaultFrame(0, u"S");
  empty.PageFooter.clear();
  const auto none = RecordsWithId(SplitRecords(WriteStream([&](TxlsWorkbookWriter& w) {
                                    w.WriteSheetPrologue(empty);
                                    w.WriteSheetEpilogue(empty);
                                  })),
                                  biff8::FOOTER);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(none[0].Data.empty());
}

TEST(TxlsWorkbookWriter, InvalidLongAndRepeatedSheetTitlesBecomeValidAndUnique) {
  TTempDir dir;
  const std::string path = dir.Path("titles.xls");
  const WideString titles[] = {u"Sales [2024]: Q1/Q2?", u"A title that is much longer than thirty-one characters",
                               u"A title that is much longer than thirty-one characters", u"", u"Plain"};
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    for (int s = 0; s < 5; ++s) {
      writer.WriteSheetPrologue(DefaultFrame(s, titles[s]));
      writer.WriteSheetEpilogue(DefaultFrame(s, titles[s]));
    }
    writer.WriteWorkbookGlobals({});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(path),
            "sheet\tSales _2024__ Q1_Q2_\n"
            "sheet\tA title that is much longer tha\n"
            "sheet\tA title that is much longer (2)\n"
            "sheet\tSheet4\n"
            "sheet\tPlain\n");
}

TEST(TxlsWorkbookWriter, NumbersThatAreNotFiniteBecomeTheErrorNum) {
  TTempDir dir;
  const std::string path = dir.Path("nan.xls");
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    writer.WriteSheetPrologue(DefaultFrame(0, u"S"));
    writer.WriteNumber(0, 0, std::numeric_limits<double>::quiet_NaN(), 15);
    writer.WriteNumber(0, 1, std::numeric_limits<double>::infinity(), 15);
    writer.WriteNumber(0, 2, -std::numeric_limits<double>::infinity(), 15);
    writer.WriteSheetEpilogue(DefaultFrame(0, u"S"));
    writer.WriteWorkbookGlobals({});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(path), "sheet\tS\nR0C0\terror\t36\nR0C1\terror\t36\nR0C2\terror\t36\n");
}

TEST(TxlsWorkbookWriter, CellsBeyondTheSheetAreRefusedWithAClearMessage) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  writer.WriteWorkbookPrologue();
  writer.WriteSheetPrologue(DefaultFrame(0, u"S"));
  writer.WriteNumber(65535, 255, 1, 15);
  try {
    writer.WriteNumber(0, 256, 1, 15);
    FAIL() << "column 256 was written";
  } catch (const ExlsFileError& e) {
    EXPECT_STREQ(e.what(), "Column 256 is beyond the last column of an Excel sheet (256 columns)");
  }
  EXPECT_THROW(writer.WriteLabelSST(65536, 0, u"x", 15), ExlsFileError);
  EXPECT_THROW(writer.WriteBlank(-1, 0, 15), ExlsFileError);
  // A refused text is not counted in the shared strings.
  EXPECT_EQ(writer.SST().TotalReferences(), 0u);
}

TEST(TxlsWorkbookWriter, EpilogueWritesValidFreeCellsMergedRangesAndHyperlinks) {
  TFormatSettings settings;
  settings.DateSeparator = '-';
  const TFormatSettingsScope scope(settings);
  TxlsCells cells(nullptr);
  TxlsCell* a = cells.Add();
  a->SetCol(1), a->SetRow(1), a->SetValue(Variant(u"free"));
  TxlsCell* b = cells.Add();
  b->SetCellType(ctNumeric), b->SetCol(2), b->SetRow(1), b->SetValue(Variant(2.5));
  TxlsCell* c = cells.Add();
  c->SetCellType(ctBoolean), c->SetCol(3), c->SetRow(1), c->SetValue(Variant(true));
  // A date-time cell's mask has FormatDateTime's letters: "nn" minutes, "/" the date separator.
  TxlsCell* d = cells.Add();
  d->SetCellType(ctDateTime), d->SetCol(4), d->SetRow(1), d->SetDateTimeFormat("m/d/yyyy h:nn:ss AMPM");
  d->SetValue(Variant::FromDateTime(EncodeDate(2023, 7, 4) + EncodeTime(10, 30, 0, 0)));
  cells.Add()->SetValue(Variant(u"never written: no place"));
  TxlsMergedCellList merged(nullptr);
  TxlsMergedCells* m = merged.Add();
  m->SetFirstCol(1), m->SetFirstRow(3), m->SetLastCol(2), m->SetLastRow(4);
  merged.Add()->SetFirstCol(5);  // invalid: not written, not counted
  TxlsHyperlinks links(nullptr);
  TxlsHyperlink* link = links.Add();
  link->SetCol(1), link->SetRow(6), link->SetTitle(u"site"), link->SetTarget(u"http://example.com/"),
      link->SetScreenTip(u"tip");

  TxlsSheetFrame frame = DefaultFrame(0, u"Objects");
  frame.Cells = &cells;
  frame.MergedCells = &merged;
  frame.Hyperlinks = &links;
  TTempDir dir;
  const std::string path = dir.Path("objects.xls");
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    writer.WriteSheetPrologue(frame);
    writer.WriteSheetEpilogue(frame);
    writer.WriteWorkbookGlobals({});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(path), "sheet\tObjects\nR0C0\ttext\tfree\nR0C1\tnumber\t2.5\nR0C2\tbool\t1\nR0C3\tdate\t45111.4375\n"
                            "R5C0\ttext\tsite\n");
  const std::string formatted = XlrdDump(path, true);
  EXPECT_NE(formatted.find("R0C3\tdate\t45111.4375\t"), std::string::npos) << formatted;
  EXPECT_NE(formatted.find("format=m-d-yyyy h:mm:ss AM/PM "), std::string::npos) << formatted;
  const auto records = SplitRecords(ReadCompoundStream(path, u"Workbook"));
  const auto mergedRecords = RecordsWithId(records, biff8::MERGEDCELLS);
  ASSERT_EQ(mergedRecords.size(), 1u);
  EXPECT_EQ(Hex(mergedRecords[0].Data), Hex(Bytes({1, 0, 2, 0, 3, 0, 0, 0, 1, 0})));
  const auto hlink = RecordsWithId(records, biff8::HLINK);
  ASSERT_EQ(hlink.size(), 1u);
  EXPECT_EQ(hlink[0].Data.size(), link->RecordLength());
  const auto tip = RecordsWithId(records, biff8::HLINKTOOLTIP);
  ASSERT_EQ(tip.size(), 1u);
  EXPECT_EQ(Hex(tip[0].Data), Hex(Bytes({0x00, 0x08, 5, 0, 5, 0, 0, 0, 0, 0, 't', 0, 'i', 0, 'p', 0, 0, 0})));
}

TEST(TxlsWorkbookWriter, AggregateFormulaSumsItsColumnRange) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    w.WriteSheetPrologue(DefaultFrame(0, u"S"));
    w.WriteAggregateFormula(10, 2, 15, aggAvg, 1, 9);
    w.WriteSheetEpilogue(DefaultFrame(0, u"S"));
  });
  const auto formula = RecordsWithId(SplitRecords(stream), biff8::FORMULA);
  ASSERT_EQ(formula.size(), 1u);
  EXPECT_EQ(Hex(formula[0].Data), Hex(Bytes({10, 0, 2, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 13, 0,
                                             0x25, 1, 0, 9, 0, 2, 0xC0, 2, 0xC0, 0x42, 1, 5, 0})));
}

namespace {

// Two sheets of many blocks of cells of every kind, with formulas, free cells and patched column
// widths between them, written with the cells gathered or one by one.
std::string WriteCellsGatheredOrNot(bool gather) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  writer.SetGatherCells(gather);
  TxlsCells cells(nullptr);
  TxlsCell* free = cells.Add();
  free->SetCol(5), free->SetRow(2), free->SetValue(Variant(u"free"));
  writer.WriteWorkbookPrologue();
  for (int s = 0; s < 2; ++s) {
    TxlsSheetFrame frame = DefaultFrame(s, u"S" + WideString(1, static_cast<char16_t>(u'1' + s)));
    frame.ColumnWidths = {1, 1, 1, 1};
    frame.Cells = &cells;
    writer.WriteSheetPrologue(frame);
    for (int r = 0; r < 6000; ++r) {
      const WideString text = u"读数 " + WideString(1, static_cast<char16_t>(u'a' + r % 26));
      writer.WriteLabelSST(r, 0, text, 15);
      writer.UpdateColumnWidth(text, 15, 0);
      writer.WriteNumber(r, 1, r % 7 == 0 ? std::numeric_limits<double>::infinity() : r * 0.5, 15);
      if (r % 3 == 0)
        writer.WriteBlank(r, 2, 15);
      else
        writer.WriteBoolErr(r, 2, r % 2 == 0, 15);
      if (r % 1000 == 999) writer.WriteAggregateFormula(r, 3, 15, aggSum, r - 999, r - 1);
    }
    writer.PatchColumnWidths();
    writer.WriteSheetEpilogue(frame);
  }
  writer.WriteWorkbookGlobals({});
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

}  // namespace

TEST(TxlsWorkbookWriter, GatheredCellsGiveTheSameStreamAsCellsWrittenOneByOne) {
  const std::string oneByOne = WriteCellsGatheredOrNot(false);
  ASSERT_GT(oneByOne.size(), 4u * 64 * 1024);
  EXPECT_TRUE(WriteCellsGatheredOrNot(true) == oneByOne);

  // Gathered cells reach the stream when it is asked for, or when the gathering stops.
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  writer.SetGatherCells(true);
  writer.WriteSheetPrologue(DefaultFrame(0, u"S"));
  const std::int64_t before = stream.Size();
  writer.WriteNumber(0, 0, 1, 15);
  EXPECT_EQ(stream.Size(), before);
  EXPECT_EQ(writer.Stream().Size(), before + 18);
  writer.WriteBlank(1, 0, 15);
  writer.SetGatherCells(false);
  EXPECT_EQ(stream.Size(), before + 18 + 10);
  writer.WriteBlank(2, 0, 15);
  EXPECT_EQ(stream.Size(), before + 18 + 10 + 10);
}

TEST(TxlsWorkbookWriter, PaletteAndStyleRecordsHoldTheStandardColoursAndBuiltInStyles) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    w.WriteSheetPrologue(DefaultFrame(0, u"S"));
    // Five number formats give XFs 16 to 20, which the built-in styles name.
    for (const char16_t* f : {u"0.00", u"yyyy-mm-dd hh:mm", u"#,##0.00", u"#,##0", u"hh:mm"})
      w.Formats().XFIndex(nullptr, f, nullptr);
    w.WriteSheetEpilogue(DefaultFrame(0, u"S"));
  });
  const auto records = SplitRecords(stream);
  const auto palette = RecordsWithId(records, biff8::PALETTE);
  ASSERT_EQ(palette.size(), 1u);
  ASSERT_EQ(palette[0].Data.size(), 2u + 56 * 4);
  EXPECT_EQ(U16At(palette[0].Data, 0), 56);
  auto colour = [&](int index) { return Hex(palette[0].Data.substr(2 + 4 * (index - 8), 4)); };
  EXPECT_EQ(colour(8), "00 00 00 00");   // black
  EXPECT_EQ(colour(9), "FF FF FF 00");   // white
  EXPECT_EQ(colour(10), "FF 00 00 00");  // red
  EXPECT_EQ(colour(24), "99 99 FF 00");  // the first chart colour
  EXPECT_EQ(colour(63), "33 33 33 00");  // grey 80 %
  const auto styles = RecordsWithId(records, biff8::STYLE);
  ASSERT_EQ(styles.size(), 6u);
  EXPECT_EQ(Hex(styles[0].Data), "10 80 03 FF");
  EXPECT_EQ(Hex(styles[4].Data), "00 80 00 FF");
  EXPECT_EQ(Hex(styles[5].Data), "14 80 05 FF");
  const auto xfs = RecordsWithId(records, biff8::XF);
  EXPECT_EQ(xfs.size(), 21u);
  EXPECT_EQ(Hex(xfs[15].Data), "01 00 00 00 01 00 20 00 00 00 00 00 00 00 00 00 00 00 C0 20");
}

TEST(TxlsWorkbookWriter, StylesNamingXFsTheWorkbookLacksAreLeftOut) {
  const std::string stream = WriteStream([](TxlsWorkbookWriter& w) {
    w.WriteSheetPrologue(DefaultFrame(0, u"S"));
    w.WriteSheetEpilogue(DefaultFrame(0, u"S"));
  });
  const auto styles = RecordsWithId(SplitRecords(stream), biff8::STYLE);
  ASSERT_EQ(styles.size(), 1u);
  EXPECT_EQ(Hex(styles[0].Data), "00 80 00 FF");
}

TEST(TxlsWorkbookWriter, TargetThatCannotBeCreatedFailsAtOnceWithTheReason) {
  try {
    TxlsWorkbookFile file("/nonexistent-folder/x.xls");
    FAIL() << "the file was created";
  } catch (const ExlsFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file /nonexistent-folder/x.xls. No such file", 0), 0u) << e.what();
  }
}

TEST(TxlsWorkbookWriter, AbandonedWorkbookLeavesTheEarlierFileAndNoTemporaryFile) {
  TTempDir dir;
  const std::string path = dir.Path("keep.xls");
  WriteTestWorkbook(path, {{u"Old", {text(0, 0, u"old")}}});
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    // no Commit: the export failed
  }
  EXPECT_EQ(XlrdDump(path), "sheet\tOld\nR0C0\ttext\told\n");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Dir())) ++files;
  EXPECT_EQ(files, 1);
}

TEST(TxlsWorkbookWriter, XlrdSeesTheFontsNumberFormatsAndFillsOfTheXFs) {
  TTempDir dir;
  const std::string path = dir.Path("formats.xls");
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    writer.WriteSheetPrologue(DefaultFrame(0, u"Looks"));
    TxlsFormat bold;
    bold.Font()->SetStyle({xfsBold});
    bold.Font()->SetColor(clrRed);
    bold.Font()->SetName(u"Tahoma");
    bold.Font()->SetSize(12);
    TxlsFormat filled;
    filled.Fill()->SetPattern(ptSolid);
    filled.Fill()->SetBackground(clrLightYellow);
    writer.WriteLabelSST(0, 0, u"bold", writer.Formats().XFIndex(nullptr, u"General", &bold));
    writer.WriteNumber(0, 1, 3.25, writer.Formats().XFIndex(nullptr, u"0.000", nullptr));
    writer.WriteNumber(0, 2, 1, writer.Formats().XFIndex(nullptr, u"0.0%", &filled));
    writer.WriteNumber(0, 3, 2, 15);
    writer.WriteSheetEpilogue(DefaultFrame(0, u"Looks"));
    writer.WriteWorkbookGlobals({});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(path, true),
            "sheet\tLooks\n"
            "R0C0\ttext\tbold\txf=16 font=5 height=240 weight=700 colour=10 name=Tahoma format=General align=0/2 fill=9\n"
            "R0C1\tnumber\t3.25\txf=17 font=1 height=200 weight=400 colour=8 name=arial format=0.000 align=0/2 fill=9\n"
            "R0C2\tnumber\t1\txf=18 font=6 height=200 weight=400 colour=8 name=arial format=0.0% align=0/2 fill=43\n"
            "R0C3\tnumber\t2\txf=15 font=1 height=200 weight=400 colour=8 name=arial format=General align=0/2 fill=64\n");
}
