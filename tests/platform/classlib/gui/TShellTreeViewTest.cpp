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
