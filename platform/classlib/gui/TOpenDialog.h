// TOpenDialog: the dialog in which the user chooses a file to open.
//
// Filter lists "description|patterns" pairs separated by "|" ("文本文件|*.txt|所有文件|*.*"),
// FilterIndex (from 1) the one shown first. Execute shows the dialog in InitialDir (or the
// folder of FileName) and returns true when the user chose a file, which is then in FileName
// (and, with ofAllowMultiSelect, all chosen files in Files); Cancel returns false and changes
// nothing. Application's test hook answers it (AnswerFile) without a screen.
//
// Published: DefaultExt, FileName, Filter, FilterIndex, InitialDir, Options, Title.
#pragma once

#include <memory>

#include "TComponent.h"

class TStrings;

enum class TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = SetOf<TOpenOption>;
using enum TOpenOption;

class TOpenDialog : public TComponent {
  DECLARE_CLASS(TOpenDialog, TComponent)

  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  bool Execute();

  const AnsiString& DefaultExt() const;
  void SetDefaultExt(const AnsiString& Value);
  const AnsiString& FileName() const;
  void SetFileName(const AnsiString& Value);
  TStrings* Files() const;
  const AnsiString& Filter() const;
  void SetFilter(const AnsiString& Value);
  int FilterIndex() const;
  void SetFilterIndex(int Value);
  const AnsiString& InitialDir() const;
  void SetInitialDir(const AnsiString& Value);
  TOpenOptions Options() const;
  void SetOptions(TOpenOptions Value);
  const AnsiString& Title() const;
  void SetTitle(const AnsiString& Value);

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
