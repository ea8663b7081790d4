// The language menu: the languages found, a switch that translates the window and the message
// texts, a stale index.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TImage.h"
#include "TLabel.h"
#include "TComboBox.h"
#include "TMainWindowFixture.h"
#include "TStrings.h"
#include "TSpeedButton.h"
#include "TMenuItem.h"
#include "TNotebook.h"
#include "TPanel.h"
#include "TRadioGroup.h"
#include "TTimer.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

class TFormmainLanguageTest : public TMainWindowFixture {};

std::string utf8(const AnsiString& Text) { return AnsiToUtf8(Text); }

}  // namespace

TEST_F(TFormmainLanguageTest, MenuListsChineseFirstThenEnglish) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  ASSERT_EQ(window->miLanguages->Count(), 2);
  EXPECT_EQ(utf8(window->miLanguages->Items(0)->Caption()), "简体中文");
  EXPECT_EQ(window->miLanguages->Items(1)->Caption(), "English");
  EXPECT_EQ(window->miLanguages->Items(1)->Tag(), 1);
  EXPECT_FALSE(window->miLanguages->Items(0)->Checked());
}

TEST_F(TFormmainLanguageTest, SwitchTranslatesTheWindowAndTheMessageTexts) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow();
  window->miLanguages->Items(1)->Click();
  EXPECT_EQ(window->Caption(), "Handheld Terminal Manager");
  EXPECT_EQ(window->btnExit->Caption(), "Back");
  EXPECT_EQ(window->miAbout->Caption(), "About...");
  EXPECT_EQ(INFO_WAITING, "Please wait...");
  EXPECT_EQ(INFO_CONECTED_PORT, "Terminal connected on COM%d!");
  EXPECT_EQ(window->pnlDate->Caption().size(), 10u);  // yyyy-mm-dd
  window->miLanguages->Items(0)->Click();
  EXPECT_EQ(utf8(window->Caption()), "手持机通讯管理器");
  EXPECT_EQ(utf8(INFO_WAITING), "请稍候...");
  EXPECT_NE(utf8(window->pnlDate->Caption()).find("年"), std::string::npos);
}

TEST_F(TFormmainLanguageTest, AFileNamedInCapitalsIsChosenFromTheMenu) {
  std::filesystem::rename(folder / "languages" / "English.txt", folder / "languages" / "ENGLISH.TXT");
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow();
  ASSERT_EQ(window->miLanguages->Count(), 2);
  ASSERT_EQ(window->miLanguages->Items(1)->Caption(), "English");
  window->miLanguages->Items(1)->Click();
  EXPECT_EQ(window->Caption(), "Handheld Terminal Manager");
  EXPECT_EQ(window->btnExit->Caption(), "Back");
  EXPECT_EQ(INFO_WAITING, "Please wait...");
}

TEST_F(TFormmainLanguageTest, StoredLanguageIsSwitchedToAtStart) {
  WriteSettings("[sysoptions]\nrunmode=7\nLanguage=1\n");
  CreateWindow(false);
  EXPECT_EQ(window->btnOption->Caption(), "Menu");
  EXPECT_EQ(ERR_CONNECT_FAILED, "Communication with the terminal failed!");
}

TEST_F(TFormmainLanguageTest, StaleLanguageIndexIsIgnored) {
  WriteSettings("[sysoptions]\nrunmode=7\nLanguage=5\n");
  CreateWindow(false);
  EXPECT_EQ(utf8(window->Caption()), "手持机通讯管理器");
  EXPECT_EQ(utf8(INFO_WAITING), "请稍候...");
}

TEST_F(TFormmainLanguageTest, DataLabelsKeepTheirValuesAcrossASwitch) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  window->lblMachType->SetCaption("VX-9");
  window->SetLanguage(1);
  EXPECT_EQ(window->lblMachType->Caption(), "VX-9");
  EXPECT_EQ(window->lblFileNum->Caption(), "Unknown");  // "unknown" follows the language
  window->SetLanguage(0);
  EXPECT_EQ(utf8(window->lblFileNum->Caption()), "未知");
}

TEST_F(TFormmainLanguageTest, NoLanguageFilesLeaveTheMenuEmpty) {
  std::filesystem::remove_all(folder / "languages");
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  EXPECT_EQ(window->miLanguages->Count(), 0);
  EXPECT_EQ(utf8(INFO_WAITING), "请稍候...");
}

TEST_F(TFormmainLanguageTest, PasswordTypeChoiceSurvivesASwitch) {
  WriteSettings("[sysoptions]\nrunmode=7\n");
  CreateWindow(false);
  EXPECT_EQ(window->cbxPasType->ItemIndex(), 0);
  window->cbxPasType->SetItemIndex(2);
  window->SetLanguage(1);
  EXPECT_EQ(window->cbxPasType->Items()->Strings(2), "Run a chosen program");
  EXPECT_EQ(window->cbxPasType->ItemIndex(), 2);
}
