#include "DbtMemo.h"

std::array<std::uint8_t, dbase::MemoBlockSize> DbtHeaderBlock(std::uint32_t NextFreeBlock) {
  std::array<std::uint8_t, dbase::MemoBlockSize> b{};
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(NextFreeBlock >> (8 * i));
  return b;
}

std::uint32_t DbtMemoBlocks(std::string& Out, std::string_view Memo) {
  const std::size_t start = Out.size();
  Out.append(Memo);
  // The end of a dBASE III memo.
  Out.append(2, static_cast<char>(dbase::EndOfFile));
  const std::size_t used = Out.size() - start;
  const std::size_t blocks = (used + dbase::MemoBlockSize - 1) / dbase::MemoBlockSize;
  Out.append(blocks * dbase::MemoBlockSize - used, '\0');
  return static_cast<std::uint32_t>(blocks);
}
