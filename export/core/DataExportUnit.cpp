#include "DataExportUnit.h"

#include "ExportDefaultFormats.h"
#include "ExportMessages.h"
#include "FormatSettings.h"
#include "LmLangMgr.h"
#include "TUnitGuard.h"

namespace {

TUnitGuard unitGuard;

}  // namespace

void DataExportInitialize() {
  unitGuard.Initialize([] {
    LmLangMgrInitialize();
    SetExportDefaultFormats(MakeExportDefaultFormats(GetFormatSettings()));
    RegisterExportMessages();
  });
}

void DataExportFinalize() {
  unitGuard.Finalize([] {
    UnregisterExportMessages();
    SetExportDefaultFormats(TExportDefaultFormats{});
    LmLangMgrFinalize();
  });
}
