#include "ClasslibGui.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QStyleFactory>

#include "ClasslibCore.h"
#include "Forms.h"
#include "MessageQueue_p.h"
#include "QtConvert_p.h"
#include "TCustomForm.h"
#include "TDataModule.h"
#include "TThread.h"
#include "TUnitGuard.h"
#include "TWinControl_p.h"

namespace {

TUnitGuard unitGuard;
std::vector<std::string> g_arguments;  // set by SetGuiArguments

// Sends the keyboard through the controls' key events before the widgets see it.
class TKeyRouter : public QObject {
public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && TWinControlPrivate::routeKeyEvent(widget, static_cast<QKeyEvent*>(event));
  }
};

// What the module keeps between its start-up and shut-down. Qt keeps pointers to argc and argv.
struct GuiState {
  std::vector<std::string> arguments;
  std::vector<char*> argv;
  int argc = 0;
  std::unique_ptr<QApplication> app;
  std::unique_ptr<TKeyRouter> keyRouter;
  QMetaObject::Connection focusConnection;
};

std::unique_ptr<GuiState> g_state;

std::vector<std::string> processArguments() {
  if (!g_arguments.empty()) return g_arguments;
  std::vector<std::string> args;
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == '\0') {
      args.push_back(all.substr(start, i - start));
      start = i + 1;
    }
  if (args.empty()) args.emplace_back("handheld-manager");
  return args;
}

// The Windows font families of the form definitions, shown with installed fonts: a Latin face
// first where the original is a Latin font, and a CJK face for the Chinese text in any case.
void installFontSubstitutes() {
  const QStringList cjk = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Serif CJK SC", "AR PL UMing CN",
                           "Droid Sans Fallback"};
  const QStringList sans = QStringList{"DejaVu Sans", "Liberation Sans"} + cjk;
  const QStringList serif = QStringList{"DejaVu Serif", "Liberation Serif"} + cjk;
  const QStringList mono = QStringList{"DejaVu Sans Mono", "Liberation Mono"} + cjk;
  for (const char* family : {"宋体", "新宋体", "SimSun", "NSimSun", "黑体", "SimHei", "楷体_GB2312", "楷体", "KaiTi",
                             "仿宋_GB2312", "仿宋", "FangSong", "隶书", "LiSu", "幼圆", "YouYuan", "微软雅黑",
                             "Microsoft YaHei"})
    QFont::insertSubstitutions(QString::fromUtf8(family), cjk);
  for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma", "Arial",
                             "Verdana", "Segoe UI", "System"})
    QFont::insertSubstitutions(QString::fromUtf8(family), sans);
  for (const char* family : {"Times New Roman", "MS Serif"}) QFont::insertSubstitutions(QString::fromUtf8(family), serif);
  for (const char* family : {"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console"})
    QFont::insertSubstitutions(QString::fromUtf8(family), mono);
}

void startGui() {
  auto state = std::make_unique<GuiState>();
  state->arguments = processArguments();
  for (std::string& a : state->arguments) state->argv.push_back(a.data());
  state->argv.push_back(nullptr);
  state->argc = static_cast<int>(state->arguments.size());
  if (QApplication::instance() == nullptr) state->app = std::make_unique<QApplication>(state->argc, state->argv.data());
  QApplication::setQuitOnLastWindowClosed(false);
  if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(style);
  installFontSubstitutes();
  state->keyRouter = std::make_unique<TKeyRouter>();
  qApp->installEventFilter(state->keyRouter.get());
  state->focusConnection = QObject::connect(qApp, &QApplication::focusChanged, &TWinControlPrivate::routeFocusChange);
  g_state = std::move(state);

  Screen = new TScreen(nullptr);
  QApplication::setFont(ToQFont(*Screen->DefaultFont()));
  Application = new TApplication(nullptr);
  Application->SetHintColor(clInfoBk);
  MessageQueue::Start();
  SetWakeMainThread([](TObject*) {
    if (QCoreApplication* app = QCoreApplication::instance())
      // Work handed to the main thread runs from the event loop.
      QMetaObject::invokeMethod(app, [] { RunMainThreadQueue(nullptr); }, Qt::QueuedConnection);
  });
}

void stopGui() {
  SetWakeMainThread(nullptr);
  MessageQueue::Stop();
  delete Application;
  Application = nullptr;
  // Forms and data modules that Application did not own, last created first; their owners
  // forget them first.
  while (Screen->FormCount() > 0) {
    TCustomForm* form = Screen->Forms(Screen->FormCount() - 1);
    if (form->Owner() != nullptr) form->Owner()->RemoveComponent(form);
    form->Free();
  }
  while (Screen->DataModuleCount() > 0) {
    TDataModule* module = Screen->DataModules(Screen->DataModuleCount() - 1);
    if (module->Owner() != nullptr) module->Owner()->RemoveComponent(module);
    module->Free();
  }
  delete Screen;
  Screen = nullptr;
  // Threads end, and the toolkit's data of each thread with them, while the toolkit is whole.
  FinalizeThreads(ThreadShutdownTimeout);
  QObject::disconnect(g_state->focusConnection);
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(g_state->keyRouter.get());
  g_state->keyRouter.reset();
  g_state->app.reset();
  g_state.reset();
}

}  // namespace

void SetGuiArguments(int argc, char** argv) {
  g_arguments.clear();
  for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i) g_arguments.emplace_back(argv[i]);
}

void ClasslibGuiInitialize() {
  ClasslibCoreInitialize();
  unitGuard.Initialize(&startGui);
}

void ClasslibGuiFinalize() {
  unitGuard.Finalize(&stopGui);
  ClasslibCoreFinalize();
}
