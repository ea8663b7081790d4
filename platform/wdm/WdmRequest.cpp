#include "WdmRequest.h"

#include <iomanip>
#include <sstream>

#include "WdmDevice_p.h"
#include "WdmDiagnostics.h"
#include "WdmFile_p.h"
#include "WdmIrp_p.h"
#include "WdmPnpOrder_p.h"

namespace {

std::string Hex(NTSTATUS status)
{
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(8) << std::setfill('0') << static_cast<ULONG>(status);
    return text.str();
}

} // namespace

TWdmRequest::TWdmRequest(PDEVICE_OBJECT Device, UCHAR MajorFunction, UCHAR MinorFunction)
    : FTop(IoGetAttachedDevice(Device)), FPdo(WdmPhysicalDeviceOf(Device)), FMajorFunction(MajorFunction)
{
    // One location above the stack is the sender's own, for its completion routine.
    FIrp = IoAllocateIrp(static_cast<CCHAR>(FTop->StackSize + 1), FALSE);
    if (!FIrp)
        WdmBugCheck("no request for the I/O manager");
    IoSetNextIrpStackLocation(FIrp);
    PIO_STACK_LOCATION stack = Stack();
    stack->MajorFunction = MajorFunction;
    stack->MinorFunction = MinorFunction;
    IoSetCompletionRoutine(FIrp, Completion, this, TRUE, TRUE, TRUE);
    // Plug and Play and power requests start as not supported: a driver that does not handle
    // one passes it on unchanged.
    if (MajorFunction == IRP_MJ_PNP || MajorFunction == IRP_MJ_POWER)
        FIrp->IoStatus.Status = STATUS_NOT_SUPPORTED;
}

TWdmRequest::~TWdmRequest()
{
    if (FThread.joinable())
        FThread.join();
    if (!FSent) {
        IoFreeIrp(FIrp);
        return;
    }
    if (!Wait(WdmHangLimit()))
        WdmBugCheck("a request was never completed");
}

PIO_STACK_LOCATION TWdmRequest::Stack() const
{
    return IoGetNextIrpStackLocation(FIrp);
}

void TWdmRequest::BeginSend()
{
    FMinorFunction = Stack()->MinorFunction;
    WdmCheckPnpOrder(FPdo, FMajorFunction, FMinorFunction);
    FFile = Stack()->FileObject;
    if (FFile)
        WdmReferenceFile(FFile);
    FSent = true;
}

void TWdmRequest::Send()
{
    BeginSend();
    Dispatch();
}

void TWdmRequest::SendAsync()
{
    BeginSend();
    FThread = std::thread([this] { Dispatch(); });
}

void TWdmRequest::Dispatch()
{
    NTSTATUS status = FMajorFunction == IRP_MJ_POWER ? PoCallDriver(FTop, FIrp) : IofCallDriver(FTop, FIrp);
    std::lock_guard lock(FMutex);
    FDispatchReturned = true;
    FDispatchStatus = status;
    if (status != STATUS_PENDING && !FCompleted)
        WdmReportViolation("dispatch returned " + Hex(status) + " without completing the request");
    if (FCompleted)
        CheckRulesLocked();
    FChanged.notify_all();
}

NTSTATUS TWdmRequest::Completion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    auto* self = static_cast<TWdmRequest*>(Context);
    if (self->FMajorFunction == IRP_MJ_POWER && !WdmIrpPrivate(Irp).PowerStarted)
        WdmReportViolation("power request completed without PoStartNextPowerIrp");
    if (self->OnComplete)
        self->OnComplete(Irp);
    NTSTATUS status = Irp->IoStatus.Status;
    ULONG_PTR information = Irp->IoStatus.Information;
    bool pendingReturned = Irp->PendingReturned != 0;
    IoFreeIrp(Irp);
    WdmNotePnpOutcome(self->FPdo, self->FMajorFunction, self->FMinorFunction, status);
    if (self->FFile)
        WdmDereferenceFile(self->FFile);

    std::lock_guard lock(self->FMutex);
    self->FCompleted = true;
    self->FStatus = status;
    self->FInformation = information;
    self->FPendingReturned = pendingReturned;
    if (self->FDispatchReturned)
        self->CheckRulesLocked();
    self->FChanged.notify_all();
    return STATUS_MORE_PROCESSING_REQUIRED;
}

void TWdmRequest::CheckRulesLocked() const
{
    if (FDispatchStatus == STATUS_PENDING) {
        if (!FPendingReturned)
            WdmReportViolation("dispatch returned STATUS_PENDING without marking the request pending");
    } else {
        if (FPendingReturned)
            WdmReportViolation("request marked pending but dispatch returned " + Hex(FDispatchStatus));
        if (FDispatchStatus != FStatus)
            WdmReportViolation("dispatch returned " + Hex(FDispatchStatus) + " but completed the request with " +
                               Hex(FStatus));
    }
}

bool TWdmRequest::Wait(std::chrono::milliseconds Timeout)
{
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, Timeout, [this] { return FCompleted && FDispatchReturned; });
}

bool TWdmRequest::Completed() const
{
    std::lock_guard lock(FMutex);
    return FCompleted;
}

bool TWdmRequest::DispatchReturned() const
{
    std::lock_guard lock(FMutex);
    return FDispatchReturned;
}

NTSTATUS TWdmRequest::DispatchStatus() const
{
    std::lock_guard lock(FMutex);
    return FDispatchStatus;
}

NTSTATUS TWdmRequest::Status() const
{
    std::lock_guard lock(FMutex);
    return FStatus;
}

ULONG_PTR TWdmRequest::Information() const
{
    std::lock_guard lock(FMutex);
    return FInformation;
}

bool TWdmRequest::PendingReturned() const
{
    std::lock_guard lock(FMutex);
    return FPendingReturned;
}
