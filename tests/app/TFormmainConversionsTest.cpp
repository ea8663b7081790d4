// Conversions around the transfers: a PC file is converted into the terminal's dBASE type
// before it is sent, an uploaded dBASE file into the page's convert type after it arrived.
// Converted tables are read back by python3-dbfread. With "ALL", the default, a dBASE table is
// sent as it is and a converted one under the name the conversion wrote, whatever the case of
// the names; a conversion never writes over a file of the same transfer, and one that fails is
// reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "CodePage.h"
#include "ExportReaders.h"
#include "TCheckBox.h"
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

TEST_F(TFormmainConversionsTest, DownloadWithAllReplacesTheTerminalsTableWhateverTheCaseOfTheNames) {
  // The terminal names its tables in upper case; an older table of the name a conversion
  // writes ("CBSJ.dbf") lies beside the one that is sent.
  const std::string table = ReadTerminalFile("KHDA.DBF");
  WritePcFile("CBSJ.DBF", table);
  WritePcFile("CBSJ.dbf", "an older table");
  WritePcFile("CBSJ.TXT", MeterText);
  WritePcFile("Cbsj.Csv", "HH,DS\r\n0100103,7\r\n");
  OpenCommPage("ConvertType=0\n");
  const std::vector<std::string> names = {"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"};

  // A dBASE table is sent as it is, under its own name.
  download({"CBSJ.DBF"});
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), table);
  EXPECT_EQ(TerminalNames(), names);
  EXPECT_EQ(Status(), "下装文件全部成功！");

  // A converted file is sent under the name the conversion wrote, which is the terminal's
  // CBSJ.DBF: that file is replaced and keeps its name.
  download({"CBSJ.TXT"});
  EXPECT_EQ(dbfRecords("CBSJ.dbf"), MeterRecords);
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), ReadPcFile("CBSJ.dbf"));
  EXPECT_EQ(TerminalNames(), names);
  download({"Cbsj.Csv"});
  EXPECT_EQ(dbfRecords("Cbsj.dbf"), "['HH', 'DS']\n[100103, 7]\n");
  EXPECT_EQ(ReadTerminalFile("CBSJ.DBF"), ReadPcFile("Cbsj.dbf"));
  EXPECT_EQ(TerminalNames(), names);
  EXPECT_EQ(Status(), "下装文件全部成功！");
  EXPECT_TRUE(ShownMessages().empty());
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

TEST_F(TFormmainConversionsTest, AFailedConversionSendsTheUnconvertedFileAndSaysWhichAndWhy) {
  // A quote that never closes is no table.
  const std::string text = "A,B\r\n1,\"never closed\r\n";
  WritePcFile("x.txt", text);
  WritePcFile("prog.rom", "a program, no table");
  for (const char* type : {"ConvertType=1\n", "ConvertType=0\n"}) {
    OpenCommPage(type);
    download({"x.txt", "prog.rom"});
    EXPECT_EQ(ReadTerminalFile("x.txt"), text) << type;
    EXPECT_FALSE(PcFileExists("x.dbf")) << type;
    // A file of no type a table comes in is sent as it is, even with "ALL", without a word.
    EXPECT_EQ(ReadTerminalFile("prog.rom"), "a program, no table") << type;
    ASSERT_EQ(ShownMessages().size(), 1u) << type;
    EXPECT_EQ(ShownMessages()[0].rfind("Convert File Type Error:x.txt: ", 0), 0u) << ShownMessages()[0];
    EXPECT_NE(ShownMessages()[0].find("Open file  as Database Error: "), std::string::npos) << ShownMessages()[0];
    EXPECT_EQ(Status(), "下装文件部分失败！") << type;
    DestroyWindow();
    hook.Clear();
  }
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

TEST_F(TFormmainConversionsTest, ADamagedTableUploadedIsKeptAndItsFailedConversionReported) {
  PutTerminalFile(30, "BAD.DBF", "not a table");
  OpenCommPage("ConvertType=0\n");
  upload({"BAD.DBF", "KHDA.DBF"});
  EXPECT_EQ(ReadPcFile("BAD.DBF"), "not a table");
  EXPECT_FALSE(PcFileExists("BAD.txt"));
  EXPECT_TRUE(PcFileExists("KHDA.xml"));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0].rfind("Convert File Type Error:BAD.DBF: ", 0), 0u) << ShownMessages()[0];
  EXPECT_EQ(Status(), "上装文件部分失败！");
}

TEST_F(TFormmainConversionsTest, AConversionNeverWritesOverAFileOfTheSameUpload) {
  const std::string notes = "the meter reader's own notes\r\n";
  const std::string table = ReadTerminalFile("KHDA.DBF");
  PutTerminalFile(30, "NOTES.txt", notes);
  PutTerminalFile(31, "NOTES.DBF", table);
  OpenCommPage("ConvertType=0\n");
  window->chkCompleteDelFile->SetChecked(true);
  upload({"NOTES.txt", "NOTES.DBF"});
  // The notes are whole on the PC, now that the terminal's copy is gone; the table's other
  // targets are written, and the one left out is reported.
  EXPECT_EQ(ReadPcFile("NOTES.txt"), notes);
  EXPECT_EQ(ReadPcFile("NOTES.DBF"), table);
  for (const char* name : {"NOTES.csv", "NOTES.mdb", "NOTES.xls", "NOTES.xml"}) EXPECT_TRUE(PcFileExists(name)) << name;
  EXPECT_EQ(TerminalNames(), (std::vector<std::string>{"CBJ.EXE", "CBSJ.DBF", "KHDA.DBF"}));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0], "Convert File Type Error:NOTES.DBF: 文件已经存在：NOTES.txt");
  EXPECT_EQ(Status(), "上装文件部分失败！");

  // The table first: its text target is left out all the same, for the file that comes after it.
  hook.Clear();
  PutTerminalFile(40, "LOG.DBF", table);
  PutTerminalFile(41, "log.TXT", notes);
  window->miRefreshMachClick(nullptr);
  ASSERT_TRUE(WaitIdle());
  upload({"LOG.DBF", "log.TXT"});
  EXPECT_EQ(ReadPcFile("log.TXT"), notes);
  EXPECT_FALSE(PcFileExists("LOG.txt"));
  EXPECT_TRUE(PcFileExists("LOG.csv"));
  ASSERT_EQ(ShownMessages().size(), 1u);
  EXPECT_EQ(ShownMessages()[0], "Convert File Type Error:LOG.DBF: 文件已经存在：LOG.txt");
}
