#include "TStatusRecorder.h"

#include "CodePage.h"
#include "TypInfo.h"

DEFINE_CLASS(TStatusRecorder, TForm)

TStatusRecorder::TStatusRecorder(TComponent* AOwner) : TForm(AOwner), previous_(ReportWindow()) {
  SetReportWindow(Handle());
}

TStatusRecorder::~TStatusRecorder() { SetReportWindow(previous_); }

void TStatusRecorder::WMCommReport(TMessage& Message) {
  if (Message.WParam == crStatus) Statuses.push_back(AnsiToUtf8(StatusText.Get()));
}
