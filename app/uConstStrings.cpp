#include "uConstStrings.h"

#include <array>

#include "CodePage.h"
#include "LmLangMgr.h"
#include "TUnitGuard.h"

#define HHM_DEFINE_CONST_STRING(Key, Default) AnsiString Key;
HHM_CONST_STRINGS(HHM_DEFINE_CONST_STRING)
#undef HHM_DEFINE_CONST_STRING

namespace {

#define HHM_CONST_STRING_ENTRY(Key, Default) TConstStringEntry{#Key, &Key, Default},
const std::array table{HHM_CONST_STRINGS(HHM_CONST_STRING_ENTRY)};
#undef HHM_CONST_STRING_ENTRY

static_assert(table.size() == ConstStringCount, "every text of the table is counted");

TUnitGuard unitGuard;

}  // namespace

const TConstStringEntry* ConstStringTable() { return table.data(); }

void TranslateConstStrings() {
  for (const TConstStringEntry& entry : table) TranslateStr(*entry.Value, entry.Key);
}

void uConstStringsInitialize() {
  // The texts are kept in the ANSI code page, which is only known once the class library has
  // started, so the defaults are converted here rather than at static initialisation.
  unitGuard.Initialize([] {
    for (const TConstStringEntry& entry : table) *entry.Value = Utf8ToAnsi(entry.DefaultUtf8);
  });
}

void uConstStringsFinalize() {
  unitGuard.Finalize([] {
    for (const TConstStringEntry& entry : table) entry.Value->clear();
  });
}
