// Private to the GUI layer; may change without notice.
#pragma once

#include <vector>

#include <QImage>

#include "TGraphic.h"

class TGraphicPrivate {
public:
  QImage image;
};

// The bytes from the stream's position to its end.
std::vector<unsigned char> ReadRest(TStream* stream);
// The image of encoded data in a format Qt reads (PNG, BMP); EInvalidGraphic when it is not one.
QImage DecodeWithQt(const std::vector<unsigned char>& data, const char* format, const char* what);
// Writes an image in a format Qt writes to the stream; EInvalidGraphic when it cannot.
void EncodeWithQt(const QImage& image, const char* format, TStream* stream);
