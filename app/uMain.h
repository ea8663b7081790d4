// uMain: the program's main window TFormmain, the frame in which every page lives.
//
// The window shows one of four notebook pages: 0 the about page, 1 the comm page (PC folders
// and files beside the terminal's files; in FTP mode with the FTP panel in front), 2 the
// special page (the two configured batch lists), 3 the management page (images, clock, recycle
// bin, parameters). The run mode (TRunMode) chooses the page; the system menu above the bottom
// bar switches it, and the settings file keeps it between runs.
//
// One terminal operation runs at a time, on a worker thread (uThread). While it runs the window
// is busy: every handler that would start another one or talk to the terminal asks IsBusy
// first and then only shows INFO_FINISHED_FIRST. The worker reports through WM_COMMREPORT.
//
// The form definition (the controls and their properties) is built by the uMain_Form*.cpp
// files; the handlers live in the other uMain*.cpp files.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Forms.h"
#include "TForm.h"
#include "TUnitList.h"
#include "uThread.h"

class TAnimate;
class TBitBtn;
class TButton;
class TCheckBox;
class TCheckListBox;
class TComboBox;
class TDateTimePicker;
class TEdit;
class TFileListBox;
class TGroupBox;
class TIdFTP;
class TImage;
class TImageList;
class TLabel;
class TListColumn;
class TListItem;
class TListView;
class TLmHashLangFileStorage;
class TLmLangManager;
class TLmLangTranslator;
class TMenuItem;
class TNotebook;
class TOpenDialog;
class TPageControl;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TRadioGroup;
class TShellTreeView;
class TSpeedButton;
class TTabSheet;
class TTimer;
class TWorkerLink;
enum class TWorkMode;

// The run modes, stored in the settings file as "runmode".
enum TRunMode : int { rmFtp = 0, rmComm = 1, rmSpecial = 2, rmOs = 3 };

// IdFTP1's Tag while no fetch from the server runs; a fetch puts there the listing index of the
// entry it fetches.
inline constexpr int NoFetchTag = -1;

// Notebook pages.
enum TMainPage : int { pgAbout = 0, pgComm = 1, pgSpecial = 2, pgOs = 3 };

class TFormmain : public TForm {
  DECLARE_CLASS(TFormmain, TForm)

  explicit TFormmain(TComponent* AOwner);
  ~TFormmain() override;

  // --- the form definition --------------------------------------------------------------------
  // Bottom bar and status panel.
  TPanel* pnlBottom;
  TPanel* Panel3;
  TSpeedButton* btnOption;
  TPanel* pnlLogo;
  TLabel* lblLogo;
  TPanel* pnlDate;
  TPanel* pnlState;
  TLabel* lblComm;
  TProgressBar* barComm;
  TProgressBar* ProgressBar1;
  TNotebook* Notebook;

  // Page 0: about.
  TPanel* pnlAbout;
  TLabel* lblAboutTitle;
  TLabel* lblAboutVersion;
  TLabel* lblAddress;
  TLabel* lblTelephone;
  TLabel* lblFax;
  TLabel* lblWebTitle;
  TLabel* lblWeb;
  TLabel* lblMailBox;
  TLabel* lblMail;
  TSpeedButton* btnExit;

  // Page 1: comm page, PC side.
  TLabel* lblCpuTitle;
  TShellTreeView* tv;
  TEdit* edtpath;
  TImage* Image3;
  TListView* listCpu;
  TFileListBox* flistCpu;
  // Page 1: the transfer buttons and options between the two sides.
  TSpeedButton* sbtnLeft;
  TSpeedButton* sbtnRight;
  TRadioGroup* RadioGroup1;
  TButton* Button1;
  TCheckBox* chkCompleteDelFile;
  // Page 1: terminal side.
  TPanel* pnlCbj;
  TLabel* lblCbjTitle;
  TImage* Image4;
  TListView* listCbj;
  TLabel* lblMachTypeTitle;
  TLabel* lblMachType;
  TLabel* lblTotalSizeTitle;
  TLabel* lblTotalSize;
  TLabel* lblLeftSizeTitle;
  TLabel* lblLeftSize;
  TLabel* lblSysSizeTitle;
  TLabel* lblSysSize;
  TLabel* lblFileNumTitle;
  TLabel* lblFileNum;
  // Page 1: the FTP panel.
  TPanel* GroupBoxFtp;
  TLabel* lblFtpTitle;
  TLabel* lblFtpHost;
  TEdit* EditFtpHost;
  TLabel* lblFtpUser;
  TEdit* EditFtpUser;
  TLabel* lblFtpPass;
  TEdit* EditFtpPass;
  TLabel* lblFtpPort;
  TEdit* EditFtpPort;
  TBitBtn* BitBtnConnect;
  TLabel* lblFtpPath;
  TComboBox* comboPath;
  TListView* ListView1;
  TFileListBox* FileListBox1;

