#include "ExportTextHelpers.h"

#include "CodePage.h"
#include "FormatSettings.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "StringRoutines.h"

namespace {

// Pixels per character where no canvas measures the text.
constexpr int DefaultCharWidth = 8;

// The position of Old in Text at or after From, without regard to case; npos when absent.
std::size_t findIgnoringCase(std::u16string_view text, std::u16string_view old, std::size_t from) {
  if (old.size() > text.size()) return std::u16string_view::npos;
  for (std::size_t i = from; i + old.size() <= text.size(); ++i)
    if (WideSameText(text.substr(i, old.size()), old)) return i;
  return std::u16string_view::npos;
}

}  // namespace

char ExportListSeparator() {
  const char separator = FormatSettingsSnapshot()->ListSeparator;
  return separator != '\0' ? separator : ',';
}

int ExportTextWidth(const TObject* Object, std::u16string_view Text) {
  if (Object == nullptr || Text.empty()) return 0;
  return DefaultCharWidth * static_cast<int>(Text.size());
}

AnsiString CharToIniText(char Ch) {
  const auto code = static_cast<unsigned char>(Ch);
  if (code >= 0x21 && code <= 0x7F) return AnsiString(1, Ch);
  return "#" + IntToStr(code);
}

char IniTextToChar(std::string_view Text) {
  if (Text.empty()) return '\0';
  if (Text.size() == 1) return Text[0];
  if (Text[0] == '#') return static_cast<char>(StrToIntDef(Text.substr(1), 0));
  return '\0';
}

namespace {

int codePageOf(int Selector) {
  return Selector == ExportOemCodePage ? CP_OEMCP : Selector == ExportMacCodePage ? CP_MACCP : CP_ACP;
}

}  // namespace

AnsiString WideToCodePage(std::u16string_view Text, int Selector) {
  if (Text.empty()) return {};
  return WideToAnsi(Text, codePageOf(Selector));
}

void AppendWideToCodePage(std::u16string_view Text, int Selector, std::string& Out) {
  if (!Text.empty()) AppendWideToAnsi(Text, Out, codePageOf(Selector));
}

WideString WideReplace(std::u16string_view Text, std::u16string_view Old, std::u16string_view New, int Flags) {
  if (Old.empty()) return WideString(Text);
  const bool all = (Flags & ExportReplaceAll) != 0;
  const bool ignoreCase = (Flags & ExportIgnoreCase) != 0;
  WideString out;
  std::size_t from = 0;
  while (from <= Text.size()) {
    std::size_t at = ignoreCase ? findIgnoringCase(Text, Old, from) : Text.find(Old, from);
    if (at == std::u16string_view::npos) break;
    out.append(Text.substr(from, at - from));
    out.append(New);
    from = at + Old.size();
    if (!all) break;
  }
  out.append(Text.substr(std::min(from, Text.size())));
  return out;
}

AnsiString ByteReplace(std::string_view Text, std::string_view Old, std::string_view New) {
  return StringReplace(Text, Old, New, TReplaceFlags{TReplaceFlag::rfReplaceAll, TReplaceFlag::rfIgnoreCase});
}
