// Exports read from a string grid and from a data-aware grid.
#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "FormatSettings.h"
#include "TClientDataSet.h"
#include "TColumn.h"
#include "TDBGrid.h"
#include "TDBGridColumns.h"
#include "TDataSource.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TFontMetrics.h"
#include "TForm.h"
#include "TMemoryStream.h"
#include "TStringGrid.h"
#include "TStrings.h"

namespace {

class ExportGridTest : public ExportTest {
protected:
  void SetUp() override {
    ExportTest::SetUp();
    saved_ = GetFormatSettings();
    SetFormatSettings(TFormatSettings());
  }
  void TearDown() override {
    SetFormatSettings(saved_);
    ExportTest::TearDown();
  }
  // A grid of one title row and these data rows.
  TStringGrid* stringGrid(std::vector<std::vector<const char*>> Rows) {
    auto* grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetRowCount(static_cast<int>(Rows.size()));
    grid->SetColCount(static_cast<int>(Rows[0].size()));
    grid->SetFixedCols(0);
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, Rows[r][c]);
    return grid;
  }
  TLineExport* stringGridExport(TStringGrid* Grid) {
    auto* e = new TLineExport(owner);
    e->SetExportSource(esStringGrid);
    e->SetStringGrid(Grid);
    e->SetCaptionRow(0);
    return e;
  }
  TDBGrid* dbGrid(TDataSet* DataSet) {
    auto* source = new TDataSource(form);
    source->SetDataSet(DataSet);
    auto* grid = new TDBGrid(form);
    grid->SetParent(form);
    grid->SetDataSource(source);
    return grid;
  }

private:
  TFormatSettings saved_;
};

}  // namespace

TEST_F(ExportGridTest, AStringGridIsReadRowByRowBelowItsFixedRow) {
  TStringGrid* grid = stringGrid({{"Meter", "Reading"}, {"A1", "10"}, {"A2", "abc"}, {"A3", "30"}});
  TLineExport* e = stringGridExport(grid);
  e->SetAutoCalcStrType(true);
  EXPECT_EQ(ExportBytes(e), "Meter;Reading\r\nA1;10\r\nA2;abc\r\nA3;30\r\n");
  EXPECT_EQ(e->Columns()->Items(1)->ColType(), ectInteger);  // guessed from the first data row
  EXPECT_EQ(e->Columns()->Items(1)->Name(), "Field1");
  e->SetSkipRecCount(1);
  e->SetExportRecCount(1);
  e->SetAllowCaptions(false);
  EXPECT_EQ(ExportBytes(e), "A2;abc\r\n");
  e->SetExportRecCount(0);
  e->SetSkipRecCount(5);
  EXPECT_EQ(ExportBytes(e), "");
}

TEST_F(ExportGridTest, StringGridColumnsAreChosenByNumber) {
  TStringGrid* grid = stringGrid({{"a", "b", "c", "d"}, {"0", "1", "2", "3"}});
  TLineExport* e = stringGridExport(grid);
  e->SetCaptionRow(-1);
  e->ExportedFields()->SetText("Field3\r\n1\r\nFieldx\r\n7\r\nField\r\n");
  EXPECT_EQ(ExportBytes(e), "ColNo_3;ColNo_1\r\n3;1\r\n");
  grid->SetColWidths(3, 10 * TFontMetrics(*grid->Font()).TextWidth(u"X"));
  e->Columns()->Fill(false);
  EXPECT_EQ(e->Columns()->Items(0)->Width(), 10);
  EXPECT_EQ(e->Columns()->Items(0)->Length(), 255);
}

TEST_F(ExportGridTest, ADataAwareGridNeedsItsDataSourceAndDataSet) {
  auto* e = new TLineExport(owner);
  e->SetExportSource(esDBGrid);
  auto* grid = new TDBGrid(form);
  grid->SetParent(form);
  e->SetDBGrid(grid);
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DBGrid) is not assigned");
  auto* source = new TDataSource(form);
  grid->SetDataSource(source);
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DBGrid) is not assigned");
  source->SetDataSet(NewDataSet({Column("A", ftInteger)}, {{1}}));
  EXPECT_EQ(ExportBytes(e), "A\r\n1\r\n");
  source->DataSet()->Close();
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DBGrid) is closed");
  EXPECT_EQ(stream.Size(), 0);
  delete grid;
  EXPECT_EQ(e->DBGrid(), nullptr);
}

TEST_F(ExportGridTest, ADataAwareGridGivesItsColumnsTitlesAndTheFieldsValues) {
  TClientDataSet* ds = NewDataSet({Column("METER", ftString, 300), Column("READING", ftInteger), Column("NOTE", ftMemo)},
                                  {{"M1", 100, "n1"}, {"M2", Variant::Null(), "n2"}});
  // The program's own columns, made before the grid sees the data.
  TDBGrid* grid = dbGrid(nullptr);
  for (const char* name : {"METER", "READING", "NOTE"}) grid->Columns()->Add()->SetFieldName(name);
  grid->DataSource()->SetDataSet(ds);
  ASSERT_EQ(grid->Columns()->Count(), 3);
  grid->Columns()->Items(1)->Title()->SetCaption("Reading (kWh)");
  auto* e = new TLineExport(owner);
  e->SetExportSource(esDBGrid);
  e->SetDBGrid(grid);
  e->Formats()->SetNULLString(u"-");
  EXPECT_EQ(ExportBytes(e), "METER;Reading (kWh)\r\nM1;100\r\nM2;-\r\n");
  EXPECT_EQ(e->Columns()->Items(0)->Length(), 255);
  EXPECT_EQ(e->Columns()->Items(1)->Width(), grid->Columns()->Items(1)->Width() / TFontMetrics(*grid->Font()).TextWidth(u"X"));
  EXPECT_FALSE(ds->ControlsDisabled());
  e->ExportedFields()->SetText("note\r\nMETER=Meter\r\n");
  EXPECT_EQ(ExportBytes(e), "NOTE;METER\r\nn1;M1\r\nn2;M2\r\n");
  EXPECT_EQ(e->Columns()->Items(1)->Name(), "Meter");
}
