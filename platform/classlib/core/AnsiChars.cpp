#include "AnsiChars_p.h"

#include "CodePage.h"

namespace ansichars {

std::array<unsigned char, 256> lengthsOf(int codePage) {
  std::array<unsigned char, 256> len;
  len.fill(1);
  for (int b = 0x80; b < 0x100; ++b) {
    if (codePage == CP_UTF8)
      len[b] = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    else if (IsDBCSLeadByte(static_cast<std::uint8_t>(b), codePage))
      len[b] = 2;
  }
  return len;
}

TCharLengths::TCharLengths() {
  // The table is built once per thread and code page; IsDBCSLeadByte takes a lock per byte.
  thread_local int cachedCodePage = 0;
  thread_local std::array<unsigned char, 256> cached;
  int cp = GetACP();
  if (cp != cachedCodePage) {
    cached = lengthsOf(cp);
    cachedCodePage = cp;
  }
  len_ = cached;
}

std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes) {
  if (S.size() <= MaxBytes) return S.size();
  TCharLengths chars;
  std::size_t i = 0;
  while (i < MaxBytes) {
    std::size_t n = chars.At(S, i);
    if (i + n > MaxBytes) break;
    i += n;
  }
  return i;
}

}  // namespace ansichars

std::size_t WholeCharsPrefix(std::string_view Text, std::size_t MaxBytes, int codePage) {
  if (Text.size() <= MaxBytes) return Text.size();
  int cp = codePage == CP_ACP ? GetACP() : codePage == CP_OEMCP ? GetOEMCP() : codePage == CP_MACCP ? GetMACCP() : codePage;
  if (cp == GetACP()) return ansichars::WholeCharsPrefix(Text, MaxBytes);
  // Another code page: its lengths are worked out for this call (cutting is rare).
  const std::array<unsigned char, 256> len = ansichars::lengthsOf(cp);
  std::size_t i = 0;
  while (i < MaxBytes) {
    const std::size_t n = len[static_cast<unsigned char>(Text[i])];
    if (i + n > MaxBytes) break;
    i += n;
  }
  return i;
}
