#include "VxText.h"

#include <cstring>

#include "CodePage.h"

AnsiString VxClipText(std::string_view text, std::size_t max) {
  if (text.size() <= max) return AnsiString(text);
  if (GetACP() == CP_UTF8) {
    // Back off the continuation bytes of a character cut by the limit.
    std::size_t end = max;
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80) --end;
    return AnsiString(text.substr(0, end));
  }
  std::size_t end = 0;
  while (end < max) {
    const std::size_t width = IsDBCSLeadByte(static_cast<std::uint8_t>(text[end])) ? 2 : 1;
    if (end + width > max) break;
    end += width;
  }
  return AnsiString(text.substr(0, end));
}

void VxPutText(char* dest, std::string_view text, std::size_t max) {
  const AnsiString clipped = VxClipText(text, max);
  std::memcpy(dest, clipped.data(), clipped.size());
  dest[clipped.size()] = '\0';
}

bool VxTakeText(const char* source, std::size_t max, AnsiString& text) {
  const std::size_t length = strnlen(source, max + 1);
  if (length > max) return false;
  text.assign(source, length);
  return true;
}
