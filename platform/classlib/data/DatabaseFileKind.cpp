#include "DatabaseFileKind.h"

#include <filesystem>
#include <fstream>
#include <string>

#include "SqliteDatabase.h"
#include "SysPath.h"

namespace {

// Jet and ACE databases carry their engine's name at offset 4.
bool isAccessHeader(std::string_view Bytes) {
  return Bytes.size() >= 19 && (Bytes.substr(4, 15) == "Standard Jet DB" || Bytes.substr(4, 15) == "Standard ACE DB");
}

}  // namespace

TDatabaseFileKind DatabaseFileKind(const AnsiString& FileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(ToSysPath(FileName), ec)) return dfkNone;
  std::ifstream file(ToSysPath(FileName), std::ios::binary);
  std::string head(32, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(file.gcount()));
  if (IsSqliteHeader(head)) return dfkSqlite;
  if (isAccessHeader(head)) return dfkAccess;
  return dfkOther;
}
