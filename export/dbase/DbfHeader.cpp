#include "DbfHeader.h"

namespace {

void putLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::uint16_t TDBFHeader::HeaderLength() const {
  return static_cast<std::uint16_t>((FieldCount + 1) * dbase::FieldDescriptorSize + 1);
}

std::array<std::uint8_t, dbase::HeaderSize> TDBFHeader::Bytes() const {
  std::array<std::uint8_t, dbase::HeaderSize> b{};
  b[0] = Version;
  // The year is counted from 2000, as the terminals' files have it.
  b[1] = static_cast<std::uint8_t>(Year - 2000);
  b[2] = static_cast<std::uint8_t>(Month);
  b[3] = static_cast<std::uint8_t>(Day);
  putLittleEndian(&b[4], RecordCount, 4);
  putLittleEndian(&b[8], HeaderLength(), 2);
  putLittleEndian(&b[10], RecordLength, 4);
  // b[dbase::LanguageDriverOffset] stays 0: readers take the text in their own code page.
  return b;
}

std::array<std::uint8_t, 4> DbfRecordCount(std::uint32_t Count) {
  std::array<std::uint8_t, 4> b{};
  putLittleEndian(b.data(), Count, 4);
  return b;
}
