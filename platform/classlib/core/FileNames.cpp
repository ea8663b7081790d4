#include "FileNames.h"

#include <filesystem>
#include <system_error>

#include "StringRoutines.h"
#include "SysPath.h"

namespace {

constexpr std::string_view kDelimiters = "/";
constexpr std::string_view kExtensionDelimiters = "/.";

// Position (1-based) of the "." that starts the extension, 0 when there is none.
int extensionAt(std::string_view name) {
  int at = LastDelimiter(kExtensionDelimiters, name);
  return at > 0 && name[static_cast<std::size_t>(at) - 1] == '.' ? at : 0;
}

}  // namespace

AnsiString ExtractFileName(std::string_view FileName) {
  return AnsiString(FileName.substr(static_cast<std::size_t>(LastDelimiter(kDelimiters, FileName))));
}

AnsiString ExtractFilePath(std::string_view FileName) {
  return AnsiString(FileName.substr(0, static_cast<std::size_t>(LastDelimiter(kDelimiters, FileName))));
}

AnsiString ExtractFileDir(std::string_view FileName) {
  int at = LastDelimiter(kDelimiters, FileName);
  // Keep the delimiter of a root ("/a" -> "/") and of a doubled one ("a//b" -> "a//").
  if (at > 1 && !IsDelimiter(kDelimiters, FileName, at - 1)) --at;
  return AnsiString(FileName.substr(0, static_cast<std::size_t>(at)));
}

AnsiString ExtractFileExt(std::string_view FileName) {
  int at = extensionAt(FileName);
  return at == 0 ? AnsiString() : AnsiString(FileName.substr(static_cast<std::size_t>(at) - 1));
}

AnsiString ChangeFileExt(std::string_view FileName, std::string_view Extension) {
  int at = extensionAt(FileName);
  std::string_view base = at == 0 ? FileName : FileName.substr(0, static_cast<std::size_t>(at) - 1);
  return AnsiString(base) + AnsiString(Extension);
}

AnsiString IncludeTrailingPathDelimiter(std::string_view S) {
  AnsiString out(S);
  if (!IsDelimiter(kDelimiters, S, static_cast<int>(S.size()))) out += PathDelim;
  return out;
}

AnsiString ExcludeTrailingPathDelimiter(std::string_view S) {
  if (S.size() > 1 && IsDelimiter(kDelimiters, S, static_cast<int>(S.size()))) S.remove_suffix(1);
  return AnsiString(S);
}

AnsiString ExpandFileName(std::string_view FileName) {
  if (FileName.empty()) return {};
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(ToSysPath(FileName), ec);
  if (ec) return AnsiString(FileName);
  return FromSysPath(full.lexically_normal());
}
