// TExportColumns: the columns of one export, rebuilt at its start (Fill) from the source and
// the owner's per-column setting lists.
//
// The owner (an exporter, or a sheet of the Excel exporter) is read by published property
// name at every Fill: ExportedFields, ExportSource, DataSet, CustomSource, ListView, DBGrid,
// StringGrid, OnlyVisibleFields, Formats, AutoCalcStrType, CaptionRow, UserFormats,
// ColumnsWidth, Captions, ColumnsAlign, SkipRecCount, ExportRecCount, ColumnsLength and
// OnFetchedRecord. A property the owner does not publish stays unset (CaptionRow then -1), so
// one class serves every exporter.
//
// Fill: one column per ExportedFields line (name or name=alias), or per source column when the
// list is empty; lines that name nothing in the source are dropped (a data set raises its
// field-not-found error instead), so later columns move up. Each column then gets its name,
// type, caption, width, format, alignment and length from the source and from the lines
// "name=value" of Captions, ColumnsWidth, UserFormats, ColumnsAlign and ColumnsLength whose
// name part equals the column's name (without regard to case; the first such line counts).
//
// CalcColWidths widens every column to its longest value text over the records the export
// would pass (and to its caption with WithCaptions), then puts the source back where it stood.
//
// DigitWidth(Size, Format): the characters a number of Size bytes takes in Format: the decimal
// digits of 2^(8*Size), a third more with thousand separators, and one per character of the
// format from its "." on (other than "." and ","): 4 bytes in "#,###,##0" 13, 8 bytes in
// "#,###,##0.00" 29.
#pragma once

#include "ExportEvents.h"
#include "TCollection.h"

class TExportColumn;

class TExportColumns : public TCollection {
  DECLARE_CLASS(TExportColumns, TCollection)

  // PrepareText is applied to value texts while widths are measured.
  TExportColumns(TPersistent* Owner, TPrepareTextEvent PrepareText);

  void Fill(bool IncludeBlobs);
  TExportColumn* Add();
  // Raises EListError for an index out of range.
  TExportColumn* Items(int Index) const;
  // The position of the column named Name (without regard to case), -1 when there is none.
  int IndexOfName(const AnsiString& Name) const;
  void CalcColWidths(bool WithCaptions);
  // Sets every column's WorkValue to 0.
  void ClearWorkValues();
  bool HasBlob() const;

  TPersistent* GetOwner() const override { return owner_; }
  // The record counter of CalcColWidths.
  int RecNo() const { return recNo_; }

private:
  TPersistent* owner_;
  TPrepareTextEvent prepareText_;
  int recNo_ = 0;
};

int DigitWidth(int Size, const AnsiString& Format);
