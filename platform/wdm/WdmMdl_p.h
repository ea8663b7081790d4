// Private to the kernel stand-in: locking a caller's buffer described by a fresh MDL, as
// MmProbeAndLockPages does for the I/O manager.
#pragma once

#include "wdm.h"

void WdmLockMdlPages(PMDL Mdl);
