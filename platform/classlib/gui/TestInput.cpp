#include "TestInput.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <QTreeView>

#include "Forms.h"
#include "QtConvert_p.h"
#include "TMenuItem_p.h"
#include "TCustomListView_p.h"
#include "TCustomTreeView_p.h"
#include "TCustomListBox_p.h"
#include "TGridView_p.h"
#include "TPageControl.h"
#include "TRadioGroup.h"
#include "TShellTreeView.h"
#include "TWinControl_p.h"

namespace {

QWidget* inputWidgetOf(TControl* control) { return control->ControlPrivate()->inputWidget(); }

QPoint pointIn(QWidget* w, int x, int y) {
  return QPoint(x >= 0 ? x : w->width() / 2, y >= 0 ? y : w->height() / 2);
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, QPointF(local), QPointF(w->mapToGlobal(local)), button, buttons, modifiers);
  QApplication::sendEvent(w, &event);
}

// A left click (press and release) at a point of the widget.
void sendClick(QWidget* w, QPoint local) {
  sendMouse(w, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton, {});
  sendMouse(w, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton, {});
}

Qt::KeyboardModifiers modifiersOf(TShiftState shift) {
  Qt::KeyboardModifiers m;
  if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

void processPending() {
  if (Application != nullptr)
    Application->ProcessMessages();
  else
    QCoreApplication::processEvents();
}

}  // namespace

namespace TestInput {

bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    processPending();
    if (Condition()) return true;
    if (timer.elapsed() >= TimeoutMs) return false;
    QThread::msleep(2);
  }
}

void ProcessFor(int Milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < Milliseconds) {
    processPending();
    QThread::msleep(2);
  }
}

void ClickControl(TControl* Control, TShiftState Shift, int X, int Y) {
  QWidget* w = inputWidgetOf(Control);
  if (w == nullptr) return;
  const QPoint p = pointIn(w, X, Y);
  sendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, modifiersOf(Shift));
  if (QWidget* again = inputWidgetOf(Control))  // the press may have freed or replaced it
    sendMouse(again, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, modifiersOf(Shift));
  processPending();
}

void DoubleClickControl(TControl* Control, int X, int Y) {
  QWidget* w = inputWidgetOf(Control);
  if (w == nullptr) return;
  const QPoint p = pointIn(w, X, Y);
  sendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, {});
  sendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
  sendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, {});
  if (QWidget* again = inputWidgetOf(Control)) sendMouse(again, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
  processPending();
}

