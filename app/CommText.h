// Texts the communication library leaves in the caller's buffers.
#pragma once

#include <cstddef>
#include <cstring>

#include "System.h"
#include "VxComm.h"

// The text in a buffer of Size bytes: up to its first NUL, and never past the buffer when the
// library filled it to the end.
inline AnsiString CommBufferText(const char* Buffer, std::size_t Size = COMM_TEXT_SIZE) {
  return AnsiString(Buffer, strnlen(Buffer, Size));
}
