// The PC side of the comm page: the file list built from the folder, choosing the folder by
// the tree and the path edit, selecting all, the popup menu and deleting PC files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CodePage.h"
#include "TEdit.h"
#include "TFileListBox.h"
#include "TImage.h"
#include "TFilePagesFixture.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMenuItem.h"
#include "TShellTreeView.h"
#include "TestInput.h"
#include "WinUser.h"
#include "uConstStrings.h"
#include "uListViews.h"
#include "uMain.h"

namespace fs = std::filesystem;
using TestInput::WaitUntil;

namespace {

class TFormmainPcFilesTest : public TFilePagesFixture {};

constexpr int SizeColumn = 1;
constexpr int DateColumn = 2;
constexpr int TypeColumn = 3;

}  // namespace

TEST_F(TFormmainPcFilesTest, ListShowsEveryFileWithSizeDateAndType) {
  WritePcFile("a.txt", std::string(1025, 'x'));
  WritePcFile("prog.ROM", "");
  WritePcFile(".hidden", "h");
  fs::create_directory(terminal.Pc() / "sub");
  SetModified(terminal.Pc() / "a.txt", LocalTime(2009, 1, 5, 8, 7));
  OpenCommPage();

  EXPECT_EQ(Captions(window->listCpu), (std::vector<std::string>{".hidden", "a.txt", "prog.ROM"}));
  EXPECT_EQ(Cell(window->listCpu, "a.txt", SizeColumn), "2K");
  EXPECT_EQ(Cell(window->listCpu, "a.txt", DateColumn), "09-01-05 08:07");
  EXPECT_EQ(Cell(window->listCpu, "prog.ROM", SizeColumn), "0");
  EXPECT_EQ(Cell(window->listCpu, "prog.ROM", TypeColumn), "手持机程序");
  EXPECT_EQ(ItemNumber(window->listCpu->Items()->Item(1)), 1025);
  EXPECT_EQ(window->edtpath->Text(), terminal.Pc().string());
}

TEST_F(TFormmainPcFilesTest, FiveGibFileShowsItsWholeSize) {
  {
    std::ofstream sparse(terminal.Pc() / "big.img", std::ios::binary);
  }
  fs::resize_file(terminal.Pc() / "big.img", std::uintmax_t{5} << 30);
  OpenCommPage();
  EXPECT_EQ(Cell(window->listCpu, "big.img", SizeColumn), "5120M");
  EXPECT_EQ(ItemNumber(window->listCpu->Items()->Item(0)), std::int64_t{5} << 30);
}

TEST_F(TFormmainPcFilesTest, PathEditListsAFolderOnlyOnceItExists) {
  OpenCommPage();
  fs::create_directory(terminal.Pc() / "other");
  WritePcFile("other/o.dbf", "o");
  const std::string other = (terminal.Pc() / "other").string();
  window->edtpath->SetText(other + "/no-such");
  EXPECT_EQ(window->flistCpu->Directory(), terminal.Pc().string());
  window->edtpath->SetText(other);
  EXPECT_EQ(window->flistCpu->Directory(), other);
  EXPECT_EQ(Captions(window->listCpu), std::vector<std::string>{"o.dbf"});
}

TEST_F(TFormmainPcFilesTest, TypingTheSystemDriveListsTheRoot) {
  OpenCommPage();
  window->edtpath->SetText("C:");
  EXPECT_EQ(window->edtpath->Text(), "C:/");
  EXPECT_EQ(window->flistCpu->Directory(), "/");
}

TEST_F(TFormmainPcFilesTest, ClickInTheTreeListsThatFolder) {
  fs::create_directory(terminal.Pc() / "tree");
  WritePcFile("tree/t.csv", "t");
  OpenCommPage();
  window->tv->SetPath((terminal.Pc() / "tree").string());
  window->tv->Click();
  EXPECT_EQ(window->edtpath->Text(), (terminal.Pc() / "tree").string());
  EXPECT_EQ(Captions(window->listCpu), std::vector<std::string>{"t.csv"});
}

TEST_F(TFormmainPcFilesTest, FolderGoneWhileListedLeavesAnEmptyList) {
  fs::create_directory(terminal.Pc() / "gone");
  WritePcFile("gone/g.txt", "g");
  OpenCommPage();
  window->edtpath->SetText((terminal.Pc() / "gone").string());
  ASSERT_EQ(Captions(window->listCpu).size(), 1u);
  fs::remove_all(terminal.Pc() / "gone");
  window->N7Click(nullptr);
  EXPECT_TRUE(Captions(window->listCpu).empty());
}

