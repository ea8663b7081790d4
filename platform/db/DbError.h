// The one way the backends report a file they cannot read: EDatabaseError whose message names
// the file and the reason ("/data/a.dbf: the header is shorter than 33 bytes").
#pragma once

#include <string_view>

#include "DbTypes.h"

[[noreturn]] void RaiseDbError(std::string_view FileName, std::string_view Reason);
