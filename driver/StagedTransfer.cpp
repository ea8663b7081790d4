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

void FreeStage(const STAGE_CONTEXT& Stage)
{
    Stage.Irp->MdlAddress = nullptr;
    IoFreeMdl(Stage.Mdl);
    FreePool(Stage.Urb);
    IoFreeIrp(Stage.Irp);
}

// Builds one stage into Stage: its request, a partial MDL over its own part of the caller's
// buffer (an MDL for the whole buffer in every stage would hold pool in proportion to the
// square of the length) and its URB, whose completion gets Record as context. The stage is not
// published yet.
NTSTATUS BuildStage(PDEVICE_OBJECT DeviceObject, PIRP Irp, PUSBD_PIPE_INFORMATION Pipe, BOOLEAN Read, ULONG Length,
                    ULONG Stage, PSTAGE_CONTEXT Record, STAGE_CONTEXT* Built)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PCHAR va = (PCHAR)MmGetMdlVirtualAddress(Irp->MdlAddress) + Stage * VXDRIVER_STAGE_SIZE;
    ULONG size = StageSize(Length, Stage);

    PIRP stageIrp = IoAllocateIrp((CCHAR)(ext->TopOfStackDevice->StackSize + 1), FALSE);
    if (!stageIrp)
        return STATUS_INSUFFICIENT_RESOURCES;
    PMDL mdl = IoAllocateMdl(va, size, FALSE, FALSE, stageIrp); // becomes the stage request's MDL
    if (!mdl) {
        IoFreeIrp(stageIrp);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    IoBuildPartialMdl(Irp->MdlAddress, mdl, va, size);
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER));
    if (!urb) {
        stageIrp->MdlAddress = nullptr;
        IoFreeMdl(mdl);
        IoFreeIrp(stageIrp);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    SetUpTransfer(stageIrp, urb, Pipe, mdl, size, Read, StageTransferCompletion, Record);
    Built->Urb = urb;
    Built->DeviceObject = DeviceObject;
    Built->Irp = stageIrp;
    Built->Mdl = mdl;
    return STATUS_SUCCESS;
}

// Ends the staged transfer once no stage is outstanding: frees the stages and empties the
// slots, so that the next staged transfer may start. Called with TransferLock held; returns the
// caller's request with its outcome, to be completed by the caller once it has released the
// lock: a driver above may send its next request from its completion routine, and that request
// comes back here for the lock.
//
// Each stage lands at its own offset in the caller's buffer. The count reported is the part
// that holds the data in order: the stages up to and including the first one that moved less
// than its size. What later stages moved sits behind a gap and is not counted. A transfer none
// of whose stages went down is ended here only by a cancel walk, which runs when the device
// stops or goes away.
PIRP EndStagedTransfer(PDEVICE_EXTENSION Extension, NTSTATUS* Status, ULONG* Information)
{
    PSTAGE_CONTEXT records = Extension->StageContexts;
    PIRP irp = Extension->StagedIrp;
    ULONG length = MmGetMdlByteCount(irp->MdlAddress);
    *Status = records[0].Irp ? STATUS_SUCCESS : STATUS_DELETE_PENDING;
    ULONG inOrder = 0;
    BOOLEAN gap = FALSE;
    for (ULONG k = 0; records[k].Irp; ++k) {
        ULONG size = StageSize(length, k);
        ULONG moved = records[k].Urb->UrbBulkOrInterruptTransfer.TransferBufferLength; // as counted on completion
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
    // Set under the lock: the event then says that the slots are free, and no later transfer
    // can have cleared it first.
    KeSetEvent(&Extension->StagesDoneEvent, IO_NO_INCREMENT, FALSE);
    *Information = inOrder;
    return irp;
}

} // namespace

