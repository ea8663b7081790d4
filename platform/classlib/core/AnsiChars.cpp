#include "AnsiChars_p.h"

#include "CodePage.h"

namespace ansichars {

namespace {

std::array<unsigned char, 256> bytesOf(int codePage) {
  std::array<unsigned char, 256> bytes;
  bytes.fill(1);
  for (int b = 0x80; b < 0x100; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    if (codePage == CP_UTF8) {
      bytes[b] = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
      if (b < 0xC0) bytes[b] |= TCharLengths::TrailFlag;
    } else if (IsDBCSLeadByte(byte, codePage)) {
      bytes[b] = 2;
    }
  }
  if (codePage != CP_UTF8)
    for (int b = 0; b < 0x100; ++b)
      if (IsDBCSTrailByte(static_cast<std::uint8_t>(b), codePage)) bytes[b] |= TCharLengths::TrailFlag;
  return bytes;
}

}  // namespace

TCharLengths::TCharLengths() {
  // The table is built once per thread and code page; IsDBCSLeadByte takes a lock per byte.
  thread_local int cachedCodePage = 0;
  thread_local TTable cached;
  int cp = GetACP();
  if (cp != cachedCodePage) {
    cached = bytesOf(cp);
    cachedCodePage = cp;
  }
  bytes_ = &cached;
}

TCharLengths::TCharLengths(int CodePage) {
  const int cp = CodePage == CP_ACP ? GetACP() : CodePage == CP_OEMCP ? GetOEMCP() : CodePage == CP_MACCP ? GetMACCP() : CodePage;
  own_ = bytesOf(cp);
}

std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes) {
  if (S.size() <= MaxBytes) return S.size();
  return WholeCharsPrefix(S, MaxBytes, TCharLengths());
}

std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes, const TCharLengths& chars) {
  if (S.size() <= MaxBytes) return S.size();
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
  // The ANSI code page's lengths are kept per thread; another code page's are worked out for
  // this call (cutting is rare).
  const int cp = codePage == CP_OEMCP ? GetOEMCP() : codePage == CP_MACCP ? GetMACCP() : codePage;
  const bool ansi = cp == CP_ACP || cp == GetACP();
  return ansi ? ansichars::WholeCharsPrefix(Text, MaxBytes)
              : ansichars::WholeCharsPrefix(Text, MaxBytes, ansichars::TCharLengths(cp));
}