  // Page 2: special mode.
  TGroupBox* gbxDownload;
  TCheckListBox* listDownload;
  TButton* btnAddDownFile;
  TButton* btnDelDownFile;
  TButton* btnDownSpecialMode;
  TGroupBox* gbxUpload;
  TCheckListBox* listUpload;
  TLabel* lblCbjFileList;
  TComboBox* cbxCbjFileList;
  TButton* btnAddUpFile;
  TButton* btnDelUpFile;
  TLabel* lblUploadPath;
  TEdit* edtUploadPath;
  TButton* btnAssignUploadPath;
  TCheckBox* chkDelCbjFile;
  TButton* btnUploadSpecialMode;
  TGroupBox* gbxCbj2;
  TImage* Image5;
  TListView* listCbj2;
  TLabel* lblMachTypeTitle2;
  TLabel* lblMachType2;
  TLabel* lblTotalSizeTitle2;
  TLabel* lblTotalSize2;
  TLabel* lblLeftSizeTitle2;
  TLabel* lblLeftSize2;
  TLabel* lblSysSizeTitle2;
  TLabel* lblSysSize2;
  TLabel* lblFileNumTitle2;
  TLabel* lblFileNum2;
  TRadioGroup* RadioGroup2;
  TSpeedButton* SpeedButton8;

  // Page 3: management.
  TLabel* lblOsTypeTitle;
  TLabel* lblOsType;
  TLabel* lblOsVerTitle;
  TLabel* lblOsVer;
  TPageControl* pclOsMan;
  TTabSheet* tsDownOs;
  TGroupBox* gbxDown1;
  TCheckBox* ckDownOs;
  TEdit* edtDownOsName;
  TButton* btnDownOs;
  TCheckBox* ckDownHzInput;
  TEdit* edtDownHzName;
  TButton* btnDownHz;
  TButton* btnDownPart;
  TGroupBox* gbxDown2;
  TLabel* lblDownMemAddr;
  TEdit* edtDownMemAddr;
  TLabel* lblDownMemName;
  TEdit* edtDownMemName;
  TButton* btnDownMem;
  TButton* btnDownAll;
  TTabSheet* tsUpOs;
  TGroupBox* gbxUp1;
  TCheckBox* ckUpOs;
  TEdit* edtUpOsName;
  TButton* btnUpOs;
  TCheckBox* ckUpHzInput;
  TEdit* edtUpHzName;
  TButton* btnUpHz;
  TButton* btnUpPart;
  TGroupBox* gbxUp2;
  TLabel* lblUpMemAddr;
  TEdit* edtUpMemAddr;
  TLabel* lblUpMemLen;
  TEdit* edtUpMemLen;
  TLabel* lblUpMemName;
  TEdit* edtUpMemName;
  TButton* btnUpMem;
  TButton* btnUpAll;
  TLabel* lblUpWarning;
  TTabSheet* tsCbjMan;
  TGroupBox* GroupBox10;
  TDateTimePicker* cbjDate;
  TDateTimePicker* cbjTime;
  TButton* setCbjTime;
  TCheckBox* disableAutotime;
  TGroupBox* gbxDelCbj;
  TListView* listdelCbj;
  TTabSheet* tsParaMan;
  TPageControl* pclParaMan;
  TTabSheet* tsSysParaSetting;
  TButton* btnGetMachCapacity;
  TEdit* edtMachCapacity;
  TButton* btnGetMachFileNum;
  TEdit* edtMachFileNum;
  TButton* btnGetMachOccurRoom;
  TEdit* edtMachOccurRoom;
  TButton* btnGetMachVer;
  TEdit* edtMachVer;
  TButton* btnGetMachType;
  TEdit* edtMachType;
  TButton* btnGetMachNo;
  TEdit* edtMachNo;
  TButton* btnGetMachCompany;
  TEdit* edtMachCompany;
  TSpeedButton* btnSetGetSysPara;
  TTabSheet* tsUserParaSetting;
  TLabel* lblPasType;
  TComboBox* cbxPasType;
  TButton* btnSetUserPasswd;
  TEdit* edtPasswd;
  TButton* btnSetUserCompany;
  TEdit* edtUserCompany;
  TButton* btnSetUserName;
  TEdit* edtUserName;
  TButton* btnSetUserNum;
  TEdit* edtUserNum;
  TButton* btnSetUserMachNo;
  TEdit* edtUserMachNo;
  TButton* btnSetUserMemo;
  TEdit* edtUserMemo;
  TSpeedButton* btnSetGetUserPara;

