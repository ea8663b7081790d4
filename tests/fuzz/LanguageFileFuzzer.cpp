// Fuzzes loading a language file: detection by the storage, the wide string list's reading of
// byte-order marks, and the hash map the strings are kept in.
//
// Input: the language file's bytes. Properties: a detected language loads; a value set reads
// back; saving the language and loading it again keeps every key and value (keys that are not
// valid UTF-16 aside, which no UTF-8 file can hold); a list saved in each encoding loads back
// as the same lines where the encoding can hold them; the hash map, driven by the lines, holds
// what a plain map holds.
#include <cstdint>
#include <map>
#include <memory>

#include "ClasslibCore.h"
#include "CodePage.h"
#include "FuzzCheck.h"
#include "LmHashLangStorage.h"
#include "LmHashMap.h"
#include "LmLangCollection.h"
#include "LmLangMgr.h"
#include "LmWideStrings.h"
#include "TFont.h"
#include "TUnitList.h"

namespace {

bool inAnsiCodePage(std::u16string_view text) { return AnsiToWide(WideToAnsi(text)) == text; }

// Every key and value of the storage's current language.
std::map<WideString, WideString> contents(TLmHashLangFileStorage& storage) {
  std::map<WideString, WideString> result;
  std::unique_ptr<ILangStringIterator> it = storage.CreateIterator();
  for (it->StartIterate(u""); !it->Eof(); it->Next()) {
    WideString key, value;
    it->GetCurrentKeyValue(key, value);
    result[key] = value;
  }
  return result;
}

// The list written in each encoding and read back.
void checkListRoundTrips(const TLmWideStringList& lines, const std::filesystem::path& folder) {
  const WideString file = Utf8ToWide((folder / "saved.txt").string());
  bool valid = true, ansi = true;
  for (int i = 0; i < lines.Count(); ++i) {
    const WideString line = lines.Strings(i);
    valid = valid && fuzz::ValidUtf16(line) && line.find(u'\0') == WideString::npos;
    ansi = ansi && valid && inAnsiCodePage(line);
  }
  for (int encoding : {teUtf8, teUtf16LE, teAnsi}) {
    if (!valid || (encoding == teAnsi && !ansi)) continue;
    TLmWideStringList copy;
    copy.Assign(const_cast<TLmWideStringList*>(&lines));
    copy.SaveToFile(file, encoding);
    TLmWideStringList back;
    back.LoadFromFile(file);
    // ANSI text whose first bytes are those of a byte-order mark cannot be told from marked text.
    if (encoding == teAnsi && lines.Count() > 0) {
      const AnsiString first = WideToAnsi(lines.Strings(0));
      if (first.starts_with("\xEF\xBB\xBF") || first.starts_with("\xFF\xFE")) continue;
    }
    FUZZ_CHECK(back.Count() == lines.Count(), "a saved list loads back with as many lines");
    for (int i = 0; i < lines.Count(); ++i) FUZZ_CHECK(back.Strings(i) == lines.Strings(i), "a saved line loads back");
  }
}

// The hash map against a plain map: each line adds its name and value, or, for a line starting
// with "-", deletes the name.
void checkHashMap(const TLmWideStringList& lines) {
  TLmWideStrToWideStrHashMap map(3, 2);
  std::map<WideString, WideString> model;
  for (int i = 0; i < lines.Count(); ++i) {
    const WideString line = lines.Strings(i);
    if (!line.empty() && line[0] == u'-') {
      const WideString key = line.substr(1);
      FUZZ_CHECK(map.Delete(key) == (model.erase(key) == 1), "a delete finds what the map holds");
    } else {
      const std::size_t eq = line.find(u'=');
      const WideString key = line.substr(0, eq), value = eq == WideString::npos ? WideString() : line.substr(eq + 1);
      map.Add(key, value);
      model[key] = value;
    }
    FUZZ_CHECK(map.Count() == static_cast<int>(model.size()), "the map counts what it holds");
  }
  for (const auto& [key, value] : model) {
    WideString found;
    FUZZ_CHECK(map.Find(key, found) && found == value, "every key added is found with its value");
  }
  std::map<WideString, WideString> walked;
  WideString key, value;
  map.StartEnum();
  while (map.GetNext(key, value)) FUZZ_CHECK(walked.emplace(key, value).second, "the walk meets each key once");
  FUZZ_CHECK(walked == model, "the walk meets every key");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The storage needs no window: the GUI layer is not started.
  static TUnitList units({ClasslibCoreUnit, LmLangMgrUnit});
  units.Initialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path folder = fuzz::ScratchFolder() / "languages";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "Fuzz.txt";
  fuzz::WriteFile(file, std::string_view(reinterpret_cast<const char*>(data), size));

  TLmWideStringList lines;
  lines.LoadFromFile(Utf8ToWide(file.string()));
  checkListRoundTrips(lines, fuzz::ScratchFolder());
  checkHashMap(lines);

  TLmHashLangFileStorage storage(nullptr);
  storage.SetLanguagePath(Utf8ToWide(folder.string() + "/"));
  if (storage.LanguageCount() == 0) return 0;
  FUZZ_CHECK(storage.LanguageCount() == 1, "one file gives at most one language");
  const TFont* font = storage.Languages()->Items(0)->DefaultFont();
  FUZZ_CHECK(font->Size() >= -TFont::MaxSize && font->Size() <= TFont::MaxSize, "the default font has a size a screen shows");
  storage.SelectLanguage(0);
  FUZZ_CHECK(storage.CurrentLanguageIndex() == 0, "a detected language loads");

  const WideString key = u"FUZZ_KEY", value = u"line one\r\nline two";
  storage.SetString(key, value);
  WideString read;
  FUZZ_CHECK(storage.GetString(key, read) && read == value, "a value set reads back");

  const std::map<WideString, WideString> before = contents(storage);
  storage.SaveCurrentLanguage();
  storage.SelectLanguage(0);
  const std::map<WideString, WideString> after = contents(storage);
  for (const auto& [k, v] : before) {
    if (!fuzz::ValidUtf16(k) || !fuzz::ValidUtf16(v)) continue;
    const auto it = after.find(k);
    FUZZ_CHECK(it != after.end(), "a saved key loads back");
    FUZZ_CHECK(it->second == v, "a saved value loads back");
  }
  return 0;
}
