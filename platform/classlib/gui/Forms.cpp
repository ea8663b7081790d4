#include "Forms.h"

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QStyleFactory>

#include "MessageQueue_p.h"
#include "QtConvert_p.h"
#include "TCustomForm.h"
#include "TDataModule.h"
#include "TWinControl_p.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

// Sends the keyboard through the controls' key events before the widgets see it.
class TKeyRouter : public QObject {
public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr && TWinControlPrivate::routeKeyEvent(widget, static_cast<QKeyEvent*>(event));
  }
};

struct GuiState {
  std::vector<std::string> arguments;
  std::vector<char*> argv;
  int argc = 0;
  std::unique_ptr<QApplication> app;
  std::unique_ptr<TKeyRouter> keyRouter;
  QMetaObject::Connection focusConnection;
};

GuiState* g_state = nullptr;

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

}  // namespace

bool FormsInitialized() { return g_state != nullptr; }

void InitializeForms(int argc, char** argv) {
  if (g_state != nullptr) return;
  auto state = std::make_unique<GuiState>();
  if (argc > 0 && argv != nullptr)
    for (int i = 0; i < argc; ++i) state->arguments.emplace_back(argv[i]);
  else
    state->arguments.emplace_back("handheld-manager");
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
  g_state = state.release();

  Screen = new TScreen(nullptr);
  QApplication::setFont(ToQFont(*Screen->DefaultFont()));
  Application = new TApplication(nullptr);
  Application->SetHintColor(clInfoBk);
  MessageQueue::Start();
}

void FinalizeForms() {
  if (g_state == nullptr) return;
  MessageQueue::Stop();
  delete Application;
  Application = nullptr;
  // Forms and data modules that nothing else owned, last created first.
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
  std::unique_ptr<GuiState> state(g_state);
  g_state = nullptr;
  QObject::disconnect(state->focusConnection);
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(state->keyRouter.get());
  state->keyRouter.reset();
  state->app.reset();
}
