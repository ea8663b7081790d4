// Takes the worker's reports in place of the main window while it lives, and notes each status
// line with the status text current when it arrives; the reports go back to the previous window
// afterwards. For routines whose summary a later report would replace on the window.
#pragma once

#include <string>
#include <vector>

#include "TForm.h"
#include "uThread.h"

class TStatusRecorder : public TForm {
  DECLARE_CLASS(TStatusRecorder, TForm)

  explicit TStatusRecorder(TComponent* AOwner);
  ~TStatusRecorder() override;

  // The status lines (UTF-8), in the order they arrived.
  std::vector<std::string> Statuses;

protected:
  void WMCommReport(TMessage& Message);
  BEGIN_MESSAGE_MAP
  MESSAGE_HANDLER(WM_COMMREPORT, TMessage, WMCommReport)
  END_MESSAGE_MAP(TForm)

private:
  HWND previous_;
};
