// Internal: character boundaries of 8-bit text in the ANSI code page.
//
// This header may change without notice; it is not part of the class library's interface.
// Routines that scan AnsiString text byte by byte use it so that the trail byte of a
// double-byte character (GBK trail bytes include "A".."Z", "a".."z", "\\" and "|") is never
// taken for a character of its own.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace ansichars {

class TCharLengths {
public:
  // Takes the lengths of the process's current ANSI code page.
  TCharLengths();
  // Takes the lengths of another code page (CP_OEMCP, CP_MACCP, CP_UTF8 or a number), worked
  // out afresh.
  explicit TCharLengths(int CodePage);
  // Each object reads its table where it was made: they are made where they are used.
  TCharLengths(const TCharLengths&) = delete;
  TCharLengths& operator=(const TCharLengths&) = delete;

  // Bytes of the character that starts at S[I]: the length its lead byte announces when the
  // bytes after it are trail bytes of the code page, else 1 (a lead byte cut short, at the end
  // of S or before a quote, counts by itself and never swallows the byte after it).
  std::size_t At(std::string_view S, std::size_t I) const {
    const std::size_t n = (*bytes_)[static_cast<unsigned char>(S[I])] & LengthMask;
    if (n == 1) return 1;
    if (n > S.size() - I) return 1;
    for (std::size_t k = 1; k < n; ++k)
      if (!((*bytes_)[static_cast<unsigned char>(S[I + k])] & TrailFlag)) return 1;
    return n;
  }
  bool IsLead(char C) const { return ((*bytes_)[static_cast<unsigned char>(C)] & LengthMask) > 1; }

  static constexpr unsigned char LengthMask = 0x07;
  static constexpr unsigned char TrailFlag = 0x08;

private:
  using TTable = std::array<unsigned char, 256>;
  // Per byte: the length of a character it starts (LengthMask), and whether it may follow a
  // lead byte (TrailFlag). The ANSI code page's table is the thread's own, read in place (date
  // and number masks are scanned for every value an export writes); another code page's is
  // worked out into own_.
  TTable own_;
  const TTable* bytes_ = &own_;
};

// Length of the longest prefix of S of at most MaxBytes bytes that does not cut a character.
std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes);
std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes, const TCharLengths& Chars);

}  // namespace ansichars
