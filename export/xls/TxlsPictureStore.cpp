#include "TxlsPictureStore.h"

#include "Exception.h"
#include "MsoBlipRecords.h"
#include "TBitmap.h"
#include "TFileStream.h"
#include "TGIFImage.h"
#include "TJPEGImage.h"
#include "TMemoryStream.h"
#include "TPicture.h"
#include "TPngImage.h"
#include "TxlsPicture.h"

namespace {

constexpr std::size_t kBitmapFileHeader = 14;

// The picture's bytes: its data in memory, else its file; empty when there are none.
std::vector<std::uint8_t> bytesOf(TxlsPicture& picture) {
  std::vector<std::uint8_t> bytes;
  TMemoryStream& data = picture.Data();
  if (data.Size() > 0) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(data.Memory());
    bytes.assign(p, p + data.Size());
    return bytes;
  }
  if (!picture.HasPicture()) return bytes;
  try {
    TFileStream file(picture.FileName(), fmOpenRead | fmShareDenyNone);
    bytes.resize(static_cast<std::size_t>(file.Size()));
    if (!bytes.empty()) file.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  } catch (const Exception&) {
    bytes.clear();  // unreadable: not stored
  }
  return bytes;
}

// Decodes the bytes and turns them into what the store holds; false for anything that is no
// picture the platform reads.
bool toStored(std::vector<std::uint8_t> bytes, TxlsStoredPicture& out) {
  if (bytes.empty()) return false;
  TPicture picture;
  try {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    picture.LoadFromStream(&stream);
  } catch (const Exception&) {
    return false;
  }
  TGraphic* graphic = picture.Graphic();
  if (graphic == nullptr || graphic->Empty()) return false;
  out.Width = graphic->Width();
  out.Height = graphic->Height();
  if (dynamic_cast<TJPEGImage*>(graphic) != nullptr) {
    out.BlipType = msoBlipJPEG;
    out.Bytes = std::move(bytes);
  } else if (dynamic_cast<TPngImage*>(graphic) != nullptr) {
    out.BlipType = msoBlipPNG;
    out.Bytes = std::move(bytes);
  } else if (dynamic_cast<TBitmap*>(graphic) != nullptr) {
    if (bytes.size() <= kBitmapFileHeader) return false;
    out.BlipType = msoBlipDIB;
    out.Bytes.assign(bytes.begin() + kBitmapFileHeader, bytes.end());
  } else if (dynamic_cast<TGIFImage*>(graphic) != nullptr) {
    TPngImage png;
    png.Assign(graphic);
    TMemoryStream encoded;
    try {
      png.SaveToStream(&encoded);
    } catch (const Exception&) {
      return false;
    }
    const auto* p = reinterpret_cast<const std::uint8_t*>(encoded.Memory());
    out.BlipType = msoBlipPNG;
    out.Bytes.assign(p, p + encoded.Size());
  } else {
    return false;
  }
  return true;
}

}  // namespace

TxlsPictureStore::TxlsPictureStore(const TxlsPictures* Pictures) {
  if (Pictures == nullptr) return;
  indexOf_.assign(static_cast<std::size_t>(Pictures->Count()), 0);
  for (int i = 0; i < Pictures->Count(); ++i) {
    TxlsPicture& picture = *Pictures->Items(i);
    TxlsStoredPicture entry;
    if (!toStored(bytesOf(picture), entry)) continue;
    entry.Position = i;
    entry.UseCount = static_cast<std::uint32_t>(picture.UseCount());
    stored_.push_back(std::move(entry));
    indexOf_[static_cast<std::size_t>(i)] = static_cast<int>(stored_.size());
  }
}

int TxlsPictureStore::StoreIndex(int Position) const {
  if (Position < 0 || static_cast<std::size_t>(Position) >= indexOf_.size()) return 0;
  return indexOf_[static_cast<std::size_t>(Position)];
}
