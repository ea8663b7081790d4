#include "TDataExportDatabase.h"

#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "TypInfo.h"

namespace {

int liveWriters = 0;
bool writerHadStream = true;

class TCountingWriter : public TExportWriter {
  DECLARE_CLASS(TCountingWriter, TExportWriter)

  TCountingWriter(TDataExport* Owner, TStream* Stream) : TExportWriter(Owner, Stream) {
    ++liveWriters;
    writerHadStream = Stream != nullptr;
  }
  ~TCountingWriter() override { --liveWriters; }
};

DEFINE_CLASS(TCountingWriter, TExportWriter)

class TTableExport : public TDataExportDatabase {
  DECLARE_CLASS(TTableExport, TDataExportDatabase)

  using TDataExportDatabase::TDataExportDatabase;

  TExportWriterClass WriterClass() override { return ExportWriterClass<TCountingWriter>(); }
  void WriteDataRow() override { Trace.push_back("row " + std::to_string(RecNo())); }
  void ShowOrPrintFile() override { Trace.push_back("shown"); }

  std::vector<std::string> Trace;
};

DEFINE_CLASS(TTableExport, TDataExportDatabase)

class TDataExportDatabaseTest : public ExportTest {};

}  // namespace

TEST_F(TDataExportDatabaseTest, ADatabaseExportRunsWithAWriterWithoutStreamAndThenShowsItsResult) {
  auto* e = new TTableExport(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(NewCustomSource({{"A", ectString}}, {{"x"}, {"y"}}));
  e->OnExportedRecord = [](TObject*, int) { EXPECT_EQ(liveWriters, 1); };
  e->Execute();
  EXPECT_FALSE(writerHadStream);
  EXPECT_EQ(liveWriters, 0);
  EXPECT_EQ(e->Trace, (std::vector<std::string>{"row 0", "row 1", "shown"}));
}

TEST_F(TDataExportDatabaseTest, AFailedDatabaseExportFreesItsWriterAndShowsNothing) {
  auto* e = new TTableExport(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(NewCustomSource({{"A", ectString}}, {{"x"}, {"y"}}));
  e->OnExportedRecord = [](TObject*, int) { throw Exception("insert refused"); };
  EXPECT_EQ(ExportErrorOf([&] { e->Execute(); }), "insert refused");
  EXPECT_EQ(liveWriters, 0);
  EXPECT_EQ(e->Trace, (std::vector<std::string>{"row 0"}));
}

TEST_F(TDataExportDatabaseTest, TheDatabaseBasePublishesItsSettings) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TDataExportDatabase::StaticClass().Properties()) names.push_back(p->Name);
  std::vector<std::string> tail(names.end() - 6, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"DatabaseName", "Captions", "AllowCaptions", "ColumnsLength", "Formats",
                                            "UserFormats"}));
  TTableExport e(nullptr);
  SetStrProp(&e, "DatabaseName", "/data/x.mdb");
  EXPECT_EQ(e.DatabaseName(), "/data/x.mdb");
}
