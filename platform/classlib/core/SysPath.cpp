#include "SysPath.h"

#include "CodePage.h"

std::filesystem::path ToSysPath(std::string_view FileName) { return std::filesystem::path(AnsiToUtf8(FileName)); }

AnsiString FromSysPath(const std::filesystem::path& Path) { return Utf8ToAnsi(Path.native()); }
