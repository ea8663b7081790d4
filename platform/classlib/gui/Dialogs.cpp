#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "CodePage.h"
#include "Dialogs_p.h"
#include "Forms.h"
#include "QtConvert_p.h"
#include "TApplicationTestHook.h"
#include "WinUser.h"

namespace {

struct ButtonInfo {
  TMsgDlgBtn button;
  TModalResult result;
  const char* english;
  const char* chinese;
};

constexpr ButtonInfo kButtons[] = {
    {mbYes, mrYes, "&Yes", "是(&Y)"},         {mbNo, mrNo, "&No", "否(&N)"},
    {mbOK, mrOk, "OK", "确定"},               {mbCancel, mrCancel, "Cancel", "取消"},
    {mbAbort, mrAbort, "&Abort", "中止(&A)"}, {mbRetry, mrRetry, "&Retry", "重试(&R)"},
    {mbIgnore, mrIgnore, "&Ignore", "忽略(&I)"}, {mbAll, mrAll, "&All", "全部(&A)"},
    {mbNoToAll, mrNoToAll, "N&o to All", "全部否(&O)"}, {mbYesToAll, mrYesToAll, "Yes to &All", "全部是(&A)"},
    {mbHelp, mrNone, "&Help", "帮助(&H)"},
};

const char* captionOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    default: return "";
  }
}

TModalResult closedResult(TMsgDlgButtons buttons) {
  if (buttons.Contains(mbCancel)) return mrCancel;
  if (buttons.Contains(mbNo)) return mrNo;
  return buttons == TMsgDlgButtons{mbOK} ? mrOk : mrCancel;
}

QString textOf(const ButtonInfo& b) {
  const bool chinese = GetACP() == 936 || GetACP() == 950;
  return QString::fromUtf8(chinese ? b.chinese : b.english);
}

}  // namespace

QString DialogButtonText(TModalResult Result) {
  for (const ButtonInfo& b : kButtons)
    if (b.result == Result && Result != mrNone) return textOf(b);
  return {};
}

void ShowMessage(const AnsiString& Msg) {
  if (Application != nullptr) Application->MessageBox(Msg, Application->Title(), MB_OK);
}

TModalResult MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  const AnsiString caption = captionOf(DlgType);
  if (Buttons.Empty()) Buttons = TMsgDlgButtons{mbOK};
  if (TApplicationTestHook* hook = Application != nullptr ? Application->TestHook() : nullptr) {
    hook->Record(TShownDialog{dkMessageDlg, Msg, caption, static_cast<unsigned>(Buttons.Bits())});
    if (Buttons == TMsgDlgButtons{mbOK}) return mrOk;
    int result = 0;
    return hook->TakeMessage(result) ? result : closedResult(Buttons);
  }
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(ToQString(caption));
  box.setText(ToQString(Msg));
  switch (DlgType) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    default: break;
  }
  std::vector<std::pair<QPushButton*, TModalResult>> made;
  for (const ButtonInfo& b : kButtons) {
    if (!Buttons.Contains(b.button)) continue;
    QPushButton* button = box.addButton(textOf(b), QMessageBox::ActionRole);
    made.emplace_back(button, b.result);
    if (b.result == closedResult(Buttons)) box.setEscapeButton(button);
  }
  if (!made.empty()) box.setDefaultButton(made.front().first);
  box.exec();
  for (auto& [button, result] : made)
    if (box.clickedButton() == button) return result;
  return closedResult(Buttons);
}