void RightClickControl(TControl* Control, int X, int Y) {
  QWidget* w = inputWidgetOf(Control);
  if (w == nullptr) return;
  const QPoint p = pointIn(w, X, Y);
  sendMouse(w, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton, {});
  sendMouse(w, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton, {});
  QContextMenuEvent menu(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
  QApplication::sendEvent(w, &menu);
  processPending();
}

bool FocusControl(TWinControl* Control) {
  if (Control->Focused()) return true;
  if (!Control->CanFocus()) return false;
  Control->SetFocus();
  return WaitUntil([Control] { return Control->Focused(); }, 2000);
}

void PressKey(TWinControl* Control, WORD Key, TShiftState Shift, char Char) {
  if (!FocusControl(Control)) return;
  QWidget* target = QApplication::focusWidget();
  const QString text = Char != 0 ? ToQString(AnsiString(1, Char)) : QString();
  QKeyEvent press(QEvent::KeyPress, QtKeyOf(Key), modifiersOf(Shift), text);
  QApplication::sendEvent(target, &press);
  if (QWidget* again = QApplication::focusWidget()) {
    QKeyEvent release(QEvent::KeyRelease, QtKeyOf(Key), modifiersOf(Shift), text);
    QApplication::sendEvent(again, &release);
  }
  processPending();
}

void TypeText(TWinControl* Control, const AnsiString& Text) {
  for (char c : Text) {
    WORD vk = 0;
    if (c >= 'a' && c <= 'z') vk = static_cast<WORD>(c - 'a' + 'A');
    else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') vk = static_cast<WORD>(c);
    else if (c == '\b') vk = 0x08;
    else if (c == '\r') vk = 0x0D;
    PressKey(Control, vk, (c >= 'A' && c <= 'Z') ? TShiftState{ssShift} : TShiftState{}, c);
  }
}

void ChooseMenuItem(TMenuItem* Item) {
  QAction* action = Item->MenuItemData()->action;
  if (action == nullptr) return;
  action->trigger();
  for (TMenuItem* p = Item->Parent(); p != nullptr; p = p->Parent())
    if (QMenu* m = p->MenuItemData()->submenu) m->hide();
  processPending();
}

void ClickListItem(TCustomListView* View, int Index, TShiftState Shift) {
  TListViewPrivate* d = View->ListViewPrivate();
  const QRect r = d->view()->visualRect(d->model->index(Index, 0));
  if (!r.isValid()) return;
  ClickControl(View, Shift, r.center().x(), r.center().y());
}

void DoubleClickListItem(TCustomListView* View, int Index) {
  TListViewPrivate* d = View->ListViewPrivate();
  const QRect r = d->view()->visualRect(d->model->index(Index, 0));
  if (!r.isValid()) return;
  DoubleClickControl(View, r.center().x(), r.center().y());
}

void ClickColumnHeader(TCustomListView* View, int Column) {
  QHeaderView* header = View->ListViewPrivate()->view()->header();
  const QPoint p(header->sectionViewportPosition(Column) + header->sectionSize(Column) / 2, header->height() / 2);
  sendClick(header->viewport(), p);
  processPending();
}

int ShownColumnWidth(TCustomListView* View, int Column) {
  QHeaderView* header = View->ListViewPrivate()->view()->header();
  return header->isSectionHidden(Column) ? 0 : header->sectionSize(Column);
}

int ColumnContentWidth(TCustomListView* View, int Column) {
  TListViewPrivate* d = View->ListViewPrivate();
  QTreeView* view = d->view();
  int width = view->header()->sectionSizeHint(Column);
  for (int row = 0; row < d->model->rowCount(QModelIndex()); ++row)
    width = std::max(width, view->sizeHintForIndex(d->model->index(row, Column)).width());
  return width;
}

int ShownColumnsAreaWidth(TCustomListView* View) { return View->ListViewPrivate()->view()->viewport()->width(); }

namespace {
TGridViewPrivate* gridOf(TWinControl* Grid) { return dynamic_cast<TGridViewPrivate*>(Grid->ControlPrivate()); }
}  // namespace

void ClickGridCell(TWinControl* Grid, int Col, int Row) {
  TGridViewPrivate* d = gridOf(Grid);
  if (d == nullptr) return;
  d->view()->scrollTo(d->model->index(Row, Col));
  const QRect r = d->view()->visualRect(d->model->index(Row, Col));
  if (!r.isValid()) return;
  ClickControl(Grid, {}, r.center().x(), r.center().y());
}

AnsiString ShownCellText(TWinControl* Grid, int Col, int Row) {
  TGridViewPrivate* d = gridOf(Grid);
  if (d == nullptr) return {};
  return FromQString(d->model->index(Row, Col).data(Qt::DisplayRole).toString());
}

int ShownGridColumnWidth(TWinControl* Grid, int Col) {
  TGridViewPrivate* d = gridOf(Grid);
  return d != nullptr ? d->view()->columnWidth(Col) : 0;
}

void ShownCurrentCell(TWinControl* Grid, int& Col, int& Row) {
  Col = Row = -1;
  TGridViewPrivate* d = gridOf(Grid);
  if (d == nullptr) return;
  const QModelIndex current = d->view()->currentIndex();
  if (!current.isValid()) return;
  Col = current.column();
  Row = current.row();
}

void ClickTreeNode(TCustomTreeView* View, TTreeNode* Node) {
  TTreeViewPrivate* d = View->TreeViewPrivate();
  const QRect r = d->tree()->visualItemRect(Node->NodeState()->item);
  if (!r.isValid()) return;
  ClickControl(View, {}, r.center().x(), r.center().y());
}

bool ShellPathShown(TShellTreeView* View) {
  auto* tree = static_cast<QTreeView*>(View->ControlPrivate()->widget.data());
  const QModelIndex current = tree->currentIndex();
  return current.isValid() && tree->viewport()->rect().contains(tree->visualRect(current));
}

void ClickRadioItem(TRadioGroup* Group, int Index) {
  QWidget* box = Group->ControlPrivate()->widget;
  const QList<QRadioButton*> buttons = box->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (Index < 0 || Index >= buttons.size()) return;
  QRadioButton* b = buttons[Index];
  const QPoint p(8, b->height() / 2);
  sendClick(b, p);
  processPending();
}

namespace {
QTabBar* tabBarOf(TPageControl* pages) {
  return static_cast<QTabWidget*>(pages->ControlPrivate()->widget.data())->tabBar();
}
}  // namespace

void ClickTab(TPageControl* Pages, int Index) {
  QTabBar* bar = tabBarOf(Pages);
  const QRect r = bar->tabRect(Index);
  if (!r.isValid() || !bar->isTabVisible(Index)) return;
  sendClick(bar, r.center());
  processPending();
}

bool TabShown(TPageControl* Pages, int Index) { return tabBarOf(Pages)->isTabVisible(Index); }

int ShownTabWidth(TPageControl* Pages, int Index) {
  QTabBar* bar = tabBarOf(Pages);
  return bar->isTabVisible(Index) ? bar->tabRect(Index).width() : 0;
}

void ClickListBoxItem(TCustomListBox* List, int Index, TShiftState Shift) {
  QListWidget* list = List->ListBoxPrivate()->list();
  const QRect r = list->visualItemRect(list->item(Index));
  if (!r.isValid()) return;
  ClickControl(List, Shift, r.center().x(), r.center().y());
}

int LiveControlCount() { return TControlPrivate::liveCount(); }

AnsiString ShownHint(TControl* Control) {
  QWidget* w = Control->ControlPrivate()->widget;
  return w != nullptr ? FromQString(w->toolTip()) : AnsiString();
}

AnsiString ShownFontFamily(TControl* Control) {
  QWidget* w = Control->ControlPrivate()->widget;
  return w != nullptr ? FromQString(QFontInfo(w->font()).family()) : AnsiString();
}

int ShownColourCount(TControl* Control) {
  QWidget* w = Control->ControlPrivate()->widget;
  if (w == nullptr) return 0;
  const QImage image = w->grab().toImage();
  std::unordered_set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

namespace {
// Qt makes a few hidden helper widgets of its own on first use (plain, parentless QWidgets that
// show no control); they live as long as the application and are not counted.
bool qtHelper(const QWidget* w) {
  return w->parentWidget() == nullptr && std::strcmp(w->metaObject()->className(), "QWidget") == 0 &&
         TControlPrivate::controlOf(w) == nullptr;
}
}  // namespace

int LiveWidgetCount() {
  int n = 0;
  for (const QWidget* w : QApplication::allWidgets())
    if (!qtHelper(w)) ++n;
  return n;
}

}  // namespace TestInput

AnsiString TestInput::DescribeWidgets() {
  AnsiString out;
  for (QWidget* w : QApplication::allWidgets()) {
    if (qtHelper(w)) continue;
    out += w->metaObject()->className();
    out += '(' + w->objectName().toStdString() + (w->parentWidget() ? std::string(" in ") + w->parentWidget()->metaObject()->className() : std::string()) + ") ";
  }
  return out;
}
