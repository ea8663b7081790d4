#include "TBitmap.h"

#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TBitmap, TGraphic)

TBitmap::TBitmap() = default;

void TBitmap::LoadFromStream(TStream* Stream) {
  GraphicPrivate()->image = DecodeWithQt(ReadRest(Stream), "BMP", "bitmap");
  Changed();
}

void TBitmap::SaveToStream(TStream* Stream) const { EncodeWithQt(GraphicPrivate()->image, "BMP", Stream); }

void TBitmap::SetSize(int AWidth, int AHeight) {
  QImage image(AWidth > 0 ? AWidth : 0, AHeight > 0 ? AHeight : 0, QImage::Format_RGB32);
  image.fill(Qt::white);
  GraphicPrivate()->image = std::move(image);
  Changed();
}
