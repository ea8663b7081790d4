#include "uTextFormatConfig.h"

#include "CodePage.h"
#include "LmLangMgr.h"
#include "TBitBtn.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TLabel.h"
#include "TextFormatSettings.h"

DEFINE_CLASS(TfrmTextFormatConfig, TForm)

namespace {

template <class T>
T* place(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  auto* control = new T(Owner);
  control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

}  // namespace

TfrmTextFormatConfig::TfrmTextFormatConfig(TComponent* AOwner, const AnsiString& SettingsFile)
    : TForm(AOwner), settingsFile_(SettingsFile) {
  SetName("frmTextFormatConfig");
  SetCaption(Utf8ToAnsi("TXT导出格式"));
  SetBorderStyle(bsDialog);
  SetPosition(poMainFormCenter);
  SetClientWidth(257);
  SetClientHeight(180);
  Font()->SetName("Tahoma");
  Font()->SetHeight(-11);

  GroupBox1 = place<TGroupBox>(this, this, "GroupBox1", 8, 8, 241, 129);
  GroupBox1->SetCaption(Utf8ToAnsi("格式配置"));
  Label1 = place<TLabel>(this, GroupBox1, "Label1", 16, 24, 48, 13);
  Label1->SetCaption(Utf8ToAnsi("分隔符"));
  edtDelimiter = place<TEdit>(this, GroupBox1, "edtDelimiter", 80, 20, 41, 21);
  edtDelimiter->SetMaxLength(1);
  edtDelimiter->SetHint(Utf8ToAnsi("t表示tab"));
  edtDelimiter->SetShowHint(true);
  Label2 = place<TLabel>(this, GroupBox1, "Label2", 16, 52, 48, 13);
  Label2->SetCaption(Utf8ToAnsi("引用符"));
  edtQuoteChar = place<TEdit>(this, GroupBox1, "edtQuoteChar", 80, 48, 41, 21);
  edtQuoteChar->SetMaxLength(1);
  cbQuotedString = place<TCheckBox>(this, GroupBox1, "cbQuotedString", 16, 80, 209, 17);
  cbQuotedString->SetCaption(Utf8ToAnsi("包含引用符"));
  chkIncludeTitle = place<TCheckBox>(this, GroupBox1, "chkIncludeTitle", 16, 102, 209, 17);
  chkIncludeTitle->SetCaption(Utf8ToAnsi("包含标题行"));

  btnSetDefault = place<TButton>(this, this, "btnSetDefault", 8, 147, 81, 25);
  btnSetDefault->SetCaption(Utf8ToAnsi("恢复默认值"));
  BitBtn1 = place<TBitBtn>(this, this, "BitBtn1", 96, 147, 75, 25);
  BitBtn1->SetKind(bkOK);
  BitBtn2 = place<TBitBtn>(this, this, "BitBtn2", 176, 147, 75, 25);
  BitBtn2->SetKind(bkCancel);

  OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
  BitBtn1->OnClick = [this](TObject* Sender) { BitBtn1Click(Sender); };
  btnSetDefault->OnClick = [this](TObject* Sender) { btnSetDefaultClick(Sender); };
}

void TfrmTextFormatConfig::FormCreate(TObject*) {
  if (TLmCustomLangManager* manager = CurrentLangManager()) manager->TranslateForm(this);
  const TTextFormatEntries entries = ReadTextFormatEntries(settingsFile_);
  edtDelimiter->SetText(entries.DelimiterChar);
  edtQuoteChar->SetText(entries.QuoteChar);
  cbQuotedString->SetChecked(entries.QuotedString);
  chkIncludeTitle->SetChecked(entries.IncludeTitle);
}

void TfrmTextFormatConfig::BitBtn1Click(TObject*) {
  TTextFormatEntries entries;
  entries.DelimiterChar = edtDelimiter->Text();
  entries.QuoteChar = edtQuoteChar->Text();
  entries.QuotedString = cbQuotedString->Checked();
  entries.IncludeTitle = chkIncludeTitle->Checked();
  try {
    WriteTextFormatEntries(settingsFile_, entries);
  } catch (...) {
    // The button's mrOk would close the dialog over a choice that was not stored.
    SetModalResult(mrNone);
    throw;
  }
}

void TfrmTextFormatConfig::btnSetDefaultClick(TObject*) {
  edtDelimiter->SetText("t");
  edtQuoteChar->SetText("\"");
  cbQuotedString->SetChecked(true);
  chkIncludeTitle->SetChecked(true);
}
