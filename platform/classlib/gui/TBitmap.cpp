#include "TBitmap.h"

#include <QPainter>

#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TBitmap, TGraphic)

TBitmap::TBitmap() = default;

void TBitmap::LoadFromStream(TStream* Stream) {
  GraphicPrivate()->image = DecodeWithQt(ReadRest(Stream), "BMP", "bitmap");
  Changed();
}

void TBitmap::SaveToStream(TStream* Stream) const {
  const QImage& image = GraphicPrivate()->image;
  if (pixelFormat_ == pf24bit && !image.isNull() && image.format() != QImage::Format_RGB888)
    EncodeWithQt(image.convertToFormat(QImage::Format_RGB888), "BMP", Stream);
  else
    EncodeWithQt(image, "BMP", Stream);
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  QImage image(AWidth > 0 ? AWidth : 0, AHeight > 0 ? AHeight : 0, QImage::Format_RGB32);
  image.fill(Qt::white);
  GraphicPrivate()->image = std::move(image);
  Changed();
}

void TBitmap::Draw(int X, int Y, const TGraphic& Graphic) {
  QImage& image = GraphicPrivate()->image;
  const QImage& picture = Graphic.GraphicPrivate()->image;
  if (image.isNull() || picture.isNull()) return;
  {
    QPainter painter(&image);
    painter.drawImage(X, Y, picture);
  }
  Changed();
}
