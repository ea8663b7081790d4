#include "BiffGlobalsRecords.h"

#include <cstring>

#include "Biff8Records.h"

namespace {
// A sheet name's length is one byte.
std::u16string_view sheetName(std::u16string_view name) { return name.substr(0, 255); }
}  // namespace

TbiffBoundSheet::TbiffBoundSheet(std::u16string_view Name)
    : TbiffRecord(biff8::BOUNDSHEET, 8 + 2 * sheetName(Name).size()) {
  const std::u16string_view name = sheetName(Name);
  SetU8(6, static_cast<std::uint8_t>(name.size()));
  SetU8(7, 0x01);  // 16-bit characters
  for (std::size_t i = 0; i < name.size(); ++i) SetU16(8 + 2 * i, name[i]);
}

TbiffCountry::TbiffCountry(std::uint16_t Default, std::uint16_t System) : TbiffRecord(biff8::COUNTRY, 4) {
  SetU16(0, Default);
  SetU16(2, System);
}

TbiffSupbookInternal::TbiffSupbookInternal(std::uint16_t SheetCount) : TbiffRecord(biff8::SUPBOOK, 4) {
  SetU16(0, SheetCount);
  SetU16(2, 0x0401);  // marks the supporting book as this workbook
}

TbiffExternSheet::TbiffExternSheet(std::uint16_t Count) : TbiffRecord(biff8::EXTERNSHEET, 2 + 6 * std::size_t{Count}) {
  SetU16(0, Count);
}

void TbiffExternSheet::SetEntry(std::uint16_t Index, std::uint16_t SupBook, std::uint16_t FirstSheet,
                                std::uint16_t LastSheet) {
  const std::size_t at = 2 + 6 * std::size_t{Index};
  SetU16(at, SupBook);
  SetU16(at + 2, FirstSheet);
  SetU16(at + 4, LastSheet);
}

TbiffMSODrawingGroup::TbiffMSODrawingGroup(const std::vector<std::uint8_t>& Bytes)
    : TbiffRecord(biff8::MSODRAWINGGROUP, Bytes.size()) {
  if (!Bytes.empty()) std::memcpy(Data(), Bytes.data(), Bytes.size());
}
