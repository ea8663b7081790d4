// The management page's single requests, made on the main thread: the terminal's clock, its
// system information and its user information, and the mode buttons that choose whether a
// parameter tab reads or writes.
#include <cstdint>
#include <cstring>

#include "DateRoutines.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TButton.h"
#include "TComboBox.h"
#include "TDateTimePicker.h"
#include "TEdit.h"
#include "TSpeedButton.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uTerminalList.h"
#include "VxComm.h"

namespace {

// A figure of the system information, shown in decimal.
struct TFigureRow {
  TButton* TFormmain::*Button;
  TEdit* TFormmain::*Edit;
  std::int32_t Id;
  const AnsiString* ReadFailed;
};

const TFigureRow figureRows[] = {
    {&TFormmain::btnGetMachCapacity, &TFormmain::edtMachCapacity, SYS_CAPACITY, &ERR_READ_COMPACITY_FAILED},
    {&TFormmain::btnGetMachFileNum, &TFormmain::edtMachFileNum, SYS_FILE_COUNT, &ERR_READ_FILE_COUNT_FAILED},
    {&TFormmain::btnGetMachOccurRoom, &TFormmain::edtMachOccurRoom, SYS_SPACE_INFO, &ERR_READ_SPACE_FAILED},
};

// A text of the system or user information, read or written by its tab's mode.
struct TValueRow {
  TButton* TFormmain::*Button;
  TEdit* TFormmain::*Edit;
  std::int32_t Id;  // 0: the password of the type chosen in cbxPasType
  const AnsiString* ReadFailed;
  const AnsiString* WriteSucceeded;
  const AnsiString* WriteFailed;
  const AnsiString* ReadCaption;
  const AnsiString* WriteCaption;
};

constexpr std::int32_t PasswordOfChosenType = 0;

const TValueRow systemRows[] = {
    {&TFormmain::btnGetMachVer, &TFormmain::edtMachVer, SYS_VERSION, &ERR_READ_VERSION_FAILED,
     &INFO_SET_VERSION_SUCCESS, &INFO_SET_VERSION_FAILED, &INFO_READ_DEVICE_VERSION, &INFO_SET_DEVICE_VERSION},
    {&TFormmain::btnGetMachType, &TFormmain::edtMachType, SYS_MACHINE_TYPE, &INFO_READ_DEVICE_TYPE_FAILED,
     &INFO_SET_DEVICE_TYPE_SUCEESS, &INFO_SET_DEVICE_TYPE_FAILED, &INFO_READ_DEVICE_TYPE, &INFO_SET_DEVICE_TYPE},
    {&TFormmain::btnGetMachNo, &TFormmain::edtMachNo, SYS_MACHINE_NO, &INFO_READ_DEVICE_SERIAL_FAILED,
     &INFO_SET_DEVICE_SERIAL_SUCEESS, &INFO_SET_DEVICE_SERIAL_FAILED, &INFO_READ_DEVICE_SERIAL,
     &INFO_SET_DEVICE_SERIAL},
    {&TFormmain::btnGetMachCompany, &TFormmain::edtMachCompany, SYS_COMPANY_NAME, &INFO_READ_COMPANY_NAME_FAILED,
     &INFO_SET_COMPANY_NAME_SUCEESS, &INFO_SET_COMPANY_NAME_FAILED, &INFO_READ_COMPANY_NAME, &INFO_SET_COMPANY_NAME},
};

const TValueRow userRows[] = {
    {&TFormmain::btnSetUserPasswd, &TFormmain::edtPasswd, PasswordOfChosenType, &INFO_READ_PASSWORD_FAILED,
     &INFO_SET_PASSWORD_SUCEESS, &INFO_SET_PASSWORD_FAILED, &INFO_READ_PASSWORD, &INFO_SET_PASSWORD},
    {&TFormmain::btnSetUserCompany, &TFormmain::edtUserCompany, USER_COMPANY, &INFO_READ_USER_COMPANY_NAME_FAILED,
     &INFO_SET_USER_COMPANY_NAME_SUCEESS, &INFO_SET_USER_COMPANY_NAME_FAILED, &INFO_READ_USER_COMPANY_NAME,
     &INFO_SET_USER_COMPANY_NAME},
    {&TFormmain::btnSetUserName, &TFormmain::edtUserName, USER_NAME, &INFO_READ_USER_NAME_FAILED,
     &INFO_SET_USER_NAME_SUCEESS, &INFO_SET_USER_NAME_FAILED, &INFO_READ_USER_NAME, &INFO_SET_USER_NAME},
    {&TFormmain::btnSetUserNum, &TFormmain::edtUserNum, USER_NUMBER, &INFO_READ_USERID_FAILED,
     &INFO_SET_USERID_SUCEESS, &INFO_SET_USERID_FAILED, &INFO_READ_USERID, &INFO_SET_USERID},
    {&TFormmain::btnSetUserMachNo, &TFormmain::edtUserMachNo, USER_MACHINE_NO, &INFO_READ_USER_DEVICE_SERIAL_FAILED,
     &INFO_SET_USER_DEVICE_SERIAL_SUCEESS, &INFO_SET_USER_DEVICE_SERIAL_FAILED, &INFO_READ_USER_DEVICE_SERIAL,
     &INFO_SET_USER_DEVICE_SERIAL},
    {&TFormmain::btnSetUserMemo, &TFormmain::edtUserMemo, USER_MEMO, &INFO_READ_USER_NOTE_FAILED,
     &INFO_SET_USER_NOTE_SUCEESS, &INFO_SET_USER_NOTE_FAILED, &INFO_READ_USER_NOTE, &INFO_SET_USER_NOTE},
};

template <std::size_t N>
const TValueRow* rowOf(const TFormmain& Window, const TValueRow (&Rows)[N], const TObject* Sender) {
  for (const TValueRow& row : Rows)
    if (Sender == Window.*row.Button) return &row;
  return nullptr;
}

// Hands Result to the library's error function; true for success, else Text := the library's
// text.
bool commSucceeded(std::int32_t Result, AnsiString& Text) {
  char buffer[COMM_TEXT_SIZE] = {};
  if (vxGetErrMsg(Result, buffer, nullptr) == 0) return true;
  Text = CommText(buffer, sizeof buffer);
  return false;
}

// The library's calls of one tab, so that both tabs read and write through one routine.
struct TParaCalls {
  std::int32_t(VXSTDCALL* Read)(std::int32_t Port, std::int32_t Id, char* Text);
  std::int32_t(VXSTDCALL* Write)(std::int32_t Port, std::int32_t Id, const char* Text);
};

std::int32_t VXSTDCALL readSystemText(std::int32_t Port, std::int32_t Id, char* Text) {
  return vxGetMachSysInfo(Port, Id, Text);
}

constexpr TParaCalls systemCalls{&readSystemText, &vxSetMachSysInfo};
constexpr TParaCalls userCalls{&vxGetMachInfo, &vxSetMachInfo};

}  // namespace

