// Plug and Play requests: start, stop and removal of the terminal's device.
#include "vxdriver.h"

namespace {

NTSTATUS StartDevice(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    // The drivers below start first; the device can be configured only once they have.
    NTSTATUS status = CallLowerSync(DeviceObject, Irp, FALSE);
    if (NT_SUCCESS(status))
        status = StartUsbDevice(DeviceObject);
    return CompleteRequest(Irp, status, Irp->IoStatus.Information);
}

NTSTATUS QueryRemove(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    if (!ext->DeviceStarted)
        return SkipDown(DeviceObject, Irp);
    // New I/O is refused from here on. Requests already out are not waited for: a read that
    // waits for the terminal may never finish, and the removal cancels and drains them.
    ext->RemovePending = TRUE;
    KeWaitForSingleObject(&ext->NoPendingIoEvent, Executive, KernelMode, FALSE, nullptr);
    Irp->IoStatus.Status = STATUS_SUCCESS;
    return PassDown(DeviceObject, Irp);
}

// Called with this request already uncounted; returns after the device object is deleted.
NTSTATUS RemoveDevice(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    ext->DeviceRemoved = TRUE;
    CancelPendingStages(DeviceObject);
    Irp->IoStatus.Status = STATUS_SUCCESS;
    NTSTATUS status = PassDown(DeviceObject, Irp);
    DecrementIoCount(DeviceObject); // the base reference
    KeWaitForSingleObject(&ext->RemoveEvent, Executive, KernelMode, FALSE, nullptr);
    ReleaseDeviceResources(DeviceObject);
    IoDetachDevice(ext->TopOfStackDevice);
    IoDeleteDevice(DeviceObject);
    return status;
}

NTSTATUS StopDevice(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    CancelPendingStages(DeviceObject);
    NTSTATUS status = StopUsbDevice(DeviceObject);
    Irp->IoStatus.Status = status;
    if (!NT_SUCCESS(status)) {
        IofCompleteRequest(Irp, IO_NO_INCREMENT);
        return status;
    }
    return PassDown(DeviceObject, Irp);
}

NTSTATUS QueryStop(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    if (!ext->DeviceStarted)
        return SkipDown(DeviceObject, Irp);
    KIRQL irql;
    KeAcquireSpinLock(&ext->TransferLock, &irql);
    LONG stagesPending = ext->StagesPending;
    KeReleaseSpinLock(&ext->TransferLock, irql);
    if (stagesPending != 0)
        return CompleteRequest(Irp, STATUS_UNSUCCESSFUL, Irp->IoStatus.Information);
    ext->StopPending = TRUE;
    Irp->IoStatus.Status = STATUS_SUCCESS;
    return PassDown(DeviceObject, Irp);
}

// Cancel-remove and cancel-stop: clear the flag of the accepted query.
NTSTATUS CancelQuery(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN* Flag)
{
    if (!GetExtension(DeviceObject)->DeviceStarted)
        return SkipDown(DeviceObject, Irp);
    *Flag = FALSE;
    Irp->IoStatus.Status = STATUS_SUCCESS;
    return PassDown(DeviceObject, Irp);
}

} // namespace

NTSTATUS HandleQueryCapabilities(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_CAPABILITIES capabilities = IoGetCurrentIrpStackLocation(Irp)->Parameters.DeviceCapabilities.Capabilities;
    capabilities->SurpriseRemovalOK = TRUE;
    Irp->IoStatus.Status = STATUS_SUCCESS;
    NTSTATUS status = CallLowerSync(DeviceObject, Irp, FALSE);
    // The terminal may be unplugged at any time: the drivers below may have cleared the flag.
    if (NT_SUCCESS(status))
        capabilities->SurpriseRemovalOK = TRUE;
    return CompleteRequest(Irp, status, Irp->IoStatus.Information);
}

NTSTATUS DispatchPnp(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    NTSTATUS status;
    IncrementIoCount(DeviceObject);

    switch (IoGetCurrentIrpStackLocation(Irp)->MinorFunction) {
    case IRP_MN_START_DEVICE:
        status = StartDevice(DeviceObject, Irp);
        break;
    case IRP_MN_QUERY_REMOVE_DEVICE:
        status = QueryRemove(DeviceObject, Irp);
        break;
    case IRP_MN_REMOVE_DEVICE:
        DecrementIoCount(DeviceObject);
        return RemoveDevice(DeviceObject, Irp);
    case IRP_MN_CANCEL_REMOVE_DEVICE:
        status = CancelQuery(DeviceObject, Irp, &ext->RemovePending);
        break;
    case IRP_MN_STOP_DEVICE:
        status = StopDevice(DeviceObject, Irp);
        break;
    case IRP_MN_QUERY_STOP_DEVICE:
        status = QueryStop(DeviceObject, Irp);
        break;
    case IRP_MN_CANCEL_STOP_DEVICE:
        status = CancelQuery(DeviceObject, Irp, &ext->StopPending);
        break;
    case IRP_MN_QUERY_CAPABILITIES:
        status = HandleQueryCapabilities(DeviceObject, Irp);
        break;
    case IRP_MN_SURPRISE_REMOVAL:
        // Uncounted once here; the remove that follows releases the base reference.
        DecrementIoCount(DeviceObject);
        ext->DeviceRemoved = TRUE;
        CancelPendingStages(DeviceObject);
        Irp->IoStatus.Status = STATUS_SUCCESS;
        return PassDown(DeviceObject, Irp);
    default:
        status = PassDown(DeviceObject, Irp);
        break;
    }

    DecrementIoCount(DeviceObject);
    return status;
}

NTSTATUS DispatchSystemControl(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    Irp->IoStatus.Status = STATUS_SUCCESS;
    Irp->IoStatus.Information = 0;
    IncrementIoCount(DeviceObject);
    NTSTATUS status = PassDown(DeviceObject, Irp);
    DecrementIoCount(DeviceObject);
    return status;
}
