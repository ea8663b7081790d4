#include "TxlsGraphic.h"

#include <array>

#include "FileNames.h"
#include "FileRoutines.h"
#include "LocaleText.h"
#include "MsoBlipRecords.h"
#include "TFileStream.h"
#include "TPicture.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsGraphic, TxlsCustomItem,
             Published::String("FileName", &TxlsGraphic::FileName, &TxlsGraphic::SetFileName))

namespace {

AnsiString extensionOf(const AnsiString& fileName) {
  AnsiString ext = AnsiUpperCase(ExtractFileExt(fileName));
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  return ext;
}

// A GIF keeps its logical screen size as two little-endian words at offsets 6 and 8.
bool readGifSize(const AnsiString& fileName, int& width, int& height) {
  try {
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    std::array<std::uint8_t, 10> header{};
    if (file.Read(header.data(), header.size()) != static_cast<std::int64_t>(header.size())) return false;
    width = header[6] | (header[7] << 8);
    height = header[8] | (header[9] << 8);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

TxlsGraphic::TxlsGraphic(TCollection* Collection) : TxlsCustomItem(Collection) {}
TxlsGraphic::~TxlsGraphic() = default;

void TxlsGraphic::Assign(TPersistent* Source) {
  if (auto* graphic = dynamic_cast<TxlsGraphic*>(Source)) {
    SetFileName(graphic->fileName_);
    width_ = graphic->width_;
    height_ = graphic->height_;
    data_.Clear();
    if (graphic->data_.Size() > 0) {
      data_.WriteBuffer(graphic->data_.Memory(), graphic->data_.Size());
      data_.SetPosition(0);
    }
    return;
  }
  inherited::Assign(Source);
}

void TxlsGraphic::SetFileName(const AnsiString& Value) {
  fileName_ = Value;
  const AnsiString ext = extensionOf(Value);
  if (ext == "WMF") kind_ = 1;
  else if (ext == "EMF") kind_ = 2;
  else if (ext == "JPG" || ext == "JPEG") kind_ = 3;
  else if (ext == "PNG") kind_ = 4;
  else if (ext == "GIF") kind_ = 5;
  else if (ext == "BMP" || ext == "QBMP") kind_ = 6;
  else if (ext == "ICO") kind_ = 7;
  else kind_ = 0;
}

void TxlsGraphic::SetPictureSize(int Width, int Height) {
  width_ = Width;
  height_ = Height;
}

void TxlsGraphic::PictureSize(int& Width, int& Height) const {
  Width = Height = 0;
  if (data_.Size() > 0) {
    Width = width_;
    Height = height_;
    return;
  }
  if (fileName_.empty() || !FileExists(fileName_)) return;
  if (extensionOf(fileName_) == "GIF") {
    if (!readGifSize(fileName_, Width, Height)) Width = Height = 0;
    return;
  }
  try {
    TPicture picture;
    picture.LoadFromFile(fileName_);
    Width = picture.Width();
    Height = picture.Height();
  } catch (const Exception&) {
    // Not a picture the platform reads: it takes no room.
    Width = Height = 0;
  }
}

std::uint8_t TxlsGraphic::BlipType() const {
  const AnsiString ext = extensionOf(fileName_);
  if (ext == "EMF") return msoBlipEMF;
  if (ext == "WMF") return msoBlipWMF;
  if (ext == "JPG" || ext == "JPEG") return msoBlipJPEG;
  if (ext == "PNG" || ext == "GIF") return msoBlipPNG;
  if (ext == "BMP") return msoBlipDIB;
  return 0;
}

std::int64_t TxlsGraphic::ByteSize() const {
  if (data_.Size() > 0) return data_.Size();
  if (fileName_.empty()) return 0;
  const std::int64_t size = FileSizeByName(fileName_);
  return size < 0 ? 0 : size;
}

bool TxlsGraphic::HasPicture() const { return data_.Size() > 0 || (!fileName_.empty() && FileExists(fileName_)); }
