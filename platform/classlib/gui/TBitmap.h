// TBitmap: a device-independent bitmap picture (BMP files). SetSize makes an empty bitmap of
// that size filled with white.
//
// PixelFormat (default pfDevice) decides how SaveToStream stores the pixels: pf24bit as 24
// bits per pixel (blue, green, red; rows from the bottom, each padded to 4 bytes), pf32bit and
// pfDevice as the bitmap holds them. Draw paints another picture onto the bitmap with its
// top-left corner at (X, Y); transparent parts of the picture leave the bitmap's pixels.
#pragma once

#include "TGraphic.h"

enum class TPixelFormat { pfDevice, pf24bit, pf32bit };
using enum TPixelFormat;

class TBitmap : public TGraphic {
  DECLARE_CLASS(TBitmap, TGraphic)

  TBitmap();
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;
  void SetSize(int AWidth, int AHeight);

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  void SetPixelFormat(TPixelFormat Value) { pixelFormat_ = Value; }
  void Draw(int X, int Y, const TGraphic& Graphic);

private:
  TPixelFormat pixelFormat_ = pfDevice;
};