void TFormmain::bindDeviceEvents() {
  setCbjTime->OnClick = [this](TObject* Sender) { setCbjTimeClick(Sender); };
  for (const TFigureRow& row : figureRows)
    (this->*row.Button)->OnClick = [this](TObject* Sender) { btnGetMachInfoClick(Sender); };
  for (const TValueRow& row : systemRows)
    (this->*row.Button)->OnClick = [this](TObject* Sender) { btnSysParaClick(Sender); };
  for (const TValueRow& row : userRows)
    (this->*row.Button)->OnClick = [this](TObject* Sender) { btnUserParaClick(Sender); };
  btnSetGetSysPara->OnClick = [this](TObject* Sender) { btnSetGetSysParaClick(Sender); };
  btnSetGetUserPara->OnClick = [this](TObject* Sender) { btnSetGetUserParaClick(Sender); };
}

void TFormmain::setCbjTimeClick(TObject*) {
  if (IsBusy()) return;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
  DecodeDate(cbjDate->Date(), year, month, day);
  DecodeTime(cbjTime->Time(), hour, minute, second, msec);
  const TCommDateTime clock{static_cast<std::uint8_t>(year % 100), static_cast<std::uint8_t>(month),
                            static_cast<std::uint8_t>(day),        static_cast<std::uint8_t>(hour),
                            static_cast<std::uint8_t>(minute),     static_cast<std::uint8_t>(second)};
  AnsiString text;
  if (commSucceeded(vxSetDateTime(FPort, &clock), text))
    ShowInfo(INFO_SETTIME_SUCCESS);
  else
    ShowInfo(INFO_SETTIME_FAILED + text);
}

