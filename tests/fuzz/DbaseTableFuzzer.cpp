// Fuzzes the dBASE table reader with a table and its memo file.
//
// Input: the table's bytes, then (after a "\n----\n" line) the memo file's bytes. A table that
// opens must give well-formed records (DbCursorCheck.h); anything else must be refused with
// EDatabaseError, never read outside the input or allocate without bound.
#include <cstdint>

#include "CodePage.h"
#include "DbCursorCheck.h"
#include "DbaseSource.h"
#include "TMemoryStream.h"

namespace {

std::unique_ptr<TStream> stream(std::string_view bytes) {
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view memo = fuzz::Part(input, 1);
  try {
    auto cursor = OpenDbaseTable(stream(fuzz::Part(input, 0)), memo.empty() ? nullptr : stream(memo), "t.dbf");
    fuzz::CheckCursor(*cursor);
  } catch (const EDatabaseError&) {
  }
  return 0;
}
