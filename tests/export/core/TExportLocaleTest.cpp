#include "TExportLocale.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ExportFixture.h"
#include "ExportMessages.h"
#include "LmHashLangStorage.h"
#include "LmLangMgr.h"
#include "TempFolder.h"

#include <fstream>

namespace {

class TExportLocaleTest : public ExportTest {
protected:
  void TearDown() override {
    ExportLocale().OnLocalize = nullptr;
    ExportTest::TearDown();
  }
};

}  // namespace

TEST_F(TExportLocaleTest, TheLibraryCarriesItsMessagesInEnglish) {
  EXPECT_EQ(ExportLoadStr(SExportSourceNotAssigned), "Export source (%s) is not assigned");
  EXPECT_EQ(ExportLoadStr(SExportSourceClosed), "Export source (%s) is closed");
  EXPECT_EQ(ExportLoadStr(SExportSourceEmpty), "Export source (%s) is empty");
  EXPECT_EQ(ExportLoadStr(SDirectoryNotCreated), "Directory \"%s\" not found and cannot be created");
  EXPECT_EQ(ExportLoadStr(SExcelRowLimit), "Export is aborted. The number of lines in the Excel sheet cannot exceed 65536.");
  EXPECT_EQ(ExportLoadStr(34000), "");  // one of the texts this system does not need
  EXPECT_EQ(ExportMessageCount(), 10);
}

TEST_F(TExportLocaleTest, ACallbackMayAnswerAMessageFirst) {
  ExportLocale().OnLocalize = [](int Id, AnsiString& Text) {
    if (Id == SExportSourceClosed) Text = "closed: %s";
  };
  EXPECT_EQ(ExportErrorOf([] { RaiseExportError(SExportSourceClosed, {"DataSet"}); }), "closed: DataSet");
  EXPECT_EQ(ExportLoadStr(SExportSourceEmpty), "Export source (%s) is empty");
  // A text whose place-holders do not suit the arguments falls back to the built-in one.
  ExportLocale().OnLocalize = [](int, AnsiString& Text) { Text = "%d of %d"; };
  EXPECT_EQ(ExportErrorOf([] { RaiseExportError(SExportSourceClosed, {"DataSet"}); }), "Export source (DataSet) is closed");
}

TEST_F(TExportLocaleTest, MessagesAreTranslatedByTheLanguageManager) {
  TempFolder folder;
  {
    std::ofstream file(folder.path() / "Chinese.txt", std::ios::binary);
    file << "\xef\xbb\xbf!LanguageID=2052\r\n!LanguageName=简体中文\r\nEXPORT_SOURCE_EMPTY=导出源(%s)为空\r\n";
  }
  auto* storage = new TLmHashLangFileStorage(owner);
  auto* manager = new TLmLangManager(owner);
  manager->SetLanguageStorage(storage);
  storage->SetLanguagePath(Utf8ToWide(folder.prefix()));
  manager->SetCurrentLanguageIndex(0);
  EXPECT_EQ(ExportErrorOf([] { RaiseExportError(SExportSourceEmpty, {"ListView"}); }), Utf8ToAnsi("导出源(ListView)为空"));
  delete manager;
  delete storage;
  // The built-in text comes back when the registration ends with the library.
  UnregisterExportMessages();
  EXPECT_EQ(ExportLoadStr(SExportSourceEmpty), "Export source (%s) is empty");
  RegisterExportMessages();
}

TEST_F(TExportLocaleTest, TheSourceKindsHaveTheirNames) {
  EXPECT_EQ(SourceName(esDataSet), "DataSet");
  EXPECT_EQ(SourceName(esListView), "ListView");
  EXPECT_EQ(SourceName(esDBGrid), "DBGrid");
  EXPECT_EQ(SourceName(esStringGrid), "StringGrid");
  EXPECT_EQ(SourceName(esCustom), "CustomSource");
  EXPECT_EQ(SourceName(static_cast<TExportSource>(9)), "");
}
