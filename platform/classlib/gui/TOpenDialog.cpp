#include "TOpenDialog.h"

#include <QApplication>
#include <QFileDialog>

#include "FileNames.h"
#include "Forms.h"
#include "QtConvert_p.h"
#include "TApplicationTestHook.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TOpenDialog, TComponent,
             Published::String("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
             Published::String("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName),
             Published::String("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter),
             Published::Integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex),
             Published::String("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir),
             Published::Set("Options", {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                                        "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                                        "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
                                        "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
                                        "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
                                        "ofDontAddToRecent", "ofForceShowHidden"},
                            &TOpenDialog::Options, &TOpenDialog::SetOptions),
             Published::String("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle))

namespace {

// "desc|*.txt;*.csv|..." as Qt's name filters "desc (*.txt *.csv)".
QStringList nameFilters(const AnsiString& filter) {
  QStringList parts = ToQString(filter).split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    out << parts[i] + QStringLiteral(" (") + patterns.trimmed() + u')';
  }
  return out;
}

}  // namespace

struct TOpenDialog::Data {
  AnsiString defaultExt;
  AnsiString fileName;
  TStringList files;
  AnsiString filter;
  int filterIndex = 1;
  AnsiString initialDir;
  TOpenOptions options{ofHideReadOnly, ofEnableSizing};
  AnsiString title;
};

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {}
TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  if (TApplicationTestHook* hook = Application != nullptr ? Application->TestHook() : nullptr) {
    hook->Record(TShownDialog{dkOpenDialog, d_->initialDir, d_->title, 0});
    AnsiString chosen;
    if (!hook->TakeText(dkOpenDialog, chosen) || chosen.empty()) return false;
    d_->fileName = chosen;
    d_->files.Clear();
    d_->files.Add(chosen);
    return true;
  }
  QFileDialog dialog(QApplication::activeWindow(), ToQString(d_->title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const bool multi = d_->options.Contains(ofAllowMultiSelect);
  dialog.setFileMode(multi ? QFileDialog::ExistingFiles
                           : d_->options.Contains(ofFileMustExist) ? QFileDialog::ExistingFile
                                                                   : QFileDialog::AnyFile);
  if (d_->options.Contains(ofForceShowHidden)) dialog.setFilter(dialog.filter() | QDir::Hidden);
  const QStringList filters = nameFilters(d_->filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = d_->filterIndex - 1;
    if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
  }
  const AnsiString dir = !d_->initialDir.empty() ? d_->initialDir : ExtractFilePath(d_->fileName);
  if (!dir.empty()) dialog.setDirectory(ToQString(dir));
  if (!d_->fileName.empty()) dialog.selectFile(ToQString(ExtractFileName(d_->fileName)));
  if (!d_->defaultExt.empty()) dialog.setDefaultSuffix(ToQString(d_->defaultExt));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  d_->files.Clear();
  for (const QString& f : chosen) d_->files.Add(FromQString(f));
  d_->fileName = FromQString(chosen.front());
  d_->filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}

const AnsiString& TOpenDialog::DefaultExt() const { return d_->defaultExt; }
void TOpenDialog::SetDefaultExt(const AnsiString& Value) { d_->defaultExt = Value; }
const AnsiString& TOpenDialog::FileName() const { return d_->fileName; }
void TOpenDialog::SetFileName(const AnsiString& Value) { d_->fileName = Value; }
TStrings* TOpenDialog::Files() const { return &d_->files; }
const AnsiString& TOpenDialog::Filter() const { return d_->filter; }
void TOpenDialog::SetFilter(const AnsiString& Value) { d_->filter = Value; }
int TOpenDialog::FilterIndex() const { return d_->filterIndex; }
void TOpenDialog::SetFilterIndex(int Value) { d_->filterIndex = Value; }
const AnsiString& TOpenDialog::InitialDir() const { return d_->initialDir; }
void TOpenDialog::SetInitialDir(const AnsiString& Value) { d_->initialDir = Value; }
TOpenOptions TOpenDialog::Options() const { return d_->options; }
void TOpenDialog::SetOptions(TOpenOptions Value) { d_->options = Value; }
const AnsiString& TOpenDialog::Title() const { return d_->title; }
void TOpenDialog::SetTitle(const AnsiString& Value) { d_->title = Value; }
