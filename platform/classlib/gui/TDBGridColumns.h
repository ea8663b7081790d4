// TDBGridColumns: the columns of a data-aware grid (TDBGrid's published Columns).
//
// While no column has been added by the program (State csDefault) the grid makes one column
// for each visible field of its data set whenever the data set opens or changes its fields;
// adding a column makes the columns the program's own (csCustomized), and clearing them all
// goes back to the default.
#pragma once

#include "TOwnedCollection.h"

class TColumn;
class TDBGrid;

enum class TDBGridColumnsState { csDefault, csCustomized };

class TDBGridColumns : public TOwnedCollection {
  DECLARE_CLASS(TDBGridColumns, TOwnedCollection)

  explicit TDBGridColumns(TDBGrid* Grid);

  TColumn* Add();
  // Raises EListError for an index out of range.
  TColumn* Items(int Index) const;
  TColumn* operator[](int Index) const { return Items(Index); }
  TDBGrid* Grid() const { return grid_; }
  TDBGridColumnsState State() const { return state_; }

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  friend class TDBGridPrivate;
  // Replaces the columns by one per visible field of the data set, staying csDefault.
  void rebuildDefault();

  TDBGrid* grid_;
  TDBGridColumnsState state_ = TDBGridColumnsState::csDefault;
  bool rebuilding_ = false;
};
