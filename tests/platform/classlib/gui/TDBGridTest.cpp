#include "TDBGrid.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TClientDataSet.h"
#include "TColumn.h"
#include "TDBGridColumns.h"
#include "TDataSource.h"

using namespace TestInput;

namespace {

TDbColumn column(const char* name, TFieldType type, int size = 0) {
  TDbColumn c;
  c.Name = name;
  c.DataType = type;
  c.Size = size;
  return c;
}

class TDBGridTest : public FormTest {
protected:
  void SetUp() override {
    FormTest::SetUp();
    data = new TClientDataSet(form);
    source = new TDataSource(form);
    source->SetDataSet(data);
    grid = place<TDBGrid>(0, 0, 400, 200);
    grid->SetDataSource(source);
  }
  void load(int records) {
    TDataPacket packet({column("METER", ftString, 12), column("READING", ftInteger), column("NOTE", ftMemo)});
    for (int i = 1; i <= records; ++i)
      packet.AppendRecord({Variant("M" + std::to_string(i)), Variant(i * 100), Variant("n")});
    data->SetData(std::move(packet));
  }

  TClientDataSet* data = nullptr;
  TDataSource* source = nullptr;
  TDBGrid* grid = nullptr;
};

}  // namespace

TEST_F(TDBGridTest, ShowsOneColumnPerVisibleFieldUnderTitles) {
  load(3);
  ASSERT_EQ(grid->Columns()->Count(), 3);
  EXPECT_EQ(grid->Columns()->Items(1)->Field(), data->FieldByName("READING"));
  EXPECT_EQ(grid->Columns()->Items(0)->Title()->Caption(), "METER");
  EXPECT_EQ(ShownCellText(grid, 0, 0), "METER");
  EXPECT_EQ(ShownCellText(grid, 1, 3), "300");
  EXPECT_EQ(ShownCellText(grid, 2, 1), "(MEMO)");
  // A text field of 12 characters is wider than a 3-letter title.
  EXPECT_GT(grid->Columns()->Items(0)->Width(), grid->Columns()->Items(1)->Width() / 2);
  EXPECT_EQ(ShownGridColumnWidth(grid, 0), grid->Columns()->Items(0)->Width());

  data->Close();
  EXPECT_EQ(grid->Columns()->Count(), 0);
}

TEST_F(TDBGridTest, CurrentRowFollowsTheRecordBothWays) {
  load(4);
  data->Next();
  data->Next();
  int col, row;
  ShownCurrentCell(grid, col, row);
  EXPECT_EQ(row, 3);
  ClickGridCell(grid, 0, 1);
  EXPECT_EQ(data->FieldByName("METER")->AsString(), "M1");
  EXPECT_EQ(data->RecNo(), 1);
}

TEST_F(TDBGridTest, ReadsRecordsOnceWhenControlsAreEnabledAgain) {
  load(2);
  data->DisableControls();
  TDataPacket packet({column("ID", ftInteger)});
  packet.AppendRecord({Variant(7)});
  data->SetData(std::move(packet));
  EXPECT_EQ(ShownCellText(grid, 0, 0), "METER");  // not yet
  data->EnableControls();
  EXPECT_EQ(ShownCellText(grid, 0, 0), "ID");
  EXPECT_EQ(ShownCellText(grid, 0, 1), "7");
}

TEST_F(TDBGridTest, ProgramColumnsStayAndFindTheirFields) {
  TColumn* c = grid->Columns()->Add();
  c->SetFieldName("READING");
  c->Title()->SetCaption(Ansi(u"读数"));
  c->SetWidth(90);
  EXPECT_EQ(grid->Columns()->State(), TDBGridColumnsState::csCustomized);
  EXPECT_EQ(c->Field(), nullptr);
  load(2);
  ASSERT_EQ(grid->Columns()->Count(), 1);
  EXPECT_EQ(c->Field(), data->FieldByName("READING"));
  EXPECT_EQ(ShownCellText(grid, 0, 0), Ansi(u"读数"));
  EXPECT_EQ(ShownCellText(grid, 0, 2), "200");
  EXPECT_EQ(ShownGridColumnWidth(grid, 0), 90);
  grid->Columns()->Clear();
  EXPECT_EQ(grid->Columns()->State(), TDBGridColumnsState::csDefault);
}

TEST_F(TDBGridTest, DestroyedDataSourceLeavesTheGridEmpty) {
  load(2);
  delete source;
  EXPECT_EQ(grid->DataSource(), nullptr);
  EXPECT_EQ(grid->Columns()->Count(), 0);
}
