// Requests: allocation, the stack of locations, passing down, completion with completion
// routines (STATUS_MORE_PROCESSING_REQUIRED stops it, as in the kernel), and cancellation.
#include <cstring>

#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmIrp_p.h"
#include "WdmPool.h"

namespace {

constexpr ULONG IrpMagic = 0x21707249;   // "Irp!"
constexpr ULONG FreedIrpMagic = 0x64707249; // "Irpd"

KSPIN_LOCK CancelSpinLock = 0;

TWdmIrpPrivate* PrivateOf(PIRP Irp)
{
    return reinterpret_cast<TWdmIrpPrivate*>(reinterpret_cast<unsigned char*>(Irp + 1) +
                                             static_cast<SIZE_T>(Irp->StackCount) * sizeof(IO_STACK_LOCATION));
}

SIZE_T IrpBytes(CCHAR StackSize)
{
    return sizeof(IRP) + static_cast<SIZE_T>(StackSize) * sizeof(IO_STACK_LOCATION) + sizeof(TWdmIrpPrivate);
}

// The request has been completed past its top location without an owner taking it back: only
// requests the I/O manager built itself end here.
void FinishThreadedIrp(PIRP Irp)
{
    if (!WdmIrpPrivate(Irp).Threaded)
        WdmBugCheck("a request allocated with IoAllocateIrp was completed past its top location "
                    "(its completion routine must return STATUS_MORE_PROCESSING_REQUIRED)");
    PIO_STATUS_BLOCK ioStatus = Irp->UserIosb;
    PKEVENT event = Irp->UserEvent;
    if (ioStatus)
        *ioStatus = Irp->IoStatus;
    IoFreeIrp(Irp);
    if (event)
        KeSetEvent(event, IO_NO_INCREMENT, FALSE);
}

} // namespace

TWdmIrpPrivate& WdmIrpPrivate(PIRP Irp)
{
    if (!Irp)
        WdmBugCheck("null request");
    TWdmIrpPrivate* priv = PrivateOf(Irp);
    if (priv->Magic != IrpMagic)
        WdmBugCheck(priv->Magic == FreedIrpMagic ? "use of a freed request" : "not a request");
    return *priv;
}

extern "C" PIRP IoAllocateIrp(CCHAR StackSize, BOOLEAN ChargeQuota)
{
    (void)ChargeQuota;
    if (StackSize < 1)
        WdmBugCheck("IoAllocateIrp with no stack location");
    if (WdmCallFails(TWdmCall::AllocateIrp))
        return nullptr;
    SIZE_T bytes = IrpBytes(StackSize);
    auto* irp = static_cast<PIRP>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("Irp ")));
    if (!irp)
        return nullptr;
    std::memset(static_cast<void*>(irp), 0, bytes);
    irp->Type = 6; // IO_TYPE_IRP
    irp->Size = static_cast<USHORT>(bytes);
    irp->StackCount = StackSize;
    irp->CurrentLocation = static_cast<CHAR>(StackSize + 1);
    irp->Tail.Overlay.CurrentStackLocation = reinterpret_cast<PIO_STACK_LOCATION>(irp + 1) + StackSize;
    PrivateOf(irp)->Magic = IrpMagic;
    return irp;
}

extern "C" void IoFreeIrp(PIRP Irp)
{
    TWdmIrpPrivate& priv = WdmIrpPrivate(Irp);
    if (Irp->CancelRoutine)
        WdmBugCheck("IoFreeIrp of a request that still has a cancel routine");
    priv.Magic = FreedIrpMagic;
    ExFreePoolWithTag(Irp, WdmTag("Irp "));
}

extern "C" NTSTATUS IofCallDriver(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    WdmIrpPrivate(Irp);
    if (!DeviceObject)
        WdmBugCheck("IofCallDriver to no device");
    if (Irp->CurrentLocation <= 1)
        WdmBugCheck("no more stack locations in the request");
    IoSetNextIrpStackLocation(Irp);
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    stack->DeviceObject = DeviceObject;
    if (stack->MajorFunction > IRP_MJ_MAXIMUM_FUNCTION)
        WdmBugCheck("request with an invalid major function");
    return DeviceObject->DriverObject->MajorFunction[stack->MajorFunction](DeviceObject, Irp);
}

