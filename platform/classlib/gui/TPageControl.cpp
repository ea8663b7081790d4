#include "TPageControl.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include "Format.h"
#include "QtConvert_p.h"
#include "RTLConsts.h"
#include "TControlProps_p.h"
#include "TTabSheet.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TPageControl, TWinControl,
             Published::Class("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
             ControlProps::Align(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), Published::Integer("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight),
             ControlProps::TabOrder(), ControlProps::TabStop(),
             Published::Integer("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth),
             ControlProps::Visible(), Published::Event("OnChange", &TPageControl::OnChange),
             Published::Event("OnChanging", &TPageControl::OnChanging), ControlProps::OnEnter(), ControlProps::OnExit())

namespace {

// Tabs of a fixed size when one is set, and a user's change of tab that can be refused.
class TPageTabBar : public QTabBar {
public:
  int tabWidth = 0;
  int tabHeight = 0;
  std::function<bool(int)> allowChange;

  // Makes the bar measure its tabs again.
  void relayout() {
    QEvent remeasure(QEvent::FontChange);
    QApplication::sendEvent(this, &remeasure);
    updateGeometry();
  }

protected:
  QSize tabSizeHint(int index) const override {
    QSize s = QTabBar::tabSizeHint(index);
    if (tabWidth > 0) s.setWidth(tabWidth);
    if (tabHeight > 0) s.setHeight(tabHeight);
    return s;
  }
  void mousePressEvent(QMouseEvent* event) override {
    const int index = tabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex() && allowChange && !allowChange(index)) {
      event->accept();
      return;
    }
    QTabBar::mousePressEvent(event);
  }
};

class TPageWidget : public QTabWidget {
public:
  TPageWidget() : bar(new TPageTabBar) {
    setTabBar(bar);
    // Tabs keep their own width instead of sharing out the bar's spare room.
    bar->setExpanding(false);
  }
  TPageTabBar* bar;
};

}  // namespace

class TPageControlPrivate : public TWinControlPrivate {
public:
  TPageControlPrivate() : TWinControlPrivate(new TPageWidget) {}
  TPageWidget* tabs() const { return static_cast<TPageWidget*>(widget.data()); }

  // The page at Index became the shown one.
  void pageShown(int index) {
    if (ControlsTearingDown() || control == nullptr) return;
    TTabSheet* now = index >= 0 && index < static_cast<int>(sheets.size()) ? sheets[static_cast<std::size_t>(index)] : nullptr;
    if (now == active) return;
    TTabSheet* before = active;
    active = now;
    if (before != nullptr) before->deactivated();
    if (now != nullptr) now->activated();
    if (!quiet && control->OnChange) FireEvent(control, [this] { control->OnChange(control); });
  }

  TPageControl* control = nullptr;  // set once the page control's own constructor runs
  std::vector<TTabSheet*> sheets;   // in page order, hidden tabs included
  TTabSheet* active = nullptr;
  bool quiet = false;  // the program is choosing the page
};

namespace {
TPageControlPrivate* dOf(const TPageControl* p) { return static_cast<TPageControlPrivate*>(p->ControlPrivate()); }
}  // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TPageControlPrivate>()) {
  TPageControlPrivate* d = dOf(this);
  d->control = this;
  d->tabs()->bar->allowChange = [this](int) {
    bool allow = true;
    if (OnChanging) FireEvent(this, [&] { OnChanging(this, allow); });
    return allow;
  };
  QObject::connect(d->tabs(), &QTabWidget::currentChanged, d->tabs(), [d](int index) { d->pageShown(index); });
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  dOf(this)->control = nullptr;
  TearDown();
}

void TPageControl::insertPage(TTabSheet* Page) {
  TPageControlPrivate* d = dOf(this);
  d->sheets.push_back(Page);
  d->quiet = true;
  const int index = d->tabs()->addTab(Page->ControlPrivate()->widget, ToQString(Page->Caption()));
  d->tabs()->setTabVisible(index, Page->TabVisible());
  d->quiet = false;
  d->tabs()->bar->relayout();
}

void TPageControl::removePage(TTabSheet* Page) {
  TPageControlPrivate* d = dOf(this);
  auto it = std::find(d->sheets.begin(), d->sheets.end(), Page);
  if (it == d->sheets.end()) return;
  const int index = static_cast<int>(it - d->sheets.begin());
  d->sheets.erase(it);
  if (d->active == Page) d->active = nullptr;
  d->quiet = true;
  if (d->widget) d->tabs()->removeTab(index);
  d->quiet = false;
}

void TPageControl::showTab(TTabSheet* Page, bool Visible) {
  TPageControlPrivate* d = dOf(this);
  auto it = std::find(d->sheets.begin(), d->sheets.end(), Page);
  if (it == d->sheets.end()) return;
  // When the shown page loses its tab, another is shown: the program's change, no OnChange.
  d->quiet = true;
  d->tabs()->setTabVisible(static_cast<int>(it - d->sheets.begin()), Visible);
  d->quiet = false;
}

void TPageControl::movePage(TTabSheet* Page, int Index) {
  TPageControlPrivate* d = dOf(this);
  auto it = std::find(d->sheets.begin(), d->sheets.end(), Page);
  if (it == d->sheets.end() || Index < 0 || Index >= PageCount()) return;
  const int from = static_cast<int>(it - d->sheets.begin());
  d->sheets.erase(it);
  d->sheets.insert(d->sheets.begin() + Index, Page);
  d->quiet = true;
  d->tabs()->tabBar()->moveTab(from, Index);
  d->quiet = false;
}

int TPageControl::PageCount() const { return static_cast<int>(dOf(this)->sheets.size()); }

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(Format(SListIndexError, {Index}));
  return dOf(this)->sheets[static_cast<std::size_t>(Index)];
}

TTabSheet* TPageControl::ActivePage() const { return dOf(this)->active; }

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value == nullptr || Value->PageControl() != this) return;
  SetActivePageIndex(Value->PageIndex());
}

int TPageControl::ActivePageIndex() const {
  const TPageControlPrivate* d = dOf(this);
  auto it = std::find(d->sheets.begin(), d->sheets.end(), d->active);
  return it == d->sheets.end() ? -1 : static_cast<int>(it - d->sheets.begin());
}

void TPageControl::SetActivePageIndex(int Value) {
  TPageControlPrivate* d = dOf(this);
  if (Value < 0 || Value >= PageCount()) return;
  d->quiet = true;
  d->tabs()->setCurrentIndex(Value);
  d->quiet = false;
}

int TPageControl::TabWidth() const { return dOf(this)->tabs()->bar->tabWidth; }
void TPageControl::SetTabWidth(int Value) {
  TPageControlPrivate* d = dOf(this);
  d->tabs()->bar->tabWidth = Value < 0 ? 0 : Value;
  d->tabs()->bar->relayout();
}

int TPageControl::TabHeight() const { return dOf(this)->tabs()->bar->tabHeight; }
void TPageControl::SetTabHeight(int Value) {
  TPageControlPrivate* d = dOf(this);
  d->tabs()->bar->tabHeight = Value < 0 ? 0 : Value;
  d->tabs()->bar->relayout();
}
