// TDemoForm: a window that shows every control of the GUI layer with Chinese captions, laid
// out like the program's main window (PC files beside the terminal's, transfer buttons, the
// convert-type choice, the management tabs, the batch lists, a sliding banner and a status
// line). It serves to look at the controls on a real screen and to take screenshots.
#pragma once

#include "TForm.h"

class TPanel;
class TLabel;
class TTimer;
class TListView;
class TListColumn;
class TListItem;
class TSpeedButton;
class TPopupMenu;
class TNotebook;
class TFileListBox;
class TEdit;
class TShellTreeView;

class TDemoForm : public TForm {
  DECLARE_CLASS(TDemoForm, TForm)

  explicit TDemoForm(TComponent* AOwner);

private:
  void buildBottomBar();
  void buildCommPage(TWinControl* page);
  void buildManagementTabs(TWinControl* parent);
  void buildBatchAndUser(TWinControl* page);
  void fillTerminalList();
  void listColumnClick(TObject* Sender, TListColumn* Column);
  void listCompare(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);
  void timerShowLogoTimer(TObject* Sender);
  void btnOptionClick(TObject* Sender);
  void flistCpuChange(TObject* Sender);

  TPanel* pnlLogo = nullptr;
  TLabel* lblLogo = nullptr;
  bool logoForward = true;
  TSpeedButton* btnOption = nullptr;
  TPopupMenu* pmuSystem = nullptr;
  TListView* listCpu = nullptr;
  TListView* listCbj = nullptr;
  TFileListBox* flistCpu = nullptr;
  TEdit* edtPath = nullptr;
  TShellTreeView* tv = nullptr;
  TNotebook* notebook = nullptr;
};
