// Reads and writes on a pipe handle: bulk or interrupt transfers through the caller's locked
// buffer (the device does direct I/O). Up to MaximumTransferSize bytes travel in one transfer
// in the caller's own request; longer ones go in stages (StagedTransfer.cpp).
#include "vxdriver.h"

namespace {

NTSTATUS DispatchTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read)
{
    // The dispatch is counted while it runs; a transfer it sends down holds its own count
    // until its completion.
    IncrementIoCount(DeviceObject);
    NTSTATUS status = ReadWrite(DeviceObject, Irp, Read);
    DecrementIoCount(DeviceObject);
    return status;
}

} // namespace

NTSTATUS DispatchRead(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return DispatchTransfer(DeviceObject, Irp, TRUE);
}

NTSTATUS DispatchWrite(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return DispatchTransfer(DeviceObject, Irp, FALSE);
}

NTSTATUS ReadWrite(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    Irp->IoStatus.Information = 0;
    if (!CanAcceptIo(ext))
        return CompleteRequest(Irp, STATUS_DELETE_PENDING, 0);

    ULONG length = Irp->MdlAddress ? MmGetMdlByteCount(Irp->MdlAddress) : 0;
    if (length <= ext->MaximumTransferSize)
        return SingleTransfer(DeviceObject, Irp, Read);
    if (!PipeOf(Irp))
        return CompleteRequest(Irp, STATUS_INVALID_HANDLE, 0);
    return StagedTransfer(DeviceObject, Irp, Read, length);
}

NTSTATUS SingleTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PUSBD_PIPE_INFORMATION pipe = PipeOf(Irp);
    Irp->IoStatus.Information = 0;
    if (!pipe)
        return CompleteRequest(Irp, STATUS_INVALID_HANDLE, 0);

    ULONG length = Irp->MdlAddress ? MmGetMdlByteCount(Irp->MdlAddress) : 0;
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER));
    if (!urb)
        return CompleteRequest(Irp, STATUS_INSUFFICIENT_RESOURCES, 0);
    // The single transfer's URB has one slot per device: a second transfer while one is in
    // flight is refused rather than overwrite it.
    if (InterlockedCompareExchangePointer((PVOID volatile*)&ext->SingleTransferUrb, urb, nullptr) != nullptr) {
        FreePool(urb);
        return CompleteRequest(Irp, STATUS_DEVICE_BUSY, 0);
    }

    // The caller's request itself goes down to the bus driver.
    SetUpTransfer(Irp, urb, pipe, length ? Irp->MdlAddress : nullptr, length, Read, SingleTransferCompletion,
                  DeviceObject);
    IncrementIoCount(DeviceObject);
    // A dispatch routine returns the status it completed the request with. When the bus
    // finished the transfer at once, the completion routine has already completed the request
    // with success, whatever the bus returned.
    NTSTATUS status = IofCallDriver(ext->TopOfStackDevice, Irp);
    return status == STATUS_PENDING ? STATUS_PENDING : STATUS_SUCCESS;
}

// The bytes a transfer moved, as the caller may count them. A request or URB that failed counts
// none: a URB the bus refused before anything moved still holds the length it asked for, and
// untouched buffer bytes must not reach the caller as data. Otherwise what the bus reports, at
// most what was asked for.
ULONG TransferredBytes(PIRP Irp, PURB Urb, ULONG Requested)
{
    if (!NT_SUCCESS(Irp->IoStatus.Status) || USBD_ERROR(Urb->UrbHeader.Status))
        return 0;
    ULONG moved = Urb->UrbBulkOrInterruptTransfer.TransferBufferLength;
    return moved < Requested ? moved : Requested;
}

// Reports the bytes the bus moved; the bus status is not passed on, so a failed transfer
// completes with success and no bytes.
NTSTATUS SingleTransferCompletion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    PDEVICE_OBJECT device = (PDEVICE_OBJECT)Context;
    PDEVICE_EXTENSION ext = GetExtension(device);
    if (Irp->PendingReturned)
        IoMarkIrpPending(Irp);

    // The slot is freed before the request completes, so that the caller's next transfer,
    // which may follow at once on another thread, finds it free.
    PURB urb = (PURB)InterlockedExchangePointer((PVOID volatile*)&ext->SingleTransferUrb, nullptr);
    ULONG moved = TransferredBytes(Irp, urb, Irp->MdlAddress ? MmGetMdlByteCount(Irp->MdlAddress) : 0);
    FreePool(urb);
    CompleteRequest(Irp, STATUS_SUCCESS, moved);
    DecrementIoCount(device); // last: a removal may delete the device once the count is released
    return STATUS_MORE_PROCESSING_REQUIRED;
}
