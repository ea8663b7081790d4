// TGIFImage: a GIF picture (its first frame), read through Qt's GIF reader. GIF pictures are
// read only: SaveToStream raises EInvalidGraphic; assign one to a TPngImage or TBitmap to write
// its pixels in another format.
#pragma once

#include "TGraphic.h"

class TGIFImage : public TGraphic {
  DECLARE_CLASS(TGIFImage, TGraphic)

  TGIFImage();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;
};
