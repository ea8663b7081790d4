#include "uSettingsLists.h"

#include <map>

#include "IntegerText.h"
#include "StringRoutines.h"
#include "TCustomIniFile.h"
#include "TStringList.h"

namespace {

const AnsiString FileKey = "file";

}  // namespace

void ReadFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List) {
  const int count = Ini.ReadInteger(Section, CountKey, 0);
  TStringList values;
  Ini.ReadSectionValues(Section, &values);
  std::map<int, AnsiString> entries;
  for (int i = 0; i < values.Count(); ++i) {
    const AnsiString key = values.Names(i);
    if (key.size() <= FileKey.size() || !SameText(key.substr(0, FileKey.size()), FileKey)) continue;
    // Only the key name a number gives, as the loop over the numbers would look it up: "file7",
    // not "file07".
    const AnsiString digits = key.substr(FileKey.size());
    int n = 0;
    if (!TryStrToInt(digits, n) || IntToStr(n) != digits || n < 1 || n > count) continue;
    entries.emplace(n, values.ValueFromIndex(i));
  }
  for (const auto& [n, value] : entries) {
    const AnsiString entry = Trim(value);
    if (!entry.empty()) List->Add(entry);
  }
}

void WriteFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List) {
  Ini.WriteInteger(Section, CountKey, List->Count());
  for (int i = 1; i <= List->Count(); ++i) Ini.WriteString(Section, FileKey + IntToStr(i), List->Strings(i - 1));
}