  // Menus.
  TPopupMenu* pmuSystem;
  TMenuItem* miRefreshMachinfo;
  TMenuItem* N1;
  TMenuItem* miSwitchToFtp;
  TMenuItem* miSwitchToComm;
  TMenuItem* miSwitchToSpecial;
  TMenuItem* miSwitchToOs;
  TMenuItem* N2;
  TMenuItem* miLanguages;
  TMenuItem* miAbout;
  TMenuItem* miExit;
  TPopupMenu* pmenuCbj;
  TMenuItem* miUploadFile;
  TMenuItem* miDelFile;
  TMenuItem* miRefreshMach;
  TMenuItem* N6;
  TMenuItem* miDestroyFile;
  TMenuItem* miDelAllFile;
  TPopupMenu* popupCpu;
  TMenuItem* N4;
  TMenuItem* N5;
  TMenuItem* N8;
  TMenuItem* N7;
  TPopupMenu* PopupFtp;
  TMenuItem* MenuItem2;
  TMenuItem* N3;
  TMenuItem* MenuItem3;
  TMenuItem* MenuItem4;
  TMenuItem* MenuItem5;
  TPopupMenu* PopupMenu1;
  TMenuItem* xt1;
  TPopupMenu* delFilePopMenu;
  TMenuItem* miGetDelList;
  TMenuItem* miRestoreFile;
  TMenuItem* N9;
  TMenuItem* miDelRecyleFile;

  // The black frame along the window's edge.
  TPanel* pnlFrameTop;
  TPanel* pnlFrameBottom;
  TPanel* pnlFrameLeft;
  TPanel* pnlFrameRight;

  // Components without a place on the window.
  TTimer* timerShowLogo;
  TTimer* timerSystemTime;
  TImageList* imgSortList;
  TImageList* ImageList1;
  TOpenDialog* odlgGetFileName;
  TLmLangManager* LmLangManager1;
  TLmHashLangFileStorage* LmHashLangFileStorage1;
  TLmLangTranslator* LmLangTranslator1;
  TIdFTP* IdFTP1;

  // --- the frame's handlers -------------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void SwitchRunMode(int Mode);
  void miSwitchToFtpClick(TObject* Sender);
  void miAboutClick(TObject* Sender);
  void btnExitClick(TObject* Sender);
  void btnOptionClick(TObject* Sender);
  void miExitClick(TObject* Sender);
  void SpeedButton8Click(TObject* Sender);
  void xt1Click(TObject* Sender);
  void miRefreshMachinfoClick(TObject* Sender);
  void miRefreshMachClick(TObject* Sender);
  void BuildLanguageMenu();
  void ChangeLanguage(TObject* Sender);
  void SetLanguage(int Index);
  void LmLangManager1LanguageChanged(TObject* Sender);
  void LmLangManager1TranslateObjectProperty(TObject* AObject, const AnsiString& PropName, bool& Translate);
  void timerShowLogoTimer(TObject* Sender);
  void timerSystemTimeTimer(TObject* Sender);
  void tsCbjManEnter(TObject* Sender);
  void disableAutotimeClick(TObject* Sender);
  void lblWebClick(TObject* Sender);
  void lblMailBoxClick(TObject* Sender);
  void edtPasswdKeyPress(TObject* Sender, char& Key);
  // The folder picker; the chosen folder, or "" when cancelled.
  AnsiString BrowseForFolder();

  // Settings file. A save that fails shows ERR_FILE_CREATE_FAILED with the file's name.
  void LoadSettings();
  void SaveSettings();

  // Terminal search.
  void DetectDevice();
  void CheckDeviceInfo();
  // The management page's check before an image transfer: FPort := vxCheckPort() as it comes;
  // false (after ERR_NOT_CONNECTED_DEVICE) when no terminal answers.
  bool CheckPortDirect();