TEST_F(TFormmainPcFilesTest, NameThatIsNotValidTextIsListedWithoutHarm) {
  // "测试" in GBK: bytes that are no UTF-8, as a file copied from an old system may be named.
  std::ofstream(terminal.Pc() / std::string("\xB2\xE2\xCA\xD4.dbf")) << "x";
  WritePcFile("ok.txt", "ok");
  OpenCommPage();
  EXPECT_EQ(window->listCpu->Items()->Count(), 2);
  EXPECT_EQ(Cell(window->listCpu, "ok.txt", SizeColumn), "2");
}

TEST_F(TFormmainPcFilesTest, CtrlASelectsAllOtherKeysNothing) {
  WritePcFile("a", "a");
  WritePcFile("b", "b");
  OpenCommPage();
  TestInput::PressKey(window->listCpu, 'B', {ssCtrl});
  EXPECT_EQ(window->listCpu->SelCount(), 0);
  TestInput::PressKey(window->listCpu, 'A', {ssCtrl});
  EXPECT_EQ(window->listCpu->SelCount(), 2);
  TestInput::PressKey(window->listCbj, 'A', {ssCtrl});
  EXPECT_EQ(window->listCbj->SelCount(), window->listCbj->Items()->Count());
}

TEST_F(TFormmainPcFilesTest, PopupEnablesDownloadAndDeleteOnlyWithASelection) {
  WritePcFile("a", "a");
  OpenCommPage();
  window->popupCpuPopup(nullptr);
  EXPECT_FALSE(window->N4->Enabled());
  EXPECT_FALSE(window->N5->Enabled());
  EXPECT_TRUE(window->N7->Enabled());
  TestInput::ClickListItem(window->listCpu, 0);
  window->popupCpuPopup(nullptr);
  EXPECT_TRUE(window->N4->Enabled());
  EXPECT_TRUE(window->N5->Enabled());
}

TEST_F(TFormmainPcFilesTest, DeleteAsksAndNoKeepsTheFiles) {
  WritePcFile("a", "a");
  OpenCommPage();
  Select(window->listCpu, {"a"});
  hook.AnswerMessage(IDNO);
  window->N5Click(nullptr);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Text, INFO_DELETE_SELECTED);
  EXPECT_EQ(hook.Shown()[0].Caption, INFO_WAITING);
  EXPECT_EQ(hook.Shown()[0].Flags, MB_YESNO | MB_ICONWARNING);
  EXPECT_TRUE(PcFileExists("a"));
}

TEST_F(TFormmainPcFilesTest, DeleteRemovesOnlyTheSelectedFilesOfTheFolder) {
  fs::create_directory(terminal.Pc() / "sub");
  WritePcFile("keep", "k");
  WritePcFile("sub/away", "a");
  WritePcFile("sub/stay", "s");
  OpenCommPage();
  window->edtpath->SetText((terminal.Pc() / "sub").string());
  Select(window->listCpu, {"away"});
  // A row whose caption leads out of the folder is never acted on.
  TListItem* outside = window->listCpu->Items()->Add();
  outside->SetCaption("../keep");
  outside->SetSelected(true);
  hook.AnswerMessage(IDYES);
  window->N5Click(nullptr);
  EXPECT_FALSE(PcFileExists("sub/away"));
  EXPECT_TRUE(PcFileExists("sub/stay"));
  EXPECT_TRUE(PcFileExists("keep"));
  EXPECT_EQ(Captions(window->listCpu), std::vector<std::string>{"stay"});
}

TEST_F(TFormmainPcFilesTest, OpeningTheFolderAsksTheDesktopsFileManager) {
  OpenCommPage();
  // The folder picture beside the path is shown, and a click on it opens the folder.
  EXPECT_GT(TestInput::ShownColourCount(window->Image3), 1);
  TestInput::ClickControl(window->Image3);
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkShellExecute);
  EXPECT_EQ(hook.Shown()[0].Text, "Explorer.exe " + terminal.Pc().string());
  EXPECT_EQ(hook.Shown()[0].Caption, "open");
}
