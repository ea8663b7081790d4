#include "CompoundFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

class CompoundFile : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("ole-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  int FileCount() const {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_)) ++n;
    return n;
  }

  std::filesystem::path dir_;
};

}  // namespace

TEST_F(CompoundFile, StreamsWrittenAreReadBackWithTheirBytes) {
  const std::string big(100000, 'x');
  {
    TCompoundFileWriter file(Path("two.ole"));
    file.WriteStream(u"Workbook", big.data(), big.size());
    file.WriteStream(u"Small", "abc", 3);
    file.Commit();
  }
  EXPECT_EQ(ReadCompoundStream(Path("two.ole"), u"Workbook"), big);
  EXPECT_EQ(ReadCompoundStream(Path("two.ole"), u"Small"), "abc");
  EXPECT_THROW(ReadCompoundStream(Path("two.ole"), u"Missing"), EOleStorageError);
}

TEST_F(CompoundFile, AStreamWrittenInPiecesReadsBackAsOne) {
  const std::string head(5000, 'h'), middle(70000, 'm'), tail(3, 't');
  {
    TCompoundFileWriter file(Path("pieces.ole"));
    file.WriteStream(u"Workbook", {{head.data(), head.size()}, {middle.data(), middle.size()}, {nullptr, 0},
                                   {tail.data(), tail.size()}});
    file.Commit();
  }
  EXPECT_EQ(ReadCompoundStream(Path("pieces.ole"), u"Workbook"), head + middle + tail);
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(CompoundFile, FileThatIsNotACompoundDocumentIsRefused) {
  std::ofstream(Path("plain.txt")) << "not a compound document at all, just some text";
  try {
    ReadCompoundStream(Path("plain.txt"), u"Workbook");
    FAIL() << "plain text was read";
  } catch (const EOleStorageError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + Path("plain.txt") + "\".", 0), 0u) << e.what();
  }
}

TEST_F(CompoundFile, TargetInAMissingFolderFailsBeforeAnyWork) {
  try {
    TCompoundFileWriter file(Path("no/such/folder/x.xls"));
    FAIL() << "the file was created";
  } catch (const EOleStorageError& e) {
    EXPECT_FALSE(e.Reason().empty());
  }
}

TEST_F(CompoundFile, WriterLeftWithoutCommitKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
  {
    TCompoundFileWriter file(Path("keep.ole"));
    file.WriteStream(u"Workbook", "old", 3);
    file.Commit();
  }
  {
    TCompoundFileWriter file(Path("keep.ole"));
    file.WriteStream(u"Workbook", "new", 3);
    EXPECT_EQ(FileCount(), 2);  // the earlier file and the temporary one
  }
  EXPECT_EQ(ReadCompoundStream(Path("keep.ole"), u"Workbook"), "old");
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(CompoundFile, DocumentInMemoryIsReadAsItsFileIs) {
  {
    TCompoundFileWriter file(Path("book.xls"));
    file.WriteStream(u"Workbook", "biff", 4);
    file.Commit();
  }
  std::ifstream in(Path("book.xls"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_TRUE(IsCompoundDocument(bytes));
  EXPECT_FALSE(IsCompoundDocument(bytes.substr(0, 7)));
  EXPECT_FALSE(IsCompoundDocument("biff"));

  const TCompoundFileReader document(bytes, "book.xls");
  EXPECT_TRUE(document.HasStream(u"Workbook"));
  EXPECT_FALSE(document.HasStream(u"Book"));
  EXPECT_EQ(document.ReadStream(u"Workbook"), "biff");
  // Cut short, the document no longer holds its directory.
  EXPECT_THROW(TCompoundFileReader(std::string_view(bytes).substr(0, 600), "book.xls"), EOleStorageError);
}