  // Worker protocol.
  void ShowProgress(bool Show);
  void ResetDeviceInfo();
  void ShowInfo(const AnsiString& Text);
  // FBusy; when it is set, first tells the user to let the current operation finish.
  int IsBusy();
  // Steps 3 to 6 of starting an operation: the progress line, a new worker with the mode and
  // convert type, the busy state taken before it runs.
  void StartWorker(int Mode, bool ShowProgressLine, std::uint8_t ConvertType = 0, bool RepaintBar = true);

  // --- the file lists: PC side, sorting, terminal transfers, recycle bin ------------------------
  // PC side (uMainPcFiles.cpp).
  void flistCpuChange(TObject* Sender);
  void tvDblClick(TObject* Sender);
  void edtpathChange(TObject* Sender);
  void Image3Click(TObject* Sender);
  void popupCpuPopup(TObject* Sender);
  void N5Click(TObject* Sender);
  void N7Click(TObject* Sender);
  void listCpuKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void listCbjKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void listdelCbjKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // Column sorting of listCpu, listCbj, listCbj2 and listdelCbj (uMainSorting.cpp).
  void listCpuColumnClick(TObject* Sender, TListColumn* Column);
  void listCbjColumnClick(TObject* Sender, TListColumn* Column);
  void listCbj2ColumnClick(TObject* Sender, TListColumn* Column);
  void listdelCbjColumnClick(TObject* Sender, TListColumn* Column);
  void listCpuCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  void listCbjCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  void listCbj2Compare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  void listdelCbjCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  // Transfers between the two sides (uMainTransfers.cpp).
  void sbtnLeftClick(TObject* Sender);
  void sbtnRightClick(TObject* Sender);
  void listCpuDblClick(TObject* Sender);
  void N4Click(TObject* Sender);
  void miUpFileClick(TObject* Sender);
  void listCbjDblClick(TObject* Sender);
  void pmenuCbjPopup(TObject* Sender);
  // Recycle bin and deletion (uMainRecycle.cpp).
  void miDelFileClick(TObject* Sender);
  void miDelAllFileClick(TObject* Sender);
  void miDestroyFileClick(TObject* Sender);
  void miGetDelListClick(TObject* Sender);
  void miRestoreFileClick(TObject* Sender);
  void miDelRecyleFileClick(TObject* Sender);
  void delFilePopMenuPopup(TObject* Sender);

  // --- the special page's batch lists (uMainBatchLists.cpp) --------------------------------------
  void btnAddDownFileClick(TObject* Sender);
  void btnDelDownFileClick(TObject* Sender);
  void btnAssignUploadPathClick(TObject* Sender);
  void btnAddUpFileClick(TObject* Sender);
  void btnDelUpFileClick(TObject* Sender);
  void cbxCbjFileListEnter(TObject* Sender);
  void btnDownSpecialModeClick(TObject* Sender);
  void btnUploadSpecialModeClick(TObject* Sender);

  // --- the FTP panel (uMainFtp.cpp) -----------------------------------------------------------
  // Connects with the panel's host, user, password and port and lists comboPath's folder; or,
  // when connected, asks and disconnects.
  void ToggleFtpConnection();
  // Changes to Dir on the server (relative to the current folder, or absolute) and lists it;
  // asks to connect first when there is no connection. A server's refusal raises EIdFTPError.
  void RefreshFtpList(const AnsiString& Dir);
  void RememberFtpPath(const AnsiString& Path);
  AnsiString GetFileTypeName(const AnsiString& FileName);
  void BitBtnConnectClick(TObject* Sender);
  void comboPathClick(TObject* Sender);
  void MenuItem5Click(TObject* Sender);
  void MenuItem3Click(TObject* Sender);
  void ListView1DblClick(TObject* Sender);
  void ListView1ColumnClick(TObject* Sender, TListColumn* Column);
  void ListView1Compare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  void N3Click(TObject* Sender);
  void IdFTP1Connected(TObject* Sender);
  void IdFTP1Disconnected(TObject* Sender);
  void IdFTP1WorkBegin(TObject* Sender, TWorkMode AWorkMode, std::int64_t AWorkCountMax);
  void IdFTP1Work(TObject* Sender, TWorkMode AWorkMode, std::int64_t AWorkCount);
  void IdFTP1WorkEnd(TObject* Sender, TWorkMode AWorkMode);
  // The private folder the running fetch from the server passes its files through ("" while
  // none runs); a cancel deletes the file being fetched there.
  const AnsiString& FtpRelayFolder() const { return FFtpRelayFolder; }
  void SetFtpRelayFolder(const AnsiString& Value) { FFtpRelayFolder = Value; }

