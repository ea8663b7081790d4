#include "TExportCustomColumns.h"

#include "StringRoutines.h"
#include "TExportCustomColumn.h"
#include "TExportCustomSource.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportCustomColumns, TOwnedCollection)

TExportCustomColumns::TExportCustomColumns(TExportCustomSource* Source)
    : TOwnedCollection(Source, CollectionItemClass<TExportCustomColumn>()), source_(Source) {}

TExportCustomColumn* TExportCustomColumns::Add() { return static_cast<TExportCustomColumn*>(TCollection::Add()); }

TExportCustomColumn* TExportCustomColumns::Items(int Index) const {
  return static_cast<TExportCustomColumn*>(TCollection::Items(Index));
}

int TExportCustomColumns::IndexOf(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->ColumnName(), Name)) return i;
  return -1;
}
