// Requests to the driver below, completion of requests, and the driver's pool.
#include "vxdriver.h"

NTSTATUS SignalEventCompletion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    (void)Irp;
    KeSetEvent((PKEVENT)Context, IO_NO_INCREMENT, FALSE);
    // The routine that waits on the event still owns the request and completes it.
    return STATUS_MORE_PROCESSING_REQUIRED;
}

NTSTATUS PassDown(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    IoCopyCurrentIrpStackLocationToNext(Irp);
    return IofCallDriver(GetExtension(DeviceObject)->TopOfStackDevice, Irp);
}

NTSTATUS SkipDown(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    IoSkipCurrentIrpStackLocation(Irp);
    return IofCallDriver(GetExtension(DeviceObject)->TopOfStackDevice, Irp);
}

// Sends the request down and waits until the drivers below have completed it; the request
// comes back to this driver, which completes it. Returns the request's final status.
NTSTATUS CallLowerSync(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN PowerRequest)
{
    PDEVICE_OBJECT lower = GetExtension(DeviceObject)->TopOfStackDevice;
    KEVENT event;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    IoCopyCurrentIrpStackLocationToNext(Irp);
    IoSetCompletionRoutine(Irp, SignalEventCompletion, &event, TRUE, TRUE, TRUE);
    NTSTATUS status = PowerRequest ? PoCallDriver(lower, Irp) : IofCallDriver(lower, Irp);
    if (status == STATUS_PENDING)
        KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr);
    return Irp->IoStatus.Status;
}

// One internal control request of the USB bus driver, built by the I/O manager and waited for.
NTSTATUS CallUsbdSync(PDEVICE_OBJECT DeviceObject, ULONG IoControlCode, PVOID Argument1)
{
    PDEVICE_OBJECT lower = GetExtension(DeviceObject)->TopOfStackDevice;
    KEVENT event;
    IO_STATUS_BLOCK ioStatus;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    PIRP irp = IoBuildDeviceIoControlRequest(IoControlCode, lower, nullptr, 0, nullptr, 0, TRUE, &event, &ioStatus);
    if (!irp)
        return STATUS_INSUFFICIENT_RESOURCES;
    IoGetNextIrpStackLocation(irp)->Parameters.Others.Argument1 = Argument1;
    NTSTATUS status = IofCallDriver(lower, irp);
    if (status == STATUS_PENDING) {
        KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr);
        status = ioStatus.Status;
    }
    return status;
}

// Fills a bulk-or-interrupt transfer URB and sets it up as the next stack location of the
// request that carries it to the bus driver, with the completion routine.
void SetUpTransfer(PIRP Irp, PURB Urb, PUSBD_PIPE_INFORMATION Pipe, PMDL Mdl, ULONG Length, BOOLEAN Read,
                   PIO_COMPLETION_ROUTINE Completion, PVOID Context)
{
    UsbBuildInterruptOrBulkTransferRequest(Urb, (USHORT)sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER),
                                           Pipe->PipeHandle, nullptr, Mdl, Length,
                                           Read ? (USBD_TRANSFER_DIRECTION_IN | USBD_SHORT_TRANSFER_OK)
                                                : USBD_SHORT_TRANSFER_OK,
                                           nullptr);
    PIO_STACK_LOCATION next = IoGetNextIrpStackLocation(Irp);
    next->MajorFunction = IRP_MJ_INTERNAL_DEVICE_CONTROL;
    next->MinorFunction = 0;
    next->Parameters.DeviceIoControl.IoControlCode = IOCTL_INTERNAL_USB_SUBMIT_URB;
    next->Parameters.Others.Argument1 = Urb;
    IoSetCompletionRoutine(Irp, Completion, Context, TRUE, TRUE, TRUE);
}

NTSTATUS SubmitUrbSync(PDEVICE_OBJECT DeviceObject, PURB Urb)
{
    return CallUsbdSync(DeviceObject, IOCTL_INTERNAL_USB_SUBMIT_URB, Urb);
}

PVOID AllocatePool(SIZE_T Bytes)
{
    return ExAllocatePoolWithTag(NonPagedPool, Bytes, VXDRIVER_POOL_TAG);
}

PVOID AllocateZeroedPool(SIZE_T Bytes)
{
    PVOID block = AllocatePool(Bytes);
    if (block)
        RtlZeroMemory(block, Bytes);
    return block;
}

void FreePool(PVOID Block)
{
    ExFreePoolWithTag(Block, VXDRIVER_POOL_TAG);
}

NTSTATUS CompleteRequest(PIRP Irp, NTSTATUS Status, ULONG_PTR Information)
{
    Irp->IoStatus.Status = Status;
    Irp->IoStatus.Information = Information;
    IofCompleteRequest(Irp, IO_NO_INCREMENT);
    return Status;
}