NTSTATUS StagedTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read, ULONG Length)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PUSBD_PIPE_INFORMATION pipe = PipeOf(Irp);
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
    ext->StagesCancelled = FALSE;
    KeClearEvent(&ext->StagesDoneEvent);
    KeReleaseSpinLock(&ext->TransferLock, irql);

    NTSTATUS status = STATUS_SUCCESS;
    ULONG sent = 0;
    while (sent < stages) {
        STAGE_CONTEXT stage;
        status = BuildStage(DeviceObject, Irp, pipe, Read, Length, sent, &records[sent], &stage);
        if (!NT_SUCCESS(status))
            break;
        // The state check and the publication of the record are one step under the lock, and
        // the cancel walk marks the transfer cancelled under the same lock: a stage either is
        // in the records before the walk reads them, or never goes down. A stage published
        // unsent is cancelled by the walk before it is sent, and the bus finishes it at once.
        KeAcquireSpinLock(&ext->TransferLock, &irql);
        if (ext->StagesCancelled || !CanAcceptIo(ext)) {
            KeReleaseSpinLock(&ext->TransferLock, irql);
            FreeStage(stage);
            status = STATUS_DELETE_PENDING;
            break;
        }
        records[sent] = stage;
        KeReleaseSpinLock(&ext->TransferLock, irql);

        // Once a stage is out its completion may finish the caller's request on another
        // thread, so the request is marked pending before the first one goes down.
        if (sent == 0)
            IoMarkIrpPending(Irp);
        ++sent;
        IncrementIoCount(DeviceObject);
        status = IofCallDriver(ext->TopOfStackDevice, stage.Irp);
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
    if (ext->StagesPending != 0) {
        if (sent == 0)
            IoMarkIrpPending(Irp); // a cancel walk holds the transfer and ends it
        KeReleaseSpinLock(&ext->TransferLock, irql);
        return STATUS_PENDING;
    }
    if (sent == 0) {
        // Nothing went down: the request fails here with the reason.
        ext->StageContexts = nullptr;
        ext->StagedIrp = nullptr;
        KeSetEvent(&ext->StagesDoneEvent, IO_NO_INCREMENT, FALSE);
        KeReleaseSpinLock(&ext->TransferLock, irql);
        FreePool(records);
        return CompleteRequest(Irp, status, 0);
    }
    NTSTATUS endStatus;
    ULONG information;
    PIRP ended = EndStagedTransfer(ext, &endStatus, &information);
    KeReleaseSpinLock(&ext->TransferLock, irql);
    CompleteRequest(ended, endStatus, information);
    return STATUS_PENDING;
}

NTSTATUS StageTransferCompletion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    PSTAGE_CONTEXT record = (PSTAGE_CONTEXT)Context;
    PDEVICE_OBJECT device = record->DeviceObject;
    PDEVICE_EXTENSION ext = GetExtension(device);

    // A failed or cancelled stage counts as one that moved nothing. The count is kept in the
    // stage's URB, which the end of the transfer reads.
    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    ext->StagesPending--;
    ULONG moved = TransferredBytes(Irp, record->Urb, MmGetMdlByteCount(record->Mdl));
    record->Urb->UrbBulkOrInterruptTransfer.TransferBufferLength = moved;
    Irp->IoStatus.Information = moved;
    ext->StagedBytes += moved;
    Irp->MdlAddress = nullptr;
    IoFreeMdl(record->Mdl);
    record->Mdl = nullptr;
    NTSTATUS status;
    ULONG information;
    PIRP ended = ext->StagesPending == 0 ? EndStagedTransfer(ext, &status, &information) : nullptr;
    KeReleaseSpinLock(&ext->TransferLock, irql);

    if (ended)
        CompleteRequest(ended, status, information);
    DecrementIoCount(device); // last: a removal may delete the device once the count is released
    return STATUS_MORE_PROCESSING_REQUIRED;
}

// Cancels the stage requests of the staged transfer in flight, and makes sure that no further
// stage of it goes down. The walk holds one extra pending stage, so the last completion cannot
// end the transfer and free the records while it reads them; the walk's own release ends it if
// the stages are all done by then. Otherwise it waits until the transfer has ended.
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
    ext->StagesCancelled = TRUE;
    ext->StagesPending++;
    KeReleaseSpinLock(&ext->TransferLock, irql);

    // The walk ends at the first record without a request: the terminator, or a stage the
    // sender has not published, which now never goes down.
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
    NTSTATUS status;
    ULONG information;
    PIRP ended = ext->StagesPending == 0 ? EndStagedTransfer(ext, &status, &information) : nullptr;
    KeReleaseSpinLock(&ext->TransferLock, irql);

    if (ended)
        CompleteRequest(ended, status, information);
    else
        KeWaitForSingleObject(&ext->StagesDoneEvent, Executive, KernelMode, FALSE, nullptr);
    return cancelled;
}
