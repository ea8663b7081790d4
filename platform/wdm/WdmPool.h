// Pool accounting of the kernel stand-in. Every block is counted under its tag until it is
// freed; the stand-in's own objects are counted too (requests under "Irp ", MDLs under
// "Mdl ", device objects under "Devi", file objects under "File", strings under "Strg",
// USBD's request blocks under "USBD", power requests under "PoRq", system buffers under
// "Sbuf"), so a driver that leaks any of them is caught.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wdm.h"

// A pool tag from its four characters in memory order, as pool dumps show them ("Wdm ").
constexpr ULONG WdmTag(const char (&name)[5])
{
    return (ULONG)(unsigned char)name[0] | ((ULONG)(unsigned char)name[1] << 8) |
           ((ULONG)(unsigned char)name[2] << 16) | ((ULONG)(unsigned char)name[3] << 24);
}

std::string WdmTagName(ULONG Tag);

struct TWdmPoolUsage {
    ULONG Tag;
    std::size_t Blocks;
    std::size_t Bytes;
};

// Tags with blocks outstanding now.
std::vector<TWdmPoolUsage> WdmPoolOutstanding();

// Blocks allocated under the tag since the last reset (freed or not).
std::size_t WdmPoolAllocations(ULONG Tag);

// The most bytes outstanding under the tag at one time since the last reset.
std::size_t WdmPoolPeakBytes(ULONG Tag);

// The size an allocated block was asked for; stops the process for anything else.
std::size_t WdmPoolBlockBytes(PVOID Block);

// Forgets every block (used between tests; see WdmResetDiagnostics).
void WdmForgetPool();
