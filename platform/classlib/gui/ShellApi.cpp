#include "ShellApi.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

#include "FileNames.h"
#include "Forms.h"
#include "MessageQueue_p.h"
#include "QtConvert_p.h"
#include "StringRoutines.h"
#include "TApplicationTestHook.h"
#include "TWinControl.h"
#include "TWinControl_p.h"

namespace {

constexpr int kDone = 42;  // any value above 32 means the request was taken

QUrl urlOf(const QString& target, const QString& directory) {
  static const QStringList schemes = {"http", "https", "ftp", "mailto", "file"};
  const QUrl asUrl(target);
  if (asUrl.isValid() && schemes.contains(asUrl.scheme().toLower())) return asUrl;
  QFileInfo info(target);
  if (info.isRelative() && !directory.isEmpty()) info = QFileInfo(directory + u'/' + target);
  return QUrl::fromLocalFile(info.absoluteFilePath());
}

bool isFileManagerName(const AnsiString& file) {
  const AnsiString name = LowerCase(ExtractFileName(file));
  return name == "explorer.exe" || name == "explorer";
}

}  // namespace

int ShellExecute(HWND, const AnsiString& Operation, const AnsiString& File, const AnsiString& Parameters,
                 const AnsiString& Directory, int) {
  if (TApplicationTestHook* hook = Application != nullptr ? Application->TestHook() : nullptr) {
    hook->Record(TShownDialog{dkShellExecute, Parameters.empty() ? File : File + " " + Parameters, Operation, 0});
    return kDone;
  }
  const AnsiString verb = LowerCase(Operation);
  if (!verb.empty() && verb != "open" && verb != "explore") return SE_ERR_NOASSOC;
  const AnsiString target = isFileManagerName(File) ? Parameters : File;
  const QUrl url = urlOf(ToQString(target), ToQString(Directory));
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return SE_ERR_FNF;
  return QDesktopServices::openUrl(url) ? kDone : SE_ERR_NOASSOC;
}

AnsiString ShellBrowseForFolder(HWND Owner, const AnsiString& Title) {
  if (TApplicationTestHook* hook = Application != nullptr ? Application->TestHook() : nullptr) {
    hook->Record(TShownDialog{dkFolderPicker, {}, Title, 0});
    AnsiString chosen;
    return hook->TakeText(dkFolderPicker, chosen) ? chosen : AnsiString();
  }
  QWidget* parent = nullptr;
  if (TWinControl* owner = MessageQueue::Find(Owner)) parent = owner->ControlPrivate()->widget;
  const QString dir = QFileDialog::getExistingDirectory(parent != nullptr ? parent->window() : QApplication::activeWindow(),
                                                        ToQString(Title), QString(), QFileDialog::ShowDirsOnly);
  return FromQString(dir);
}

AnsiString ShellFileTypeName(const AnsiString& FileName) {
  static const QMimeDatabase database;
  const QMimeType type = database.mimeTypeForFile(ToQString(ExtractFileName(FileName)), QMimeDatabase::MatchExtension);
  if (!type.isValid() || type.isDefault()) return {};
  return FromQString(type.comment());
}
