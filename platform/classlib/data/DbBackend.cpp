#include "DbBackend_p.h"

#include <filesystem>
#include <fstream>

#include "DbaseSource.h"
#include "MdbSource.h"
#include "SqliteDatabase.h"
#include "StringRoutines.h"
#include "SysPath.h"
#include "TextSource.h"
#include "XlsSource.h"

namespace {

bool startsWithText(const AnsiString& Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && SameText(std::string_view(Text).substr(0, Prefix.size()), Prefix);
}

// The first bytes of a file; fewer when it is shorter.
std::string firstBytes(const AnsiString& FileName, std::size_t Count) {
  std::ifstream file(ToSysPath(FileName), std::ios::binary);
  std::string bytes(Count, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(Count));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

// Jet and ACE databases carry their engine's name at offset 4.
bool isAccessHeader(std::string_view Bytes) {
  return Bytes.size() >= 19 && (Bytes.substr(4, 15) == "Standard Jet DB" || Bytes.substr(4, 15) == "Standard ACE DB");
}

std::unique_ptr<TDbSource> openDatabaseFile(const AnsiString& FileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(ToSysPath(FileName), ec))
    throw EDatabaseError("Could not find file '" + FileName + "'.");
  const std::string head = firstBytes(FileName, 32);
  if (IsSqliteHeader(head)) return OpenSqliteDatabase(FileName);
  if (isAccessHeader(head)) return OpenMdbSource(FileName);
  throw EDatabaseError("Unrecognized database format '" + FileName + "'.");
}

}  // namespace

void CheckDbProvider(const TConnectionString& Params) {
  const AnsiString provider = Params.Value("Provider");
  if (!startsWithText(provider, "Microsoft.Jet.OLEDB.") && !startsWithText(provider, "Microsoft.ACE.OLEDB."))
    throw EDatabaseError("Provider cannot be found. It may not be properly installed.");
}

std::unique_ptr<TDbSource> OpenDbBackend(const TConnectionString& Params) {
  CheckDbProvider(Params);
  const AnsiString dataSource = Params.Value("Data Source");
  const TConnectionString properties(Params.Value("Extended Properties"));
  const AnsiString kind = properties.Kind();
  if (startsWithText(kind, "dBASE")) return OpenDbaseSource(dataSource);
  if (SameText(kind, "text")) {
    const AnsiString header = properties.Value("HDR");
    const AnsiString format = properties.Value("FMT");
    return OpenTextSource(dataSource, header.empty() || SameText(header, "Yes"), format.empty() ? "Delimited" : format);
  }
  if (startsWithText(kind, "Excel")) return OpenXlsSource(dataSource);
  return openDatabaseFile(dataSource);
}
