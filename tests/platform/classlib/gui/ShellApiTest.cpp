#include "ShellApi.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"

namespace {
class ShellApiTest : public GuiTest {};
}  // namespace

TEST_F(ShellApiTest, RequestsToTheDesktopAreRecordedByTheHook) {
  EXPECT_GT(ShellExecute(nullptr, "Open", "http://www.example.com", "", "", 0), 32);
  EXPECT_GT(ShellExecute(nullptr, "open", "Explorer.exe", "/tmp", "", SW_SHOWNORMAL), 32);
  ASSERT_EQ(hook.Shown().size(), 2u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkShellExecute);
  EXPECT_EQ(hook.Shown()[0].Text, "http://www.example.com");
  EXPECT_EQ(hook.Shown()[1].Text, "Explorer.exe /tmp");
  EXPECT_EQ(hook.Shown()[1].Caption, "open");
}

TEST_F(ShellApiTest, WithoutTheHookUnknownVerbsAndMissingFilesFail) {
  Application->SetTestHook(nullptr);
  EXPECT_EQ(ShellExecute(nullptr, "print", "/tmp", "", "", 0), SE_ERR_NOASSOC);
  EXPECT_EQ(ShellExecute(nullptr, "open", "/no/such/file.txt", "", "", 0), SE_ERR_FNF);
  Application->SetTestHook(&hook);
}

TEST_F(ShellApiTest, TheFolderPickerGivesTheChosenFolderOrNothing) {
  hook.AnswerFolder("/data/upload");
  EXPECT_EQ(ShellBrowseForFolder(nullptr, Ansi(u"请选择目录")), "/data/upload");
  EXPECT_EQ(ShellBrowseForFolder(nullptr, Ansi(u"请选择目录")), "") << "cancelled";
  EXPECT_EQ(hook.Shown().at(0).Kind, dkFolderPicker);
  EXPECT_EQ(hook.Shown().at(0).Caption, Ansi(u"请选择目录"));
}

TEST_F(ShellApiTest, FileTypeNamesComeFromTheExtensionAlone) {
  EXPECT_NE(ShellFileTypeName("/no/such/folder/notes.txt"), "");
  EXPECT_NE(ShellFileTypeName("photo.JPG"), "");
  EXPECT_EQ(ShellFileTypeName("data.zz9unknown"), "");
}
