// The class library's GUI layer as a module: its start-up and shut-down.
//
// Initialisation (after the core, which it initialises itself) starts the Qt application on
// the platform the environment chooses ("offscreen" in tests, the desktop otherwise) with the
// program's command line, installs the substitutes that show the Windows font names of the
// form definitions ("宋体", "隶书", "Tahoma" ...) with installed fonts, creates Screen and
// Application, starts delivering posted window messages, and wakes the event loop whenever a
// thread hands work to the main thread (TThread::Synchronize/Queue).
//
// Finalisation frees Application (and every form and component it owns), any form or data
// module still open, Screen and the Qt application, in that order, then finalises the core.
//
//   TUnitList units({ClasslibCoreUnit, ClasslibGuiUnit, ...});
#pragma once

#include "TUnitList.h"

void ClasslibGuiInitialize();
void ClasslibGuiFinalize();

inline constexpr TUnitEntry ClasslibGuiUnit{"ClasslibGui", &ClasslibGuiInitialize, &ClasslibGuiFinalize};

// The command line the Qt application and Application->Initialize see (options such as
// "--screenshot FILE"). Call before initialisation; without it the process's own command line
// is used.
void SetGuiArguments(int argc, char** argv);
