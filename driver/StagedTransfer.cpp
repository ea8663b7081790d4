// Reads and writes longer than one transfer: 8192-byte stages, all queued to the bus at once so
// that it always holds the whole request. Each stage maps its part of the caller's locked
// buffer through a partial MDL and travels in a request of the driver's own; the caller's
// request completes when the last stage has.
//
// The stage records, their requests and URBs live until the transfer finishes, so that the
// cancel walk can reach any stage request without racing its completion.
#include "vxdriver.h"

namespace {

ULONG StageSize(ULONG Length, ULONG Stage)
{
    ULONG offset = Stage * VXDRIVER_STAGE_SIZE;
    return Length - offset < VXDRIVER_STAGE_SIZE ? Length - offset : VXDRIVER_STAGE_SIZE;
}

// Builds one stage: its request, its partial MDL over the caller's buffer and its URB.
NTSTATUS BuildStage(PDEVICE_OBJECT DeviceObject, PIRP Irp, PUSBD_PIPE_INFORMATION Pipe, BOOLEAN Read, ULONG Length,
                    ULONG Stage, PSTAGE_CONTEXT Record)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PVOID va = MmGetMdlVirtualAddress(Irp->MdlAddress);

    PIRP stageIrp = IoAllocateIrp((CCHAR)(ext->TopOfStackDevice->StackSize + 1), FALSE);
    if (!stageIrp)
        return STATUS_INSUFFICIENT_RESOURCES;
    PMDL mdl = IoAllocateMdl(va, Length, FALSE, FALSE, stageIrp); // becomes the stage request's MDL
    if (!mdl) {
        IoFreeIrp(stageIrp);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    IoBuildPartialMdl(Irp->MdlAddress, mdl, (PCHAR)va + Stage * VXDRIVER_STAGE_SIZE, StageSize(Length, Stage));
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER));
    if (!urb) {
        stageIrp->MdlAddress = nullptr;
        IoFreeMdl(mdl);
        IoFreeIrp(stageIrp);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    SetUpTransfer(stageIrp, urb, Pipe, mdl, MmGetMdlByteCount(mdl), Read, StageTransferCompletion, Record);

    // The cancel walk reads the records under the lock.
    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    Record->Urb = urb;
    Record->DeviceObject = DeviceObject;
    Record->Irp = stageIrp;
    Record->Mdl = mdl;
    KeReleaseSpinLock(&ext->TransferLock, irql);
    return STATUS_SUCCESS;
}

// Completes the staged request once no stage is outstanding, and frees the stages. Called
// with TransferLock held.
//
// Each stage lands at its own offset in the caller's buffer. The count reported is the part
// that holds the data in order: the stages up to and including the first one that moved less
// than its size. What later stages moved sits behind a gap and is not counted. A transfer none
// of whose stages went down is finished here only by a cancel walk, which runs when the device
// stops or goes away.
void FinishStagedTransfer(PDEVICE_EXTENSION Extension)
{
    PSTAGE_CONTEXT records = Extension->StageContexts;
    PIRP irp = Extension->StagedIrp;
    ULONG length = MmGetMdlByteCount(irp->MdlAddress);
    NTSTATUS status = records[0].Irp ? STATUS_SUCCESS : STATUS_DELETE_PENDING;
    ULONG inOrder = 0;
    BOOLEAN gap = FALSE;
    for (ULONG k = 0; records[k].Irp; ++k) {
        ULONG size = StageSize(length, k);
        ULONG moved = records[k].Urb->UrbBulkOrInterruptTransfer.TransferBufferLength;
        if (moved > size)
            moved = size;
        if (!gap)
            inOrder += moved;
        if (moved < size)
            gap = TRUE;
        FreePool(records[k].Urb);
        IoFreeIrp(records[k].Irp);
    }
    FreePool(records);
    Extension->StageContexts = nullptr;
    Extension->StagedIrp = nullptr;
    CompleteRequest(irp, status, inOrder);
    KeSetEvent(&Extension->StagesDoneEvent, IO_NO_INCREMENT, FALSE);
}

} // namespace

