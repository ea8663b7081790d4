// The class library core as a module: its start-up and shut-down.
//
// Initialisation takes the ANSI code page from HHM_CODEPAGE (a value that names no code page
// this system converts is reported on the standard error stream and 936 is used) and makes the
// calling thread the main thread. Finalisation asks every thread still running to terminate
// and waits for them a short while (see FinalizeThreads in TThread.h). Every other module uses
// this one, so it comes first in a TUnitList.
#pragma once

#include "TUnitList.h"

void ClasslibCoreInitialize();
void ClasslibCoreFinalize();

inline constexpr TUnitEntry ClasslibCoreUnit{"ClasslibCore", &ClasslibCoreInitialize, &ClasslibCoreFinalize};

// How long finalisation waits for running threads to notice Terminated, in milliseconds.
inline constexpr int ThreadShutdownTimeout = 5000;
