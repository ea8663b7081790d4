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

  // Bytes of the character that starts at S[I]: at least 1, never past the end of S.
  std::size_t At(std::string_view S, std::size_t I) const {
    std::size_t n = len_[static_cast<unsigned char>(S[I])];
    return n <= S.size() - I ? n : S.size() - I;
  }
  bool IsLead(char C) const { return len_[static_cast<unsigned char>(C)] > 1; }

private:
  std::array<unsigned char, 256> len_;
};

// Bytes of the character each byte starts, in a code page (CP_UTF8 included).
std::array<unsigned char, 256> lengthsOf(int CodePage);

// Length of the longest prefix of S of at most MaxBytes bytes that does not cut a character.
std::size_t WholeCharsPrefix(std::string_view S, std::size_t MaxBytes);

}  // namespace ansichars
