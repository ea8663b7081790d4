// Fuzzes the workbook reader with a compound document or a bare BIFF8 workbook stream.
//
// Input: the file's bytes. A workbook that opens lists its sheets; each sheet opens or is
// refused with EDatabaseError, and one that opens gives well-formed records (DbCursorCheck.h)
// of at most 65,536 rows and 256 columns.
#include <cstdint>

#include "CodePage.h"
#include "DbCursorCheck.h"
#include "XlsSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  try {
    auto source = OpenXlsBytes(input, "w.xls");
    for (const AnsiString& name : source->TableNames()) {
      try {
        auto cursor = source->OpenTable(name);
        FUZZ_CHECK(cursor->Columns().size() <= 256, "at most 256 columns");
        FUZZ_CHECK(cursor->RecordCountHint() <= 65535, "at most 65,535 rows below the header");
        fuzz::CheckCursor(*cursor);
      } catch (const EDatabaseError&) {
      }
    }
  } catch (const EDatabaseError&) {
  }
  return 0;
}
