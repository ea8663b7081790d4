// Fuzzes the run-time library's text routines: quoting and comma text, integer, float and date
// parsing and formatting, Format with an input format, and the code-page conversions.
//
// Input: its first byte chooses the ANSI code page (936, 65001, 1252, 932 or 950), the rest is
// the text. Properties: quoted text dequotes to itself and a list comes back whole from its
// comma text; a number or date that parses formats to a text that parses to it again; a text
// converted to UTF-16 and back converts unchanged the next time; valid UTF-16 survives UTF-8;
// case mapping keeps every byte count and every double-byte character.
#include <cmath>
#include <cstdint>
#include <string>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DateTimeText.h"
#include "Exception.h"
#include "FloatText.h"
#include "Format.h"
#include "FuzzCheck.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TStringList.h"

namespace {

constexpr int CodePages[] = {936, 65001, 1252, 932, 950};

void checkQuoting(const AnsiString& text) {
  for (char quote : {'\'', '"'}) {
    const AnsiString quoted = AnsiQuotedStr(text, quote);
    FUZZ_CHECK(AnsiDequotedStr(quoted, quote) == text, "quoted text dequotes to itself");
    std::size_t pos = 0;
    FUZZ_CHECK(AnsiExtractQuotedStr(quoted + ",rest", pos, quote) == text, "quoted text is read back whole");
    FUZZ_CHECK(pos == quoted.size(), "reading quoted text stops after its closing quote");
  }
}

// The text's lines (up to 16) as a list, through its comma text and back.
void checkCommaText(const AnsiString& text) {
  TStringList list;
  std::size_t from = 0;
  for (int n = 0; n < 16 && from <= text.size(); ++n) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    list.Add(text.substr(from, end - from));
    from = end + 1;
  }
  TStringList back;
  back.SetCommaText(list.CommaText());
  FUZZ_CHECK(back.Count() == list.Count(), "a list comes back from its comma text with as many items");
  for (int i = 0; i < list.Count(); ++i) FUZZ_CHECK(back.Strings(i) == list.Strings(i), "an item comes back whole");
}

void checkNumbers(const AnsiString& text) {
  int value = 0;
  if (TryStrToInt(text, value)) {
    FUZZ_CHECK(StrToInt(IntToStr(value)) == value, "an integer formats to a text that parses to it");
    FUZZ_CHECK(StrToInt("$" + IntToHex(value, 1)) == value, "hexadecimal text parses to its integer");
  }
  std::int64_t wide = 0;
  if (TryStrToInt64(text, wide)) FUZZ_CHECK(StrToInt64(IntToStr(wide)) == wide, "a 64-bit integer round-trips");
  double number = 0;
  if (TryStrToFloat(text, number) && std::isfinite(number)) {
    double back = 0;
    FUZZ_CHECK(TryStrToFloat(FloatToStr(number), back), "a float formats to a text that parses");
    FUZZ_CHECK(std::fabs(back - number) <= 1e-14 * std::fabs(number) + 1e-300, "a float round-trips to 15 digits");
    FormatFloat("#,##0.00;(#,##0.00);zero", number);
    FloatToStrF(number, TFloatFormat::ffNumber, 15, 4);
  }
  FormatFloat(text, 1234.5678);
}

void checkDates(const AnsiString& text) {
  TDateTime date = 0;
  if (TryStrToDate(text, date) && date >= -693593 && date < 2958466) {
    TDateTime back = 0;
    FUZZ_CHECK(TryStrToDate(DateToStr(date), back), "a date formats to a text that parses");
    FUZZ_CHECK(std::floor(back) == std::floor(date), "a date round-trips");
  }
  TDateTime time = 0;
  TryStrToTime(text, time);
  TryStrToDateTime(text, time);
  FormatDateTime(text, 45678.5);
}

void checkFormat(const AnsiString& text) {
  try {
    Format(text, {42, "text", 3.25, AnsiString("x"), -7LL});
  } catch (const EConvertError&) {
    // A format that does not fit its arguments is refused with EConvertError; nothing else.
  }
}

void checkCodePages(const AnsiString& text) {
  const AnsiString once = WideToAnsi(AnsiToWide(text));
  FUZZ_CHECK(WideToAnsi(AnsiToWide(once)) == once, "converted text converts unchanged");
  // The bytes read as UTF-16 code units; valid UTF-16 survives UTF-8.
  WideString wide;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    wide.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(text[i]) | static_cast<std::uint8_t>(text[i + 1]) << 8));
  if (fuzz::ValidUtf16(wide)) FUZZ_CHECK(Utf8ToWide(WideToUtf8(wide)) == wide, "valid UTF-16 survives UTF-8");
}

void checkCase(const AnsiString& text) {
  const AnsiString upper = UpperCase(text), lower = LowerCase(text);
  FUZZ_CHECK(upper.size() == text.size() && lower.size() == text.size(), "case mapping keeps the length");
  FUZZ_CHECK(SameText(upper, lower), "upper and lower case compare equal ignoring case");
  FUZZ_CHECK(AnsiToWide(upper).size() == AnsiToWide(text).size(), "case mapping keeps every character whole");
  FUZZ_CHECK(Trim(Trim(text)) == Trim(text), "trimming twice trims nothing more");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  SetACP(CodePages[data[0] % std::size(CodePages)]);
  const AnsiString text(reinterpret_cast<const char*>(data) + 1, size - 1);
  checkQuoting(text);
  checkCommaText(text);
  checkNumbers(text);
  checkDates(text);
  checkFormat(text);
  checkCodePages(text);
  checkCase(text);
  return 0;
}
