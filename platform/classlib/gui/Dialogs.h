// The program's standard dialogs: a message with an OK button (ShowMessage) and a message with
// chosen buttons and an icon (MessageDlg). Both are modal and go through Application, whose
// test hook answers them (TApplicationTestHook.h): a MessageDlg takes the next AnswerMessage as
// its modal result. The caption names the kind of message ("Warning", "Error", "Information",
// "Confirm"; ShowMessage: Application.Title); the buttons are in the language of the ANSI code
// page.
#pragma once

#include "Controls.h"
#include "System.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using enum TMsgDlgType;

enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = SetOf<TMsgDlgBtn>;
using enum TMsgDlgBtn;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

void ShowMessage(const AnsiString& Msg);
// The modal result of the button pressed (mrYes ...); closing the dialog gives mrCancel, or mrNo
// when there is no Cancel button, or mrOk when OK is the only button.
TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
