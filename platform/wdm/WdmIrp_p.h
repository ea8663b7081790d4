// Private to the kernel stand-in: what the I/O manager keeps about each request beyond the
// IRP's public fields. It sits after the request's stack locations.
#pragma once

#include "wdm.h"

struct TWdmIrpPrivate {
    ULONG Magic;
    bool Threaded;       // built by IoBuildDeviceIoControlRequest: the I/O manager finishes it
    bool PowerStarted;   // PoStartNextPowerIrp was called for it
};

// The private part of a request allocated by IoAllocateIrp; stops the process for anything else.
TWdmIrpPrivate& WdmIrpPrivate(PIRP Irp);
