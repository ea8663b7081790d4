// Fuzzes TIniFile with the file's bytes and one write.
//
// Input: the file, then (after a "\n----\n" line) the section, key and value of the write,
// one per line. Properties: every read gives the same value through a second object; a
// write that is accepted reads back, through this object and a fresh one, as the format says
// (blanks around it and one pair of enclosing quotes removed); every other key keeps its value
// and no section is lost; a write that is refused leaves the file's bytes as they were.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "CodePage.h"
#include "FuzzCheck.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TIniFile.h"
#include "TStringList.h"

namespace {

using TEntries = std::map<std::pair<AnsiString, AnsiString>, AnsiString>;

// Every key of every section with the value ReadString gives it.
TEntries readAll(TIniFile& ini) {
  TEntries entries;
  TStringList sections;
  ini.ReadSections(&sections);
  for (int s = 0; s < sections.Count(); ++s) {
    TStringList keys;
    ini.ReadSection(sections.Strings(s), &keys);
    for (int k = 0; k < keys.Count(); ++k)
      entries[{sections.Strings(s), keys.Strings(k)}] = ini.ReadString(sections.Strings(s), keys.Strings(k), "\x01missing");
  }
  return entries;
}

std::string_view line(std::string_view text, int index) {
  for (int i = 0; i < index; ++i) {
    const std::size_t at = text.find('\n');
    if (at == std::string_view::npos) return {};
    text.remove_prefix(at + 1);
  }
  return text.substr(0, text.find('\n'));
}

// A value as ReadString gives back what WriteString stored.
AnsiString asRead(std::string_view value) {
  constexpr std::string_view blanks = " \t\r\n\v\f";
  const std::size_t begin = value.find_first_not_of(blanks);
  if (begin == std::string_view::npos) return {};
  value = value.substr(begin, value.find_last_not_of(blanks) - begin + 1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return AnsiString(value);
}

bool sameName(const AnsiString& a, const AnsiString& b) { return SameText(Trim(a), Trim(b)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view write = fuzz::Part(input, 1);
  const AnsiString section(line(write, 0)), key(line(write, 1)), value(line(write, 2));
  const std::filesystem::path path = fuzz::ScratchFolder() / "fuzz.ini";
  fuzz::WriteFile(path, fuzz::Part(input, 0));

  TIniFile ini(path.string());
  const TEntries before = readAll(ini);
  {
    TIniFile other(path.string());
    FUZZ_CHECK(readAll(other) == before, "two objects on one file read the same");
  }
  // The typed reads convert whatever the values hold without raising.
  for (const auto& [name, text] : before) {
    ini.ReadInteger(name.first, name.second, 0);
    ini.ReadBool(name.first, name.second, false);
    ini.ReadFloat(name.first, name.second, 0);
    ini.ReadDateTime(name.first, name.second, 0);
  }

  const std::string bytesBefore = fuzz::ReadFile(path);
  try {
    ini.WriteString(section, key, value);
  } catch (const EIniFileException&) {
    FUZZ_CHECK(fuzz::ReadFile(path) == bytesBefore, "a refused write changes nothing");
    return 0;
  }
  FUZZ_CHECK(ini.ReadString(section, key, "\x01missing") == asRead(value), "a written value reads back");
  TIniFile fresh(path.string());
  FUZZ_CHECK(fresh.ReadString(section, key, "\x01missing") == asRead(value), "a written value reads back from the file");

  const TEntries after = readAll(fresh);
  for (const auto& [name, text] : before) {
    if (sameName(name.first, section) && sameName(name.second, key)) continue;
    const auto it = after.find(name);
    FUZZ_CHECK(it != after.end(), "a write keeps the other keys");
    FUZZ_CHECK(it->second == text, "a write keeps the other values");
  }
  // An integer written reads back as that integer.
  const int number = StrToIntDef(IntToStr(static_cast<std::int64_t>(bytesBefore.size()) - 1000), 0);
  fresh.WriteInteger(section, key, number);
  FUZZ_CHECK(fresh.ReadInteger(section, key, number + 1) == number, "a written integer reads back");
  return 0;
}
