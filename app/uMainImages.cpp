// The management page's image and memory tabs: choosing the PC files, the rows the check boxes
// enable, and starting the transfers on the worker (uThreadImages).
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TOpenDialog.h"
#include "uMain.h"

namespace {

// A browse button and the edit that receives its file name.
struct TFileNameRow {
  TButton* TFormmain::*Button;
  TEdit* TFormmain::*Edit;
};

constexpr TFileNameRow fileNameRows[] = {
    {&TFormmain::btnDownOs, &TFormmain::edtDownOsName}, {&TFormmain::btnDownHz, &TFormmain::edtDownHzName},
    {&TFormmain::btnDownMem, &TFormmain::edtDownMemName}, {&TFormmain::btnUpOs, &TFormmain::edtUpOsName},
    {&TFormmain::btnUpHz, &TFormmain::edtUpHzName},     {&TFormmain::btnUpMem, &TFormmain::edtUpMemName},
};

// An image check box and the row it enables.
struct TImageRow {
  TCheckBox* TFormmain::*Check;
  TEdit* TFormmain::*Edit;
  TButton* TFormmain::*Button;
};

constexpr TImageRow imageRows[] = {
    {&TFormmain::ckDownOs, &TFormmain::edtDownOsName, &TFormmain::btnDownOs},
    {&TFormmain::ckDownHzInput, &TFormmain::edtDownHzName, &TFormmain::btnDownHz},
    {&TFormmain::ckUpOs, &TFormmain::edtUpOsName, &TFormmain::btnUpOs},
    {&TFormmain::ckUpHzInput, &TFormmain::edtUpHzName, &TFormmain::btnUpHz},
};

}  // namespace

void TFormmain::bindImageEvents() {
  for (const TFileNameRow& row : fileNameRows)
    (this->*row.Button)->OnClick = [this](TObject* Sender) { btnFileNameClick(Sender); };
  for (const TImageRow& row : imageRows)
    (this->*row.Check)->OnClick = [this](TObject* Sender) { ckImageRowClick(Sender); };
  btnDownPart->OnClick = [this](TObject* Sender) { btnDownPartClick(Sender); };
  btnUpPart->OnClick = [this](TObject* Sender) { btnUpPartClick(Sender); };
  btnDownAll->OnClick = [this](TObject* Sender) { btnDownAllClick(Sender); };
  btnUpAll->OnClick = [this](TObject* Sender) { btnUpAllClick(Sender); };
}

void TFormmain::btnFileNameClick(TObject* Sender) {
  for (const TFileNameRow& row : fileNameRows) {
    if (Sender != this->*row.Button) continue;
    if (odlgGetFileName->Execute()) (this->*row.Edit)->SetText(odlgGetFileName->FileName());
    return;
  }
}

void TFormmain::ckImageRowClick(TObject* Sender) {
  for (const TImageRow& row : imageRows) {
    TCheckBox* check = this->*row.Check;
    if (Sender != check) continue;
    (this->*row.Edit)->SetEnabled(check->Checked());
    (this->*row.Button)->SetEnabled(check->Checked());
    return;
  }
}

void TFormmain::startImageTransfer(int Mode) {
  if (IsBusy()) return;
  if (!CheckPortDirect()) return;
  StartWorker(Mode, true);
}

void TFormmain::btnDownPartClick(TObject*) { startImageTransfer(tmDownloadSystem); }

void TFormmain::btnUpPartClick(TObject*) { startImageTransfer(tmUploadSystem); }

void TFormmain::btnDownAllClick(TObject*) { startImageTransfer(tmDownloadMemory); }

void TFormmain::btnUpAllClick(TObject*) { startImageTransfer(tmUploadMemory); }
