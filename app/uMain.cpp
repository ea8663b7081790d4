// The frame of the main window: start-up, run modes, menus, banner, clock, closing.
#include "uMain.h"

#include "CodePage.h"
#include "Controls.h"
#include "DateRoutines.h"
#include "DateTimeText.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "LmHashLangStorage.h"
#include "LmLangCollection.h"
#include "LmLangMgr.h"
#include "ShellApi.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TComboBox.h"
#include "TDateTimePicker.h"
#include "TFileListBox.h"
#include "TIdFTP.h"
#include "TLabel.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TMenuItem.h"
#include "TNotebook.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TPopupMenu.h"
#include "TShellTreeView.h"
#include "TSpeedButton.h"
#include "TStrings.h"
#include "TTabSheet.h"
#include "TTimer.h"
#include "TUnitGuard.h"
#include "TWorkerLink.h"
#include "TypInfo.h"
#include "uConstStrings.h"
#include "uFileConvert.h"
#include "WinUser.h"

DEFINE_CLASS(TFormmain, TForm)

TFormmain* Formmain = nullptr;
AnsiString AppDir;

namespace {

TUnitGuard unitGuard;

// Distance of the banner from the edges of its panel where it turns, in pixels.
constexpr int LogoMargin = 5;

}  // namespace

TProgramFiles& ProgramFiles() {
  static TProgramFiles files;
  return files;
}

void uMainInitialize() {
  unitGuard.Initialize([] {
    const AnsiString exe = Application->ExeName();
    ProgramFiles().SettingsFile = ChangeFileExt(exe, ".ini");
    ProgramFiles().LanguagePath = ExtractFilePath(exe) + "languages" + PathDelim;
  });
}

void uMainFinalize() {
  unitGuard.Finalize([] {
    MessageText.Clear();
    StatusText.Clear();
    AppDir.clear();
  });
}

TFormmain::TFormmain(TComponent* AOwner) : TForm(AOwner), FWorker(std::make_shared<TWorkerLink>(this)) {
  createForm();
  bindEvents();
  SetReportWindow(Handle());
}

TFormmain::~TFormmain() {
  // A worker that is still running finds no window from here on, and its reports go to a
  // handle that names no window.
  FWorker->Detach();
  if (ReportWindow() == Handle()) SetReportWindow(nullptr);
  if (Formmain == this) Formmain = nullptr;
}

int TFormmain::Busy() const { return FWorker->Busy(); }

void TFormmain::FormCreate(TObject*) {
  LmLangManager1->TranslateForm(this);
  // Setting the path finds the language files there.
  LmHashLangFileStorage1->SetLanguagePath(AnsiToWide(ProgramFiles().LanguagePath));
  BuildLanguageMenu();
  dmUtils = NewDataModule<TdmUtils>(this);
  // The text format lives in the window's own settings file.
  dmUtils->SetSettingsFile(ProgramFiles().SettingsFile);
  Notebook->SetPageIndex(pgAbout);
  LoadSettings();
  tsUpOs->SetTabVisible(false);
  btnDownHz->SetEnabled(false);
}

void TFormmain::FormShow(TObject*) {
  AppDir = IncludeTrailingPathDelimiter(ExtractFilePath(Application->ExeName()));
  FLogoForward = true;
  if (pclOsMan->PageCount() > 0)
    pclOsMan->SetTabWidth((pclOsMan->Width() - 2 * GetSystemMetrics(SM_CXEDGE)) / pclOsMan->PageCount());
  pnlDate->SetCaption(FormatDateTime(DATE_FORMAT, Date()));
  tv->Repaint();
  flistCpu->SetDirectory(tv->Path());
  flistCpu->Update();
  switch (Notebook->PageIndex()) {
    case pgComm:
    case pgSpecial:
      miRefreshMachClick(this);
      break;
    case pgOs:
      CheckDeviceInfo();
      break;
    default:
      break;
  }
}

