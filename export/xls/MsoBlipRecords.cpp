#include "MsoBlipRecords.h"

std::uint16_t MsoBlipInstance(std::uint8_t PictureType) {
  switch (PictureType) {
    case msoBlipEMF: return 0x216;
    case msoBlipWMF: return 0x3D4;
    case msoBlipJPEG: return 0x46A;
    case msoBlipPNG: return 0x6E0;
    case msoBlipDIB: return 0x7A8;
    default: return 0;
  }
}

TmsoBSEData::TmsoBSEData(std::uint8_t PictureType, std::uint32_t PictureSize, std::uint32_t RefCount,
                         std::unique_ptr<TmsoBLIPData> Blip)
    : TmsoObject(2, PictureType, 0xF007),
      pictureType_(PictureType),
      pictureSize_(PictureSize),
      refCount_(RefCount),
      blip_(std::move(Blip)) {}

TmsoBSEData::~TmsoBSEData() = default;

std::size_t TmsoBSEData::TotalSize() const { return 44 + (blip_ != nullptr ? blip_->TotalSize() : 0); }

void TmsoBSEData::WriteBody(TbiffBuffer& Out) const {
  Out.U8(pictureType_).U8(pictureType_);  // Windows and Macintosh types
  Out.Zeros(16);                          // identifier
  Out.U16(0x00FF);                        // tag
  Out.U32(pictureSize_ + 25);             // the BLIP record's size
  Out.U32(refCount_);
  Out.U32(0);                             // delay-stream offset
  Out.U8(0).U8(0);                        // usage, name length
  Out.U16(0x023E);
  if (blip_ != nullptr) blip_->WriteTo(Out);
}

TmsoBLIPData::TmsoBLIPData(std::uint8_t PictureType, std::vector<std::uint8_t> Picture)
    : TmsoObject(0, MsoBlipInstance(PictureType), static_cast<std::uint16_t>(0xF018 + PictureType)),
      picture_(std::move(Picture)) {}

void TmsoBLIPData::WriteBody(TbiffBuffer& Out) const {
  Out.Zeros(17);  // identifier and tag
  Out.Append(picture_.data(), picture_.size());
}
