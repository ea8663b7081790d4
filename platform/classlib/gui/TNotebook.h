// TNotebook: pages on top of each other without tabs; one page, PageIndex, is shown.
//
// Pages holds one line per page, its name; adding a line adds a page (a TPage, owned by the
// notebook), deleting one deletes the page with its controls. A control is placed on a page
// with SetParent(Notebook->Page(i)). PageIndex outside the pages is refused; ActivePage is
// the name of the shown page (setting it shows the first page of that name). OnPageChanged
// runs after another page is shown.
//
// Published: ActivePage, Align, Color, Enabled, Font, Hint, PageIndex, Pages, ParentColor,
// ParentFont, ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Visible, OnClick,
// OnDblClick, OnEnter, OnExit, OnPageChanged.
#pragma once

#include "TWinControl.h"

class TStrings;
class TPage;

class TNotebook : public TWinControl {
  DECLARE_CLASS(TNotebook, TWinControl)

  explicit TNotebook(TComponent* AOwner);
  ~TNotebook() override;

  TStrings* Pages() const;
  void SetPages(TStrings* Value);
  int PageCount() const;
  // Raises EListError for an index out of range.
  TPage* Page(int Index) const;
  int PageIndex() const;
  void SetPageIndex(int Value);
  AnsiString ActivePage() const;
  void SetActivePage(const AnsiString& Value);

  TNotifyEvent OnPageChanged;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void BoundsChanged() override;

private:
  friend class TNotebookPrivate;
};
