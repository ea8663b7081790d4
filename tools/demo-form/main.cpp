// demo-form: shows the GUI layer's demonstration window, or the program's search window.
//
//   demo-form [--form demo|wait] [--screenshot FILE [--screenshot-delay MS]]
//
// With --screenshot the window is written to FILE as a PNG once it is shown, and the program
// ends (scripts/screenshot runs it so under Xvfb).
#include <cstdio>
#include <cstring>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "CodePage.h"
#include "Forms.h"
#include "TDemoForm.h"
#include "TUnitList.h"
#include "uWait.h"

int main(int argc, char** argv) {
  const char* form = "demo";
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--form") == 0) form = argv[i + 1];
  if (std::strcmp(form, "demo") != 0 && std::strcmp(form, "wait") != 0) {
    std::fprintf(stderr, "demo-form: no form named %s (demo, wait)\n", form);
    return 2;
  }
  SetGuiArguments(argc, argv);
  TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit});
  units.Initialize();
  Application->Initialize();
  Application->SetTitle(WideToAnsi(u"手持机通讯管理器"));
  if (std::strcmp(form, "wait") == 0) {
    Application->CreateForm(FormWait);
  } else {
    TDemoForm* demo = nullptr;
    Application->CreateForm(demo);
  }
  Application->Run();
  units.Finalize();
  return 0;
}
