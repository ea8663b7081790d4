// Internal to the code-page conversions: a code page of one- and two-byte characters converted
// by tables read once from its ICU converter.
//
// WARNING: not part of the class library's interface; it may change without notice.
//
// An export passes every text value through the ANSI code page twice (to UTF-16 for the
// exporter's events, back to bytes for the file). The converter's per-call set-up costs more
// than such short texts; a table lookup per character gives the same characters. A table holds
// only what the converter gives for a character on its own, and only where that is one
// character: any text with a byte sequence or a UTF-16 unit the table does not hold (a lead byte
// without its trail, a surrogate, bytes the code page does not map) is left to the converter
// whole, so the tables never give a result the converter would not.
#pragma once

#include <unicode/ucnv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "System.h"

namespace codepagetable {

class TCodePageTable {
public:
  // The tables of the converter's code page; nullptr for a code page they cannot serve (more
  // than two bytes a character, or ASCII not written as itself). Conv is reset on return.
  static std::unique_ptr<TCodePageTable> Build(UConverter* Conv);

  // Text widened into Out (its storage reused); false, Out's contents undefined, when Text
  // holds anything the table does not.
  bool ToWide(std::string_view Text, WideString& Out) const;
  // Text in the code page appended to Out; false, Out as it was, when Text holds anything the
  // table does not.
  bool FromWide(std::u16string_view Text, std::string& Out) const;

private:
  TCodePageTable() = default;

  // 0 where the table holds nothing.
  std::array<char16_t, 256> single_{};
  std::array<bool, 256> lead_{};
  std::vector<char16_t> pairs_;           // [(lead - 0x80) * 256 + trail]
  std::vector<std::uint16_t> fromWide_;   // a byte, or lead << 8 | trail
};

// How many conversions of a code page's text a thread makes with the converter before it
// builds (or takes) the code page's tables: a program that converts a few texts never pays for
// them. Negative: never (tests, to compare with the converter's own results); 0 or 1: at once.
void SetConversionsBeforeTable(int Count);
int ConversionsBeforeTable();

}  // namespace codepagetable
