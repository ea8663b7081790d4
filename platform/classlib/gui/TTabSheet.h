// TTabSheet: one page of a page control (see TPageControl); Caption is the tab's text.
//
// TabVisible hides or shows the tab; PageIndex is the sheet's position among all pages of its
// control (setting it moves the sheet), TabIndex its position among the visible tabs (-1 when
// its tab is hidden). OnShow and OnEnter run when the sheet becomes the active page, OnHide when
// another page replaces it.
//
// Published: Caption, Enabled, Font, Hint, PageIndex, ParentFont, ParentShowHint, PopupMenu,
// ShowHint, TabVisible, OnEnter, OnExit, OnHide, OnShow.
#pragma once

#include "TWinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
  DECLARE_CLASS(TTabSheet, TWinControl)

  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* Value);
  void SetParent(TWinControl* AParent) override;
  bool TabVisible() const;
  void SetTabVisible(bool Value);
  int PageIndex() const;
  void SetPageIndex(int Value);
  int TabIndex() const;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  void TextChanged() override;
  // Focus moving into the sheet does not raise OnEnter: the sheet enters when it is shown.
  void DoEnter() override;

private:
  friend class TPageControl;
  friend class TPageControlPrivate;
  void activated();
  void deactivated();
};
