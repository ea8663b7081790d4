// TGraphic: a picture in one format: TBitmap (BMP), TJPEGImage (JPEG), TPngImage (PNG),
// TGIFImage (GIF).
//
// LoadFromStream reads the picture from the stream's position to its end; LoadFromFile reads a
// whole file. Data that is not a picture of the class's format raises EInvalidGraphic and
// leaves the picture as it was; a file that cannot be read raises the stream's error. Assign
// from another TGraphic copies its pixels (a JPEG picture assigned to a bitmap becomes a bitmap
// of the same pixels). OnChange runs after every change.
#pragma once

#include <memory>

#include "Exception.h"
#include "TPersistent.h"

class TStream;
class TGraphicPrivate;

class TGraphic : public TPersistent {
  DECLARE_CLASS(TGraphic, TPersistent)

  ~TGraphic() override;

  bool Empty() const;
  int Width() const;
  int Height() const;

  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) const = 0;
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName) const;
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  // The pixels, for the GUI layer's own classes.
  TGraphicPrivate* GraphicPrivate() const { return d_.get(); }

protected:
  TGraphic();
  void Changed();

private:
  std::unique_ptr<TGraphicPrivate> d_;
};

// Raised for data that is not a picture of the expected format.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};
