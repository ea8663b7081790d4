// Texts handed across the library's boundary: 8-bit, in the ANSI code page, at most
// VxTextMax bytes plus the NUL, never cut in the middle of a double-byte character.
#pragma once

#include <cstddef>
#include <string_view>

#include "System.h"

// The longest prefix of text of at most max bytes that ends on a character boundary.
AnsiString VxClipText(std::string_view text, std::size_t max);

// Writes text, clipped to max bytes, and a NUL into dest (which holds max + 1 bytes).
void VxPutText(char* dest, std::string_view text, std::size_t max);

// Reads the text at source up to its NUL, looking at no more than max + 1 bytes (the size of the
// callers' buffers); false when no NUL lies within them, that is when the text is too long.
bool VxTakeText(const char* source, std::size_t max, AnsiString& text);
