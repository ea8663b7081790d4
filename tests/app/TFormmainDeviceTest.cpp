// The management page's single requests driven against a simulated terminal: the clock from the
// pickers, the system figures, the system and user values read and written by their tabs' modes,
// and the mode buttons' captions in both languages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DateRoutines.h"
#include "IntegerText.h"
#include "TBlockingRoutine.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TDateTimePicker.h"
#include "TEdit.h"
#include "TMainWindowFixture.h"
#include "TPageControl.h"
#include "TSpeedButton.h"
#include "TTabSheet.h"
#include "TestInput.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "VxComm.h"

using TestInput::ClickControl;
using TestInput::WaitUntil;

namespace {

AnsiString libraryText(std::int32_t Code) {
  char text[COMM_TEXT_SIZE] = {};
  vxGetErrMsg(Code, text, nullptr);
  return text;
}

// What the terminal holds, asked directly.
AnsiString systemText(std::int32_t Id) {
  char text[COMM_TEXT_SIZE] = {};
  EXPECT_EQ(vxGetMachSysInfo(PORT_USB, Id, text), 0);
  return text;
}
AnsiString userText(std::int32_t Id) {
  char text[COMM_TEXT_SIZE] = {};
  EXPECT_EQ(vxGetMachInfo(PORT_USB, Id, text), 0);
  return text;
}

using Texts = std::vector<AnsiString>;

class TFormmainDeviceTest : public TMainWindowFixture {
protected:
  void SetUp() override {
    WriteSettings("[sysoptions]\nrunmode=3\nSysSetting=1\n");
    CreateWindow();
    hook.Clear();
  }

  void showTab(TTabSheet* Sheet) {
    window->pclOsMan->SetActivePage(Sheet == window->tsCbjMan ? Sheet : window->tsParaMan);
    if (Sheet != window->tsCbjMan) window->pclParaMan->SetActivePage(Sheet);
  }
  // Puts a tab into write (true) or read mode with its mode button.
  void systemMode(bool Write) {
    showTab(window->tsSysParaSetting);
    if (window->btnSetGetSysPara->Down() != Write) ClickControl(window->btnSetGetSysPara);
  }
  void userMode(bool Write) {
    showTab(window->tsUserParaSetting);
    if (window->btnSetGetUserPara->Down() == Write) ClickControl(window->btnSetGetUserPara);
  }
  std::vector<AnsiString> boxes() const {
    std::vector<AnsiString> texts;
    for (const TShownDialog& dialog : hook.Shown()) texts.push_back(dialog.Text);
    return texts;
  }
};

// A value of the system or user tab with its message keys.
struct TValueCase {
  const char* Name;
  bool System;
  TButton* TFormmain::*Button;
  TEdit* TFormmain::*Edit;
  std::int32_t Id;
  const AnsiString* ReadFailed;
  const AnsiString* WriteSucceeded;
  const AnsiString* WriteFailed;
};

const TValueCase valueCases[] = {
    {"version", true, &TFormmain::btnGetMachVer, &TFormmain::edtMachVer, SYS_VERSION, &ERR_READ_VERSION_FAILED,
     &INFO_SET_VERSION_SUCCESS, &INFO_SET_VERSION_FAILED},
    {"type", true, &TFormmain::btnGetMachType, &TFormmain::edtMachType, SYS_MACHINE_TYPE,
     &INFO_READ_DEVICE_TYPE_FAILED, &INFO_SET_DEVICE_TYPE_SUCEESS, &INFO_SET_DEVICE_TYPE_FAILED},
    {"number", true, &TFormmain::btnGetMachNo, &TFormmain::edtMachNo, SYS_MACHINE_NO,
     &INFO_READ_DEVICE_SERIAL_FAILED, &INFO_SET_DEVICE_SERIAL_SUCEESS, &INFO_SET_DEVICE_SERIAL_FAILED},
    {"company", true, &TFormmain::btnGetMachCompany, &TFormmain::edtMachCompany, SYS_COMPANY_NAME,
     &INFO_READ_COMPANY_NAME_FAILED, &INFO_SET_COMPANY_NAME_SUCEESS, &INFO_SET_COMPANY_NAME_FAILED},
    {"password", false, &TFormmain::btnSetUserPasswd, &TFormmain::edtPasswd, 1, &INFO_READ_PASSWORD_FAILED,
     &INFO_SET_PASSWORD_SUCEESS, &INFO_SET_PASSWORD_FAILED},
    {"user company", false, &TFormmain::btnSetUserCompany, &TFormmain::edtUserCompany, USER_COMPANY,
     &INFO_READ_USER_COMPANY_NAME_FAILED, &INFO_SET_USER_COMPANY_NAME_SUCEESS, &INFO_SET_USER_COMPANY_NAME_FAILED},
    {"user name", false, &TFormmain::btnSetUserName, &TFormmain::edtUserName, USER_NAME, &INFO_READ_USER_NAME_FAILED,
     &INFO_SET_USER_NAME_SUCEESS, &INFO_SET_USER_NAME_FAILED},
    {"user number", false, &TFormmain::btnSetUserNum, &TFormmain::edtUserNum, USER_NUMBER, &INFO_READ_USERID_FAILED,
     &INFO_SET_USERID_SUCEESS, &INFO_SET_USERID_FAILED},
    {"user machine", false, &TFormmain::btnSetUserMachNo, &TFormmain::edtUserMachNo, USER_MACHINE_NO,
     &INFO_READ_USER_DEVICE_SERIAL_FAILED, &INFO_SET_USER_DEVICE_SERIAL_SUCEESS, &INFO_SET_USER_DEVICE_SERIAL_FAILED},
    {"memo", false, &TFormmain::btnSetUserMemo, &TFormmain::edtUserMemo, USER_MEMO, &INFO_READ_USER_NOTE_FAILED,
     &INFO_SET_USER_NOTE_SUCEESS, &INFO_SET_USER_NOTE_FAILED},
};

}  // namespace

