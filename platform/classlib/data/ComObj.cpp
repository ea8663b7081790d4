#include "ComObj.h"

#include "ConnectionString_p.h"
#include "DbBackend_p.h"
#include "DbTypes.h"
#include "SqliteDatabase.h"
#include "StringRoutines.h"

namespace {

constexpr const char* CatalogSource = "Microsoft ADOX";

}  // namespace

void TADOXCatalog::Create(const AnsiString& ConnectionString) {
  try {
    TConnectionString params(ConnectionString);
    CheckDbProvider(params);
    const AnsiString file = params.Value("Data Source");
    if (file.empty()) throw EDatabaseError("No database file given");
    CreateSqliteDatabase(file);
  } catch (const EDatabaseError& e) {
    throw EOleException(e.Message(), DISP_E_EXCEPTION, CatalogSource);
  }
}

Variant TADOXCatalog::Invoke(const AnsiString& Name, const std::vector<Variant>& Args) {
  if (SameText(Name, "Create") && Args.size() == 1) {
    Create(VarToStr(Args[0]));
    return {};
  }
  throw EOleException("Unknown name.", DISP_E_UNKNOWNNAME, CatalogSource);
}

std::unique_ptr<TAutomationObject> CreateOleObject(const AnsiString& ClassName) {
  if (SameText(ClassName, "ADOX.Catalog")) return std::make_unique<TADOXCatalog>();
  throw EOleSysError("Invalid class string", CO_E_CLASSSTRING);
}
