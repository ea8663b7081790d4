#include "TCustomListBox.h"

#include "Exception.h"
#include "Format.h"
#include "QtConvert_p.h"
#include "RTLConsts.h"
#include "TCustomListBox_p.h"

DEFINE_CLASS(TCustomListBox, TWinControl)

// ---- TListBoxPrivate ----

TListBoxPrivate::TListBoxPrivate() : TWinControlPrivate(new QListWidget), items(std::make_unique<Items>(this)) {}

QListWidgetItem* TListBoxPrivate::makeItem(const AnsiString& text) const { return new QListWidgetItem(ToQString(text)); }

void TListBoxPrivate::reload() {
  if (!widget) return;
  quiet = true;
  list()->clear();
  for (int i = 0; i < items->Count(); ++i) list()->addItem(makeItem(items->Strings(i)));
  quiet = false;
}

void TListBoxPrivate::checkIndex(int index) const {
  if (index < 0 || index >= items->Count()) throw EListError(Format(SListIndexError, {index}));
}

int TListBoxPrivate::Items::Add(const AnsiString& S) { return d_->sorted ? AddSorted(S) : TControlStrings::Add(S); }

void TListBoxPrivate::Items::Inserted(int Index) {
  if (!d_->widget) return;
  d_->quiet = true;
  d_->list()->insertItem(Index, d_->makeItem(Strings(Index)));
  d_->quiet = false;
}

void TListBoxPrivate::Items::Deleted(int Index) {
  if (!d_->widget) return;
  d_->quiet = true;
  delete d_->list()->takeItem(Index);
  d_->quiet = false;
}

void TListBoxPrivate::Items::Changed(int Index) {
  if (d_->widget) d_->list()->item(Index)->setText(ToQString(Strings(Index)));
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListBox(AOwner, std::make_unique<TListBoxPrivate>()) {}

TCustomListBox::TCustomListBox(TComponent* AOwner, std::unique_ptr<TControlPrivate> dd) : TWinControl(AOwner, std::move(dd)) {
  TListBoxPrivate* d = ListBoxPrivate();
  d->listBox = this;
  d->color = clWindow;
  d->applyColor();
  d->addInputWidget(d->list()->viewport());
  d->list()->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(d->list(), &QListWidget::itemSelectionChanged, d->list(), [this] {
    if (ListBoxPrivate()->quiet || ControlsTearingDown()) return;
    Click();
  });
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() { TearDown(); }

TListBoxPrivate* TCustomListBox::ListBoxPrivate() const { return static_cast<TListBoxPrivate*>(d_ptr.get()); }

TStrings* TCustomListBox::Items() const { return ListBoxPrivate()->items.get(); }
void TCustomListBox::SetItems(TStrings* Value) {
  if (Value != nullptr) ListBoxPrivate()->items->Assign(Value);
}

int TCustomListBox::ItemIndex() const { return ListBoxPrivate()->list()->currentRow(); }

void TCustomListBox::SetItemIndex(int Value) {
  TListBoxPrivate* d = ListBoxPrivate();
  if (Value < 0 || Value >= d->items->Count()) Value = -1;
  d->quiet = true;
  if (d->multiSelect)
    d->list()->setCurrentRow(Value, QItemSelectionModel::NoUpdate);
  else
    d->list()->setCurrentRow(Value);
  if (Value < 0 && !d->multiSelect) d->list()->clearSelection();
  d->quiet = false;
}

bool TCustomListBox::MultiSelect() const { return ListBoxPrivate()->multiSelect; }
void TCustomListBox::SetMultiSelect(bool Value) {
  TListBoxPrivate* d = ListBoxPrivate();
  d->multiSelect = Value;
  d->list()->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TCustomListBox::Sorted() const { return ListBoxPrivate()->sorted; }
void TCustomListBox::SetSorted(bool Value) {
  TListBoxPrivate* d = ListBoxPrivate();
  d->sorted = Value;
  if (Value) d->items->SortLines();
}

bool TCustomListBox::Selected(int Index) const {
  const TListBoxPrivate* d = ListBoxPrivate();
  d->checkIndex(Index);
  return d->list()->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  TListBoxPrivate* d = ListBoxPrivate();
  d->checkIndex(Index);
  d->quiet = true;
  if (!d->multiSelect && Value) d->list()->clearSelection();
  d->list()->item(Index)->setSelected(Value);
  if (!d->multiSelect && Value) d->list()->setCurrentRow(Index);
  d->quiet = false;
}

int TCustomListBox::SelCount() const {
  const TListBoxPrivate* d = ListBoxPrivate();
  return d->multiSelect ? static_cast<int>(d->list()->selectedItems().size()) : -1;
}

void TCustomListBox::SelectAll() {
  TListBoxPrivate* d = ListBoxPrivate();
  if (!d->multiSelect) return;
  d->quiet = true;
  d->list()->selectAll();
  d->quiet = false;
}

void TCustomListBox::ClearSelection() {
  TListBoxPrivate* d = ListBoxPrivate();
  d->quiet = true;
  d->list()->clearSelection();
  d->quiet = false;
}

void TCustomListBox::Clear() { ListBoxPrivate()->items->Clear(); }

int TCustomListBox::ItemAtPos(const TPoint& Pos) const {
  const TListBoxPrivate* d = ListBoxPrivate();
  const QPoint p = d->list()->viewport()->mapFrom(d->list(), QPoint(Pos.x, Pos.y));
  const QListWidgetItem* item = d->list()->itemAt(p);
  return item != nullptr ? d->list()->row(item) : -1;
}
