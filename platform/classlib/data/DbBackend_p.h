// Internal to the data access layer: the backend a connection string opens.
//
// The provider must be the Jet 4.0 or ACE 12.0 one (else EDatabaseError "Provider cannot be
// found. It may not be properly installed."). Extended Properties names the kind of a folder or
// file source: "dBASE ..." the dBASE tables of the folder Data Source, "text;HDR=...;FMT=..."
// the text files of the folder, "Excel ..." the workbook Data Source. Without them Data Source
// is a database file whose first bytes tell its kind: a SQLite database (what this platform
// writes for Access targets) or an Access database; any other file raises "Unrecognized
// database format 'FILE'.", a missing one "Could not find file 'FILE'.".
#pragma once

#include <memory>

#include "ConnectionString_p.h"
#include "DbTypes.h"

std::unique_ptr<TDbSource> OpenDbBackend(const TConnectionString& Params);
// Raises the provider error unless Params names a provider this platform stands in for.
void CheckDbProvider(const TConnectionString& Params);
