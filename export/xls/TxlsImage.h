// TxlsImage: a picture of the exporter's Pictures placed on a sheet with its top-left corner at
// column Col and row Row (counted from 0), scaled by Zoom percent.
//
// Published (defaults): Col 0, Row 0, PictureName "", Title ("Image_0", "Image_1" ... the first
// not taken in the collection, ignoring case), Zoom 100 (0 to 1000). Assign copies Col,
// PictureName, Row and Title.
//
// PictureNumber is the picture's position in the exporter's Pictures plus 1, or -1 when the
// picture or the exporter is missing. Anchor gives the frame's cells from the picture's size in
// pixels and the widths and heights of the columns and rows it covers (TxlsImageLayout).
//
// TxlsImages: the images of a sheet or exporter; Find looks a title up ignoring case (the last
// match wins).
#pragma once

#include <cstdint>
#include <functional>

#include "MsoShapeRecords.h"
#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"

class TxlsPicture;

// What an image's frame is measured against: the exported columns of its sheet, the widths the
// writer holds for them, and the sheet's defaults. Readers give every column the width of its
// characters in the workbook's default font, and every row the sheet's default height (the
// workbook sets no row's height).
struct TxlsImageLayout {
  int StartDataCol = 0;
  int ColumnCount = 0;
  int DefColWidth = 8;
  double DefRowHeight = 12.75;
  // Width in characters of exported column i (0-based among the exported columns).
  std::function<int(int Column)> ColumnWidth;
  // Whole pixels of "0" in the workbook's default font (0: measured here on the screen).
  int DigitWidth = 0;
};

class TxlsImage : public TxlsCustomItem {
  DECLARE_CLASS(TxlsImage, TxlsCustomItem)

  explicit TxlsImage(TCollection* Collection = nullptr);

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 7; }

  int PictureNumber() const;
  // The picture shown, nullptr when missing.
  TxlsPicture* Picture() const;
  // All zero unless the image has an exporter, a sheet and an existing picture.
  TxlsAnchor Anchor(const TxlsImageLayout& Layout) const;

  std::uint16_t Col() const { return col_; }
  void SetCol(std::uint16_t Value) { col_ = Value; }
  std::uint16_t Row() const { return row_; }
  void SetRow(std::uint16_t Value) { row_ = Value; }
  const AnsiString& PictureName() const { return pictureName_; }
  void SetPictureName(const AnsiString& Value) { pictureName_ = Value; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }
  int Zoom() const { return zoom_; }
  void SetZoom(int Value) { zoom_ = Value < 0 ? 0 : Value > 1000 ? 1000 : Value; }

private:
  std::uint16_t col_ = 0;
  std::uint16_t row_ = 0;
  AnsiString pictureName_;
  WideString title_;
  int zoom_ = 100;
};

class TxlsImages : public TOwnedCollection {
  DECLARE_CLASS(TxlsImages, TOwnedCollection)

  explicit TxlsImages(TPersistent* AOwner);
  TxlsImage* Add();
  TxlsImage* Items(int Index) const;
  // The last image titled so (ignoring case), nullptr when none.
  TxlsImage* Find(const WideString& Title) const;
};
