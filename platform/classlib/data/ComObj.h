// Automation objects, as far as the export needs them: an object created by its class name
// ("ADOX.Catalog") whose methods are called by name.
//
//   std::unique_ptr<TAutomationObject> catalog = CreateOleObject("ADOX.Catalog");
//   catalog->Invoke("Create", {Variant("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/a.mdb")});
//
// Classes: "ADOX.Catalog" (TADOXCatalog: Create makes a new, empty database file, written as a
// SQLite database on this platform). No other class is registered here: "Access.Application"
// and any other name raise EOleSysError "Invalid class string", as creating the Access
// application does on a PC without Access.
//
// Errors: EOleSysError (ErrorCode CO_E_CLASSSTRING) for an unknown class; EOleException for a
// method that fails (its message is the object's) or that the object does not have ("Unknown
// name.").
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Exception.h"
#include "Variant.h"

// The class name is registered with no class.
inline constexpr std::int32_t CO_E_CLASSSTRING = static_cast<std::int32_t>(0x800401F3);
// The object has no member of that name.
inline constexpr std::int32_t DISP_E_UNKNOWNNAME = static_cast<std::int32_t>(0x80020006);
// A method failed; its message says why.
inline constexpr std::int32_t DISP_E_EXCEPTION = static_cast<std::int32_t>(0x80020009);

class EOleError : public Exception {
public:
  using Exception::Exception;
};

class EOleSysError : public EOleError {
public:
  EOleSysError(AnsiString Message, std::int32_t ErrorCode) : EOleError(std::move(Message)), ErrorCode(ErrorCode) {}
  std::int32_t ErrorCode;
};

class EOleException : public EOleSysError {
public:
  EOleException(AnsiString Message, std::int32_t ErrorCode, AnsiString Source)
      : EOleSysError(std::move(Message), ErrorCode), Source(std::move(Source)) {}
  AnsiString Source;
};

class TAutomationObject {
public:
  virtual ~TAutomationObject() = default;
  // Calls the method Name with Args; raises EOleException for an unknown name.
  virtual Variant Invoke(const AnsiString& Name, const std::vector<Variant>& Args) = 0;
};

// "ADOX.Catalog": Create(ConnectionString) makes the database file that the connection
// string's Data Source names, for the Jet 4.0 or ACE 12.0 provider. A file that exists already,
// or one that cannot be created, raises EOleException with the reason.
class TADOXCatalog : public TAutomationObject {
public:
  void Create(const AnsiString& ConnectionString);
  Variant Invoke(const AnsiString& Name, const std::vector<Variant>& Args) override;
};

std::unique_ptr<TAutomationObject> CreateOleObject(const AnsiString& ClassName);
