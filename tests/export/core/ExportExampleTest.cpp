// One minimal exporter over every kind of source, checked byte for byte.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "ExportFixture.h"
#include "FormatSettings.h"
#include "TClientDataSet.h"
#include "TExportFormats.h"
#include "TForm.h"
#include "TListView.h"
#include "TStringGrid.h"
#include "TStrings.h"

namespace {

// The sources' texts are read as the common English settings write them.
class ExportExampleTest : public ExportTest {
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
  // UTF-8, with the export's own separators and date format.
  TLineExport* newExport(TExportSource Kind) {
    auto* e = new TLineExport(owner);
    e->SetExportSource(Kind);
    e->SetEncoding(3);
    e->Formats()->SetDecimalSeparator('.');
    e->Formats()->SetThousandSeparator(',');
    e->Formats()->SetDateSeparator('-');
    e->Formats()->SetDateFormat("yyyy/mm/dd");
    return e;
  }

private:
  TFormatSettings saved_;
};

}  // namespace

TEST_F(ExportExampleTest, AListView) {
  TLineExport* e = newExport(esListView);
  e->SetListView(NewListView({"表号", "读数", "日期"}, {{"A001", "1234.5", "12/8/2026"}, {"A002", "7", ""}}));
  e->SetAutoCalcStrType(true);
  EXPECT_EQ(ExportBytes(e), "表号;读数;日期\r\nA001;1,234.50;2026-12-08\r\nA002;7.00;\r\n");
}

TEST_F(ExportExampleTest, ACustomSource) {
  TLineExport* e = newExport(esCustom);
  e->SetCustomSource(NewCustomSource({{"Meter", ectString}, {"Reading", ectInteger}, {"Read", ectDate}},
                                     {{u"抄表一", 1234567, "12/8/2026"}, {"B", Variant::Null(), "1/2/2027"}}));
  e->ExportedFields()->SetText("Read\r\nMeter\r\nReading\r\n");
  EXPECT_EQ(ExportBytes(e), "Read;Meter;Reading\r\n2026-12-08;抄表一;1,234,567\r\n2027-01-02;B;\r\n");
}

TEST_F(ExportExampleTest, ADataSet) {
  TLineExport* e = newExport(esDataSet);
  e->SetDataSet(NewDataSet({Column("METER", ftWideString, 10), Column("READING", ftFloat), Column("READ", ftDate)},
                           {{u"抄表一", 1234.5, VarFromDateTime(EncodeDate(2026, 12, 8))},
                            {u"B", Variant::Null(), VarFromDateTime(EncodeDate(2027, 1, 2))}}));
  e->Formats()->SetNULLString(u"-");
  EXPECT_EQ(ExportBytes(e), "METER;READING;READ\r\n抄表一;1,234.50;2026-12-08\r\nB;-;2027-01-02\r\n");
}

TEST_F(ExportExampleTest, AStringGrid) {
  auto* grid = new TStringGrid(form);
  grid->SetParent(form);
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->SetFixedCols(0);
  const char* cells[3][3] = {{"表号", "读数", "日期"}, {"A001", "1234.5", "12/8/2026"}, {"A002", "x", "1/2/2027"}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) grid->SetCells(c, r, Utf8ToAnsi(cells[r][c]));
  TLineExport* e = newExport(esStringGrid);
  e->SetStringGrid(grid);
  e->SetCaptionRow(0);
  e->SetAutoCalcStrType(true);
  EXPECT_EQ(ExportBytes(e), "表号;读数;日期\r\nA001;1,234.50;2026-12-08\r\nA002;x;2027-01-02\r\n");
}
