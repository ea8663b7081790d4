// The export library as a module: its start-up and shut-down.
//
// Initialisation takes the library's default date, time, date-time and currency formats from
// the process's locale settings (ExportDefaultFormats.h) and registers the library's messages
// with the language manager (ExportMessages.h), whose module it initialises too. Finalisation
// undoes both. The class library's modules come first in a TUnitList.
#pragma once

#include "TUnitList.h"

void DataExportInitialize();
void DataExportFinalize();

inline constexpr TUnitEntry DataExportUnit{"DataExport", &DataExportInitialize, &DataExportFinalize};
