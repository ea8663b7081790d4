// The OfficeArt records of the picture store: one BSE (0xF007) per picture, describing it, and
// its BLIP (0xF018 + picture type) holding the picture file's bytes.
//
// Picture types: 2 EMF, 3 WMF, 5 JPEG, 6 PNG, 7 DIB (a BMP file without its 14-byte file
// header); each has its BLIP instance.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "TmsoObject.h"

constexpr std::uint8_t msoBlipEMF = 2;
constexpr std::uint8_t msoBlipWMF = 3;
constexpr std::uint8_t msoBlipJPEG = 5;
constexpr std::uint8_t msoBlipPNG = 6;
constexpr std::uint8_t msoBlipDIB = 7;

// The BLIP instance of a picture type (0 for a type that is not stored).
std::uint16_t MsoBlipInstance(std::uint8_t PictureType);

class TmsoBLIPData;

// A BSE may hold its BLIP (Blip, taken over): its length then covers the BLIP, which readers
// look for there.
class TmsoBSEData : public TmsoObject {
public:
  TmsoBSEData(std::uint8_t PictureType, std::uint32_t PictureSize, std::uint32_t RefCount,
              std::unique_ptr<TmsoBLIPData> Blip = nullptr);
  ~TmsoBSEData() override;
  std::size_t TotalSize() const override;

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::uint8_t pictureType_;
  std::uint32_t pictureSize_;
  std::uint32_t refCount_;
  std::unique_ptr<TmsoBLIPData> blip_;
};

class TmsoBLIPData : public TmsoObject {
public:
  // Picture holds the bytes to store (for a DIB already without the file header).
  TmsoBLIPData(std::uint8_t PictureType, std::vector<std::uint8_t> Picture);
  std::size_t TotalSize() const override { return 25 + picture_.size(); }

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::vector<std::uint8_t> picture_;
};
