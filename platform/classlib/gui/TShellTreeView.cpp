#include "TShellTreeView.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>
#include <QScrollBar>
#include <QTreeView>

#include "FileRoutines.h"
#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TShellTreeView, TWinControl, ControlProps::Align(), ControlProps::Color(), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(), ControlProps::ParentColor(), ControlProps::ParentFont(),
             ControlProps::ParentShowHint(), Published::String("Path", &TShellTreeView::Path, &TShellTreeView::SetPath),
             ControlProps::PopupMenu(), Published::String("Root", &TShellTreeView::Root, &TShellTreeView::SetRoot),
             Published::Boolean("ShowHidden", &TShellTreeView::ShowHidden, &TShellTreeView::SetShowHidden),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             Published::Event("OnChange", &TShellTreeView::OnChange), ControlProps::OnClick(), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp())

class TShellTreeViewPrivate : public TWinControlPrivate {
public:
  TShellTreeViewPrivate() : TWinControlPrivate(new QTreeView) {
    model = new QFileSystemModel(view());
    model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model->setReadOnly(true);
    view()->setModel(model);
    view()->setHeaderHidden(true);
    for (int column = 1; column < model->columnCount(); ++column) view()->hideColumn(column);
    view()->setUniformRowHeights(true);
    view()->setSelectionMode(QAbstractItemView::SingleSelection);
  }
  QTreeView* view() const { return static_cast<QTreeView*>(widget.data()); }
  QWidget* inputWidget() const override { return widget ? view()->viewport() : nullptr; }
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  void applyRoot() {
    model->setRootPath(ToQString(root));
    // The root folder itself is the tree's first node.
    view()->setRootIndex(model->index(ToQString(root)).parent());
  }

  QFileSystemModel* model = nullptr;  // a child of the view
  // SetPath chose a folder that the view is to keep in sight until the user moves the tree.
  bool scrollPending = false;
  AnsiString root = "/";
  bool showHidden = false;
  bool quiet = false;
};

namespace {
TShellTreeViewPrivate* dOf(const TShellTreeView* t) { return static_cast<TShellTreeViewPrivate*>(t->ControlPrivate()); }
}  // namespace

TShellTreeView::TShellTreeView(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TShellTreeViewPrivate>()) {
  TShellTreeViewPrivate* d = dOf(this);
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->view()->viewport());
  d->clickOnMouseUp = true;
  d->applyRoot();
  QObject::connect(d->view()->selectionModel(), &QItemSelectionModel::currentChanged, d->view(), [this] {
    if (dOf(this)->quiet || ControlsTearingDown()) return;
    dOf(this)->scrollPending = false;  // the user chose another folder
    if (OnChange) FireEvent(this, [this] { OnChange(this); });
  });
  // The folders above a chosen path are read in the background and sorted in after it; until
  // the user moves the tree, every change of its rows brings the chosen folder back into view.
  auto keepChosenInView = [d] {
    if (!d->scrollPending) return;
    QTimer::singleShot(0, d->view(), [d] {
      if (d->scrollPending) d->view()->scrollTo(d->view()->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
  };
  QObject::connect(d->model, &QAbstractItemModel::rowsInserted, d->view(), keepChosenInView);
  QObject::connect(d->model, &QAbstractItemModel::layoutChanged, d->view(), keepChosenInView);
  auto userMoved = [d] { d->scrollPending = false; };
  QObject::connect(d->view()->verticalScrollBar(), &QScrollBar::actionTriggered, d->view(), userMoved);
  QObject::connect(d->view(), &QTreeView::expanded, d->view(), [d] {
    if (!d->quiet) d->scrollPending = false;
  });
  QObject::connect(d->view(), &QTreeView::collapsed, d->view(), userMoved);
  SetBounds(0, 0, 121, 97);
}

TShellTreeView::~TShellTreeView() { TearDown(); }

AnsiString TShellTreeView::Path() const {
  const TShellTreeViewPrivate* d = dOf(this);
  const QModelIndex current = d->view()->currentIndex();
  return current.isValid() ? FromQString(d->model->filePath(current)) : AnsiString();
}

void TShellTreeView::SetPath(const AnsiString& Value) {
  TShellTreeViewPrivate* d = dOf(this);
  if (Value.empty() || !DirectoryExists(Value)) return;
  const QModelIndex index = d->model->index(QDir::cleanPath(ToQString(Value)));
  if (!index.isValid()) return;
  d->quiet = true;
  for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) d->view()->expand(p);
  d->view()->setCurrentIndex(index);
  d->view()->scrollTo(index);
  d->scrollPending = true;
  d->quiet = false;
}

const AnsiString& TShellTreeView::Root() const { return dOf(this)->root; }
void TShellTreeView::SetRoot(const AnsiString& Value) {
  TShellTreeViewPrivate* d = dOf(this);
  if (Value.empty() || !DirectoryExists(Value)) return;
  d->root = Value;
  d->applyRoot();
}

bool TShellTreeView::ShowHidden() const { return dOf(this)->showHidden; }
void TShellTreeView::SetShowHidden(bool Value) {
  TShellTreeViewPrivate* d = dOf(this);
  d->showHidden = Value;
  QDir::Filters f = QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives;
  if (Value) f |= QDir::Hidden;
  d->model->setFilter(f);
}

void TShellTreeView::Refresh() {
  TShellTreeViewPrivate* d = dOf(this);
  const AnsiString path = Path();
  d->quiet = true;
  d->model->setRootPath(QString());
  d->applyRoot();
  d->quiet = false;
  SetPath(path);
}
