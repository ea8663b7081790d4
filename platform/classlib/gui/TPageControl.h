// TPageControl: pages (TTabSheet) with a tab each; the page of the chosen tab is shown.
//
// A sheet joins with SetPageControl (or SetParent) and is placed on the control's pages in that
// order. A sheet with TabVisible False keeps its place but shows no tab (the next visible page is
// shown instead when it was the active one). TabWidth (0: as wide as the caption) and TabHeight
// fix the size of every tab.
//
// The user's choice of a tab first asks OnChanging (AllowChange starts True; False keeps the
// page), then shows the page and runs OnChange. Setting ActivePage or ActivePageIndex shows the
// page without those events. Whenever a sheet becomes the active page, by the user or the
// program, its OnShow and OnEnter run (and OnHide of the page it replaces).
//
// Published: ActivePage, Align, Enabled, Font, Hint, ParentFont, ParentShowHint, PopupMenu,
// ShowHint, TabHeight, TabOrder, TabStop, TabWidth, Visible, OnChange, OnChanging, OnEnter,
// OnExit.
#pragma once

#include "TWinControl.h"

class TTabSheet;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
  DECLARE_CLASS(TPageControl, TWinControl)

  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const;
  // Raises EListError for an index out of range.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  int TabWidth() const;
  void SetTabWidth(int Value);
  int TabHeight() const;
  void SetTabHeight(int Value);

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

private:
  friend class TTabSheet;
  friend class TPageControlPrivate;
  void insertPage(TTabSheet* Page);
  void removePage(TTabSheet* Page);
  void showTab(TTabSheet* Page, bool Visible);
  void movePage(TTabSheet* Page, int Index);
};