TEST_F(TFormmainDeviceTest, ClockIsSetFromThePickersAndTheTerminalKeepsIt) {
  showTab(window->tsCbjMan);
  ClickControl(window->disableAutotime);  // the pickers stay as set
  window->cbjDate->SetDate(EncodeDate(2031, 5, 6));
  window->cbjTime->SetTime(EncodeTime(7, 8, 0, 0));
  ClickControl(window->setCbjTime);
  EXPECT_EQ(boxes(), Texts{INFO_SETTIME_SUCCESS});
  // The terminal dates a file it receives by its clock.
  TVxTestTerminal::Write(terminal.Pc() / "dated.txt", "x");
  ASSERT_EQ(vxDownloadFile(PORT_USB, terminal.PcPath("dated.txt").c_str(), "DATED.TXT"), 0);
  std::vector<TCommFileRecord> files(COMM_FILE_LIST_MAX);
  std::int32_t count = 0;
  ASSERT_EQ(vxGetNormalFileList(PORT_USB, files.data(), &count), 0);
  bool found = false;
  for (std::int32_t i = 0; i < count; ++i) {
    if (std::strncmp(files[i].Name, "DATED.TXT", sizeof files[i].Name) != 0) continue;
    found = true;
    EXPECT_EQ(files[i].Year, 31);
    EXPECT_EQ(files[i].Month, 5);
    EXPECT_EQ(files[i].Day, 6);
    EXPECT_EQ(files[i].Hour, 7);
    EXPECT_EQ(files[i].Minute, 8);
  }
  EXPECT_TRUE(found);
}

TEST_F(TFormmainDeviceTest, ClockFailureShowsTheLibraryText) {
  terminal.Settings("[Fault.vxSetDateTime]\nResult=102\nWhen=Once\nCall=1\n");
  showTab(window->tsCbjMan);
  ClickControl(window->setCbjTime);
  ClickControl(window->setCbjTime);
  EXPECT_EQ(boxes(), (Texts{INFO_SETTIME_FAILED + libraryText(102), INFO_SETTIME_SUCCESS}));
}

TEST_F(TFormmainDeviceTest, SystemFiguresAreReadAndFailuresShowTheirKeys) {
  showTab(window->tsSysParaSetting);
  ClickControl(window->btnGetMachCapacity);
  ClickControl(window->btnGetMachFileNum);
  ClickControl(window->btnGetMachOccurRoom);
  EXPECT_TRUE(hook.Shown().empty());
  std::int32_t capacity = 0, count = 0;
  TCommSpaceInfo space{};
  ASSERT_EQ(vxGetMachSysInfo(PORT_USB, SYS_CAPACITY, &capacity), 0);
  ASSERT_EQ(vxGetMachSysInfo(PORT_USB, SYS_FILE_COUNT, &count), 0);
  ASSERT_EQ(vxGetMachSysInfo(PORT_USB, SYS_SPACE_INFO, &space), 0);
  EXPECT_EQ(window->edtMachCapacity->Text(), "8388608");
  EXPECT_EQ(window->edtMachCapacity->Text(), IntToStr(capacity));
  EXPECT_EQ(window->edtMachFileNum->Text(), IntToStr(count));
  EXPECT_GT(count, 0);
  EXPECT_EQ(window->edtMachOccurRoom->Text(), IntToStr(space.OccupiedRoom));

  terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=103\n");
  window->edtMachCapacity->SetText("old");
  for (TButton* button : {window->btnGetMachCapacity, window->btnGetMachFileNum, window->btnGetMachOccurRoom})
    ClickControl(button);
  const AnsiString text = libraryText(103);
  EXPECT_EQ(boxes(), (Texts{ERR_READ_COMPACITY_FAILED + text, ERR_READ_FILE_COUNT_FAILED + text,
                            ERR_READ_SPACE_FAILED + text}));
  EXPECT_EQ(window->edtMachCapacity->Text(), "old");
}

