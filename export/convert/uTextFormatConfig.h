// uTextFormatConfig: the dialog "TXT导出格式" in which the user sets how converted ".txt" files
// are written: delimiter, quote character, whether texts are quoted and whether a caption line
// comes first. It shows and stores the section "TEXTFORMAT" of the program's settings file
// (TextFormatSettings.h) and keeps nothing itself; a new dialog is made for each showing
// (ShowTextFormatConfig in uFileConvert.h).
//
// FormCreate has the current language manager translate the form, then fills the controls from
// the settings file. OK (BitBtn1) writes the two edits' texts as they stand (also empty) and
// the two check boxes, then closes the dialog with mrOk; a file that cannot be written keeps
// the dialog open (the class library shows the error). "恢复默认值" puts "t", a double quote
// and two checks into the controls without writing anything; Cancel writes nothing.
#pragma once

#include "TForm.h"

class TBitBtn;
class TButton;
class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;

class TfrmTextFormatConfig : public TForm {
  DECLARE_CLASS(TfrmTextFormatConfig, TForm)

  // SettingsFile: the settings file whose section the dialog shows and stores ("" reads the
  // defaults and stores nothing).
  TfrmTextFormatConfig(TComponent* AOwner, const AnsiString& SettingsFile);

  TGroupBox* GroupBox1;
  TLabel* Label1;
  TEdit* edtDelimiter;
  TLabel* Label2;
  TEdit* edtQuoteChar;
  TCheckBox* cbQuotedString;
  TCheckBox* chkIncludeTitle;
  TButton* btnSetDefault;
  TBitBtn* BitBtn1;
  TBitBtn* BitBtn2;

  void FormCreate(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void btnSetDefaultClick(TObject* Sender);

  const AnsiString& SettingsFile() const { return settingsFile_; }

private:
  AnsiString settingsFile_;
};
