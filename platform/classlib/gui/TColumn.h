// TColumn: one column of a data-aware grid (an item of TDBGrid's Columns), showing the field
// named FieldName of the grid's data set; TColumnTitle: its title, the grid's first row.
//
// Field is that field while the data set is open, else nullptr. Title.Caption is the field's
// DisplayLabel (FieldName without a field) until set. Width is in pixels; until set it is what
// the field's DisplayWidth in digits of the grid's font needs, or the title when that is
// wider, or 64 without a field.
//
// Published: TColumn FieldName, Title, Width; TColumnTitle Caption.
#pragma once

#include <memory>

#include "TCollectionItem.h"

class TColumn;
class TDBGrid;
class TField;

class TColumnTitle : public TPersistent {
  DECLARE_CLASS(TColumnTitle, TPersistent)

  explicit TColumnTitle(TColumn* Column) : column_(Column) {}
  void Assign(TPersistent* Source) override;

  AnsiString Caption() const;
  void SetCaption(const AnsiString& Value);
  bool CaptionAssigned() const { return assigned_; }

private:
  TColumn* column_;
  AnsiString caption_;
  bool assigned_ = false;
};

class TColumn : public TCollectionItem {
  DECLARE_CLASS(TColumn, TCollectionItem)

  explicit TColumn(TCollection* Collection);
  ~TColumn() override;
  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;

  // The grid whose column this is, or nullptr.
  TDBGrid* Grid() const;
  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& Value);
  TField* Field() const;
  TColumnTitle* Title() const { return title_.get(); }
  void SetTitle(TColumnTitle* Value);
  int Width() const;
  void SetWidth(int Value);

private:
  friend class TColumnTitle;
  AnsiString fieldName_;
  std::unique_ptr<TColumnTitle> title_;
  int width_ = -1;  // not set
};
