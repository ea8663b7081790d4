#include "TNotebook.h"

#include <algorithm>

#include <QStackedWidget>

#include "Format.h"
#include "RTLConsts.h"
#include "TControlProps_p.h"
#include "TControlStrings_p.h"
#include "TPage.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TNotebook, TWinControl,
             Published::String("ActivePage", &TNotebook::ActivePage, &TNotebook::SetActivePage), ControlProps::Align(),
             ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("PageIndex", &TNotebook::PageIndex, &TNotebook::SetPageIndex),
             Published::Class("Pages", &TNotebook::Pages, &TNotebook::SetPages), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(),
             Published::Event("OnPageChanged", &TNotebook::OnPageChanged))

class TNotebookPrivate : public TWinControlPrivate {
public:
  TNotebookPrivate() : TWinControlPrivate(new QStackedWidget) {}
  QStackedWidget* stack() const { return static_cast<QStackedWidget*>(widget.data()); }

  TPage* pageAt(int index) const { return static_cast<TPage*>(pages->Objects(index)); }
  TPage* newPage(int index);
  // Pages for the lines: new ones where lines were added, names from the lines.
  void syncPages();

  class Pages : public TControlStrings {
  public:
    explicit Pages(TNotebookPrivate* d) : d_(d) {}
  protected:
    void Inserted(int Index) override { PutObject(Index, d_->newPage(Index)); }
    void Deleted(int) override { d_->syncPages(); }
    void Changed(int Index) override {
      if (TPage* p = d_->pageAt(Index)) p->SetCaption(Strings(Index));
    }
    void Reloaded() override { d_->syncPages(); }

  private:
    TNotebookPrivate* d_;
  };

  TNotebook* notebook = nullptr;  // set once the notebook's own constructor runs
  std::unique_ptr<Pages> pages = std::make_unique<Pages>(this);
  bool forgetting = false;  // a freed page's line is being removed
};

TPage* TNotebookPrivate::newPage(int index) {
  auto* page = new TPage(notebook);
  page->SetCaption(pages->Strings(index));
  page->SetParent(notebook);
  stack()->insertWidget(index, page->ControlPrivate()->widget);
  page->SetBounds(0, 0, notebook->ClientWidth(), notebook->ClientHeight());
  return page;
}

void TNotebookPrivate::syncPages() {
  if (notebook == nullptr || forgetting) return;
  // Pages whose line is gone are freed with their controls.
  std::vector<TPage*> kept;
  for (int i = 0; i < pages->Count(); ++i)
    if (auto* p = dynamic_cast<TPage*>(pages->Objects(i))) kept.push_back(p);
  for (int i = stack()->count() - 1; i >= 0; --i) {
    auto* p = dynamic_cast<TPage*>(TControlPrivate::controlOf(stack()->widget(i)));
    if (p != nullptr && std::find(kept.begin(), kept.end(), p) == kept.end()) {
      forgetting = true;
      delete p;
      forgetting = false;
    }
  }
  for (int i = 0; i < pages->Count(); ++i) {
    TPage* p = dynamic_cast<TPage*>(pages->Objects(i));
    if (p == nullptr) {
      pages->SetObjects(i, newPage(i));
      continue;
    }
    p->SetCaption(pages->Strings(i));
    stack()->removeWidget(p->ControlPrivate()->widget);
    stack()->insertWidget(i, p->ControlPrivate()->widget);
  }
}

namespace {
TNotebookPrivate* dOf(const TNotebook* n) { return static_cast<TNotebookPrivate*>(n->ControlPrivate()); }
}  // namespace

TNotebook::TNotebook(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TNotebookPrivate>()) {
  TNotebookPrivate* d = dOf(this);
  d->notebook = this;
  d->tabStop = false;
  d->parentColor = true;
  SetBounds(0, 0, 150, 150);
  d->pages->Add("Default");
}

TNotebook::~TNotebook() {
  dOf(this)->notebook = nullptr;
  TearDown();
}

TStrings* TNotebook::Pages() const { return dOf(this)->pages.get(); }
void TNotebook::SetPages(TStrings* Value) {
  if (Value != nullptr) dOf(this)->pages->Assign(Value);
}

int TNotebook::PageCount() const { return dOf(this)->pages->Count(); }

TPage* TNotebook::Page(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(Format(SListIndexError, {Index}));
  return dOf(this)->pageAt(Index);
}

int TNotebook::PageIndex() const { return dOf(this)->stack()->currentIndex(); }

void TNotebook::SetPageIndex(int Value) {
  TNotebookPrivate* d = dOf(this);
  if (Value < 0 || Value >= PageCount() || Value == PageIndex()) return;
  d->stack()->setCurrentIndex(Value);
  if (OnPageChanged) FireEvent(this, [this] { OnPageChanged(this); });
}

AnsiString TNotebook::ActivePage() const {
  const int i = PageIndex();
  return i >= 0 && i < PageCount() ? Pages()->Strings(i) : AnsiString();
}

void TNotebook::SetActivePage(const AnsiString& Value) {
  for (int i = 0; i < PageCount(); ++i)
    if (Pages()->Strings(i) == Value) {
      SetPageIndex(i);
      return;
    }
}

void TNotebook::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  TNotebookPrivate* d = dOf(this);
  if (Operation != TOperation::opRemove || d->notebook == nullptr || d->forgetting) return;
  // A page freed on its own takes its line with it.
  for (int i = 0; i < d->pages->Count(); ++i)
    if (d->pages->Objects(i) == AComponent) {
      d->forgetting = true;
      d->pages->Delete(i);
      d->forgetting = false;
      return;
    }
}

void TNotebook::BoundsChanged() {
  inherited::BoundsChanged();
  // The pages fill the notebook at once (the widget would resize them only later).
  for (int i = 0; i < PageCount(); ++i)
    if (TPage* page = dOf(this)->pageAt(i)) page->SetBounds(0, 0, ClientWidth(), ClientHeight());
}
