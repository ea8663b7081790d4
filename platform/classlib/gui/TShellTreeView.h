// TShellTreeView: the folders of the file system as a tree (files are not shown), from Root
// ("/" by default). Path is the selected folder ("" when none); setting it to an existing
// folder selects and shows that folder (opening the folders above it), any other text is
// refused and keeps the selection. OnChange runs when the user selects another folder; the
// tree follows changes on the disk by itself, and Refresh reads it again.
//
// Published: Align, Color, Enabled, Font, Hint, ParentColor, ParentFont, ParentShowHint, Path,
// PopupMenu, Root, ShowHidden, ShowHint, TabOrder, TabStop, Visible, OnChange, OnClick,
// OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp.
#pragma once

#include "TWinControl.h"

class TShellTreeView : public TWinControl {
  DECLARE_CLASS(TShellTreeView, TWinControl)

  explicit TShellTreeView(TComponent* AOwner);
  ~TShellTreeView() override;

  AnsiString Path() const;
  void SetPath(const AnsiString& Value);
  const AnsiString& Root() const;
  void SetRoot(const AnsiString& Value);
  bool ShowHidden() const;
  void SetShowHidden(bool Value);
  void Refresh();

  TNotifyEvent OnChange;
};