TEST_F(TFormmainDeviceTest, EveryValueIsWrittenAndReadBackThroughItsButton) {
  for (const TValueCase& value : valueCases) {
    SCOPED_TRACE(value.Name);
    hook.Clear();
    TEdit* edit = window->*value.Edit;
    const bool password = value.Id == 1 && !value.System;
    const AnsiString typed = password ? AnsiString("20240607") : Utf8ToAnsi("新值 ") + value.Name;
    value.System ? systemMode(true) : userMode(true);
    edit->SetText(typed);
    ClickControl(window->*value.Button);
    EXPECT_EQ(boxes(), Texts{*value.WriteSucceeded});
    EXPECT_EQ(value.System ? systemText(value.Id) : userText(value.Id), typed);
    value.System ? systemMode(false) : userMode(false);
    edit->SetText("");
    ClickControl(window->*value.Button);
    EXPECT_EQ(edit->Text(), typed);
    EXPECT_EQ(hook.Shown().size(), 1u);
  }
}

TEST_F(TFormmainDeviceTest, EveryValueFailureShowsItsKeyAndTheLibraryText) {
  terminal.Settings(
      "[Fault.vxGetMachSysInfo]\nResult=102\n[Fault.vxSetMachSysInfo]\nResult=17\n"
      "[Fault.vxGetMachInfo]\nResult=102\n[Fault.vxSetMachInfo]\nResult=17\n");
  for (const TValueCase& value : valueCases) {
    SCOPED_TRACE(value.Name);
    hook.Clear();
    TEdit* edit = window->*value.Edit;
    edit->SetText("1");
    value.System ? systemMode(true) : userMode(true);
    ClickControl(window->*value.Button);
    value.System ? systemMode(false) : userMode(false);
    ClickControl(window->*value.Button);
    EXPECT_EQ(boxes(), (Texts{*value.WriteFailed + libraryText(17), *value.ReadFailed + libraryText(102)}));
    EXPECT_EQ(edit->Text(), "1");
  }
}

TEST_F(TFormmainDeviceTest, PasswordOfTheChosenTypeIsWrittenTrimmed) {
  userMode(true);
  window->cbxPasType->SetItemIndex(2);  // "运行选定的程序": type 3
  window->edtPasswd->SetText("  4711\t ");
  ClickControl(window->btnSetUserPasswd);
  EXPECT_EQ(boxes(), Texts{INFO_SET_PASSWORD_SUCEESS});
  EXPECT_EQ(userText(3), "4711");
  EXPECT_NE(userText(1), "4711");
  // Other values are written as typed, blanks and all.
  window->edtUserCompany->SetText(Utf8ToAnsi("  抄表 公司 "));
  ClickControl(window->btnSetUserCompany);
  EXPECT_EQ(AnsiToUtf8(userText(USER_COMPANY)), "  抄表 公司 ");
  // Read mode reads the chosen type too.
  userMode(false);
  window->cbxPasType->SetItemIndex(6);
  ClickControl(window->btnSetUserPasswd);
  EXPECT_EQ(window->edtPasswd->Text(), userText(7));
  window->cbxPasType->SetItemIndex(2);
  ClickControl(window->btnSetUserPasswd);
  EXPECT_EQ(window->edtPasswd->Text(), "4711");
}

TEST_F(TFormmainDeviceTest, PasswordLongerThanTheBufferIsRefusedBeforeAnyCall) {
  userMode(true);
  const AnsiString before = userText(1);
  terminal.Settings("[Fault.vxSetMachInfo]\nResult=102\n");  // a call would show its failure
  window->edtPasswd->SetText(" " + std::string(101, '9') + " ");
  ClickControl(window->btnSetUserPasswd);
  // 51 Chinese characters are 102 bytes: refused whole, never cut between the bytes of one.
  std::string chinese;
  for (int i = 0; i < 51; ++i) chinese += "密";
  window->edtPasswd->SetText(Utf8ToAnsi(chinese));
  ClickControl(window->btnSetUserPasswd);
  EXPECT_EQ(boxes(), Texts(2, ERR_PASSWORD_TOO_LONG));
  terminal.Settings("");
  EXPECT_EQ(userText(1), before);
  // Exactly 100 bytes fit.
  hook.Clear();
  window->edtPasswd->SetText(" " + std::string(100, '8') + " ");
  ClickControl(window->btnSetUserPasswd);
  EXPECT_EQ(boxes(), Texts{INFO_SET_PASSWORD_SUCEESS});
  EXPECT_EQ(userText(1), std::string(100, '8'));
}