NTSTATUS StagedTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read, ULONG Length)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PUSBD_PIPE_INFORMATION pipe = (PUSBD_PIPE_INFORMATION)IoGetCurrentIrpStackLocation(Irp)->FileObject->FsContext;
    ULONG stages = Length / VXDRIVER_STAGE_SIZE + (Length % VXDRIVER_STAGE_SIZE != 0);

    // One record per stage and an empty one that ends the array.
    PSTAGE_CONTEXT records = (PSTAGE_CONTEXT)AllocateZeroedPool(((SIZE_T)stages + 1) * sizeof(STAGE_CONTEXT));
    if (!records)
        return CompleteRequest(Irp, STATUS_INSUFFICIENT_RESOURCES, 0);

    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    if (ext->StageContexts) {
        // The staged-transfer fields are single slots: a second staged transfer while one is
        // in flight is refused rather than overwrite them.
        KeReleaseSpinLock(&ext->TransferLock, irql);
        FreePool(records);
        return CompleteRequest(Irp, STATUS_DEVICE_BUSY, 0);
    }
    ext->StageContexts = records;
    ext->StagedIrp = Irp;
    ext->StagedBytes = 0;
    ext->StagesPending = (LONG)stages;
    KeClearEvent(&ext->StagesDoneEvent);
    KeReleaseSpinLock(&ext->TransferLock, irql);

    NTSTATUS status = STATUS_SUCCESS;
    ULONG sent = 0;
    while (sent < stages) {
        if (!CanAcceptIo(ext)) {
            status = STATUS_DELETE_PENDING;
            break;
        }
        status = BuildStage(DeviceObject, Irp, pipe, Read, Length, sent, &records[sent]);
        if (!NT_SUCCESS(status))
            break;
        // Once a stage is out its completion may finish the caller's request on another
        // thread, so the request is marked pending before the first one goes down.
        if (sent == 0)
            IoMarkIrpPending(Irp);
        PIRP stageIrp = records[sent].Irp;
        ++sent;
        IncrementIoCount(DeviceObject);
        status = IofCallDriver(ext->TopOfStackDevice, stageIrp);
        if (!NT_SUCCESS(status))
            break; // refused at once: its completion has run
        status = STATUS_SUCCESS;
    }

    if (!NT_SUCCESS(status) && CanAcceptIo(ext)) {
        if (!NT_SUCCESS(ResetPipe(DeviceObject, pipe)))
            ResetDevice(DeviceObject);
    }

    if (sent == stages)
        return STATUS_PENDING;

    // The stages never sent will not complete: they are taken off the count, and the stages
    // that were sent finish the request with what they moved (here, if they all have).
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    ext->StagesPending -= (LONG)(stages - sent);
    BOOLEAN finished = ext->StagesPending == 0;
    if (finished && sent == 0) {
        // Nothing went down: the request fails here with the reason.
        ext->StageContexts = nullptr;
        ext->StagedIrp = nullptr;
        KeSetEvent(&ext->StagesDoneEvent, IO_NO_INCREMENT, FALSE);
        KeReleaseSpinLock(&ext->TransferLock, irql);
        FreePool(records);
        return CompleteRequest(Irp, status, 0);
    }
    if (finished)
        FinishStagedTransfer(ext);
    else if (sent == 0)
        IoMarkIrpPending(Irp); // a cancel walk holds the records and finishes the request
    KeReleaseSpinLock(&ext->TransferLock, irql);
    return STATUS_PENDING;
}

NTSTATUS StageTransferCompletion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    PSTAGE_CONTEXT record = (PSTAGE_CONTEXT)Context;
    PDEVICE_OBJECT device = record->DeviceObject;
    PDEVICE_EXTENSION ext = GetExtension(device);

    // The stage's own status is not examined: a failed or cancelled stage counts as a short one.
    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    ext->StagesPending--;
    ULONG moved = record->Urb->UrbBulkOrInterruptTransfer.TransferBufferLength;
    Irp->IoStatus.Information = moved;
    ext->StagedBytes += moved;
    Irp->MdlAddress = nullptr;
    IoFreeMdl(record->Mdl);
    record->Mdl = nullptr;
    if (ext->StagesPending == 0)
        FinishStagedTransfer(ext);
    KeReleaseSpinLock(&ext->TransferLock, irql);

    DecrementIoCount(device); // last: a removal may delete the device once the count is released
    return STATUS_MORE_PROCESSING_REQUIRED;
}

// Cancels the stage requests of the staged transfer in flight. The walk holds one extra pending
// stage, so the last completion cannot finish the transfer and free the records while it reads
// them; the walk's own release finishes it if the stages are all done by then. Waits for the
// transfer to finish when a cancel was accepted.
ULONG CancelPendingStages(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    PSTAGE_CONTEXT records = ext->StageContexts;
    if (!records) {
        KeReleaseSpinLock(&ext->TransferLock, irql);
        return 0;
    }
    ext->StagesPending++;
    KeReleaseSpinLock(&ext->TransferLock, irql);

    // The walk ends at the first record without a request: the terminator, or a stage the
    // sender has not built yet (it stops sending once the device no longer accepts I/O).
    ULONG cancelled = 0;
    for (ULONG k = 0;; ++k) {
        KeAcquireSpinLock(&ext->TransferLock, &irql);
        PIRP stageIrp = records[k].Irp;
        BOOLEAN completed = records[k].Mdl == nullptr;
        KeReleaseSpinLock(&ext->TransferLock, irql);
        if (!stageIrp)
            break;
        // Cancelling runs the bus driver's cancel routine, which may complete the stage at
        // once; its completion takes TransferLock, so the lock is not held here.
        if (!completed && IoCancelIrp(stageIrp))
            ++cancelled;
    }

    KeAcquireSpinLock(&ext->TransferLock, &irql);
    ext->StagesPending--;
    if (ext->StagesPending == 0)
        FinishStagedTransfer(ext);
    KeReleaseSpinLock(&ext->TransferLock, irql);

    if (cancelled != 0)
        KeWaitForSingleObject(&ext->StagesDoneEvent, Executive, KernelMode, FALSE, nullptr);
    return cancelled;
}
