// Conversions around the transfers: a PC file is converted into the terminal's dBASE type
// before it is sent, an uploaded dBASE file into the page's convert type after it arrived.
// Converted tables are read back by python3-dbfread.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "CodePage.h"
#include "ExportReaders.h"
#include "TFileListBox.h"
#include "TFilePagesFixture.h"
#include "TSpeedButton.h"
#include "uMain.h"

namespace fs = std::filesystem;

namespace {

// A table in the default text format (comma, double quotes, a caption line).
const std::string MeterText = Utf8ToAnsi("HH,HM,DS\r\n0100101,\"张国强\",1234.5\r\n0100102,\"王小二\",-8\r\n");
const std::string MeterRecords = "['HH', 'HM', 'DS']\n[100101, '张国强', 1234.5]\n[100102, '王小二', -8.0]\n";

class TFormmainConversionsTest : public TFilePagesFixture {
protected:
  void download(const std::vector<std::string>& Names) {
    window->flistCpu->Update();
    Select(window->listCpu, Names);
    window->sbtnLeftClick(nullptr);
    ASSERT_TRUE(WaitIdle());
  }
  void upload(const std::vector<std::string>& Names) {
    Select(window->listCbj, Names);
    window->sbtnRightClick(nullptr);
    ASSERT_TRUE(WaitIdle());
  }
  // The fields and records of a table in the PC folder, as dbfread reads them.
  std::string dbfRecords(const std::string& Name) const {
    const TReaderResult r = RunPython(
        "import dbfread, sys\n"
        "t = dbfread.DBF(sys.argv[1], encoding='cp936', char_decode_errors='strict')\n"
        "print(t.field_names)\n"
        "for r in t:\n  print(list(r.values()))\n",
        "'" + (terminal.Pc() / Name).string() + "' 2>&1");
    EXPECT_EQ(r.Status, 0) << r.Output;
    return r.Output;
  }
};

}  // namespace

TEST_F(TFormmainConversionsTest, DownloadWithAllSendsTheConvertedTableAndKeepsBothOnThePc) {
  WritePcFile("x.txt", MeterText);
  OpenCommPage("ConvertType=0\n");
  download({"x.txt"});
  EXPECT_EQ(ReadPcFile("x.txt"), MeterText);
  ASSERT_TRUE(PcFileExists("x.dbf"));
  EXPECT_EQ(dbfRecords("x.dbf"), MeterRecords);
  EXPECT_EQ(ReadTerminalFile("x.dbf"), ReadPcFile("x.dbf"));
  const std::vector<std::string> names = TerminalNames();
  EXPECT_EQ(std::count(names.begin(), names.end(), "x.txt"), 0);
  // The dBASE exporter asks the desktop to print every table it wrote; nothing else is shown.
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(hook.Shown()[0].Kind, dkShellExecute);
  EXPECT_EQ(hook.Shown()[0].Caption, "print");
  EXPECT_EQ(hook.Shown()[0].Text, PcFolder() + "x.dbf");
}

TEST_F(TFormmainConversionsTest, DownloadWithTxtConvertsOnlyTextFilesInAnyCase) {
  WritePcFile("a.txt", MeterText);
  WritePcFile("B.TXT", MeterText);
  WritePcFile("c.csv", MeterText);
  OpenCommPage("ConvertType=1\n");
  download({"a.txt", "B.TXT", "c.csv"});
  EXPECT_EQ(dbfRecords("a.dbf"), MeterRecords);
  EXPECT_EQ(ReadTerminalFile("a.dbf"), ReadPcFile("a.dbf"));
  EXPECT_EQ(ReadTerminalFile("B.dbf"), ReadPcFile("B.dbf"));
  EXPECT_EQ(ReadTerminalFile("c.csv"), MeterText);
  EXPECT_FALSE(PcFileExists("c.dbf"));
}

TEST_F(TFormmainConversionsTest, DownloadWithNoneSendsEveryFileAsItIs) {
  WritePcFile("x.txt", MeterText);
  OpenCommPage("ConvertType=6\n");
  download({"x.txt"});
  EXPECT_EQ(ReadTerminalFile("x.txt"), MeterText);
  EXPECT_FALSE(PcFileExists("x.dbf"));
}

TEST_F(TFormmainConversionsTest, AFailedConversionSendsTheUnconvertedFileWithoutAWord) {
  // A quote that never closes is no table.
  const std::string text = "A,B\r\n1,\"never closed\r\n";
  WritePcFile("x.txt", text);
  OpenCommPage("ConvertType=1\n");
  download({"x.txt"});
  EXPECT_EQ(ReadTerminalFile("x.txt"), text);
  EXPECT_FALSE(PcFileExists("x.dbf"));
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(Status(), "手持机连接在USB口！");
}

TEST_F(TFormmainConversionsTest, UploadedTablesAreConvertedWhateverTheCaseOfTheirExtension) {
  PutTerminalFile(30, "a.DBF", ReadTerminalFile("KHDA.DBF"));
  PutTerminalFile(31, "n.txt", MeterText);
  OpenCommPage("ConvertType=2\n");
  upload({"a.DBF", "n.txt"});
  ASSERT_TRUE(PcFileExists("a.csv"));
  const TReaderResult r = RunPython(
      "import csv, dbfread, sys\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp936')\n"
      "rows = list(csv.reader(open(sys.argv[2], encoding='cp936', newline='')))\n"
      "print(rows[0] == t.field_names, len(rows) - 1 == len(t), len(t) > 0)\n",
      "'" + (terminal.Pc() / "a.DBF").string() + "' '" + (terminal.Pc() / "a.csv").string() + "' 2>&1");
  EXPECT_EQ(r.Output, "True True True\n");
  EXPECT_EQ(ReadPcFile("n.txt"), MeterText);
  EXPECT_FALSE(PcFileExists("n.csv"));
}