  // Management page: image and memory transfers (uMainImages.cpp).
  // The six "浏览" buttons: the open dialog's choice into the row's edit.
  void btnFileNameClick(TObject* Sender);
  // The four image check boxes: the row's edit and button follow the box.
  void ckImageRowClick(TObject* Sender);
  void btnDownPartClick(TObject* Sender);
  void btnUpPartClick(TObject* Sender);
  void btnDownAllClick(TObject* Sender);
  void btnUpAllClick(TObject* Sender);
  // Management page: the clock, the system and the user information (uMainDevice.cpp).
  void setCbjTimeClick(TObject* Sender);
  // Capacity, file count and occupied room.
  void btnGetMachInfoClick(TObject* Sender);
  // Version, machine type, machine number and company name, read or written by the mode.
  void btnSysParaClick(TObject* Sender);
  // Password, user company, name, number, machine number and memo, read or written by the mode.
  void btnUserParaClick(TObject* Sender);
  void btnSetGetSysParaClick(TObject* Sender);
  void btnSetGetUserParaClick(TObject* Sender);

  // --- state ----------------------------------------------------------------------------------
  int RunMode() const { return FRunMode; }
  int FtpVisible() const { return FFtpVisible; }
  std::int32_t Port() const { return FPort; }
  void SetPort(std::int32_t Value) { FPort = Value; }
  int Busy() const;
  bool FtpTransferring() const { return FFtpTransferring; }
  void SetFtpTransferring(bool Value) { FFtpTransferring = Value; }
  bool LogoForward() const { return FLogoForward; }
  const std::shared_ptr<TWorkerLink>& WorkerLink() const { return FWorker; }

protected:
  void WMCommReport(TMessage& Message);
  BEGIN_MESSAGE_MAP
  MESSAGE_HANDLER(WM_COMMREPORT, TMessage, WMCommReport)
  END_MESSAGE_MAP(TForm)

private:
  void createForm();
  void createBottomBar();
  void createAboutPage();
  void createCommPage();
  void createFtpPanel();
  void createSpecialPage();
  void createOsPage();
  void createMenus();
  void createComponents();
  void createFrame();
  // The labels that show the terminal's figures; they keep their values across a language
  // switch.
  std::vector<TLabel*> deviceLabels() const;
  void bindEvents();
  // The handlers of the file lists (uMainFileEvents.cpp).
  void bindFileEvents();
  void bindImageEvents();
  void bindListEvents();
  void bindFtpEvents();
  // Rebuilds ListView1 from IdFTP1's listing.
  void showFtpListing();
  void bindDeviceEvents();
  void startImageTransfer(int Mode);
  // The captions of a parameter tab's buttons as its mode button's state says.
  void showSysParaCaptions();
  void showUserParaCaptions();
  // Whether the caption of AObject follows its tab's mode rather than the form's text: the
  // buttons of a tab whose mode button is not in its starting state.
  bool captionFollowsParaMode(const TObject* AObject) const;
  // SaveSettings' writes; EIniFileException when one fails.
  void writeSettings();

  bool FFtpTransferring = false;
  int FRunMode = rmComm;
  int FFtpVisible = 0;
  std::int32_t FPort = 0;
  // FThread and FBusy: the running worker and the busy state, shared with the workers.
  std::shared_ptr<TWorkerLink> FWorker;
  bool FLogoForward = true;
  AnsiString FFtpRelayFolder;
};

extern TFormmain* Formmain;

// The program's folder with a trailing separator, set when the main window is shown.
extern AnsiString AppDir;

// Where the main window keeps its settings and finds its language files: the executable's name
// with ".ini", and the folder "languages" beside it. Tests point them at a folder of their own
// before creating the window; an empty SettingsFile means a run that reads only defaults and
// writes nothing.
struct TProgramFiles {
  AnsiString SettingsFile;
  AnsiString LanguagePath;
};
TProgramFiles& ProgramFiles();

void uMainInitialize();
void uMainFinalize();
inline constexpr TUnitEntry uMainUnit{"uMain", &uMainInitialize, &uMainFinalize};
