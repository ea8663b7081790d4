#include "DbBackend_p.h"

#include "DatabaseFileKind.h"
#include "DbaseSource.h"
#include "MdbSource.h"
#include "SqliteDatabase.h"
#include "StringRoutines.h"
#include "TextSource.h"
#include "XlsSource.h"

namespace {

bool startsWithText(const AnsiString& Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() && SameText(std::string_view(Text).substr(0, Prefix.size()), Prefix);
}

std::unique_ptr<TDbSource> openDatabaseFile(const AnsiString& FileName) {
  switch (DatabaseFileKind(FileName)) {
    case dfkNone: throw EDatabaseError("Could not find file '" + FileName + "'.");
    case dfkSqlite: return OpenSqliteDatabase(FileName);
    case dfkAccess: return OpenMdbSource(FileName);
    default: throw EDatabaseError("Unrecognized database format '" + FileName + "'.");
  }
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
