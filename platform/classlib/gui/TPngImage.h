// TPngImage: a PNG picture (with its transparency).
#pragma once

#include "TGraphic.h"

class TPngImage : public TGraphic {
  DECLARE_CLASS(TPngImage, TGraphic)

  TPngImage();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;
};
