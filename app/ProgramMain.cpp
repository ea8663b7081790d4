// handheld-manager: the program's start.
//
// The units are started in dependency order (the class library's core and GUI layer, the
// language manager, the program's own units), the application object is initialised, the main
// window, the only window created at start, is created, and the message loop runs until the
// window closes. The units are then finalised in reverse order.
//
// Two options show the window a given way for a picture of it (with the GUI layer's
// "--screenshot FILE"); a run with either of them neither reads nor writes the settings file:
//   --page about|ftp|comm|special|os   the page shown (the run mode's page otherwise)
//   --language N                       the language with index N of the language menu
#include <cstdio>
#include <cstring>
#include <optional>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "IntegerText.h"
#include "LmLangMgr.h"
#include "ProgramMain.h"
#include "TNotebook.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uThread.h"

namespace {

struct TViewOptions {
  std::optional<int> Page;   // a notebook page, or -1 for the comm page with the FTP panel
  std::optional<int> Language;
};

constexpr int FtpPage = -1;

std::optional<int> pageByName(const char* Name) {
  if (std::strcmp(Name, "about") == 0) return pgAbout;
  if (std::strcmp(Name, "ftp") == 0) return FtpPage;
  if (std::strcmp(Name, "comm") == 0) return pgComm;
  if (std::strcmp(Name, "special") == 0) return pgSpecial;
  if (std::strcmp(Name, "os") == 0) return pgOs;
  return std::nullopt;
}

// Reads the program's own options; false (after a message) for one it does not understand.
bool readViewOptions(int argc, char** argv, TViewOptions& Options) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--page") == 0) {
      Options.Page = pageByName(argv[++i]);
      if (!Options.Page) {
        std::fprintf(stderr, "handheld-manager: --page takes about, ftp, comm, special or os\n");
        return false;
      }
    } else if (std::strcmp(argv[i], "--language") == 0) {
      const int index = StrToIntDef(argv[++i], -1);
      if (index < 0) {
        std::fprintf(stderr, "handheld-manager: --language takes a language index (0, 1, ...)\n");
        return false;
      }
      Options.Language = index;
    }
  }
  return true;
}

void applyViewOptions(const TViewOptions& Options) {
  if (Options.Language) Formmain->SetLanguage(*Options.Language);
  if (!Options.Page) return;
  if (*Options.Page == FtpPage) {
    Formmain->SwitchRunMode(rmFtp);
  } else {
    Formmain->SwitchRunMode(*Options.Page == pgAbout ? rmComm : *Options.Page);
    Formmain->Notebook->SetPageIndex(*Options.Page);
  }
}

}  // namespace

int ProgramMain(int argc, char** argv) {
  TViewOptions options;
  if (!readViewOptions(argc, argv, options)) return 2;

  SetGuiArguments(argc, argv);
  TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit});
  units.Initialize();
  if (options.Page || options.Language) ProgramFiles().SettingsFile.clear();

  Application->Initialize();
  Application->CreateForm(Formmain);
  applyViewOptions(options);
  Application->Run();

  // A worker still running may use what the units hold: it ends, or is left behind with the
  // process, before any unit is finalised.
  EndWorkers(0);
  units.Finalize();
  return 0;
}
