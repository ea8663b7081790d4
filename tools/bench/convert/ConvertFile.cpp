// convert-file SOURCE TYPE [SETTINGS]: converts one file with the program's conversion service
// (TdmUtils::ConvertFile) as the program does after an upload or before a download, and prints
// the time it took. TYPE is one of ALL TXT CSV MDB XLS XML NONE DBF; SETTINGS is the settings
// file whose section TEXTFORMAT the ".txt" conversions read (default: none, the defaults).
//
// Exit status 0 after a conversion that succeeded; 1, with LastError (or the message of what
// was raised) on standard error, after one that failed; 2 for wrong arguments.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "DataExportUnit.h"
#include "Forms.h"
#include "StringRoutines.h"
#include "TUnitList.h"
#include "uFileConvert.h"

namespace {

bool typeOf(const std::string& Name, TConvertType& Type) {
  for (int i = 0; i < ConvertTypeCount; ++i)
    if (SameText(ConvertTypeName(static_cast<TConvertType>(i)), Name)) {
      Type = static_cast<TConvertType>(i);
      return true;
    }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  TConvertType type{};
  if (argc < 3 || argc > 4 || !typeOf(argv[2], type)) {
    std::fprintf(stderr, "usage: convert-file SOURCE ALL|TXT|CSV|MDB|XLS|XML|NONE|DBF [SETTINGS]\n");
    return 2;
  }
  // The data module lives among the GUI's components; no window is shown.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit, DataExportUnit});
  units.Initialize();
  int status = 0;
  {
    auto* module = NewDataModule<TdmUtils>(nullptr);
    module->SetSettingsFile(argc == 4 ? argv[3] : "");
    const auto start = std::chrono::steady_clock::now();
    bool ok = false;
    try {
      ok = module->ConvertFile(argv[1], type);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      status = 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (status == 0 && !ok) {
      std::fprintf(stderr, "%s\n", module->LastError().c_str());
      status = 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%s %s %.1f ms, peak %.1f MiB%s\n", argv[1], argv[2], ms, usage.ru_maxrss / 1024.0,
                status == 0 ? "" : " (failed)");
    delete module;
  }
  units.Finalize();
  return status;
}
