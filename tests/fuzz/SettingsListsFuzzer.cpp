// Fuzzes reading the configured file lists of the program's settings file (uSettingsLists).
//
// Input: the settings file. Properties: a list holds no more entries than its count allows, each
// trimmed and not empty, in the order of their numbers; written back and read again it is the
// same list (entries both starting and ending in one quote character aside: the ini format reads
// such a value without its quotes, as the profile functions do).
#include <cstdint>

#include "FuzzCheck.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TIniFile.h"
#include "TStringList.h"
#include "uSettingsLists.h"

namespace {

bool quoted(const AnsiString& entry) {
  return entry.size() >= 2 && (entry.front() == '"' || entry.front() == '\'') && entry.back() == entry.front();
}

void checkList(TIniFile& ini, const AnsiString& section, const AnsiString& countKey) {
  TStringList list;
  ReadFileList(ini, section, countKey, &list);
  FUZZ_CHECK(list.Count() <= std::max(0, ini.ReadInteger(section, countKey, 0)), "no more entries than the count");
  bool roundTrips = true;
  for (int i = 0; i < list.Count(); ++i) {
    FUZZ_CHECK(!list.Strings(i).empty() && Trim(list.Strings(i)) == list.Strings(i), "entries are trimmed, none empty");
    roundTrips = roundTrips && !quoted(list.Strings(i));
  }
  try {
    WriteFileList(ini, section, countKey, &list);
  } catch (const EIniFileException&) {
    return;  // a section name the format cannot hold
  }
  TStringList back;
  ReadFileList(ini, section, countKey, &back);
  if (!roundTrips) return;
  FUZZ_CHECK(back.Count() == list.Count(), "a list written reads back with as many entries");
  for (int i = 0; i < list.Count(); ++i) FUZZ_CHECK(back.Strings(i) == list.Strings(i), "an entry written reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path = fuzz::ScratchFolder() / "handheld-manager.ini";
  fuzz::WriteFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
  TIniFile ini(path.string());
  checkList(ini, "downloadfile", "downloadnum");
  checkList(ini, "uploadfile", "uploadnum");
  return 0;
}
