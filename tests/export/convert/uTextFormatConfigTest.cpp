// The text-format dialog, driven offscreen as a user would: what it shows, what OK, Cancel and
// "restore defaults" store, and the language it speaks.
#include "uTextFormatConfig.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ConvertFixture.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TestInput.h"
#include "TextFormatSettings.h"

using TestInput::ClickControl;

namespace {

class uTextFormatConfigTest : public ConvertTest {
protected:
  // Shows the dialog through the program's routine; Act runs with it open.
  bool Show(const std::function<void(TfrmTextFormatConfig*)>& Act) {
    hook.OnShowModal = [&](TCustomForm* Form) { Act(static_cast<TfrmTextFormatConfig*>(Form)); };
    const bool ok = ShowTextFormatConfig();
    hook.OnShowModal = nullptr;
    return ok;
  }
};

}  // namespace

TEST_F(uTextFormatConfigTest, AFileWithoutTheSectionShowsWhatAConversionDoes) {
  bool shown = false;
  Show([&](TfrmTextFormatConfig* f) {
    shown = true;
    EXPECT_EQ(f->edtDelimiter->Text(), ",");
    EXPECT_EQ(f->edtQuoteChar->Text(), "\"");
    EXPECT_TRUE(f->cbQuotedString->Checked());
    EXPECT_TRUE(f->chkIncludeTitle->Checked());
    EXPECT_EQ(f->edtDelimiter->MaxLength(), 1);
    EXPECT_EQ(AnsiToUtf8(f->Caption()), "TXT导出格式");
    EXPECT_EQ(f->SettingsFile(), settings);
  });
  EXPECT_TRUE(shown);
}

TEST_F(uTextFormatConfigTest, DefaultsThenCancelLeavesTheFileUnchanged) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=;\r\n");
  EXPECT_FALSE(Show([](TfrmTextFormatConfig* f) {
    EXPECT_EQ(f->edtDelimiter->Text(), ";");
    ClickControl(f->btnSetDefault);
    EXPECT_EQ(f->edtDelimiter->Text(), "t");
    ClickControl(f->BitBtn2);
  }));
  EXPECT_EQ(ReadFileBytes(settings), "[TEXTFORMAT]\r\nDelimiterChar=;\r\n");
}

TEST_F(uTextFormatConfigTest, DefaultsThenOkStoresTabDoubleQuoteAndBothFlags) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=;\r\nQuotedString=0\r\nIncludeTitle=0\r\n");
  EXPECT_TRUE(Show([](TfrmTextFormatConfig* f) {
    EXPECT_FALSE(f->cbQuotedString->Checked());
    ClickControl(f->btnSetDefault);
    ClickControl(f->BitBtn1);
  }));
  EXPECT_EQ(ReadFileBytes(settings),
            "[TEXTFORMAT]\r\nDelimiterChar=t\r\nQuotedString=1\r\nIncludeTitle=1\r\nQuoteChar=\"\r\n");
  // The next text file the service writes is tab-delimited.
  MakeDbf("a.dbf", "HH C(10); DS N(10,2)", "[('1', 1.25)]");
  ASSERT_TRUE(module->ConvertFile(Path("a.dbf"), TConvertType::TXT)) << module->LastError();
  EXPECT_EQ(ReadFileBytes(Path("a.txt")), "\"HH\"\t\"DS\"\r\n\"1\"\t1.25\r\n");
}

TEST_F(uTextFormatConfigTest, AnEmptyDelimiterIsStoredEmpty) {
  EXPECT_TRUE(Show([](TfrmTextFormatConfig* f) {
    f->edtDelimiter->SetText("");
    f->cbQuotedString->SetChecked(false);
    ClickControl(f->BitBtn1);
  }));
  const TTextFormatEntries entries = ReadTextFormatEntries(settings);
  EXPECT_EQ(entries.DelimiterChar, "");
  EXPECT_FALSE(entries.QuotedString);
}

TEST_F(uTextFormatConfigTest, ASettingsFileThatCannotBeWrittenKeepsTheDialogOpen) {
  WriteSettings("[TEXTFORMAT]\r\nDelimiterChar=;\r\n");
  ASSERT_TRUE(MakeUnwritable(settings));
  ASSERT_TRUE(MakeUnwritable(dir.Dir().string()));
  bool stillOpen = false;
  EXPECT_FALSE(Show([&](TfrmTextFormatConfig* f) {
    ClickControl(f->btnSetDefault);
    ClickControl(f->BitBtn1);
    stillOpen = f->Visible() && f->ModalResult() == mrNone;
  }));
  MakeWritable(dir.Dir().string());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(ReadFileBytes(settings), "[TEXTFORMAT]\r\nDelimiterChar=;\r\n");
  bool told = false;
  for (const TShownDialog& shown : hook.Shown()) told = told || shown.Text.find("Unable to write") != std::string::npos;
  EXPECT_TRUE(told);
}
