#include "TShellTreeView.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TShellTreeViewTest : public FormTest {};
}  // namespace

TEST_F(TShellTreeViewTest, PathSelectsAnExistingFolderAndRefusesOthers) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "hhm-shelltree" / "inner";
  std::filesystem::create_directories(dir);
  auto* tree = place<TShellTreeView>(0, 0, 200, 300);
  int changes = 0;
  tree->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  tree->SetPath(dir.string());
  EXPECT_EQ(tree->Path(), dir.string());
  tree->SetPath((dir / "missing").string());
  EXPECT_EQ(tree->Path(), dir.string());
  tree->SetPath(dir.parent_path().string() + "/");
  EXPECT_EQ(tree->Path(), dir.parent_path().string());
  EXPECT_EQ(changes, 0) << "the program's choice is not the user's";
  std::filesystem::remove_all(dir.parent_path());
}

TEST_F(TShellTreeViewTest, ChosenFolderIsBroughtIntoViewOnceTheFoldersAboveItAreRead) {
  const std::filesystem::path top = std::filesystem::temp_directory_path() / "hhm-shelltree-deep";
  // Many folders before the chosen one, so that it lies far below the tree's first rows.
  for (int i = 0; i < 60; ++i) std::filesystem::create_directories(top / ("a" + std::to_string(100 + i)));
  const std::filesystem::path chosen = top / "zz" / "inner";
  std::filesystem::create_directories(chosen);
  auto* tree = place<TShellTreeView>(0, 0, 200, 120);
  // Chosen before the tree is shown and before the folders above it have been read, as a
  // program does when it starts.
  tree->SetRoot(top.string());
  tree->SetPath(chosen.string());
  form->Show();
  ProcessFor(1000);  // the folders are read and sorted in meanwhile
  EXPECT_TRUE(ShellPathShown(tree));
  EXPECT_EQ(tree->Path(), chosen.string());
  std::filesystem::remove_all(top);
}
