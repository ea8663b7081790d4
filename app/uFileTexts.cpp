#include "uFileTexts.h"

#include "FileNames.h"
#include "Format.h"
#include "IntegerText.h"
#include "ShellApi.h"
#include "StringRoutines.h"
#include "uConstStrings.h"
#include "uTerminalList.h"
#include "CodePage.h"

namespace {

constexpr std::int64_t KiB = 1024;
constexpr std::int64_t MiB = 1024 * 1024;

// The most characters of a type name the list shows.
constexpr int TypeNameMax = 79;

// The extensions of the terminal's program images, each led by "|"; an extension counts when
// "|" and it occur anywhere in this text (so ".ro" counts as well).
constexpr std::string_view TerminalProgramExts = "|.rom|.ram";

std::int64_t roundedUp(std::int64_t Size, std::int64_t Unit) { return Size / Unit + (Size % Unit != 0 ? 1 : 0); }

}  // namespace

AnsiString FileSizeText(std::int64_t Size) {
  if (Size < KiB) return IntToStr(Size);
  if (Size < MiB) return IntToStr(roundedUp(Size, KiB)) + "K";
  return IntToStr(roundedUp(Size, MiB)) + "M";
}

AnsiString FileDateText(int Year, int Month, int Day, int Hour, int Minute) {
  return Format("%.2d-%.2d-%.2d %.2d:%.2d", {Year % 100, Month, Day, Hour, Minute});
}

AnsiString PcFileTypeText(const AnsiString& FileName) {
  const AnsiString ext = LowerCase(ExtractFileExt(FileName));
  if (!ext.empty() && TerminalProgramExts.find("|" + ext) != std::string_view::npos) return Utf8ToAnsi("手持机程序");
  const AnsiString name = ShellFileTypeName(FileName);
  if (name.empty()) return INFO_UNKOWN_TYPE;
  return Format("%.*s", {TypeNameMax, name});
}

AnsiString CommRecordName(const TCommFileRecord& Record) {
  return CommText(Record.Name, sizeof Record.Name);
}

AnsiString CommRecordDate(const TCommFileRecord& Record) {
  return FileDateText(Record.Year, Record.Month, Record.Day, Record.Hour, Record.Minute);
}

bool IsPlainFileName(const AnsiString& Name) {
  return !Name.empty() && Name != "." && Name != ".." && Name.find(PathDelim) == AnsiString::npos &&
         Name.find('\0') == AnsiString::npos;
}

AnsiString PcFolderOfText(const AnsiString& Text) {
  const bool systemDrive = Text.size() >= 2 && (Text[0] == 'C' || Text[0] == 'c') && Text[1] == ':';
  if (!systemDrive) return Text;
  std::size_t rest = 2;
  if (rest < Text.size() && (Text[rest] == '\\' || Text[rest] == PathDelim)) ++rest;
  return AnsiString(1, PathDelim) + Text.substr(rest);
}
