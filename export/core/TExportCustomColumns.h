// TExportCustomColumns: the columns of a custom export source, owned by it.
#pragma once

#include "TOwnedCollection.h"

class TExportCustomColumn;
class TExportCustomSource;

class TExportCustomColumns : public TOwnedCollection {
  DECLARE_CLASS(TExportCustomColumns, TOwnedCollection)

  explicit TExportCustomColumns(TExportCustomSource* Source);

  TExportCustomColumn* Add();
  // Raises EListError for an index out of range.
  TExportCustomColumn* Items(int Index) const;
  // The position of the column named Name (without regard to case), -1 when there is none.
  int IndexOf(const AnsiString& Name) const;
  TExportCustomSource* Source() const { return source_; }

private:
  TExportCustomSource* source_;
};
