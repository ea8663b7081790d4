#include "uThreadConvert.h"

#include <algorithm>

#include "FileNames.h"
#include "StringRoutines.h"
#include "TFileLoop.h"
#include "uConstStrings.h"
#include "uFileConvert.h"
#include "uThread.h"

namespace {

void tellFailure(const AnsiString& File, const AnsiString& Reason) {
  PostInfoMessage("Convert File Type Error:" + ExtractFileName(File) + ": " + Reason);
}

}  // namespace

void TTransferNames::Failed(const AnsiString& Name) {
  const auto it = std::find(names_.begin(), names_.end(), Name);
  if (it != names_.end()) names_.erase(it);
}

bool TTransferNames::Holds(const AnsiString& Name) const {
  return std::any_of(names_.begin(), names_.end(), [&](const AnsiString& n) { return SameText(n, Name); });
}

bool IsDbaseFile(const AnsiString& Name) {
  return SameText(ExtractFileExt(Name), GetFileTypeExt(TConvertType::DBF));
}

AnsiString FileToSend(const AnsiString& Path, std::uint8_t Type, TFileLoop& Loop) {
  // NONE converts nothing, and the terminal's own tables need no conversion.
  if (Type > static_cast<std::uint8_t>(TConvertType::XML) || dmUtils == nullptr || IsDbaseFile(Path)) return Path;
  const auto type = static_cast<TConvertType>(Type);
  if (type == TConvertType::ALL ? !dmUtils->IsSupportedFile(Path)
                                : LowerCase(ExtractFileExt(Path)) != GetFileTypeExt(type))
    return Path;
  if (!dmUtils->ConvertFile(Path, TConvertType::DBF)) {
    tellFailure(Path, dmUtils->LastError());
    Loop.Fail();
    return Path;
  }
  return ConvertedFileName(Path, GetFileTypeExt(TConvertType::DBF));
}

TConvertOutcome ConvertReceived(const AnsiString& Path, std::uint8_t Type, const TTransferNames& Keep) {
  if (Type >= ConvertTypeCount || dmUtils == nullptr || !IsDbaseFile(Path)) return TConvertOutcome::Converted;
  TConvertOutcome outcome = TConvertOutcome::Converted;
  for (TConvertType target : ConvertTargets(static_cast<TConvertType>(Type))) {
    const AnsiString name = ExtractFileName(ConvertedFileName(Path, GetFileTypeExt(target)));
    // A target named as the source is the source itself, which a conversion never writes.
    if (!SameText(name, ExtractFileName(Path)) && Keep.Holds(name)) {
      tellFailure(Path, ERR_FILE_EXISTED + name);
      outcome = TConvertOutcome::TargetLeftOut;
      continue;
    }
    if (!dmUtils->ConvertFile(Path, target)) {
      tellFailure(Path, dmUtils->LastError());
      return TConvertOutcome::Failed;
    }
  }
  return outcome;
}
