// TCustomImageList: a list of small pictures of one size that views show by index (list and
// tree items, column headers, buttons).
//
// AddStock adds one of the desktop's standard pictures, drawn or taken from the style (no
// artwork of the original): the sort arrows of column headers, folders, files and drives.
// AddStandardImages fills an empty list with the set the program's views use:
//   0 sort ascending   1 sort descending   2 computer   3 drive   4 network folder
//   5 parent folder    6 folder            7 open folder   8 file
// (siRefresh, a reload picture for refresh buttons, is not part of the set.)
// Add takes a copy of a picture, scaled to Width x Height. An index out of range raises
// EListError. OnChange runs after every change.
//
// Published: Width, Height (default 16; changing either empties the list), OnChange.
#pragma once

#include <memory>

#include "TComponent.h"

class TGraphic;

enum class TStockImage {
  siSortAscending,
  siSortDescending,
  siComputer,
  siDrive,
  siNetwork,
  siParentFolder,
  siFolder,
  siFolderOpen,
  siFile,
  siRefresh,
};
using enum TStockImage;

class TCustomImageList : public TComponent {
  DECLARE_CLASS(TCustomImageList, TComponent)

  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  int Width() const;
  void SetWidth(int Value);
  int Height() const;
  void SetHeight(int Value);
  int Count() const;

  int Add(TGraphic* Image);
  int AddStock(TStockImage Image);
  void AddStandardImages();
  void Delete(int Index);
  void Clear();
  // A copy of picture Index as a bitmap.
  void GetBitmap(int Index, TGraphic* Image) const;

  TNotifyEvent OnChange;

  struct Data;
  // The pictures, for the GUI layer's own classes.
  Data* ImageListData() const { return d_.get(); }

private:
  void changed();
  std::unique_ptr<Data> d_;
};
