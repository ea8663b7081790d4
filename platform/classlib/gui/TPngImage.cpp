#include "TPngImage.h"

#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TPngImage, TGraphic)

TPngImage::TPngImage() = default;

void TPngImage::LoadFromStream(TStream* Stream) {
  GraphicPrivate()->image = DecodeWithQt(ReadRest(Stream), "PNG", "PNG image");
  Changed();
}

void TPngImage::SaveToStream(TStream* Stream) const { EncodeWithQt(GraphicPrivate()->image, "PNG", Stream); }
