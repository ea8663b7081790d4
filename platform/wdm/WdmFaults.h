// Injected failures: the seams through which tests make kernel services fail, so that every
// error path of a driver can be driven, or hold a driver at a chosen call, so that a race with
// another thread can be played in a fixed order.
//
// A fault or hook is armed with the number of calls to let through first; the next call fails
// (or runs the hook), once. Faults and hooks are cleared by WdmClearFaults() (and
// WdmResetDiagnostics()).
#pragma once

#include <functional>

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

// Runs Action on the calling thread when the call comes, before the call does its work (and
// before an armed fault of the same call is taken). The action may block, holding the driver
// that made the call where it is.
void WdmOnCall(TWdmCall call, std::function<void()> Action, unsigned passFirst = 0);

// The allocation under Tag after passFirst successful ones returns none.
void WdmFailPoolAllocation(ULONG Tag, unsigned passFirst = 0);

void WdmClearFaults();

// Used by the stand-in: runs the hook of this call, if one is due; true when this call is to fail.
bool WdmCallFails(TWdmCall call);
bool WdmPoolAllocationFails(ULONG Tag);
