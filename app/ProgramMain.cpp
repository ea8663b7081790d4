// handheld-manager: the program's start.
//
// The units are started in dependency order (the class library's core and GUI layer, the
// language manager, the program's own units), the application object is initialised, the main
// window, the only window created at start, is created, and the message loop runs until the
// window closes. The units are then finalised in reverse order.
//
// Options that show the window a given way for a picture of it (with the GUI layer's
// "--screenshot FILE"); a run with any of them neither reads nor writes the settings file:
//   --page about|ftp|comm|special|os   the page shown (the run mode's page otherwise);
//          recycle                     the management page's terminal tab with the recycle
//                                      bin listed
//   --language N                       the language with index N of the language menu
//   --folder DIR                       the PC folder shown on the comm page
//   --sort N                           the file lists of the page sorted by their column N
#include <cstdio>
#include <cstring>
#include <optional>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "IntegerText.h"
#include "LmLangMgr.h"
#include "TEdit.h"
#include "TListColumns.h"
#include "TListView.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TShellTreeView.h"
#include "TTabSheet.h"
#include "uConstStrings.h"
#include "uMain.h"

namespace {

struct TViewOptions {
  std::optional<int> Page;  // a notebook page, or FtpPage, or RecyclePage
  std::optional<int> Language;
  std::optional<AnsiString> Folder;
  std::optional<int> SortColumn;
  bool Given() const { return Page || Language || Folder || SortColumn; }
};

constexpr int FtpPage = -1;
constexpr int RecyclePage = -2;

std::optional<int> pageByName(const char* Name) {
  if (std::strcmp(Name, "about") == 0) return pgAbout;
  if (std::strcmp(Name, "ftp") == 0) return FtpPage;
  if (std::strcmp(Name, "comm") == 0) return pgComm;
  if (std::strcmp(Name, "special") == 0) return pgSpecial;
  if (std::strcmp(Name, "os") == 0) return pgOs;
  if (std::strcmp(Name, "recycle") == 0) return RecyclePage;
  return std::nullopt;
}

// Reads the program's own options; false (after a message) for one it does not understand.
bool readViewOptions(int argc, char** argv, TViewOptions& Options) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--page") == 0) {
      Options.Page = pageByName(argv[++i]);
      if (!Options.Page) {
        std::fprintf(stderr, "handheld-manager: --page takes about, ftp, comm, special, os or recycle\n");
        return false;
      }
    } else if (std::strcmp(argv[i], "--language") == 0) {
      const int index = StrToIntDef(argv[++i], -1);
      if (index < 0) {
        std::fprintf(stderr, "handheld-manager: --language takes a language index (0, 1, ...)\n");
        return false;
      }
      Options.Language = index;
    } else if (std::strcmp(argv[i], "--folder") == 0) {
      Options.Folder = AnsiString(argv[++i]);
    } else if (std::strcmp(argv[i], "--sort") == 0) {
      const int column = StrToIntDef(argv[++i], -1);
      if (column < 0) {
        std::fprintf(stderr, "handheld-manager: --sort takes a column index (0, 1, ...)\n");
        return false;
      }
      Options.SortColumn = column;
    }
  }
  return true;
}

// Sorts a list by a column it has, as a click on the column's header does.
void sortList(TListView* List, int Column) {
  if (Column < List->Columns()->Count()) List->OnColumnClick(List, List->Columns()->Items(Column));
}

void applyViewOptions(const TViewOptions& Options) {
  if (Options.Language) Formmain->SetLanguage(*Options.Language);
  if (Options.Folder) {
    Formmain->tv->SetPath(*Options.Folder);
    Formmain->edtpath->SetText(Formmain->tv->Path());
  }
  if (Options.SortColumn) {
    for (TListView* list : {Formmain->listCpu, Formmain->listCbj, Formmain->listCbj2, Formmain->listdelCbj})
      sortList(list, *Options.SortColumn);
  }
  if (!Options.Page) return;
  if (*Options.Page == FtpPage) {
    Formmain->SwitchRunMode(rmFtp);
  } else if (*Options.Page == RecyclePage) {
    Formmain->SwitchRunMode(rmOs);
    Formmain->pclOsMan->SetActivePage(Formmain->tsCbjMan);
    Formmain->miGetDelListClick(nullptr);
  } else {
    Formmain->SwitchRunMode(*Options.Page == pgAbout ? rmComm : *Options.Page);
    Formmain->Notebook->SetPageIndex(*Options.Page);
  }
}

}  // namespace

int main(int argc, char** argv) {
  TViewOptions options;
  if (!readViewOptions(argc, argv, options)) return 2;

  SetGuiArguments(argc, argv);
  TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit});
  units.Initialize();
  if (options.Given()) ProgramFiles().SettingsFile.clear();

  Application->Initialize();
  Application->CreateForm(Formmain);
  applyViewOptions(options);
  Application->Run();

  units.Finalize();
  return 0;
}