void TFormmain::SwitchRunMode(int Mode) {
  const bool idle = Busy() == 0;
  switch (Mode) {
    case rmFtp:
      if (idle) {
        if (FRunMode == rmOs) miRefreshMachClick(this);
        Notebook->SetPageIndex(pgComm);
      }
      FRunMode = rmFtp;
      GroupBoxFtp->BringToFront();
      GroupBoxFtp->SetVisible(true);
      FFtpVisible = 1;
      break;
    case rmComm:
      if (idle) {
        if (FRunMode == rmOs) miRefreshMachClick(this);
        Notebook->SetPageIndex(pgComm);
        FRunMode = rmComm;
      }
      GroupBoxFtp->SendToBack();
      GroupBoxFtp->SetVisible(false);
      FFtpVisible = 0;
      break;
    case rmSpecial:
      if (idle) {
        if (FRunMode == rmOs) miRefreshMachClick(this);
        Notebook->SetPageIndex(pgSpecial);
        FRunMode = rmSpecial;
      }
      break;
    case rmOs:
      if (idle) {
        CheckDeviceInfo();
        Notebook->SetPageIndex(pgOs);
        FRunMode = rmOs;
      }
      break;
    default:
      break;
  }
}

void TFormmain::miSwitchToFtpClick(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) SwitchRunMode(item->Tag());
}

void TFormmain::miAboutClick(TObject*) { Notebook->SetPageIndex(pgAbout); }

void TFormmain::btnExitClick(TObject*) {
  switch (FRunMode) {
    case rmFtp:
    case rmComm:
      Notebook->SetPageIndex(pgComm);
      break;
    case rmSpecial:
      Notebook->SetPageIndex(pgSpecial);
      break;
    case rmOs:
      Notebook->SetPageIndex(pgOs);
      break;
    default:
      break;
  }
}

void TFormmain::btnOptionClick(TObject*) {
  // Opens the menu above the button: its height is the menu line height times the number of
  // entries (separators counted), less a little overlap.
  const int x = btnOption->Left() - GetSystemMetrics(SM_CXEDGE);
  const int y = btnOption->Top() - (GetSystemMetrics(SM_CYMENU) * pmuSystem->Items()->Count() - 8);
  const TPoint at = btnOption->ClientToScreen(TPoint{x, y});
  pmuSystem->Popup(at.x, at.y);
}

void TFormmain::miExitClick(TObject*) { Close(); }

void TFormmain::SpeedButton8Click(TObject*) { Close(); }

void TFormmain::xt1Click(TObject*) { ShowTextFormatConfig(); }

void TFormmain::miRefreshMachinfoClick(TObject* Sender) { miRefreshMachClick(Sender); }

void TFormmain::miRefreshMachClick(TObject*) {
  if (IsBusy()) return;
  DetectDevice();
  if (FPort <= 0) {
    Application->MessageBox(ERR_NOT_CONNECTED_DEVICE, INFO_INFOMATION, MB_ICONERROR);
    ResetDeviceInfo();
    return;
  }
  StartWorker(tmListFiles, true);
}

void TFormmain::BuildLanguageMenu() {
  TLmCustomLangStorage* storage = LmLangManager1->LanguageStorage();
  if (storage == nullptr) return;
  for (int i = 0; i < storage->LanguageCount(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetCaption(WideToAnsi(storage->Languages()->Items(i)->LanguageName()));
    item->OnClick = [this](TObject* Sender) { ChangeLanguage(Sender); };
    item->SetTag(i);
    miLanguages->Add(item);
  }
}

void TFormmain::ChangeLanguage(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) SetLanguage(item->Tag());
}

void TFormmain::SetLanguage(int Index) {
  TLmCustomLangStorage* storage = LmLangManager1->LanguageStorage();
  if (storage != nullptr && Index < storage->LanguageCount()) LmLangManager1->SetCurrentLanguageIndex(Index);
}

