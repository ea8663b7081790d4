// TxlsPictureStore: the pictures of one workbook as its picture store holds them. Each picture
// of the exporter's Pictures is read and decoded once, when the store is made.
//
// A picture is stored when its data (held in memory, else its file) is a picture the platform
// decodes, whatever its file name says: JPEG and PNG are stored as they are, a BMP as a
// device-independent bitmap (the file without its 14-byte file header), a GIF decoded and
// stored as PNG (a workbook's picture store holds no GIF). Anything else is left out, without
// a message: a missing file, data that is no picture, and metafiles (WMF, EMF), which the
// platform cannot decode. Images that show a picture left out are not drawn.
//
// StoreIndex gives the 1-based place of a picture (by its position in Pictures) in the store,
// 0 when it is not stored. A picture's use count is the number of images that show it.
#pragma once

#include <cstdint>
#include <vector>

class TxlsPictures;

struct TxlsStoredPicture {
  int Position = 0;             // in the exporter's Pictures
  std::uint8_t BlipType = 0;    // msoBlipJPEG, msoBlipPNG or msoBlipDIB
  std::vector<std::uint8_t> Bytes;
  std::uint32_t UseCount = 0;
  int Width = 0;                // in pixels
  int Height = 0;
};

class TxlsPictureStore {
public:
  // Pictures may be nullptr: an empty store.
  explicit TxlsPictureStore(const TxlsPictures* Pictures);

  int StoreIndex(int Position) const;
  const std::vector<TxlsStoredPicture>& Pictures() const { return stored_; }
  bool Empty() const { return stored_.empty(); }

private:
  std::vector<TxlsStoredPicture> stored_;
  std::vector<int> indexOf_;  // by position in Pictures
};
