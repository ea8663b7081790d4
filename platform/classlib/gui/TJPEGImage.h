// TJPEGImage: a JPEG picture, decoded and encoded with the IJG JPEG library.
//
// Grey-scale, RGB and CMYK (also Adobe's inverted CMYK) pictures are read; pictures are
// written as baseline RGB JPEG with CompressionQuality (1 to 100, default 90).
#pragma once

#include <memory>

#include "TGraphic.h"

class TJPEGImage : public TGraphic {
  DECLARE_CLASS(TJPEGImage, TGraphic)

  TJPEGImage();
  ~TJPEGImage() override;

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;

  int CompressionQuality() const;
  // Values outside 1..100 are refused (the quality stays).
  void SetCompressionQuality(int Value);

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
