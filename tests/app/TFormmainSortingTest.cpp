// Column sorting of the PC list and the terminal lists: the toggle and its arrows, the compare
// tables, and the order kept across rebuilds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TFileListBox.h"
#include "TFilePagesFixture.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TestInput.h"
#include "uListViews.h"
#include "uMain.h"

namespace fs = std::filesystem;
using TestInput::ClickColumnHeader;

namespace {

class TFormmainSortingTest : public TFilePagesFixture {
protected:
  static int tag(const TListView* View, int Column) { return View->Columns()->Items(Column)->Tag(); }
  static int arrow(const TListView* View, int Column) { return View->Columns()->Items(Column)->ImageIndex(); }
};

}  // namespace

TEST_F(TFormmainSortingTest, ThreeClicksSortUpDownAndUpAgain) {
  WritePcFile("b.txt", "");
  WritePcFile("A.txt", "");
  WritePcFile("c.txt", "");
  OpenCommPage();
  TListView* list = window->listCpu;
  ClickColumnHeader(list, 0);
  EXPECT_EQ(tag(list, 0), ssAscending);
  EXPECT_EQ(arrow(list, 0), 0);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"A.txt", "b.txt", "c.txt"}));
  ClickColumnHeader(list, 0);
  EXPECT_EQ(tag(list, 0), ssDescending);
  EXPECT_EQ(arrow(list, 0), 1);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"c.txt", "b.txt", "A.txt"}));
  ClickColumnHeader(list, 0);
  EXPECT_EQ(tag(list, 0), ssAscending);
  EXPECT_EQ(Captions(list), (std::vector<std::string>{"A.txt", "b.txt", "c.txt"}));
}

TEST_F(TFormmainSortingTest, AnotherColumnTakesTheArrowAway) {
  WritePcFile("a", "");
  OpenCommPage();
  TListView* list = window->listCpu;
  ClickColumnHeader(list, 0);
  ClickColumnHeader(list, 3);
  EXPECT_EQ(tag(list, 0), ssNone);
  EXPECT_EQ(arrow(list, 0), -1);
  EXPECT_EQ(tag(list, 3), ssAscending);
  EXPECT_EQ(SortedColumn(list), 3);
}

TEST_F(TFormmainSortingTest, SizesSortAsWholeNumbersBeyondTwoGib) {
  // Shown as "9", "10", "999", "1K", "1024M"...: an order that text comparison would not give.
  for (const auto& [name, size] : {std::pair{"five", std::uintmax_t{5} << 30}, std::pair{"one", std::uintmax_t{1} << 30},
                                   std::pair{"two", std::uintmax_t{2} << 30}, std::pair{"small", std::uintmax_t{10}},
                                   std::pair{"nine", std::uintmax_t{9}}, std::pair{"kib", std::uintmax_t{1024}},
                                   std::pair{"most", std::uintmax_t{999}}}) {
    std::ofstream(terminal.Pc() / name).close();
    fs::resize_file(terminal.Pc() / name, size);
  }
  OpenCommPage();
  ClickColumnHeader(window->listCpu, 1);
  EXPECT_EQ(Captions(window->listCpu), (std::vector<std::string>{"nine", "small", "most", "kib", "one", "two", "five"}));
}

TEST_F(TFormmainSortingTest, ChosenOrderSurvivesARefresh) {
  WritePcFile("m", "");
  WritePcFile("z", "");
  OpenCommPage();
  ClickColumnHeader(window->listCpu, 0);
  ClickColumnHeader(window->listCpu, 0);  // descending
  WritePcFile("a", "");
  WritePcFile("zz", "");
  window->N7Click(nullptr);
  EXPECT_EQ(Captions(window->listCpu), (std::vector<std::string>{"zz", "z", "m", "a"}));
}

TEST_F(TFormmainSortingTest, TerminalListSortsBySizeAndKeepsItsOrderForTheTimeColumn) {
  PutTerminalFile(10, "B.DBF", std::string(300, 'b'));
  PutTerminalFile(11, "A.DBF", std::string(20, 'a'));
  OpenCommPage();
  TListView* list = window->listCbj;
  const std::vector<std::string> listed = Captions(list);
  ClickColumnHeader(list, 2);
  EXPECT_EQ(arrow(list, 2), 0);
  EXPECT_EQ(Captions(list), listed);  // every item compares equal on this column
  ClickColumnHeader(list, 1);
  EXPECT_EQ(Captions(list).front(), "A.DBF");
  ClickColumnHeader(list, 1);
  EXPECT_EQ(Captions(list).back(), "A.DBF");
}

TEST_F(TFormmainSortingTest, TerminalListsAreSortedAgainAfterEachListing) {
  OpenCommPage();
  ClickColumnHeader(window->listCbj, 0);
  ClickColumnHeader(window->listCbj, 0);
  ClickColumnHeader(window->listCbj2, 0);
  PutTerminalFile(40, "ZZZ.DBF", "z");
  PutTerminalFile(41, "AAA.DBF", "a");
  window->miRefreshMachClick(nullptr);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Captions(window->listCbj).front(), "ZZZ.DBF");
  EXPECT_EQ(Captions(window->listCbj2).front(), "AAA.DBF");
}

TEST_F(TFormmainSortingTest, RecycleBinSortsByFileNumberAsANumber) {
  PutTerminalFile(9, "NINE.DBF", "9", true);
  PutTerminalFile(10, "TEN.DBF", "10", true);
  PutTerminalFile(100, "HUNDRED.DBF", "100", true);
  OpenCommPage();
  window->miGetDelListClick(nullptr);
  ASSERT_TRUE(WaitIdle());
  ClickColumnHeader(window->listdelCbj, 3);
  ClickColumnHeader(window->listdelCbj, 3);
  EXPECT_EQ(Captions(window->listdelCbj), (std::vector<std::string>{"HUNDRED.DBF", "TEN.DBF", "NINE.DBF"}));
}
