#include "CodePage.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

#include "CodePageTable_p.h"
#include "Exception.h"

namespace {

std::atomic<int> ansiCodePage{0};

int resolve(int codePage) {
  switch (codePage) {
    case CP_ACP: return GetACP();
    case CP_OEMCP: return GetOEMCP();
    case CP_MACCP: return GetMACCP();
    default: return codePage;
  }
}

// ICU's names for the Windows code pages; 10008 (Mac Simplified Chinese) is not in ICU and
// shares GB2312's repertoire.
std::string converterName(int codePage) {
  switch (codePage) {
    case CP_UTF8: return "UTF-8";
    case 10008: return "GB2312";
    case 936: return "windows-936-2000";
    case 437: return "ibm-437";
    default: return "windows-" + std::to_string(codePage);
  }
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(int codePage) {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr conv(ucnv_open(converterName(codePage).c_str(), &status));
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    conv.reset(ucnv_open(("cp" + std::to_string(codePage)).c_str(), &status));
    if (U_FAILURE(status)) return nullptr;
  }
  status = U_ZERO_ERROR;
  ucnv_setSubstChars(conv.get(), "?", 1, &status);
  return conv;
}

// Converters are not thread-safe; each thread keeps its own, one per code page.
UConverter* converter(int codePage) {
  thread_local std::map<int, ConverterPtr> cache;
  auto it = cache.find(codePage);
  if (it == cache.end()) {
    ConverterPtr conv = openConverter(codePage);
    if (!conv) throw EConvertError("No mapping for code page " + std::to_string(codePage));
    it = cache.emplace(codePage, std::move(conv)).first;
  }
  return it->second.get();
}

// True when the code page writes the 128 ASCII characters as their own single bytes (not so
// UTF-16, UTF-7 or EBCDIC); asked of the converter once per code page and thread.
bool keepsAscii(int codePage) {
  thread_local std::map<int, bool> known;
  auto it = known.find(codePage);
  if (it != known.end()) return it->second;
  std::u16string ascii(128, u'\0');
  for (char16_t c = 0; c < 128; ++c) ascii[c] = c;
  UConverter* conv = converter(codePage);
  ucnv_resetFromUnicode(conv);
  std::string out(1024, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()), ascii.data(), 128, &status);
  bool same = U_SUCCESS(status) && n == 128;
  for (int i = 0; same && i < 128; ++i) same = static_cast<unsigned char>(out[static_cast<std::size_t>(i)]) == i;
  return known.emplace(codePage, same).first->second;
}

// The code page HHM_CODEPAGE names, 936 without it; valid is false when it names none.
int codePageSetting(bool& valid) {
  valid = true;
  const char* env = std::getenv("HHM_CODEPAGE");
  if (env == nullptr) return 936;
  char* end = nullptr;
  long value = std::strtol(env, &end, 10);
  if (end != env && *end == '\0' && value > 2 && value < 65536 && openConverter(static_cast<int>(value)))
    return static_cast<int>(value);
  valid = false;
  return 936;
}

// A code page's conversion tables, once this thread has converted enough of its text to repay
// building them (some milliseconds, once per process); nullptr before that and for a code page
// they cannot serve.
const codepagetable::TCodePageTable* tableFor(int codePage) {
  const int before = codepagetable::ConversionsBeforeTable();
  if (before < 0) return nullptr;
  struct TUse {
    int CodePage = 0;
    int Conversions = 0;
    const codepagetable::TCodePageTable* Table = nullptr;
  };
  // The few code pages a thread converts (the ANSI one, UTF-8, the OEM one), without a lock.
  thread_local std::array<TUse, 4> uses;
  thread_local std::size_t next = 0;
  TUse* use = nullptr;
  for (TUse& u : uses)
    if (u.CodePage == codePage) use = &u;
  if (use == nullptr) {
    use = &uses[next];
    next = (next + 1) % uses.size();
    *use = TUse{codePage, 0, nullptr};
  }
  if (use->Table != nullptr) return use->Table;
  if (++use->Conversions < before) return nullptr;
  use->Conversions = 0;  // a code page without tables is asked again only after as many
  struct TBuilt {
    bool Tried = false;
    std::unique_ptr<codepagetable::TCodePageTable> Table;
  };
  static std::mutex lock;
  static std::map<int, TBuilt> tables;
  std::lock_guard<std::mutex> guard(lock);
  TBuilt& built = tables[codePage];
  if (!built.Tried) {
    built.Tried = true;
    if (ConverterPtr conv = openConverter(codePage)) built.Table = codepagetable::TCodePageTable::Build(conv.get());
  }
  use->Table = built.Table.get();
  return use->Table;
}

}  // namespace

int GetACP() {
  int cp = ansiCodePage.load();
  if (cp != 0) return cp;
  bool valid;
  int expected = 0;
  ansiCodePage.compare_exchange_strong(expected, codePageSetting(valid));
  return ansiCodePage.load();
}

bool LoadACPSetting() {
  bool valid;
  ansiCodePage.store(codePageSetting(valid));
  return valid;
}

int GetOEMCP() {
  int acp = GetACP();
  return (acp == 936 || acp == 932 || acp == 949 || acp == 950) ? acp : 437;
}

int GetMACCP() { return 10008; }

void SetACP(int codePage) {
  if (!IsValidCodePage(codePage) || codePage < 3)
    throw EConvertError("No mapping for code page " + std::to_string(codePage));
  ansiCodePage.store(codePage);
}

bool IsValidCodePage(int codePage) { return openConverter(resolve(codePage)) != nullptr; }

