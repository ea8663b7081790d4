// TApplicationTestHook: lets tests drive forms without a screen or a user.
//
// While a hook is installed (Application->SetTestHook), no dialog is put on the screen and no
// document is handed to the desktop. Instead each one is recorded in Shown() and answered
// from the hook's queue, first answer first:
//
//   message boxes (Application->MessageBox)  take the next AnswerMessage, an ID result
//                                            (IDYES, IDOK ...);
//   MessageDlg                               takes the next AnswerMessage, a modal result;
//   the open dialog (TOpenDialog::Execute)   takes the next AnswerFile: the chosen file, or ""
//                                            for Cancel;
//   the folder picker (ShellBrowseForFolder) takes the next AnswerFolder: the chosen folder,
//                                            or "" for Cancel;
//   ShellExecute                             is recorded and reported as done.
// Boxes with only an OK button (ShowMessage, MB_OK boxes, exception messages) are recorded
// and take no answer. A dialog that finds the queue empty counts in Unanswered() and gets the
// answer of a user who closes it: Cancel where there is one, else No, else OK or Abort.
//
// A modal form (ShowModal) is shown and OnShowModal, when set, runs with it inside the modal
// loop; it can fill in controls and click buttons. While the hook is installed, a modal form
// whose ModalResult has been set tries to close (OnCloseQuery, OnClose) whenever messages are
// handled (every TestInput action does so), so that the handler sees each step. When the form
// is still open after OnShowModal (or none is set), it closes as with its close button
// (mrCancel), and is hidden even if it refuses, so a test never hangs.
//
//   TApplicationTestHook hook;
//   Application->SetTestHook(&hook);
//   hook.AnswerMessage(IDYES);
//   form->Close();                      // OnCloseQuery asks; the hook answers Yes
//   EXPECT_EQ(hook.Shown().at(0).Caption, "...");
//   Application->SetTestHook(nullptr);
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "System.h"

class TCustomForm;

enum class TDialogKind { dkMessageBox, dkMessageDlg, dkOpenDialog, dkFolderPicker, dkModalForm, dkShellExecute };
using enum TDialogKind;

struct TShownDialog {
  TDialogKind Kind = dkMessageBox;
  AnsiString Text;     // message text; the dialog's file name or folder; the shell's file
  AnsiString Caption;  // caption or title; the shell's verb
  unsigned Flags = 0;  // MB_ flags of a message box; the buttons' bits of a MessageDlg
};

class TApplicationTestHook {
public:
  void AnswerMessage(int Result);
  void AnswerFile(const AnsiString& FileName);
  void AnswerFolder(const AnsiString& Folder);
  // Runs inside ShowModal with the modal form.
  std::function<void(TCustomForm* Form)> OnShowModal;

  const std::vector<TShownDialog>& Shown() const { return shown_; }
  int Unanswered() const { return unanswered_; }
  // Answers not taken yet.
  int Pending() const { return static_cast<int>(answers_.size()); }
  void Clear();

  // Used by the dialogs: records what was shown and takes the next answer of its kind; false
  // (and Unanswered counted) when none is queued.
  void Record(const TShownDialog& Dialog);
  bool TakeMessage(int& Result);
  bool TakeText(TDialogKind Kind, AnsiString& Text);

private:
  struct Answer {
    TDialogKind Kind;
    int Result;
    AnsiString Text;
  };
  std::deque<Answer> answers_;
  std::vector<TShownDialog> shown_;
  int unanswered_ = 0;
};
