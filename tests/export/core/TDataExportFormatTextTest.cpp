#include "TDataExportFormatText.h"

#include <gtest/gtest.h>

#include <fstream>

#include "CodePage.h"
#include "ExportFixture.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TStringList.h"
#include "TWideStringList.h"
#include "TempFolder.h"
#include "TypInfo.h"

namespace {

// Reaches the list-section routines that the exporters with lists of their own use.
class TListIniExport : public TDataExportFormatText {
  DECLARE_CLASS(TListIniExport, TDataExportFormatText)

  using TDataExportFormatText::TDataExportFormatText;
  using TDataExport::LoadListFromIni;
  using TDataExport::SaveListToIni;
};

DEFINE_CLASS(TListIniExport, TDataExportFormatText)

std::string readFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class TDataExportFormatTextTest : public ExportTest {
protected:
  AnsiString iniName() const { return folder.prefix() + "export.ini"; }
  TempFolder folder;
};

}  // namespace

TEST_F(TDataExportFormatTextTest, EverySettingSurvivesARoundTrip) {
  TListIniExport a(nullptr);
  a.SetGoToFirstRecord(false);
  a.SetExportEmpty(false);
  a.SetCurrentRecordOnly(true);
  a.SetExportRecCount(12);
  a.SetSkipRecCount(3);
  a.SetOnlyVisibleFields(true);
  a.SetAutoCalcStrType(true);
  a.SetCaptionRow(2);
  a.ExportedFields()->SetText("NAME\r\nCITY=Town\r\n");
  a.SetFileName("/tmp/out.txt");
  a.SetShowFile(true);
  a.Header()->SetText(u"抄表清单\r\n  indented\r\n");
  a.Footer()->Add(u"end");
  a.SetAllowCaptions(false);
  a.Captions()->SetText("NAME=姓名\r\n");
  a.UserFormats()->SetText("PRICE=#,##0.000\r\n");
  a.Formats()->SetIntegerFormat("0");
  a.Formats()->SetFloatFormat("");
  a.Formats()->SetDateFormat("yyyy-mm-dd");
  a.Formats()->SetBooleanTrue(u"yes");
  a.Formats()->SetNULLString(u"n/a");
  a.Formats()->SetDecimalSeparator(',');
  a.Formats()->SetThousandSeparator(' ');
  a.Formats()->SetKeepOriginalFormat(true);
  {
    TExportIniFile ini(iniName());
    a.SaveToIni(&ini);
  }
  const std::string text = readFile(folder.path() / "export.ini");
  EXPECT_NE(text.find("field0=NAME\r\nfield1=CITY=Town\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("line0=PRICE=#,##0.000"), std::string::npos) << text;
  EXPECT_NE(text.find("AutocalcStrType=1"), std::string::npos) << text;

  TListIniExport b(nullptr);
  TExportIniFile ini(iniName());
  b.LoadFromIni(&ini);
  EXPECT_FALSE(b.GoToFirstRecord());
  EXPECT_FALSE(b.ExportEmpty());
  EXPECT_TRUE(b.CurrentRecordOnly());
  EXPECT_EQ(b.ExportRecCount(), 12);
  EXPECT_EQ(b.SkipRecCount(), 3);
  EXPECT_TRUE(b.OnlyVisibleFields());
  EXPECT_TRUE(b.AutoCalcStrType());
  EXPECT_EQ(b.CaptionRow(), 2);
  EXPECT_EQ(b.ExportedFields()->Text(), "NAME\r\nCITY=Town\r\n");
  EXPECT_EQ(b.FileName(), "/tmp/out.txt");
  EXPECT_TRUE(b.ShowFile());
  EXPECT_TRUE(b.Header()->Equals(*a.Header()));
  EXPECT_TRUE(b.Footer()->Equals(*a.Footer()));
  EXPECT_FALSE(b.AllowCaptions());
  EXPECT_EQ(b.Captions()->Text(), a.Captions()->Text());
  EXPECT_EQ(b.UserFormats()->Text(), "PRICE=#,##0.000\r\n");
  EXPECT_EQ(b.Formats()->IntegerFormat(), "0");
  EXPECT_EQ(b.Formats()->FloatFormat(), "");
  EXPECT_EQ(b.Formats()->DateFormat(), "yyyy-mm-dd");
  EXPECT_EQ(b.Formats()->BooleanTrue(), u"yes");
  EXPECT_EQ(b.Formats()->NULLString(), u"n/a");
  EXPECT_EQ(b.Formats()->DecimalSeparator(), ',');
  EXPECT_EQ(b.Formats()->ThousandSeparator(), ' ');
  EXPECT_TRUE(b.Formats()->KeepOriginalFormat());
}

TEST_F(TDataExportFormatTextTest, AChineseHeaderNeedsVersion400) {
  TListIniExport a(nullptr);
  a.Header()->Add(u"抄表 ก");
  {
    TExportIniFile ini(iniName());
    ini.SetVersion(300);
    a.SaveToIni(&ini);
  }
  TListIniExport b(nullptr);
  {
    TExportIniFile ini(iniName());
    b.LoadFromIni(&ini);
  }
  EXPECT_EQ(b.Header()->Strings(0), u"抄表 ?");
  EXPECT_NE(readFile(folder.path() / "export.ini").find("line0=\xb3\xad\xb1\xed ?"), std::string::npos);  // only as far as the ANSI code page holds it
}

TEST_F(TDataExportFormatTextTest, AShorterListLeavesNoStaleLines) {
  TListIniExport a(nullptr);
  a.Header()->SetText(u"1\r\n2\r\n3\r\n4\r\n5\r\n");
  TExportIniFile ini(iniName());
  a.SaveToIni(&ini);
  a.Header()->SetText(u"a\r\nb\r\nc\r\n");
  a.SaveToIni(&ini);
  TStringList keys;
  ini.ReadSection("HEADER", &keys);
  EXPECT_EQ(keys.Text(), "line0\r\nline1\r\nline2\r\n");
}

TEST_F(TDataExportFormatTextTest, MissingSectionsAndKeysLeaveTheSettingsAsTheyWere) {
  std::ofstream(folder.path() / "export.ini") << "[GENERAL]\r\nExportRecCount=x\r\nShowFile=\r\n"
                                              << "[FORMATS]\r\nDecimalSeparator=\r\n";
  TListIniExport b(nullptr);
  b.SetExportRecCount(4);
  b.SetShowFile(true);
  b.Formats()->SetFloatFormat("0.0");
  b.Formats()->SetDecimalSeparator(',');
  TExportIniFile ini(iniName());
  b.LoadFromIni(&ini);
  EXPECT_EQ(b.ExportRecCount(), 4);
  EXPECT_TRUE(b.ShowFile());
  EXPECT_EQ(b.Formats()->FloatFormat(), "0.0");
  EXPECT_EQ(b.Formats()->DecimalSeparator(), ',');
}

TEST_F(TDataExportFormatTextTest, AnEmptyFormatsSectionKeepsEveryFormat) {
  std::ofstream(folder.path() / "export.ini") << "[FORMATS]\r\n[USER_FORMATS]\r\n";
  TListIniExport b(nullptr);
  TExportFormats before;
  before.SetIntegerFormat("00");
  before.SetNULLString(u"-");
  before.SetThousandSeparator('\'');
  b.Formats()->Assign(&before);
  b.UserFormats()->Add("A=0");
  TExportIniFile ini(iniName());
  b.LoadFromIni(&ini);
  EXPECT_EQ(b.Formats()->IntegerFormat(), "00");
  EXPECT_EQ(b.Formats()->NULLString(), u"-");
  EXPECT_EQ(b.Formats()->ThousandSeparator(), '\'');
  EXPECT_EQ(b.Formats()->DateFormat(), before.DateFormat());
  EXPECT_EQ(b.UserFormats()->Count(), 0);  // a list is read whole: an empty section empties it
}

TEST_F(TDataExportFormatTextTest, AnIniFileOfGarbageLoadsNothing) {
  std::ofstream out(folder.path() / "export.ini", std::ios::binary);
  for (int i = 0; i < 4096; ++i) out << static_cast<char>((i * 7919) & 0xFF);
  out.close();
  TListIniExport b(nullptr);
  b.ExportedFields()->Add("KEEP");
  TExportIniFile ini(iniName());
  b.LoadFromIni(&ini);
  EXPECT_EQ(b.ExportRecCount(), 0);
  EXPECT_EQ(b.ExportedFields()->Count(), 0);
}

TEST_F(TDataExportFormatTextTest, NameValueListsReadBackAsTheyWereSaved) {
  // The form the per-column lists (alignments, widths) are stored in: "line<i>=name=value".
  TStringList align, back;
  align.SetText("Amount=R\r\nName=L\r\n");
  TExportIniFile ini(iniName());
  TListIniExport::SaveListToIni(&ini, "ALIGN", "line", &align);
  TListIniExport::LoadListFromIni(&ini, "ALIGN", &back, true);
  EXPECT_EQ(back.Text(), "Amount=R\r\nName=L\r\n");
  // A hand-written line without the number key stays as it is.
  ini.WriteString("ALIGN", "Code", "C");
  TListIniExport::LoadListFromIni(&ini, "ALIGN", &back, true);
  EXPECT_EQ(back.Text(), "Amount=R\r\nName=L\r\nCode=C\r\n");
}

TEST_F(TDataExportFormatTextTest, PublishedPropertiesOfTheFileExporterChain) {
  std::vector<std::string> names;
  for (const TPropInfo* p : TDataExportFormatText::StaticClass().Properties()) names.push_back(p->Name);
  std::vector<std::string> tail(names.end() - 9, names.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"FileName", "ShowFile", "PrintFile", "Header", "Footer", "AllowCaptions",
                                            "Captions", "Formats", "UserFormats"}));
  TListIniExport e(nullptr);
  TWideStringList header;
  header.Add(u"h");
  SetObjectProp(&e, "Header", &header);
  EXPECT_EQ(e.Header()->Text(), u"h\r\n");
  TExportFormats formats;
  formats.SetIntegerFormat("000");
  SetObjectProp(&e, "Formats", &formats);
  EXPECT_EQ(e.Formats()->IntegerFormat(), "000");
  EXPECT_NE(e.Formats(), &formats);
}
