#include "TMainWindowFixture.h"

#include <fstream>
#include <iterator>
#include <random>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "CodePage.h"
#include "Forms.h"
#include "LmLangMgr.h"
#include "TForm.h"
#include "TestInput.h"
#include "TypInfo.h"
#include "uConstStrings.h"

namespace {

// A window that notes when a message of its own arrives: the queue is one for all windows, so
// every message posted before it has been handled by then.
class TQueueMark : public TForm {
  DECLARE_CLASS(TQueueMark, TForm)

  explicit TQueueMark(TComponent* AOwner) : TForm(AOwner) {}
  static constexpr UINT WM_MARK = WM_USER + 77;
  bool Reached = false;

protected:
  void WMMark(TMessage&) { Reached = true; }
  BEGIN_MESSAGE_MAP
  MESSAGE_HANDLER(WM_MARK, TMessage, WMMark)
  END_MESSAGE_MAP(TForm)
};

}  // namespace

DEFINE_CLASS(TQueueMark, TForm)

namespace {

std::filesystem::path newFolder() {
  std::random_device rd;
  auto path = std::filesystem::temp_directory_path() / ("hhm-app-test-" + std::to_string(rd()) + std::to_string(rd()));
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace

TMainWindowFixture::TMainWindowFixture()
    : folder(newFolder()),
      units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit}) {
  units.Initialize();
  std::filesystem::create_directories(folder / "languages");
  for (const auto& entry : std::filesystem::directory_iterator(HHM_LANGUAGES_DIR))
    std::filesystem::copy_file(entry.path(), folder / "languages" / entry.path().filename());
  ProgramFiles().SettingsFile = (folder / "handheld-manager.ini").string();
  ProgramFiles().LanguagePath = (folder / "languages").string() + "/";
  Application->SetTestHook(&hook);
}

TMainWindowFixture::~TMainWindowFixture() {
  DestroyWindow();
  Application->SetTestHook(nullptr);
  units.Finalize();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

void TMainWindowFixture::WriteSettings(const std::string& Utf8Text) {
  std::ofstream out(folder / "handheld-manager.ini", std::ios::binary | std::ios::trunc);
  out << Utf8ToAnsi(Utf8Text);
}

std::string TMainWindowFixture::ReadSettings() const {
  std::ifstream in(folder / "handheld-manager.ini", std::ios::binary);
  return AnsiToUtf8(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

TFormmain* TMainWindowFixture::CreateWindow(bool Show) {
  window = NewForm<TFormmain>(Application);
  Formmain = window;
  if (Show) window->Show();
  return window;
}

void TMainWindowFixture::DestroyWindow() {
  if (window == nullptr) return;
  // A worker a test left running finishes before the window goes, so that tests do not leak.
  TestInput::WaitUntil([this] { return window->Busy() == 0; });
  delete window;
  window = nullptr;
}

bool TMainWindowFixture::WaitIdle() {
  // Long enough for a worker moving hundreds of files in a sanitizer build.
  if (!TestInput::WaitUntil([this] { return window->Busy() == 0; }, 60000)) return false;
  // A worker posts its last reports before it clears the busy state, so they are queued now;
  // a mark posted behind them arrives once they have been handled. Hundreds of transfers leave
  // thousands of reports, which a loaded sanitizer build takes seconds to work through.
  TQueueMark mark(nullptr);
  PostMessage(mark.Handle(), TQueueMark::WM_MARK, 0, 0);
  return TestInput::WaitUntil([&] { return mark.Reached; }, 60000);
}

std::vector<std::string> TMainWindowFixture::ShownTexts() const {
  std::vector<std::string> texts;
  for (const TShownDialog& dialog : hook.Shown()) texts.push_back(AnsiToUtf8(dialog.Text));
  return texts;
}

std::vector<std::string> TMainWindowFixture::ShownMessages() const {
  std::vector<std::string> texts;
  for (const TShownDialog& dialog : hook.Shown())
    if (dialog.Kind == dkMessageBox) texts.push_back(AnsiToUtf8(dialog.Text));
  return texts;
}
