#include "TxlsSheet.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "TExportColumns.h"
#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TExportCustomSource.h"
#include "TStringList.h"
#include "TWideStringList.h"
#include "TXLSOptions.h"
#include "TxlsCell.h"
#include "TxlsWorkbookFile.h"
#include "TypInfo.h"
#include "XlsTestSupport.h"

namespace {

// An exporter's side of the shared settings, as the Excel exporter publishes them.
class TFakeXlsExporter : public TPersistent {
  DECLARE_CLASS(TFakeXlsExporter, TPersistent)
  TFakeXlsExporter()
      : options_(std::make_unique<TXLSOptions>()), header_(std::make_unique<TWideStringList>()),
        sheets_(std::make_unique<TxlsSheets>(this)) {}
  TXLSOptions* Options() const { return options_.get(); }
  void SetOptions(TXLSOptions* Value) { options_->Assign(Value); }
  int HeaderRows() const { return headerRows_; }
  void SetHeaderRows(int Value) { headerRows_ = Value; }
  TWideStringList* Header() const { return header_.get(); }
  void SetHeader(TWideStringList* Value) { header_->Assign(Value); }
  TExportCustomSource* CustomSource() const { return source_; }
  void SetCustomSource(TExportCustomSource* Value) { source_ = Value; }
  TxlsSheets* Sheets() const { return sheets_.get(); }

private:
  std::unique_ptr<TXLSOptions> options_;
  int headerRows_ = 0;
  std::unique_ptr<TWideStringList> header_;
  TExportCustomSource* source_ = nullptr;
  std::unique_ptr<TxlsSheets> sheets_;
};

DEFINE_CLASS(TFakeXlsExporter, TPersistent,
             Published::Class("Options", &TFakeXlsExporter::Options, &TFakeXlsExporter::SetOptions),
             Published::Integer("HeaderRows", &TFakeXlsExporter::HeaderRows, &TFakeXlsExporter::SetHeaderRows),
             Published::Class("Header", &TFakeXlsExporter::Header, &TFakeXlsExporter::SetHeader),
             Published::Class("CustomSource", &TFakeXlsExporter::CustomSource, &TFakeXlsExporter::SetCustomSource),
             Published::Class("Sheets", &TFakeXlsExporter::Sheets))

}  // namespace

TEST(TxlsSheet, SheetsAreTitledByTheirCountWhenAdded) {
  TFakeXlsExporter exporter;
  EXPECT_EQ(exporter.Sheets()->Add()->Title(), u"Sheet 1");
  EXPECT_EQ(exporter.Sheets()->Add()->Title(), u"Sheet 2");
  TxlsSheet* sheet = exporter.Sheets()->Items(0);
  EXPECT_EQ(sheet->DefColWidth(), 8);
  EXPECT_EQ(sheet->DefRowHeight(), 12.75);
  EXPECT_EQ(sheet->CaptionRow(), -1);
  EXPECT_TRUE(sheet->Exported());
  EXPECT_NE(sheet->Columns(), nullptr);  // a sheet of an exporter has its columns
  EXPECT_EQ(TxlsSheet().Columns(), nullptr);
}

TEST(TxlsSheet, AssignLeavesTheTargetsRowHeightColumnWidthExportedAndTag) {
  TxlsSheet source, target;
  source.SetTitle(u"Source");
  source.SetHeaderRows(3);
  source.Options()->SetPageHeader(u"ignored by options' Assign");
  source.Options()->DataFormat()->Font()->SetSize(16);
  source.Header()->Add(u"页眉");
  source.Cells()->Add()->SetCol(2);
  source.SetDefRowHeight(30);
  source.SetDefColWidth(20);
  source.SetExported(false);
  source.SetTag(7);
  target.Assign(&source);
  EXPECT_EQ(target.Title(), u"Source");
  EXPECT_EQ(target.HeaderRows(), 3);
  EXPECT_EQ(target.Options()->DataFormat()->Font()->Size(), 16);
  ASSERT_EQ(target.Header()->Count(), 1);
  EXPECT_EQ(target.Header()->Strings(0), u"页眉");
  ASSERT_EQ(target.Cells()->Count(), 1);
  EXPECT_EQ(target.Cells()->Items(0)->Col(), 2);
  EXPECT_EQ(target.DefRowHeight(), 12.75);
  EXPECT_EQ(target.DefColWidth(), 8);
  EXPECT_TRUE(target.Exported());
  EXPECT_EQ(target.Tag(), 0);
}

TEST(TxlsSheet, CopyingWithTheExporterTakesTheSharedSettingsAndTheTitle) {
  TFakeXlsExporter exporter;
  TExportCustomSource source(nullptr);
  exporter.SetHeaderRows(2);
  exporter.Header()->Add(u"line");
  exporter.SetCustomSource(&source);
  exporter.Options()->SetSheetTitle(WideToAnsi(u"读数"));
  TxlsSheet* sheet = exporter.Sheets()->Add();
  sheet->CopyFromExporter(&exporter);
  EXPECT_EQ(sheet->HeaderRows(), 2);
  EXPECT_EQ(sheet->Header()->Count(), 1);
  EXPECT_EQ(sheet->CustomSource(), &source);
  EXPECT_EQ(sheet->Title(), u"读数");

  sheet->SetHeaderRows(5);
  sheet->SetTitle(u"Back");
  sheet->CopyToExporter(&exporter);
  EXPECT_EQ(exporter.HeaderRows(), 5);
  EXPECT_EQ(exporter.Options()->SheetTitle(), "Back");

  sheet->RemoveSource(&source);
  EXPECT_EQ(sheet->CustomSource(), nullptr);
}

TEST(TxlsSheet, FrameCarriesTheColumnsWidthsAndTheSheetsObjectsIntoAWorkbook) {
  TFakeXlsExporter exporter;
  TExportCustomSource source(nullptr);
  for (const char* name : {"METER", "READING"}) {
    TExportCustomColumn* column = source.Columns()->Add();
    column->SetColumnName(name);
    column->SetColumnType(ectString);
    column->SetWidth(static_cast<int>(std::string(name).size()) * 3);
  }
  TxlsSheet* sheet = exporter.Sheets()->Add();
  sheet->SetExportSource(esCustom);
  sheet->SetCustomSource(&source);
  sheet->SetTitle(u"Frame");
  sheet->SetStartDataCol(1);
  sheet->Options()->SetPageHeader(u"头");
  TxlsCell* cell = sheet->Cells()->Add();
  cell->SetCol(1), cell->SetRow(1), cell->SetValue(Variant(u"free"));
  sheet->Columns()->Fill(false);
  const TxlsSheetFrame frame = sheet->Frame();
  EXPECT_EQ(frame.ColumnWidths, (std::vector<int>{15, 21}));
  EXPECT_EQ(frame.StartDataCol, 1);
  EXPECT_EQ(frame.PageHeader, u"头");
  EXPECT_EQ(frame.Cells, sheet->Cells());

  TTempDir dir;
  const std::string path = dir.Path("frame.xls");
  {
    TxlsWorkbookFile file(path);
    TxlsWorkbookWriter writer(file.Stream());
    writer.WriteWorkbookPrologue();
    writer.WriteSheetPrologue(frame);
    writer.WriteLabelSST(0, 1, u"M-1", 15);
    writer.WriteSheetEpilogue(frame);
    writer.WriteWorkbookGlobals({});
    file.Commit();
  }
  EXPECT_EQ(XlrdDump(path), "sheet\tFrame\nR0C0\ttext\tfree\nR0C1\ttext\tM-1\n");
}
