// handheld-manager: the program's start.
//
// The units are started in dependency order (the class library's core and GUI layer, the
// language manager, the program's own units), the application object is initialised, the main
// window, the only window created at start, is created, and the message loop runs until the
// window closes. The units are then finalised in reverse order.
//
// These options show the window a given way for a picture of it (with the GUI layer's
// "--screenshot FILE"); a run with any of them neither reads nor writes the settings file:
//   --page about|ftp|comm|special|os   the page shown (the run mode's page otherwise)
//   --language N                       the language with index N of the language menu
//   --os-tab images|read|clock|recycle|system|user
//                                      the management page on that tab; "read" is the image
//                                      reading tab the program otherwise keeps hidden;
//                                      "recycle" is the clock tab with the recycle bin listed;
//                                      on the system and user tabs every value is read from
//                                      the terminal first, as the tab's buttons read them
//   --folder DIR                       the PC folder shown on the comm page
//   --sort N                           the file lists of the page sorted by their column N (the
//                                      FTP list too, once connected)
//   --settings FILE                    the settings file read at start and written at the end,
//                                      in place of the program's own
//   --ftp-connect                      the FTP panel connects to its server, as its connect
//                                      button does, listing the folder it remembers
//   --run-batches                      the special page's download and upload batches run
//                                      one after the other, as their buttons start them once
//                                      the question is answered
#include <cstdio>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "IntegerText.h"
#include "LmLangMgr.h"
#include "ProgramMain.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckListBox.h"
#include "TEdit.h"
#include "TListColumns.h"
#include "TListView.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "TTabSheet.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "uThread.h"

namespace {

struct TViewOptions {
  std::optional<int> Page;  // a notebook page, or FtpPage
  std::optional<int> Language;
  std::optional<std::string> OsTab;
  std::optional<AnsiString> Folder;
  std::optional<int> SortColumn;
  std::optional<AnsiString> Settings;
  bool FtpConnect = false;
  bool RunBatches = false;
  bool Given() const { return Page || Language || OsTab || Folder || SortColumn || Settings || FtpConnect || RunBatches; }
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
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--ftp-connect") == 0) {
      Options.FtpConnect = true;
      continue;
    }
    if (std::strcmp(argv[i], "--run-batches") == 0) {
      Options.RunBatches = true;
      continue;
    }
    if (i + 1 >= argc) break;
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
    } else if (std::strcmp(argv[i], "--folder") == 0) {
      Options.Folder = AnsiString(argv[++i]);
    } else if (std::strcmp(argv[i], "--settings") == 0) {
      Options.Settings = AnsiString(argv[++i]);
    } else if (std::strcmp(argv[i], "--sort") == 0) {
      const int column = StrToIntDef(argv[++i], -1);
      if (column < 0) {
        std::fprintf(stderr, "handheld-manager: --sort takes a column index (0, 1, ...)\n");
        return false;
      }
      Options.SortColumn = column;
    } else if (std::strcmp(argv[i], "--os-tab") == 0) {
      Options.OsTab = argv[++i];
      if (*Options.OsTab != "images" && *Options.OsTab != "read" && *Options.OsTab != "clock" &&
          *Options.OsTab != "recycle" && *Options.OsTab != "system" && *Options.OsTab != "user") {
        std::fprintf(stderr, "handheld-manager: --os-tab takes images, read, clock, recycle, system or user\n");
        return false;
      }
    }
  }
  return true;
}

// Sorts a list by a column it has, as a click on the column's header does.
void sortList(TListView* List, int Column) {
  if (Column < List->Columns()->Count()) List->OnColumnClick(List, List->Columns()->Items(Column));
}

// The management page on one tab; the parameter tabs with every value read from the terminal.
void showOsTab(const std::string& Tab) {
  TFormmain* w = Formmain;
  w->SwitchRunMode(rmOs);
  if (Tab == "images") {
    w->pclOsMan->SetActivePage(w->tsDownOs);
  } else if (Tab == "read") {
    w->tsUpOs->SetTabVisible(true);
    w->pclOsMan->SetActivePage(w->tsUpOs);
  } else if (Tab == "clock") {
    w->pclOsMan->SetActivePage(w->tsCbjMan);
  } else if (Tab == "recycle") {
    w->pclOsMan->SetActivePage(w->tsCbjMan);
    w->miGetDelListClick(nullptr);
  } else if (Tab == "system") {
    w->tsSysParaSetting->SetTabVisible(true);
    w->pclOsMan->SetActivePage(w->tsParaMan);
    w->pclParaMan->SetActivePage(w->tsSysParaSetting);
    for (TButton* button : {w->btnGetMachCapacity, w->btnGetMachFileNum, w->btnGetMachOccurRoom, w->btnGetMachVer,
                            w->btnGetMachType, w->btnGetMachNo, w->btnGetMachCompany})
      button->Click();
  } else if (Tab == "user") {
    w->pclOsMan->SetActivePage(w->tsParaMan);
    w->pclParaMan->SetActivePage(w->tsUserParaSetting);
    w->btnSetGetUserPara->SetDown(true);  // reading
    w->btnSetGetUserPara->Click();
    for (TButton* button : {w->btnSetUserPasswd, w->btnSetUserCompany, w->btnSetUserName, w->btnSetUserNum,
                            w->btnSetUserMachNo, w->btnSetUserMemo})
      button->Click();
  }
}

// Lets the window handle what comes in until no worker runs and its last reports are shown.
void waitIdle() {
  do {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (Formmain->Busy() != 0);
  Application->ProcessMessages();
}

// A batch list run as its button starts it after the question: the marks cleared, the worker
// started with the page's convert type, and waited for.
void runBatch(TCheckListBox* List, int Mode) {
  for (int i = 0; i < List->Items()->Count(); ++i) List->SetChecked(i, false);
  Formmain->StartWorker(Mode, true, static_cast<std::uint8_t>(Formmain->RadioGroup2->ItemIndex()));
  waitIdle();
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
  if (Options.OsTab) showOsTab(*Options.OsTab);
  if (Options.Page) {
    if (*Options.Page == FtpPage) {
      Formmain->SwitchRunMode(rmFtp);
    } else {
      Formmain->SwitchRunMode(*Options.Page == pgAbout ? rmComm : *Options.Page);
      Formmain->Notebook->SetPageIndex(*Options.Page);
    }
  }
  if (Options.FtpConnect) {
    Formmain->BitBtnConnect->Click();
    if (Options.SortColumn) sortList(Formmain->ListView1, *Options.SortColumn);
  }
  if (Options.RunBatches) {
    // Shown first, so that the terminal is looked for as at every start.
    Formmain->Show();
    waitIdle();
    runBatch(Formmain->listDownload, tmDownloadList);
    runBatch(Formmain->listUpload, tmUploadList);
  }
}

}  // namespace

int ProgramMain(int argc, char** argv) {
  TViewOptions options;
  if (!readViewOptions(argc, argv, options)) return 2;

  SetGuiArguments(argc, argv);
  TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit, LmLangMgrUnit, uConstStringsUnit, uMainUnit});
  units.Initialize();
  if (options.Given()) ProgramFiles().SettingsFile = options.Settings.value_or(AnsiString());

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