void TFormmain::btnGetMachInfoClick(TObject* Sender) {
  const TFigureRow* found = nullptr;
  for (const TFigureRow& row : figureRows)
    if (Sender == this->*row.Button) found = &row;
  if (found == nullptr || IsBusy()) return;
  // Room for the largest answer, the four values of the space information; the figure asked
  // for is the first value in every case (for the space information the occupied room).
  std::int32_t values[sizeof(TCommSpaceInfo) / sizeof(std::int32_t)] = {};
  AnsiString text;
  if (!commSucceeded(vxGetMachSysInfo(FPort, found->Id, values), text)) {
    ShowInfo(*found->ReadFailed + text);
    return;
  }
  (this->*found->Edit)->SetText(IntToStr(values[0]));
}

namespace {

// Reads or writes one value of a parameter tab and tells the user how it went.
void exchangeValue(TFormmain& Window, const TValueRow& Row, const TParaCalls& Calls, std::int32_t Id, bool Write) {
  TEdit* edit = Window.*Row.Edit;
  AnsiString text;
  if (!Write) {
    char value[COMM_TEXT_SIZE] = {};
    if (commSucceeded(Calls.Read(Window.Port(), Id, value), text))
      edit->SetText(CommText(value, sizeof value));
    else
      Window.ShowInfo(*Row.ReadFailed + text);
    return;
  }
  AnsiString value = edit->Text();
  if (Row.Id == PasswordOfChosenType) {
    // The terminal compares the password as typed, without surrounding blanks; it must fit the
    // library's text buffer whole, since a cut one would not be the password typed.
    value = Trim(value);
    if (value.size() >= COMM_TEXT_SIZE) {
      Window.ShowInfo(ERR_PASSWORD_TOO_LONG);
      return;
    }
  }
  char buffer[COMM_TEXT_SIZE] = {};
  const char* written = value.c_str();
  if (Row.Id == PasswordOfChosenType) {
    std::memcpy(buffer, value.data(), value.size());
    written = buffer;
  }
  if (commSucceeded(Calls.Write(Window.Port(), Id, written), text))
    Window.ShowInfo(*Row.WriteSucceeded);
  else
    Window.ShowInfo(*Row.WriteFailed + text);
}

}  // namespace

void TFormmain::btnSysParaClick(TObject* Sender) {
  const TValueRow* row = rowOf(*this, systemRows, Sender);
  if (row == nullptr || IsBusy()) return;
  exchangeValue(*this, *row, systemCalls, row->Id, btnSetGetSysPara->Down());
}

void TFormmain::btnUserParaClick(TObject* Sender) {
  const TValueRow* row = rowOf(*this, userRows, Sender);
  if (row == nullptr || IsBusy()) return;
  // The password types are the ids 1 to 7 in the order of the list.
  const std::int32_t id = row->Id == PasswordOfChosenType ? cbxPasType->ItemIndex() + 1 : row->Id;
  exchangeValue(*this, *row, userCalls, id, !btnSetGetUserPara->Down());
}

// The mode buttons only change what the value buttons do; they talk to no terminal and so are
// not refused while a worker runs (refusing after the button has already toggled would leave
// the captions saying the other mode).
void TFormmain::btnSetGetSysParaClick(TObject*) { showSysParaCaptions(); }

void TFormmain::btnSetGetUserParaClick(TObject*) { showUserParaCaptions(); }

void TFormmain::showSysParaCaptions() {
  const bool write = btnSetGetSysPara->Down();
  btnSetGetSysPara->SetCaption(write ? INFO_SETTING_SYS_MODE : INFO_READING_SYS_MODE);
  for (const TValueRow& row : systemRows) (this->*row.Button)->SetCaption(write ? *row.WriteCaption : *row.ReadCaption);
}

void TFormmain::showUserParaCaptions() {
  const bool write = !btnSetGetUserPara->Down();
  btnSetGetUserPara->SetCaption(write ? INFO_SETTING_MODE : INFO_READING_MODE);
  for (const TValueRow& row : userRows) (this->*row.Button)->SetCaption(write ? *row.WriteCaption : *row.ReadCaption);
}

bool TFormmain::captionFollowsParaMode(const TObject* AObject) const {
  // In its starting state a tab shows the form's texts, which the language files translate.
  if (btnSetGetSysPara->Down() && (AObject == btnSetGetSysPara || rowOf(*this, systemRows, AObject))) return true;
  return btnSetGetUserPara->Down() && (AObject == btnSetGetUserPara || rowOf(*this, userRows, AObject));
}
