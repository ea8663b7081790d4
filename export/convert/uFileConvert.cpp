#include "uFileConvert.h"

#include <array>

#include "FileNames.h"
#include "StringRoutines.h"
#include "TypInfo.h"

DEFINE_CLASS(TdmUtils, TDataModule)

TdmUtils* dmUtils = nullptr;

namespace {

const std::array<const char*, ConvertTypeCount> typeNames = {"ALL", "TXT", "CSV", "MDB", "XLS", "XML", "NONE", "DBF"};

bool inTable(TConvertType Type) { return static_cast<int>(Type) < ConvertTypeCount; }

}  // namespace

AnsiString ConvertTypeName(TConvertType Type) {
  return inTable(Type) ? AnsiString(typeNames[static_cast<std::size_t>(Type)]) : AnsiString();
}

AnsiString GetFileTypeExt(TConvertType Type) {
  if (!inTable(Type) || Type == TConvertType::ALL || Type == TConvertType::NONE) return {};
  return "." + LowerCase(ConvertTypeName(Type));
}

AnsiString ChangeFileType(const AnsiString& FileName, TConvertType Type) {
  const AnsiString ext = GetFileTypeExt(Type);
  return ext.empty() ? FileName : ChangeFileExt(FileName, ext);
}

TdmUtils::TdmUtils(TComponent* AOwner) : TDataModule(AOwner) {
  SetName("dmUtils");
  if (dmUtils == nullptr) dmUtils = this;
}

TdmUtils::~TdmUtils() {
  if (dmUtils == this) dmUtils = nullptr;
}

bool TdmUtils::ConvertFile(const AnsiString& Source, TConvertType Type) {
  if (Type == TConvertType::NONE) return true;
  // No exporter is part of this build yet.
  FLastError = "Conversion of " + ExtractFileName(Source) + " into " +
               (inTable(Type) ? ConvertTypeName(Type) : AnsiString("an unknown type")) + " is not available yet";
  return false;
}
