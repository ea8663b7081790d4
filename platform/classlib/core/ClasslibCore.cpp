#include "ClasslibCore.h"

#include <cstdio>
#include <cstdlib>

#include "CodePage.h"
#include "TThread.h"
#include "TUnitGuard.h"

namespace {
TUnitGuard unitGuard;
}

void ClasslibCoreInitialize() {
  unitGuard.Initialize([] {
    if (!LoadACPSetting())
      std::fprintf(stderr, "HHM_CODEPAGE=%s is not a code page this program can convert; using 936\n",
                   std::getenv("HHM_CODEPAGE"));
    SetMainThreadID(GetCurrentThreadId());
  });
}

void ClasslibCoreFinalize() {
  unitGuard.Finalize([] { FinalizeThreads(ThreadShutdownTimeout); });
}
