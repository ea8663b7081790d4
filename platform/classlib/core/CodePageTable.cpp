#include "CodePageTable_p.h"

#include <atomic>

namespace codepagetable {

namespace {

std::atomic<int> conversionsBeforeTable{1000};

constexpr std::size_t PairTrails = 256;

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// What the converter makes of Bytes alone: its UTF-16 units, or -1 when it is still waiting
// for more (Flush false).
int toUnits(UConverter* conv, const char* bytes, int length, bool flush, char16_t (&out)[8]) {
  ucnv_resetToUnicode(conv);
  const char* src = bytes;
  UChar* dst = out;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(conv, &dst, out + 8, &src, bytes + length, nullptr, flush, &status);
  if (U_FAILURE(status)) return 0;
  return dst == out && !flush ? -1 : static_cast<int>(dst - out);
}

// One character the converter read on its own, or 0: the substitutes it writes for bytes it
// cannot read (U+FFFD, U+001A) are left to the converter.
char16_t oneCharacter(int units, const char16_t (&out)[8]) {
  if (units != 1 || out[0] == 0xFFFD || out[0] == 0x1A) return 0;
  return out[0];
}

}  // namespace

std::unique_ptr<TCodePageTable> TCodePageTable::Build(UConverter* Conv) {
  const UConverterType type = ucnv_getType(Conv);
  if ((type != UCNV_SBCS && type != UCNV_DBCS && type != UCNV_MBCS) || ucnv_getMaxCharSize(Conv) > 2) return nullptr;
  std::unique_ptr<TCodePageTable> table(new TCodePageTable());
  char16_t units[8];
  UErrorCode status = U_ZERO_ERROR;
  for (int b = 0; b < 0x80; ++b) {
    const char byte = static_cast<char>(b);
    const char16_t c = static_cast<char16_t>(b);
    char back[8];
    ucnv_resetFromUnicode(Conv);
    const int32_t n = ucnv_fromUChars(Conv, back, sizeof back, &c, 1, &status);
    if (toUnits(Conv, &byte, 1, true, units) != 1 || units[0] != c || U_FAILURE(status) || n != 1 || back[0] != byte) {
      ucnv_resetToUnicode(Conv);
      ucnv_resetFromUnicode(Conv);
      return nullptr;
    }
  }

  table->pairs_.assign(0x80 * PairTrails, 0);
  for (int b = 0x80; b < 0x100; ++b) {
    const char byte = static_cast<char>(b);
    if (toUnits(Conv, &byte, 1, false, units) == -1) {
      table->lead_[static_cast<std::size_t>(b)] = true;
      for (int t = 0; t < 0x100; ++t) {
        const char pair[2] = {byte, static_cast<char>(t)};
        // One character from both bytes: a trail the lead does not take would be read again
        // on its own, giving a second unit.
        table->pairs_[static_cast<std::size_t>(b - 0x80) * PairTrails + static_cast<std::size_t>(t)] =
            oneCharacter(toUnits(Conv, pair, 2, true, units), units);
      }
    } else {
      table->single_[static_cast<std::size_t>(b)] = oneCharacter(toUnits(Conv, &byte, 1, true, units), units);
    }
  }
  ucnv_resetToUnicode(Conv);

  table->fromWide_.assign(0x10000, 0);
  for (std::uint32_t c = 0x80; c < 0x10000; ++c) {
    const auto unit = static_cast<char16_t>(c);
    if (isSurrogate(unit)) continue;
    char bytes[8];
    status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(Conv);
    const int32_t n = ucnv_fromUChars(Conv, bytes, sizeof bytes, &unit, 1, &status);
    if (U_FAILURE(status)) continue;
    const auto first = static_cast<std::uint8_t>(bytes[0]), second = static_cast<std::uint8_t>(bytes[1]);
    // A result starting with a 0 byte would read as "nothing here".
    if (n == 1 && first != 0)
      table->fromWide_[c] = first;
    else if (n == 2 && first != 0)
      table->fromWide_[c] = static_cast<std::uint16_t>(first << 8 | second);
  }
  ucnv_resetFromUnicode(Conv);
  return table;
}

bool TCodePageTable::ToWide(std::string_view Text, WideString& Out) const {
  Out.resize(Text.size());  // never more units than bytes
  std::size_t n = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(Text[i]);
    char16_t c;
    if (b < 0x80) {
      c = b;
    } else if (lead_[b]) {
      if (++i == Text.size()) return false;
      c = pairs_[static_cast<std::size_t>(b - 0x80) * PairTrails + static_cast<std::uint8_t>(Text[i])];
    } else {
      c = single_[b];
    }
    if (c == 0 && b != 0) return false;
    Out[n++] = c;
  }
  Out.resize(n);
  return true;
}

bool TCodePageTable::FromWide(std::u16string_view Text, std::string& Out) const {
  const std::size_t start = Out.size();
  Out.resize(start + 2 * Text.size());  // never more than two bytes a unit
  char* at = Out.data() + start;
  for (char16_t c : Text) {
    if (c < 0x80) {
      *at++ = static_cast<char>(c);
      continue;
    }
    const std::uint16_t bytes = fromWide_[c];
    if (bytes == 0) {
      Out.resize(start);
      return false;
    }
    if (bytes > 0xFF) *at++ = static_cast<char>(bytes >> 8);
    *at++ = static_cast<char>(bytes & 0xFF);
  }
  Out.resize(static_cast<std::size_t>(at - Out.data()));
  return true;
}

void SetConversionsBeforeTable(int Count) { conversionsBeforeTable.store(Count); }
int ConversionsBeforeTable() { return conversionsBeforeTable.load(); }

}  // namespace codepagetable
