// TBitmap: a device-independent bitmap picture (BMP files). SetSize makes an empty bitmap of
// that size filled with white.
#pragma once

#include "TGraphic.h"

class TBitmap : public TGraphic {
  DECLARE_CLASS(TBitmap, TGraphic)

  TBitmap();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;
  void SetSize(int AWidth, int AHeight);
};
