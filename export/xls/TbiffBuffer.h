// TbiffBuffer: the bytes of one record body (or of an OfficeArt record) being assembled, in the
// little-endian order of the file format. Appends grow the buffer; Put* write at a position
// already assembled (for fields that are known only later).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TbiffBuffer {
public:
  TbiffBuffer() { bytes_.reserve(8224); }

  void Clear() { bytes_.clear(); }
  std::size_t Size() const { return bytes_.size(); }
  const std::uint8_t* Data() const { return bytes_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  TbiffBuffer& U8(std::uint8_t Value);
  TbiffBuffer& U16(std::uint16_t Value);
  TbiffBuffer& U32(std::uint32_t Value);
  TbiffBuffer& F64(double Value);
  TbiffBuffer& Append(const void* Data, std::size_t Size);
  TbiffBuffer& Zeros(std::size_t Count);
  TbiffBuffer& Fill(std::uint8_t Value, std::size_t Count);
  // The UTF-16 code units of the text, without a count or terminator.
  TbiffBuffer& Chars(std::u16string_view Text);
  // The low bytes of the text's code units (the compressed form of text below U+0100).
  TbiffBuffer& CompressedChars(std::u16string_view Text);

  void PutU16(std::size_t Offset, std::uint16_t Value);
  void PutU32(std::size_t Offset, std::uint32_t Value);

private:
  std::vector<std::uint8_t> bytes_;
};
