// TApplication: the program's application object (the global Application of Forms.h).
//
//   Initialize   reads the command-line options of the GUI layer: "--screenshot FILE" makes
//                Run write a PNG image of the main form (with a drawn window frame) to FILE
//                once it is shown and then end the program ("--screenshot-delay MS", default
//                500, is how long the form runs before the picture is taken).
//   CreateForm   creates a form owned by the application, stores it in the reference, raises
//                its OnCreate, and makes the first one the main form.
//   Run          shows the main form and handles messages until Terminate (closing the main
//                form terminates).
//   ProcessMessages handles every pending message, posted window message and call queued for
//                the main thread, then returns.
//   MessageBox   shows a modal message box over the active form and returns the ID of the
//                button pressed (WinUser.h: MB_ flags in, IDOK ... out). The buttons are in the
//                language of the ANSI code page (Chinese for 936).
//   HandleException shows an exception that escaped an event handler: OnException when set,
//                else its message in a box (MB_OK | MB_ICONSTOP) captioned Title. EAbort is
//                silent.
//
// Hints: ShowHint switches every control's hint off or on; HintColor is the hint window's
// background (clInfoBk).
//
// Published: Title (default: the executable's name without extension), Hint.
#pragma once

#include <functional>
#include <memory>

#include "Controls.h"
#include "Exception.h"
#include "Graphics.h"
#include "TComponent.h"

class TCustomForm;
class TApplicationTestHook;

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;

class TApplication : public TComponent {
  DECLARE_CLASS(TApplication, TComponent)

  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = nullptr;
    auto* form = new T(this);
    Reference = form;
    form->AfterConstruction();
    formCreated(form);
  }
  void Run();
  void Terminate();
  bool Terminated() const;
  void ProcessMessages();
  // Waits for and handles at least one message.
  void HandleMessage();

  int MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags = 0);

  TCustomForm* MainForm() const;
  // The window that owns the application's dialogs: the main form's (nullptr before there is one).
  HWND Handle() const;
  const AnsiString& Title() const;
  void SetTitle(const AnsiString& Value);
  const AnsiString& Hint() const;
  void SetHint(const AnsiString& Value);
  AnsiString ExeName() const;

  bool ShowHint() const;
  void SetShowHint(bool Value);
  TColor HintColor() const;
  void SetHintColor(TColor Value);

  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

  // Installs a hook that answers dialogs without a screen (see TApplicationTestHook.h) and
  // clears Terminated, so that each test starts with a running application; nullptr removes it.
  void SetTestHook(TApplicationTestHook* Hook);
  TApplicationTestHook* TestHook() const;

  // The path given with --screenshot, empty when none.
  const AnsiString& ScreenshotFile() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void formCreated(TCustomForm* Form);
  struct Data;
  std::unique_ptr<Data> d_;
};
