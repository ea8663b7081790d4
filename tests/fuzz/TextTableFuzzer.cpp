// Fuzzes the text reader with a text file and the Schema.ini beside it.
//
// Input: the file "t.csv", then (after a "\n----\n" line) Schema.ini, then optionally a line
// "0" to read without a header row. A table that opens must give well-formed records
// (DbCursorCheck.h) of at most 255 columns; anything else must be refused with EDatabaseError.
#include <cstdint>

#include "CodePage.h"
#include "DbCursorCheck.h"
#include "TextSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path& folder = fuzz::ScratchFolder();
  fuzz::WriteFile(folder / "t.csv", fuzz::Part(input, 0));
  fuzz::WriteFile(folder / "Schema.ini", fuzz::Part(input, 1));
  const bool header = fuzz::Part(input, 2) != "0";
  try {
    auto cursor = OpenTextSource(folder.string(), header)->OpenTable("t.csv");
    FUZZ_CHECK(cursor->Columns().size() <= 255, "at most 255 columns");
    fuzz::CheckCursor(*cursor);
  } catch (const EDatabaseError&) {
  }
  return 0;
}