TEST_F(TFormmainDeviceTest, RequestsWhileBusyOnlyAskToWait) {
  TBlockingRoutine routine(tmUploadMemory);
  window->StartWorker(tmUploadMemory, true);
  ASSERT_TRUE(routine.WaitEntered());
  terminal.Settings("[Fault.vxGetMachSysInfo]\nResult=102\n[Fault.vxSetDateTime]\nResult=102\n");
  showTab(window->tsCbjMan);
  ClickControl(window->setCbjTime);
  systemMode(false);
  ClickControl(window->btnGetMachCapacity);
  ClickControl(window->btnGetMachVer);
  // The mode button still switches, captions and all.
  ClickControl(window->btnSetGetSysPara);
  EXPECT_EQ(window->btnGetMachVer->Caption(), INFO_SET_DEVICE_VERSION);
  routine.Release();
  EXPECT_EQ(boxes(), Texts(3, INFO_FINISHED_FIRST));
  EXPECT_TRUE(WaitUntil([&] { return window->Busy() == 0; }));
}

TEST_F(TFormmainDeviceTest, ModeButtonsToggleTheCaptionsInBothLanguages) {
  // The starting state: reading system values, writing user values.
  EXPECT_EQ(AnsiToUtf8(window->btnSetGetSysPara->Caption()), "目前模式：获取系统参数(单击改变)");
  EXPECT_EQ(AnsiToUtf8(window->btnSetGetUserPara->Caption()), "目前模式：设定用户参数(单击改变)");
  systemMode(true);
  EXPECT_EQ(window->btnSetGetSysPara->Caption(), INFO_SETTING_SYS_MODE);
  EXPECT_EQ(window->btnGetMachVer->Caption(), INFO_SET_DEVICE_VERSION);
  EXPECT_EQ(window->btnGetMachType->Caption(), INFO_SET_DEVICE_TYPE);
  EXPECT_EQ(window->btnGetMachNo->Caption(), INFO_SET_DEVICE_SERIAL);
  EXPECT_EQ(window->btnGetMachCompany->Caption(), INFO_SET_COMPANY_NAME);
  userMode(false);
  EXPECT_EQ(window->btnSetGetUserPara->Caption(), INFO_READING_MODE);
  EXPECT_EQ(window->btnSetUserPasswd->Caption(), INFO_READ_PASSWORD);
  EXPECT_EQ(window->btnSetUserCompany->Caption(), INFO_READ_USER_COMPANY_NAME);
  EXPECT_EQ(window->btnSetUserName->Caption(), INFO_READ_USER_NAME);
  EXPECT_EQ(window->btnSetUserNum->Caption(), INFO_READ_USERID);
  EXPECT_EQ(window->btnSetUserMachNo->Caption(), INFO_READ_USER_DEVICE_SERIAL);
  EXPECT_EQ(window->btnSetUserMemo->Caption(), INFO_READ_USER_NOTE);

  // A switch keeps each tab's mode in its captions, now in English.
  window->SetLanguage(1);
  EXPECT_EQ(window->btnSetGetSysPara->Caption(), "Mode: setting system parameters (click to change)");
  EXPECT_EQ(window->btnGetMachVer->Caption(), "Set version");
  EXPECT_EQ(window->btnSetGetUserPara->Caption(), "Mode: reading user parameters (click to change)");
  EXPECT_EQ(window->btnSetUserMemo->Caption(), "Read memo");
  EXPECT_EQ(window->btnGetMachCapacity->Caption(), "Read capacity");  // not a mode caption

  systemMode(false);
  userMode(true);
  EXPECT_EQ(window->btnSetGetSysPara->Caption(), "Mode: reading system parameters (click to change)");
  EXPECT_EQ(window->btnGetMachCompany->Caption(), "Read company name");
  EXPECT_EQ(window->btnSetGetUserPara->Caption(), "Mode: setting user parameters (click to change)");
  EXPECT_EQ(window->btnSetUserPasswd->Caption(), "Set password");
  userMode(false);

  window->SetLanguage(0);
  EXPECT_EQ(AnsiToUtf8(window->btnSetGetSysPara->Caption()), "目前模式：获取系统参数(单击改变)");
  EXPECT_EQ(AnsiToUtf8(window->btnGetMachVer->Caption()), "读取机器版本");
  EXPECT_EQ(AnsiToUtf8(window->btnSetGetUserPara->Caption()), "当前模式：读取用户参数（单击改变）");
  EXPECT_EQ(AnsiToUtf8(window->btnSetUserNum->Caption()), "读取用户编号");
}
