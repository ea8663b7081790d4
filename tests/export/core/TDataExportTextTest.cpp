#include "TDataExportText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CodePage.h"
#include "ExportFixture.h"
#include "TempFolder.h"
#include "TypInfo.h"

namespace {

// A file exporter writing the lines of TLineExport.
class TLineFileExport : public TDataExportText {
  DECLARE_CLASS(TLineFileExport, TDataExportText)

  using TDataExportText::TDataExportText;

  void WriteDataRow() override {
    WideString line;
    GetDataLine(line);
    Writer()->WriteLn(line);
  }
};

DEFINE_CLASS(TLineFileExport, TDataExportText)

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int fileCount(const std::filesystem::path& dir) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

class TDataExportTextTest : public ExportTest {
protected:
  TLineFileExport* newExport(int Records) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 1; i <= Records; ++i) rows.push_back({Variant(i)});
    auto* e = new TLineFileExport(owner);
    e->SetExportSource(esCustom);
    e->SetCustomSource(NewCustomSource({{"N", ectString}}, rows));
    return e;
  }
  TempFolder folder;
};

}  // namespace

TEST_F(TDataExportTextTest, AMissingFolderChainIsCreated) {
  TLineFileExport* e = newExport(2);
  e->SetFileName(Utf8ToAnsi(folder.prefix() + "a/b/抄表/x.txt"));
  e->Execute();
  EXPECT_EQ(readFile(folder.path() / "a/b/抄表/x.txt"), "1\r\n2\r\n");
}

TEST_F(TDataExportTextTest, AFolderThatCannotBeCreatedIsReported) {
  std::ofstream(folder.path() / "plain") << "a file, not a folder";
  TLineFileExport* e = newExport(1);
  const AnsiString dir = folder.prefix() + "plain/sub";
  e->SetFileName(dir + "/x.txt");
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }), "Directory \"" + dir + "\" not found and cannot be created");
}

TEST_F(TDataExportTextTest, ANameWithoutFolderIsWrittenInTheCurrentFolder) {
  const std::filesystem::path saved = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  TLineFileExport* e = newExport(1);
  e->SetFileName("out.csv");
  e->Execute();
  std::filesystem::current_path(saved);
  EXPECT_EQ(readFile(folder.path() / "out.csv"), "1\r\n");
}

TEST_F(TDataExportTextTest, AFailedExportKeepsThePreviousFileAndLeavesNoTemporaryFile) {
  std::ofstream(folder.path() / "out.csv") << "previous";
  TLineFileExport* e = newExport(5);
  e->SetFileName(folder.prefix() + "out.csv");
  e->OnExportedRecord = [](TObject*, int RecNo) {
    if (RecNo == 2) throw Exception("disk trouble");
  };
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }), "disk trouble");
  EXPECT_EQ(readFile(folder.path() / "out.csv"), "previous");
  EXPECT_EQ(fileCount(folder.path()), 1);
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TDataExportTextTest, AnAbortedExportKeepsItsRowsAndIsNeitherShownNorPrinted) {
  std::ofstream(folder.path() / "out.csv") << "previous";
  TLineFileExport* e = newExport(5);
  e->SetFileName(folder.prefix() + "out.csv");
  e->SetShowFile(true);
  e->SetPrintFile(true);
  e->OnExportedRecord = [e](TObject*, int RecNo) {
    if (RecNo == 1) e->Abort();
  };
  e->Execute();
  EXPECT_EQ(readFile(folder.path() / "out.csv"), "1\r\n2\r\n");
  EXPECT_EQ(fileCount(folder.path()), 1);
  EXPECT_TRUE(hook.Shown().empty());
}

TEST_F(TDataExportTextTest, TheFileIsOpenedThenPrinted) {
  TLineFileExport* e = newExport(1);
  e->SetFileName(folder.prefix() + "out.csv");
  e->SetShowFile(true);
  e->SetPrintFile(true);
  e->Execute();
  ASSERT_EQ(hook.Shown().size(), 2u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkShellExecute);
  EXPECT_EQ(hook.Shown()[0].Caption, "open");
  EXPECT_EQ(hook.Shown()[0].Text, folder.prefix() + "out.csv");
  EXPECT_EQ(hook.Shown()[1].Caption, "print");
}

TEST_F(TDataExportTextTest, AFileThatCannotBeCreatedRaisesTheCreationError) {
  std::filesystem::create_directory(folder.path() / "out.csv");
  TLineFileExport* e = newExport(1);
  e->SetFileName(folder.prefix() + "out.csv");
  EXPECT_THROW(e->Execute(), EFCreateError);
  e->SetFileName("");
  EXPECT_THROW(e->Execute(), EFCreateError);
}

TEST_F(TDataExportTextTest, PublishedPropertiesFollowTheBase) {
  TLineFileExport e(nullptr);
  const auto& props = TDataExportText::StaticClass().Properties();
  std::vector<std::string> tail;
  for (std::size_t i = props.size() - 3; i < props.size(); ++i) tail.push_back(props[i]->Name);
  EXPECT_EQ(tail, (std::vector<std::string>{"FileName", "ShowFile", "PrintFile"}));
  EXPECT_FALSE(e.ShowFile());
  EXPECT_FALSE(e.PrintFile());
  EXPECT_EQ(e.GetShowFileName(), e.FileName());
}
