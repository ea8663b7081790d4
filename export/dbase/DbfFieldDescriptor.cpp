#include "DbfFieldDescriptor.h"

#include <algorithm>

std::array<std::uint8_t, dbase::FieldDescriptorSize> TDBFFieldDescriptor::Bytes() const {
  std::array<std::uint8_t, dbase::FieldDescriptorSize> b{};
  const std::size_t n = std::min<std::size_t>(Name.size(), dbase::MaxFieldNameLength);
  std::copy_n(Name.begin(), n, b.begin());
  b[11] = static_cast<std::uint8_t>(Type);
  for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<std::uint8_t>(Position >> (8 * i));
  b[16] = static_cast<std::uint8_t>(Length);
  b[17] = static_cast<std::uint8_t>(Decimals);
  return b;
}