void TFormmain::LmLangManager1LanguageChanged(TObject*) {
  const AnsiString unknown = INFO_UNKOWN;
  const AnsiString notKnown = INFO_UNKOWN1;
  TranslateConstStrings();
  // The device labels are left alone by the translation walk so that figures read from the
  // terminal survive a switch; one that shows "unknown" gets the new language's word for it.
  for (TLabel* label : deviceLabels()) {
    if (label->Caption() == unknown) label->SetCaption(INFO_UNKOWN);
    else if (label->Caption() == notKnown) label->SetCaption(INFO_UNKOWN1);
  }
  pnlDate->SetCaption(FormatDateTime(DATE_FORMAT, Date()));
  // A parameter tab switched to its other mode shows the message texts of that mode, which the
  // form walk that follows leaves alone.
  if (btnSetGetSysPara->Down()) showSysParaCaptions();
  if (btnSetGetUserPara->Down()) showUserParaCaptions();
}

void TFormmain::LmLangManager1TranslateObjectProperty(TObject* AObject, const AnsiString& PropName,
                                                      bool& Translate) {
  if (PropName == "Caption" && captionFollowsParaMode(AObject)) {
    Translate = false;
    return;
  }
  // A translated item list replaces the combo box's items, which would drop the chosen password
  // type (and with it the id the password buttons use); the list is replaced here instead,
  // keeping the choice.
  if (AObject != cbxPasType->Items() || PropName != "Text") return;
  Translate = false;
  WideString text;
  LmLangManager1->TranslateString(u"TFormmain.cbxPasType.Items.Text", text);
  if (text.empty()) return;
  const int index = cbxPasType->ItemIndex();
  cbxPasType->Items()->SetText(WideToAnsi(text));
  cbxPasType->SetItemIndex(index);
}

void TFormmain::timerShowLogoTimer(TObject*) {
  const int W = pnlLogo->Width();
  const int w = lblLogo->Width();
  int x = lblLogo->Left();
  if (W <= 0) return;  // a panel without width has nowhere to move the banner
  if (FLogoForward) {
    ++x;
    FLogoForward = x < W - LogoMargin - w;
  } else {
    --x;
    FLogoForward = x < LogoMargin;
  }
  lblLogo->SetLeft(x % W);
}

void TFormmain::timerSystemTimeTimer(TObject*) {
  cbjDate->SetDate(Date());
  cbjTime->SetTime(Time());
}

void TFormmain::tsCbjManEnter(TObject* Sender) { timerSystemTimeTimer(Sender); }

void TFormmain::disableAutotimeClick(TObject*) { timerSystemTime->SetEnabled(!disableAutotime->Checked()); }

void TFormmain::lblWebClick(TObject*) { ShellExecute(Handle(), "Open", lblWeb->Caption(), "", "", 0); }

void TFormmain::lblMailBoxClick(TObject*) {
  ShellExecute(Handle(), "Open", "mailto:" + lblMail->Caption(), "", "", 0);
}

void TFormmain::edtPasswdKeyPress(TObject*, char& Key) {
  const bool digit = Key >= '0' && Key <= '9';
  if (!digit && Key != 8 && Key != 13) Key = 0;
}

AnsiString TFormmain::BrowseForFolder() {
  return ShellBrowseForFolder(Application->Handle(), DLG_DIR_OPEN_TITLE);
}

void TFormmain::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = true;
  if (Busy() == 0) return;
  if (Application->MessageBox(INFO_FORCE_QUIT, ERR_WARNING, MB_YESNO | MB_ICONWARNING) != IDYES) {
    CanClose = false;
    return;
  }
  // The routine ends at its next check of the request; the program's end waits for it
  // (EndWorkers) before it finalises anything the worker can reach.
  if (Busy() != 0) FWorker->TerminateRunning();
  // A transfer with the FTP server ends too, rather than running to its end.
  IdFTP1->Abort();
}

void TFormmain::FormClose(TObject*, TCloseAction&) { SaveSettings(); }
