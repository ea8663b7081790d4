// Injected failures: the seams through which tests make kernel services fail, so that every
// error path of a driver can be driven.
//
// A fault is armed with the number of calls to let through first; the next call fails, once.
// Faults are cleared by WdmClearFaults() (and WdmResetDiagnostics()).
#pragma once

#include "wdm.h"

enum class TWdmCall {
    AllocateIrp,        // IoAllocateIrp returns none
    AllocateMdl,        // IoAllocateMdl returns none
    BuildIoctlRequest,  // IoBuildDeviceIoControlRequest returns none
    CreateDevice,       // IoCreateDevice fails with STATUS_INSUFFICIENT_RESOURCES
    AttachDevice,       // IoAttachDeviceToDeviceStack returns none
    RegisterInterface,  // IoRegisterDeviceInterface fails with STATUS_INVALID_PARAMETER
    SetInterfaceState,  // IoSetDeviceInterfaceState fails with STATUS_OBJECT_NAME_NOT_FOUND
    RequestPowerIrp,    // PoRequestPowerIrp fails with STATUS_INSUFFICIENT_RESOURCES
};

void WdmFailCall(TWdmCall call, unsigned passFirst = 0);

// The allocation under Tag after passFirst successful ones returns none.
void WdmFailPoolAllocation(ULONG Tag, unsigned passFirst = 0);

void WdmClearFaults();

// Used by the stand-in: true when this call is to fail.
bool WdmCallFails(TWdmCall call);
bool WdmPoolAllocationFails(ULONG Tag);
