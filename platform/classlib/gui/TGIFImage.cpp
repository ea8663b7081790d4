#include "TGIFImage.h"

#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TGIFImage, TGraphic)

TGIFImage::TGIFImage() = default;

void TGIFImage::LoadFromStream(TStream* Stream) {
  GraphicPrivate()->image = DecodeWithQt(ReadRest(Stream), "GIF", "GIF image");
  Changed();
}

void TGIFImage::SaveToStream(TStream*) const { throw EInvalidGraphic("GIF pictures cannot be written"); }
