// Fuzzes reading FTP directory listings (FtpListing): the text a server sends, in both forms.
//
// Input: the listing text; its first byte chooses MLSD (odd) or LIST (even) and the day of
// "today" for the Unix form's dates. Properties: every entry has a name that is a piece of one
// line of the input, never empty, never "." or "..", with no line break; its size is -1 or a
// size; a date it carries is a real date and time; there are no more entries than lines; the
// same text reads the same way twice.
#include <cstdint>
#include <string>
#include <string_view>

#include "FtpListing.h"
#include "FuzzCheck.h"

namespace {

bool validDate(const TFtpRawEntry& e) {
  static constexpr int days[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return e.Year >= 1 && e.Year <= 9999 && e.Month >= 1 && e.Month <= 12 && e.Day >= 1 && e.Day <= days[e.Month - 1] &&
         e.Hour >= 0 && e.Hour <= 23 && e.Minute >= 0 && e.Minute <= 59 && e.Second >= 0 && e.Second <= 59;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TFtpListFormat format = (data[0] & 1) != 0 ? lfMlsd : lfList;
  const TFtpToday today{2000 + data[0] % 50, 1 + data[0] % 12, 1 + data[0] % 28};
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const auto entries = ParseFtpListing(text, format, today);
  std::size_t lines = 1;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  FUZZ_CHECK(entries.size() <= lines, "at most one entry per line");
  for (const TFtpRawEntry& e : entries) {
    FUZZ_CHECK(!e.Name.empty() && e.Name != "." && e.Name != "..", "names are never empty, '.' or '..'");
    FUZZ_CHECK(e.Name.find('\n') == std::string::npos, "a name holds no line break");
    FUZZ_CHECK(e.Name.size() <= FtpMaxListingLine, "a name is no longer than a line may be");
    FUZZ_CHECK(text.find(e.Name) != std::string_view::npos, "a name is a piece of the listing");
    FUZZ_CHECK(e.Size >= -1, "a size is -1 or a size");
    FUZZ_CHECK(!e.HasTime || validDate(e), "a date is a real date and time");
    FUZZ_CHECK(!e.TimeIsUtc || format == lfMlsd, "only MLSD gives UTC");
  }
  const auto again = ParseFtpListing(text, format, today);
  FUZZ_CHECK(again.size() == entries.size(), "the same text reads the same way");
  for (std::size_t i = 0; i < entries.size(); ++i)
    FUZZ_CHECK(again[i].Name == entries[i].Name && again[i].Size == entries[i].Size, "the same entries");
  return 0;
}
