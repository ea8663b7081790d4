#include "TApplication.h"

#include <cstdio>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

#include "Dialogs_p.h"
#include "Forms.h"
#include "TThread.h"
#include "QtConvert_p.h"
#include "TApplicationTestHook.h"
#include "TCustomForm.h"
#include "TCustomForm_p.h"
#include "MessageQueue_p.h"
#include "WinUser.h"

DEFINE_CLASS(TApplication, TComponent,
             Published::String("Title", &TApplication::Title, &TApplication::SetTitle),
             Published::String("Hint", &TApplication::Hint, &TApplication::SetHint))

namespace {

constexpr int kDefaultScreenshotDelayMs = 500;

// The answer of a user who closes a box without choosing: Cancel where there is one.
int closedBoxResult(unsigned type) {
  switch (type) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
  }
}

std::vector<int> buttonsOf(unsigned type) {
  switch (type) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

QWidget* dialogParent() {
  QWidget* active = QApplication::activeWindow();
  if (active != nullptr) return active;
  if (Application != nullptr && Application->MainForm() != nullptr && Application->MainForm()->Visible())
    return Application->MainForm()->ControlPrivate()->widget;
  return nullptr;
}

}  // namespace

struct TApplication::Data {
  TCustomForm* mainForm = nullptr;
  bool terminated = false;
  AnsiString title;
  AnsiString hint;
  bool showHint = true;
  TColor hintColor = clInfoBk;
  TApplicationTestHook* hook = nullptr;
  AnsiString screenshotFile;
  int screenshotDelay = kDefaultScreenshotDelayMs;
};

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {
  d_->title = FromQString(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

TApplication::~TApplication() {
  // The forms go first (last created first); each runs OnDestroy as its owner frees it.
  DestroyComponents();
}

void TApplication::Initialize() {
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); ++i) {
    if (args[i] == QLatin1String("--screenshot")) d_->screenshotFile = FromQString(args[i + 1]);
    if (args[i] == QLatin1String("--screenshot-delay")) d_->screenshotDelay = args[i + 1].toInt();
  }
}

void TApplication::formCreated(TCustomForm* Form) {
  if (d_->mainForm == nullptr) d_->mainForm = Form;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == d_->mainForm) d_->mainForm = nullptr;
}

void TApplication::Run() {
  TCustomForm* main = d_->mainForm;
  if (main != nullptr) {
    main->Show();
    if (!d_->screenshotFile.empty()) {
      const HWND form = main->Handle();
      QTimer::singleShot(d_->screenshotDelay, [this, form] {
        if (auto* f = dynamic_cast<TCustomForm*>(MessageQueue::Find(form))) {
          if (!TCustomFormPrivate::saveScreenshot(f, d_->screenshotFile))
            std::fprintf(stderr, "screenshot: cannot write %s\n", d_->screenshotFile.c_str());
        }
        Terminate();
      });
    }
  }
  while (!d_->terminated) HandleMessage();
}

void TApplication::Terminate() {
  d_->terminated = true;
  // Wakes the message loop if it is waiting.
  if (QCoreApplication* app = QCoreApplication::instance()) QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
}

bool TApplication::Terminated() const { return d_->terminated; }

void TApplication::ProcessMessages() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Work that threads handed to the main thread, also when its wake-up is still on the way.
  RunMainThreadQueue(this);
  if (d_->hook != nullptr) TCustomFormPrivate::checkModalResult();
}

void TApplication::HandleMessage() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, unsigned Flags) {
  const unsigned type = Flags & MB_TYPEMASK;
  if (d_->hook != nullptr) {
    d_->hook->Record(TShownDialog{dkMessageBox, Text, Caption, Flags});
    if (type == MB_OK) return IDOK;
    int result = 0;
    return d_->hook->TakeMessage(result) ? result : closedBoxResult(type);
  }
  QMessageBox box(dialogParent());
  box.setWindowTitle(ToQString(Caption));
  box.setText(ToQString(Text));
  switch (Flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  const std::vector<int> ids = buttonsOf(type);
  std::vector<QPushButton*> buttons;
  for (int id : ids) {
    const auto role = (id == IDCANCEL || id == IDNO || id == IDABORT) ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    buttons.push_back(box.addButton(DialogButtonText(id), role));
  }
  const std::size_t def = (Flags & MB_DEFMASK) >> 8;
  box.setDefaultButton(buttons[def < buttons.size() ? def : 0]);
  // Escape answers as closing the box does.
  const int closed = closedBoxResult(type);
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (ids[i] == closed) box.setEscapeButton(buttons[i]);
  box.exec();
  for (std::size_t i = 0; i < ids.size(); ++i)
    if (box.clickedButton() == buttons[i]) return ids[i];
  return closed;
}

TCustomForm* TApplication::MainForm() const { return d_->mainForm; }

HWND TApplication::Handle() const { return d_->mainForm != nullptr ? d_->mainForm->Handle() : nullptr; }

const AnsiString& TApplication::Title() const { return d_->title; }
void TApplication::SetTitle(const AnsiString& Value) { d_->title = Value; }
const AnsiString& TApplication::Hint() const { return d_->hint; }
void TApplication::SetHint(const AnsiString& Value) { d_->hint = Value; }

AnsiString TApplication::ExeName() const { return FromQString(QCoreApplication::applicationFilePath()); }

bool TApplication::ShowHint() const { return d_->showHint; }

void TApplication::SetShowHint(bool Value) {
  if (Value == d_->showHint) return;
  d_->showHint = Value;
  // Every control shows or drops its tooltip again.
  if (Screen != nullptr)
    for (int i = 0; i < Screen->FormCount(); ++i) TCustomFormPrivate::refreshHints(Screen->Forms(i));
}

TColor TApplication::HintColor() const { return d_->hintColor; }

void TApplication::SetHintColor(TColor Value) {
  d_->hintColor = Value;
  QPalette pal = QToolTip::palette();
  pal.setColor(QPalette::ToolTipBase, ToQColor(Value));
  QToolTip::setPalette(pal);
}


void TApplication::HandleException(TObject* Sender) {
  if (std::exception_ptr error = std::current_exception()) HandleEventException(Sender, error);
}

void TApplication::ShowException(const std::exception& E) {
  AnsiString text = E.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, d_->title, MB_OK | MB_ICONSTOP);
}

void TApplication::SetTestHook(TApplicationTestHook* Hook) {
  d_->hook = Hook;
  // Each test starts with a running application, also after one that closed the main form.
  if (Hook != nullptr) d_->terminated = false;
}
TApplicationTestHook* TApplication::TestHook() const { return d_->hook; }
const AnsiString& TApplication::ScreenshotFile() const { return d_->screenshotFile; }

void RunMainThreadQueue(TObject* sender) {
  try {
    CheckSynchronize();
  } catch (...) {
    HandleEventException(sender, std::current_exception());
  }
}

void HandleEventException(TObject* sender, std::exception_ptr error) {
  auto show = [sender](Exception& e) {
    if (Application == nullptr) {
      std::fprintf(stderr, "%s\n", e.Message().c_str());
      return;
    }
    try {
      if (Application->OnException)
        Application->OnException(sender, e);
      else
        Application->ShowException(e);
    } catch (const std::exception& inner) {
      std::fprintf(stderr, "%s\n", inner.what());
    }
  };
  try {
    std::rethrow_exception(error);
  } catch (EAbort&) {
  } catch (Exception& e) {
    show(e);
  } catch (const std::exception& e) {
    Exception wrapped(e.what());
    show(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    show(wrapped);
  }
}
