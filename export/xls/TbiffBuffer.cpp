#include "TbiffBuffer.h"

#include <bit>
#include <cstring>

TbiffBuffer& TbiffBuffer::U8(std::uint8_t Value) {
  bytes_.push_back(Value);
  return *this;
}

TbiffBuffer& TbiffBuffer::U16(std::uint16_t Value) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(Value), static_cast<std::uint8_t>(Value >> 8)};
  return Append(b, 2);
}

TbiffBuffer& TbiffBuffer::U32(std::uint32_t Value) {
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(Value), static_cast<std::uint8_t>(Value >> 8),
                             static_cast<std::uint8_t>(Value >> 16), static_cast<std::uint8_t>(Value >> 24)};
  return Append(b, 4);
}

TbiffBuffer& TbiffBuffer::F64(double Value) {
  const auto bits = std::bit_cast<std::uint64_t>(Value);
  U32(static_cast<std::uint32_t>(bits));
  return U32(static_cast<std::uint32_t>(bits >> 32));
}

TbiffBuffer& TbiffBuffer::Append(const void* Data, std::size_t Size) {
  const auto* p = static_cast<const std::uint8_t*>(Data);
  bytes_.insert(bytes_.end(), p, p + Size);
  return *this;
}

TbiffBuffer& TbiffBuffer::Zeros(std::size_t Count) { return Fill(0, Count); }

TbiffBuffer& TbiffBuffer::Fill(std::uint8_t Value, std::size_t Count) {
  bytes_.insert(bytes_.end(), Count, Value);
  return *this;
}

TbiffBuffer& TbiffBuffer::Chars(std::u16string_view Text) {
  const std::size_t at = bytes_.size();
  bytes_.resize(at + 2 * Text.size());
  std::uint8_t* out = bytes_.data() + at;
  for (char16_t c : Text) {
    *out++ = static_cast<std::uint8_t>(c);
    *out++ = static_cast<std::uint8_t>(c >> 8);
  }
  return *this;
}

TbiffBuffer& TbiffBuffer::CompressedChars(std::u16string_view Text) {
  for (char16_t c : Text) bytes_.push_back(static_cast<std::uint8_t>(c));
  return *this;
}

void TbiffBuffer::PutU16(std::size_t Offset, std::uint16_t Value) {
  bytes_.at(Offset + 1);
  bytes_[Offset] = static_cast<std::uint8_t>(Value);
  bytes_[Offset + 1] = static_cast<std::uint8_t>(Value >> 8);
}

void TbiffBuffer::PutU32(std::size_t Offset, std::uint32_t Value) {
  PutU16(Offset, static_cast<std::uint16_t>(Value));
  PutU16(Offset + 2, static_cast<std::uint16_t>(Value >> 16));
}