extern "C" void IofCompleteRequest(PIRP Irp, CCHAR PriorityBoost)
{
    (void)PriorityBoost;
    WdmIrpPrivate(Irp);
    if (Irp->IoStatus.Status == STATUS_PENDING)
        WdmBugCheck("request completed with STATUS_PENDING");
    if (Irp->CurrentLocation > Irp->StackCount)
        WdmBugCheck("request completed twice, or completed without having been sent");
    if (Irp->CancelRoutine)
        WdmBugCheck("request completed with its cancel routine still set");

    // Each location is left in turn; the completion routine stored in it (by the driver above)
    // runs as the request leaves it.
    for (;;) {
        PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
        Irp->PendingReturned = (stack->Control & SL_PENDING_RETURNED) != 0;
        PIO_COMPLETION_ROUTINE routine = stack->CompletionRoutine;
        PVOID context = stack->Context;
        UCHAR control = stack->Control;
        std::memset(static_cast<void*>(stack), 0, sizeof(IO_STACK_LOCATION));
        IoSkipCurrentIrpStackLocation(Irp);

        NTSTATUS status = Irp->IoStatus.Status;
        bool invoke = routine && ((NT_SUCCESS(status) && (control & SL_INVOKE_ON_SUCCESS)) ||
                                  (!NT_SUCCESS(status) && (control & SL_INVOKE_ON_ERROR)) ||
                                  (Irp->Cancel && (control & SL_INVOKE_ON_CANCEL)));
        bool atTop = Irp->CurrentLocation > Irp->StackCount;
        if (invoke) {
            PDEVICE_OBJECT device = atTop ? nullptr : IoGetCurrentIrpStackLocation(Irp)->DeviceObject;
            if (routine(device, Irp, context) == STATUS_MORE_PROCESSING_REQUIRED)
                return; // the routine's driver owns the request again; it may be gone already
        } else if (Irp->PendingReturned && !atTop) {
            IoMarkIrpPending(Irp);
        }
        if (Irp->CurrentLocation > Irp->StackCount)
            break;
    }
    FinishThreadedIrp(Irp);
}

extern "C" void IoAcquireCancelSpinLock(PKIRQL Irql)
{
    *Irql = KeAcquireSpinLockRaiseToDpc(&CancelSpinLock);
}

extern "C" void IoReleaseCancelSpinLock(KIRQL Irql)
{
    KeReleaseSpinLock(&CancelSpinLock, Irql);
}

extern "C" BOOLEAN IoCancelIrp(PIRP Irp)
{
    WdmIrpPrivate(Irp);
    KIRQL irql;
    IoAcquireCancelSpinLock(&irql);
    Irp->Cancel = TRUE;
    PDRIVER_CANCEL routine = IoSetCancelRoutine(Irp, nullptr);
    if (!routine) {
        IoReleaseCancelSpinLock(irql);
        return FALSE;
    }
    Irp->CancelIrql = irql;
    PDEVICE_OBJECT device =
        Irp->CurrentLocation <= Irp->StackCount ? IoGetCurrentIrpStackLocation(Irp)->DeviceObject : nullptr;
    routine(device, Irp); // releases the cancel spin lock
    return TRUE;
}

extern "C" PIRP IoBuildDeviceIoControlRequest(ULONG IoControlCode, PDEVICE_OBJECT DeviceObject, PVOID InputBuffer,
                                              ULONG InputBufferLength, PVOID OutputBuffer, ULONG OutputBufferLength,
                                              BOOLEAN InternalDeviceIoControl, PKEVENT Event,
                                              PIO_STATUS_BLOCK IoStatusBlock)
{
    // Buffered and direct methods would need a system buffer or an MDL; the USB bus driver's
    // internal requests all pass their arguments directly.
    if ((IoControlCode & 3) != METHOD_NEITHER)
        WdmBugCheck("IoBuildDeviceIoControlRequest: only METHOD_NEITHER control codes are supported");
    if (WdmCallFails(TWdmCall::BuildIoctlRequest))
        return nullptr;
    PIRP irp = IoAllocateIrp(DeviceObject->StackSize, FALSE);
    if (!irp)
        return nullptr;
    WdmIrpPrivate(irp).Threaded = true;
    PIO_STACK_LOCATION next = IoGetNextIrpStackLocation(irp);
    next->MajorFunction = InternalDeviceIoControl ? IRP_MJ_INTERNAL_DEVICE_CONTROL : IRP_MJ_DEVICE_CONTROL;
    next->Parameters.DeviceIoControl.IoControlCode = IoControlCode;
    next->Parameters.DeviceIoControl.InputBufferLength = InputBufferLength;
    next->Parameters.DeviceIoControl.OutputBufferLength = OutputBufferLength;
    next->Parameters.DeviceIoControl.Type3InputBuffer = InputBuffer;
    irp->UserBuffer = OutputBuffer;
    irp->UserIosb = IoStatusBlock;
    irp->UserEvent = Event;
    return irp;
}
