// TxlsGraphic: a picture file, or picture data held in memory (a sheet's Background, and the
// base of the exporter's pictures).
//
// Published: FileName. Setting it also sets Kind from the extension: WMF 1, EMF 2, JPG/JPEG 3,
// PNG 4, GIF 5, BMP/QBMP 6, ICO 7, anything else 0. Data, PictureWidth and PictureHeight hold a
// picture given in memory instead (Data empty: the file counts). Assign copies FileName, the
// size and the data.
//
// PictureSize gives the picture's width and height in pixels: those stored with data in
// memory; else, for an existing file, a GIF's from its header, other pictures' from the
// platform's picture loader; 0 and 0 for a missing file or one that is not a picture.
// BlipType is the picture type stored in the workbook's picture store (EMF 2, WMF 3,
// JPEG 5, PNG and GIF 6, BMP 7; 0 for anything else, which is not stored), ByteSize the size of
// its data (in memory, or of its file; 0 when there is none).
#pragma once

#include <cstdint>
#include <memory>

#include "TMemoryStream.h"
#include "TxlsCustomItem.h"

class TxlsGraphic : public TxlsCustomItem {
  DECLARE_CLASS(TxlsGraphic, TxlsCustomItem)

  explicit TxlsGraphic(TCollection* Collection = nullptr);
  ~TxlsGraphic() override;

  void Assign(TPersistent* Source) override;
  int ItemKind() const override { return 9; }

  const AnsiString& FileName() const { return fileName_; }
  void SetFileName(const AnsiString& Value);
  int Kind() const { return kind_; }

  TMemoryStream& Data() { return data_; }
  const TMemoryStream& Data() const { return data_; }
  int PictureWidth() const { return width_; }
  int PictureHeight() const { return height_; }
  void SetPictureSize(int Width, int Height);

  void PictureSize(int& Width, int& Height) const;
  std::uint8_t BlipType() const;
  std::int64_t ByteSize() const;
  // Data in memory, or a file that exists.
  bool HasPicture() const;

private:
  AnsiString fileName_;
  int kind_ = 0;
  int width_ = 0;
  int height_ = 0;
  mutable TMemoryStream data_;
};
