// TListColumn: one column of a list view in report style (an item of its Columns).
//
// Width 0 hides the column (the cells keep their text); Width ColumnTextWidth sizes it to its
// content: as wide as its widest cell or its header, following the rows as they change (the
// user cannot drag such a column). ImageIndex is a picture of the view's SmallImages shown in
// the column header (-1 none), as sort arrows are. Tag is free for the program (the sort state
// of the column).
//
// Published: Alignment, AutoSize, Caption, ImageIndex, MaxWidth, MinWidth, Tag, Width.
#pragma once

#include <memory>

#include "Graphics.h"
#include "TCollectionItem.h"

// The width of a column sized to its content (see above).
inline constexpr int ColumnTextWidth = -1;

class TListColumn : public TCollectionItem {
  DECLARE_CLASS(TListColumn, TCollectionItem)

  explicit TListColumn(TCollection* Collection);
  ~TListColumn() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  bool AutoSize() const;
  void SetAutoSize(bool Value);
  const AnsiString& Caption() const;
  void SetCaption(const AnsiString& Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  int MaxWidth() const;
  void SetMaxWidth(int Value);
  int MinWidth() const;
  void SetMinWidth(int Value);
  int Tag() const;
  void SetTag(int Value);
  int Width() const;
  void SetWidth(int Value);

private:
  friend class TListViewPrivate;
  struct Data;
  std::unique_ptr<Data> d_;
};
