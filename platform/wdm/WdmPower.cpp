// The power manager's side of power requests: passing them on, starting the next one, and the
// device power requests it makes for a driver (PoRequestPowerIrp).
#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmIrp_p.h"
#include "WdmPool.h"

namespace {

// What the power manager remembers about a request it made, until its callback has run.
struct TPowerRequest {
    PDEVICE_OBJECT Target;
    UCHAR MinorFunction;
    POWER_STATE State;
    PREQUEST_POWER_COMPLETE Callback;
    PVOID Context;
};

NTSTATUS PowerRequestDone(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    auto* request = static_cast<TPowerRequest*>(Context);
    if (!WdmIrpPrivate(Irp).PowerStarted)
        WdmReportViolation("power request completed without PoStartNextPowerIrp");
    IO_STATUS_BLOCK ioStatus = Irp->IoStatus;
    IoFreeIrp(Irp);
    if (request->Callback)
        request->Callback(request->Target, request->MinorFunction, request->State, request->Context, &ioStatus);
    ExFreePoolWithTag(request, WdmTag("PoRq"));
    return STATUS_MORE_PROCESSING_REQUIRED;
}

} // namespace

extern "C" NTSTATUS PoCallDriver(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    if (IoGetNextIrpStackLocation(Irp)->MajorFunction != IRP_MJ_POWER)
        WdmBugCheck("PoCallDriver with a request that is not a power request");
    return IofCallDriver(DeviceObject, Irp);
}

extern "C" void PoStartNextPowerIrp(PIRP Irp)
{
    WdmIrpPrivate(Irp).PowerStarted = true;
}

extern "C" NTSTATUS PoRequestPowerIrp(PDEVICE_OBJECT DeviceObject, UCHAR MinorFunction, POWER_STATE PowerState,
                                      PREQUEST_POWER_COMPLETE CompletionFunction, PVOID Context, PIRP* Irp)
{
    if (MinorFunction != IRP_MN_SET_POWER && MinorFunction != IRP_MN_QUERY_POWER && MinorFunction != IRP_MN_WAIT_WAKE)
        return STATUS_INVALID_PARAMETER_2;
    if (WdmCallFails(TWdmCall::RequestPowerIrp))
        return STATUS_INSUFFICIENT_RESOURCES;

    PDEVICE_OBJECT top = IoGetAttachedDevice(DeviceObject);
    auto* request = static_cast<TPowerRequest*>(ExAllocatePoolWithTag(NonPagedPool, sizeof(TPowerRequest), WdmTag("PoRq")));
    if (!request)
        return STATUS_INSUFFICIENT_RESOURCES;
    *request = {DeviceObject, MinorFunction, PowerState, CompletionFunction, Context};
    // One location more than the stack needs, for the power manager's own completion routine.
    PIRP irp = IoAllocateIrp(static_cast<CCHAR>(top->StackSize + 1), FALSE);
    if (!irp) {
        ExFreePoolWithTag(request, WdmTag("PoRq"));
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    IoSetNextIrpStackLocation(irp);
    IoGetCurrentIrpStackLocation(irp)->DeviceObject = DeviceObject;

    PIO_STACK_LOCATION next = IoGetNextIrpStackLocation(irp);
    next->MajorFunction = IRP_MJ_POWER;
    next->MinorFunction = MinorFunction;
    if (MinorFunction == IRP_MN_WAIT_WAKE) {
        next->Parameters.WaitWake.PowerState = PowerState.SystemState;
    } else {
        next->Parameters.Power.Type = DevicePowerState;
        next->Parameters.Power.State = PowerState;
    }
    IoSetCompletionRoutine(irp, PowerRequestDone, request, TRUE, TRUE, TRUE);
    irp->IoStatus.Status = STATUS_NOT_SUPPORTED;
    if (Irp)
        *Irp = irp;
    PoCallDriver(top, irp);
    return STATUS_PENDING;
}
