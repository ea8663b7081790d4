// TCustomTreeView: a tree of nodes (TTreeView publishes it).
//
// Selected is the selected node (nullptr when none); OnChange runs when the selection moves to
// another node, OnExpanded/OnCollapsed after a node opened or closed. Images gives the nodes'
// pictures. ShowRoot shows the lines and buttons of the top-level nodes; ReadOnly keeps the
// user from editing node texts.
//
// Published: Align, Color, Enabled, Font, Hint, Images, Items, ParentColor, ParentFont,
// ParentShowHint, PopupMenu, ReadOnly, ShowButtons, ShowRoot, ShowHint, TabOrder, TabStop,
// Visible, and the events OnChange, OnClick, OnCollapsed, OnDblClick, OnEnter, OnExit,
// OnExpanded, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseUp.
#pragma once

#include <functional>

#include "TWinControl.h"

class TTreeNode;
class TTreeNodes;
class TCustomImageList;
class TTreeViewPrivate;

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

class TCustomTreeView : public TWinControl {
  DECLARE_CLASS(TCustomTreeView, TWinControl)

  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const;
  void SetItems(TTreeNodes* Value);
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Value);
  TCustomImageList* Images() const;
  void SetImages(TCustomImageList* Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool ShowRoot() const;
  void SetShowRoot(bool Value);
  bool ShowButtons() const;
  void SetShowButtons(bool Value);

  void FullExpand();
  void FullCollapse();
  // The node at a point of the client area, nullptr when there is none.
  TTreeNode* GetNodeAt(int X, int Y) const;

  TTVChangedEvent OnChange;
  TTVExpandedEvent OnExpanded;
  TTVExpandedEvent OnCollapsed;

  TTreeViewPrivate* TreeViewPrivate() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};
