#include "TStringGrid.h"

#include <gtest/gtest.h>

#include "FormFixture.h"
#include "TypInfo.h"

using namespace TestInput;

namespace {

class TStringGridTest : public FormTest {
protected:
  TStringGrid* grid() {
    auto* g = place<TStringGrid>(0, 0, 400, 200);
    g->SetColCount(3);
    g->SetRowCount(4);
    g->SetCells(0, 0, "Meter");
    g->SetCells(1, 0, Ansi(u"读数"));
    for (int r = 1; r < 4; ++r) {
      g->SetCells(0, r, "M" + std::to_string(r));
      g->SetCells(1, r, std::to_string(r * 10));
    }
    return g;
  }
};

}  // namespace

TEST_F(TStringGridTest, CellsAreShownAndFixedOnesAreTitles) {
  TStringGrid* g = grid();
  EXPECT_EQ(g->Cells(1, 0), Ansi(u"读数"));
  EXPECT_EQ(ShownCellText(g, 1, 0), Ansi(u"读数"));
  EXPECT_EQ(ShownCellText(g, 0, 3), "M3");
  EXPECT_EQ(g->Cells(7, 7), "");
  EXPECT_THROW(g->SetCells(3, 0, "x"), EInvalidGridOperation);
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(g->Row(), 1);
}

TEST_F(TStringGridTest, ClickMovesTheCurrentRowButNotOntoAFixedRow) {
  TStringGrid* g = grid();
  ClickGridCell(g, 1, 3);
  EXPECT_EQ(g->Row(), 3);
  EXPECT_EQ(g->Col(), 1);
  ClickGridCell(g, 1, 0);
  EXPECT_EQ(g->Row(), 3);
  g->SetRow(2);
  int col, row;
  ShownCurrentCell(g, col, row);
  EXPECT_EQ(row, 2);
  EXPECT_THROW(g->SetRow(0), EInvalidGridOperation);
  EXPECT_THROW(g->SetRow(4), EInvalidGridOperation);
}

TEST_F(TStringGridTest, ResizingKeepsCellsInsideAndTheCurrentRowWithin) {
  TStringGrid* g = grid();
  g->SetRow(3);
  g->SetRowCount(3);
  EXPECT_EQ(g->Row(), 2);
  EXPECT_EQ(g->Cells(0, 2), "M2");
  EXPECT_EQ(g->Cells(0, 3), "");
  g->SetRowCount(5);
  EXPECT_EQ(g->Cells(0, 3), "");
  EXPECT_EQ(g->Cells(1, 1), "10");
  // Fixed rows leave at least one row that is not.
  EXPECT_THROW(g->SetFixedRows(5), EInvalidGridOperation);
  g->SetRowCount(1);
  EXPECT_EQ(g->FixedRows(), 0);
}

TEST_F(TStringGridTest, ColumnWidthsFollowTheDefaultUntilSet) {
  TStringGrid* g = grid();
  EXPECT_EQ(g->ColWidths(2), 64);
  g->SetColWidths(1, 120);
  EXPECT_EQ(ShownGridColumnWidth(g, 1), 120);
  g->SetColCount(4);
  EXPECT_EQ(g->ColWidths(3), 64);
  g->SetDefaultColWidth(50);
  EXPECT_EQ(g->ColWidths(1), 50);
  EXPECT_EQ(ShownGridColumnWidth(g, 1), 50);
  EXPECT_THROW(g->ColWidths(4), EInvalidGridOperation);
  g->Font()->SetName("Tahoma");
  EXPECT_FALSE(g->ParentFont());
}
