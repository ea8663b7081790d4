#include "TmsoObject.h"

TmsoObject::TmsoObject(std::uint8_t Version, std::uint16_t Instance, std::uint16_t RecordType)
    : version_(Version), instance_(Instance), recordType_(RecordType) {}

TmsoObject::~TmsoObject() = default;

void TmsoObject::WriteHeader(TbiffBuffer& Out, std::size_t Extra) const {
  Out.U16(static_cast<std::uint16_t>((instance_ << 4) | (version_ & 0x0F)));
  Out.U16(recordType_);
  Out.U32(static_cast<std::uint32_t>(TotalSize() - 8 + Extra));
}

void TmsoObject::WriteTo(TbiffBuffer& Out) const {
  WriteHeader(Out, FollowingSize());
  WriteBody(Out);
}

std::size_t TmsoList::TotalSize() const {
  std::size_t size = 0;
  for (const auto& item : items_) size += item->TotalSize();
  return size;
}

void TmsoList::WriteTo(TbiffBuffer& Out) const {
  for (const auto& item : items_) item->WriteTo(Out);
}

TmsoContainer::TmsoContainer(std::uint16_t RecordType, std::uint16_t Instance)
    : TmsoObject(0x0F, Instance, RecordType) {}
