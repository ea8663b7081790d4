// TFileListBox: the names of the files in one folder, in a list box.
//
// Directory is the folder; setting it also makes it the process's current folder (a folder
// that does not exist raises EInOutError and changes nothing) and reads the names again.
// FileType chooses what is listed: ftNormal plain files, ftHidden hidden files (names that
// begin with "."), ftSystem system files (devices, pipes, sockets), ftReadOnly files that
// cannot be written, ftDirectory sub-folders (listed as "[name]"); the default lists plain
// files only. Mask ("*.*", several separated by ";") filters the names without regard to case.
// The names are sorted in the order of the user's locale. Update reads the folder again;
// OnChange runs after every reading and when the user chooses another name.
//
// Published: TListBox's without Items and Sorted, plus Directory, FileType, Mask, OnChange.
#pragma once

#include "TCustomListBox.h"

enum class TFileAttr { ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive, ftNormal };
using TFileType = SetOf<TFileAttr>;
using enum TFileAttr;

class TFileListBox : public TCustomListBox {
  DECLARE_CLASS(TFileListBox, TCustomListBox)

  explicit TFileListBox(TComponent* AOwner);

  const AnsiString& Directory() const;
  void SetDirectory(const AnsiString& Value);
  TFileType FileType() const;
  void SetFileType(TFileType Value);
  const AnsiString& Mask() const;
  void SetMask(const AnsiString& Value);
  // The chosen file with its folder ("" when none is chosen).
  AnsiString FileName() const;

  // Reads the folder's names again (hides TControl::Update, which repaints).
  void Update();

  TNotifyEvent OnChange;

protected:
  void Click() override;

private:
  void readFileNames();
};