namespace {

// Converts Text into Out's own storage, so that a caller that keeps Out between calls converts
// without allocating.
void convertToWide(std::string_view text, WideString& out, int codePage) {
  if (text.empty()) {
    out.clear();
    return;
  }
  const int cp = resolve(codePage);
  if (const codepagetable::TCodePageTable* table = tableFor(cp))
    if (table->ToWide(text, out)) return;
  UConverter* conv = converter(cp);
  ucnv_resetToUnicode(conv);
  out.resize(text.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = ucnv_toUChars(conv, out.data(), static_cast<int32_t>(out.size()), text.data(),
                            static_cast<int32_t>(text.size()), &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(static_cast<std::size_t>(n) + 1);
    status = U_ZERO_ERROR;
    n = ucnv_toUChars(conv, out.data(), static_cast<int32_t>(out.size()), text.data(),
                      static_cast<int32_t>(text.size()), &status);
  }
  if (U_FAILURE(status)) throw EConvertError("Text conversion failed");
  out.resize(static_cast<std::size_t>(n));
}

}  // namespace

WideString AnsiToWide(std::string_view text, int codePage) {
  WideString out;
  convertToWide(text, out, codePage);
  return out;
}

void AnsiToWide(std::string_view text, WideString& Out, int codePage) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) {
      convertToWide(text, Out, codePage);
      return;
    }
  Out.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) Out[i] = static_cast<char16_t>(text[i]);
}

AnsiString WideToAnsi(std::u16string_view text, int codePage) {
  if (text.empty()) return {};
  const int cp = resolve(codePage);
  // Most texts the exporters and the databases pass are numbers, dates and names in ASCII,
  // which most code pages keep as they are; those skip the converter.
  if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }) && keepsAscii(cp))
    return AnsiString(text.begin(), text.end());
  if (const codepagetable::TCodePageTable* table = tableFor(cp)) {
    AnsiString out;
    out.reserve(text.size() * 2);
    if (table->FromWide(text, out)) return out;
  }
  UConverter* conv = converter(cp);
  ucnv_resetFromUnicode(conv);
  AnsiString out(text.size() * 4 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()), text.data(),
                              static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) throw EConvertError("Text conversion failed");
  out.resize(static_cast<std::size_t>(n));
  return out;
}

void AppendWideToAnsi(std::u16string_view text, std::string& Out, int codePage) {
  const int cp = resolve(codePage);
  if (const codepagetable::TCodePageTable* table = tableFor(cp))
    if (table->FromWide(text, Out)) return;
  Out += WideToAnsi(text, cp);
}

std::string WideToUtf8(std::u16string_view text) { return WideToAnsi(text, CP_UTF8); }

WideString Utf8ToWide(std::string_view text) { return AnsiToWide(text, CP_UTF8); }

std::string AnsiToUtf8(std::string_view text, int codePage) {
  int cp = resolve(codePage);
  if (cp == CP_UTF8) return std::string(text);
  return WideToUtf8(AnsiToWide(text, cp));
}

AnsiString Utf8ToAnsi(std::string_view text, int codePage) {
  int cp = resolve(codePage);
  if (cp == CP_UTF8) return AnsiString(text);
  return WideToAnsi(Utf8ToWide(text), cp);
}

namespace {

// Which bytes start a double-byte character of a code page, and which may end one.
struct TDoubleByteTable {
  std::array<bool, 256> Lead{};
  std::array<bool, 256> Trail{};
};

// Feeds bytes to the converter; returns the UTF-16 units it makes of them, or -1 when it is
// still waiting for more.
int convertedUnits(UConverter* conv, const char* bytes, int length, bool flush) {
  ucnv_resetToUnicode(conv);
  const char* src = bytes;
  UChar out[8];
  UChar* dst = out;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(conv, &dst, out + 8, &src, bytes + length, nullptr, flush, &status);
  if (U_FAILURE(status)) return 0;
  return dst == out && !flush ? -1 : static_cast<int>(dst - out);
}

const TDoubleByteTable& doubleByteTable(int cp) {
  static std::mutex lock;
  static std::map<int, TDoubleByteTable> tables;
  std::lock_guard<std::mutex> guard(lock);
  auto it = tables.find(cp);
  if (it != tables.end()) return it->second;
  TDoubleByteTable table;
  UConverter* conv = converter(cp);
  // A lead byte is one that the converter cannot finish on its own: fed alone without
  // flushing, it yields no character yet.
  for (int b = 0x80; b < 0x100; ++b) {
    const char in = static_cast<char>(b);
    table.Lead[static_cast<std::size_t>(b)] = convertedUnits(conv, &in, 1, false) == -1;
  }
  // A trail byte is one that some lead byte takes with it into one character; after any other
  // byte the lead byte stands alone (and is not valid text) and the byte counts by itself.
  for (int lead = 0x80; lead < 0x100; ++lead) {
    if (!table.Lead[static_cast<std::size_t>(lead)]) continue;
    for (int trail = 0; trail < 0x100; ++trail) {
      if (table.Trail[static_cast<std::size_t>(trail)]) continue;
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      table.Trail[static_cast<std::size_t>(trail)] = convertedUnits(conv, pair, 2, true) == 1;
    }
  }
  ucnv_resetToUnicode(conv);
  return tables.emplace(cp, table).first->second;
}

}  // namespace

bool IsDBCSLeadByte(std::uint8_t byte, int codePage) {
  int cp = resolve(codePage);
  if (cp == CP_UTF8 || byte < 0x80) return false;
  return doubleByteTable(cp).Lead[byte];
}

bool IsDBCSTrailByte(std::uint8_t byte, int codePage) {
  int cp = resolve(codePage);
  if (cp == CP_UTF8) return false;
  return doubleByteTable(cp).Trail[byte];
}
