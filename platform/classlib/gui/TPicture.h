// TPicture: holds one picture of any format (TImage's Picture).
//
// LoadFromFile and LoadFromStream recognise the format by the data itself: JPEG (read with the
// JPEG library), PNG, BMP or GIF (read only); anything else raises EInvalidGraphic "Unknown
// picture format" and keeps the current picture. Graphic is the picture itself (nullptr when
// empty); Assign takes a copy of another TPicture's or a TGraphic's picture. OnChange runs after
// every change.
#pragma once

#include <memory>

#include "TGraphic.h"

class TPicture : public TPersistent {
  DECLARE_CLASS(TPicture, TPersistent)

  TPicture();
  ~TPicture() override;

  TGraphic* Graphic() const;
  // Takes a copy of Value (nullptr empties the picture).
  void SetGraphic(TGraphic* Value);
  int Width() const;
  int Height() const;

  void LoadFromFile(const AnsiString& FileName);
  void LoadFromStream(TStream* Stream);
  // Writes the picture in its own format; an empty picture raises EInvalidGraphic.
  void SaveToFile(const AnsiString& FileName) const;
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  void take(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> graphic_;
};
