// The memo file of a dBASE III table (.dbt), in blocks of dbase::MemoBlockSize (512) bytes.
//   block 0   offsets 0 - 3: the number of the next free block; the rest zero
//   block 1.. each memo in whole blocks: its bytes, two 0x1A bytes, the last block zero-filled
// A memo field of the table holds the number of its memo's first block.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "DbaseFormat.h"

// The longest memo written; a longer value leaves its field blank.
inline constexpr std::size_t DbtMaxMemoSize = 65536;

std::array<std::uint8_t, dbase::MemoBlockSize> DbtHeaderBlock(std::uint32_t NextFreeBlock);
// Appends the blocks of one memo to Out; returns how many blocks it takes.
std::uint32_t DbtMemoBlocks(std::string& Out, std::string_view Memo);
