// Records of the workbook globals built as objects: BOUNDSHEET, COUNTRY, SUPBOOK (internal
// references), EXTERNSHEET and MSODRAWINGGROUP.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "TbiffRecord.h"

// BOUNDSHEET: the stream offset of a sheet's BOF, its visibility, type and name.
class TbiffBoundSheet : public TbiffRecord {
public:
  explicit TbiffBoundSheet(std::u16string_view Name);
  void SetOffset(std::uint32_t Value) { SetU32(0, Value); }
  void SetVisibility(std::uint8_t Value) { SetU8(4, Value); }
  void SetSheetType(std::uint8_t Value) { SetU8(5, Value); }
};

// COUNTRY: the user interface's and the system's country codes.
class TbiffCountry : public TbiffRecord {
public:
  TbiffCountry(std::uint16_t Default, std::uint16_t System);
};

// SUPBOOK for the references of the workbook to its own sheets.
class TbiffSupbookInternal : public TbiffRecord {
public:
  explicit TbiffSupbookInternal(std::uint16_t SheetCount);
};

// EXTERNSHEET: one entry (supporting book, first sheet, last sheet) per sheet reference.
class TbiffExternSheet : public TbiffRecord {
public:
  explicit TbiffExternSheet(std::uint16_t Count);
  void SetEntry(std::uint16_t Index, std::uint16_t SupBook, std::uint16_t FirstSheet, std::uint16_t LastSheet);
};

// MSODRAWINGGROUP: the workbook's drawing group; its data may be far longer than one record and
// goes on in CONTINUE records.
class TbiffMSODrawingGroup : public TbiffRecord {
public:
  explicit TbiffMSODrawingGroup(const std::vector<std::uint8_t>& Bytes);
};
