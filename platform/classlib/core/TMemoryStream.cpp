#include "TMemoryStream.h"

#include <algorithm>
#include <cstring>

#include "Exception.h"
#include "TypInfo.h"
#include "TFileStream.h"

DEFINE_CLASS(TMemoryStream, TStream)

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  const auto size = static_cast<std::int64_t>(data_.size());
  if (Count <= 0 || position_ >= size) return 0;
  const std::int64_t n = std::min(Count, size - position_);
  std::memcpy(Buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  const std::int64_t end = position_ + Count;
  if (end > static_cast<std::int64_t>(data_.size())) data_.resize(static_cast<std::size_t>(end));
  std::memcpy(data_.data() + position_, Buffer, static_cast<std::size_t>(Count));
  position_ = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == TSeekOrigin::soCurrent) base = position_;
  if (Origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(data_.size());
  if (base + Offset < 0) throw EStreamError("Stream seek error");
  position_ = base + Offset;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Stream size cannot be changed");
  data_.resize(static_cast<std::size_t>(NewSize));
  position_ = std::min(position_, NewSize);
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const std::int64_t size = Stream->Size();
  SetSize(size);
  Stream->ReadBuffer(data_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  Stream->WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}
