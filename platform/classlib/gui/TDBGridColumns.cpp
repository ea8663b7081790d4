#include "TDBGridColumns.h"

#include "TColumn.h"
#include "TDBGrid.h"
#include "TDataSource.h"
#include "TypInfo.h"

DEFINE_CLASS(TDBGridColumns, TOwnedCollection)

TDBGridColumns::TDBGridColumns(TDBGrid* Grid) : TOwnedCollection(Grid, CollectionItemClass<TColumn>()), grid_(Grid) {}

TColumn* TDBGridColumns::Add() { return static_cast<TColumn*>(TCollection::Add()); }

TColumn* TDBGridColumns::Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }

void TDBGridColumns::Update(TCollectionItem*) {
  if (!rebuilding_) grid_->layoutChanged();
}

void TDBGridColumns::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  TOwnedCollection::Notify(Item, Action);
  if (rebuilding_) return;
  if (Action == TCollectionNotification::cnAdded) state_ = TDBGridColumnsState::csCustomized;
  // The last of the program's columns going (Clear, Delete) brings the default columns back.
  if (Action != TCollectionNotification::cnAdded && Count() <= 1) state_ = TDBGridColumnsState::csDefault;
}

void TDBGridColumns::rebuildDefault() {
  if (state_ != TDBGridColumnsState::csDefault) return;
  rebuilding_ = true;
  try {
    BeginUpdate();
    Clear();
    TDataSet* dataSet = grid_->DataSource() != nullptr ? grid_->DataSource()->DataSet() : nullptr;
    if (dataSet != nullptr && dataSet->Active()) {
      for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* field = dataSet->Fields()->Fields(i);
        if (field->Visible()) Add()->SetFieldName(field->FieldName());
      }
    }
    EndUpdate();
  } catch (...) {
    rebuilding_ = false;
    throw;
  }
  rebuilding_ = false;
}
