// Control requests from user mode, and the pipe and port resets they (and failed transfers)
// use. Input buffers are never read.
#include "vxdriver.h"

namespace {

// Copies the whole configuration descriptor into the caller's buffer. Its wTotalLength was
// checked against the bytes the device sent when the device started.
NTSTATUS GetConfigDescriptor(PDEVICE_EXTENSION Extension, PIRP Irp, ULONG_PTR* Information)
{
    PUSB_CONFIGURATION_DESCRIPTOR descriptor = Extension->ConfigurationDescriptor;
    if (!descriptor)
        return STATUS_DEVICE_DATA_ERROR;
    ULONG length = descriptor->wTotalLength;
    if (IoGetCurrentIrpStackLocation(Irp)->Parameters.DeviceIoControl.OutputBufferLength < length)
        return STATUS_INVALID_PARAMETER;
    RtlCopyMemory(Irp->AssociatedIrp.SystemBuffer, descriptor, length);
    *Information = length;
    return STATUS_SUCCESS;
}

} // namespace

NTSTATUS DispatchDeviceControl(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    PUSBD_PIPE_INFORMATION pipe = PipeOf(Irp);
    NTSTATUS status;
    ULONG_PTR information = 0;
    IncrementIoCount(DeviceObject);

    if (!CanAcceptIo(ext)) {
        status = STATUS_DELETE_PENDING;
    } else {
        switch (stack->Parameters.DeviceIoControl.IoControlCode) {
        case IOCTL_GET_CONFIG_DESCRIPTOR:
            status = GetConfigDescriptor(ext, Irp, &information);
            break;
        case IOCTL_RESET_DEVICE:
            status = ResetDevice(DeviceObject);
            break;
        case IOCTL_RESET_PIPE:
            // The caller resets a pipe to clear a stall; if the reset fails the pipe is still
            // stalled, and the caller is told so.
            status = pipe ? ResetPipe(DeviceObject, pipe) : STATUS_INVALID_PARAMETER;
            break;
        default:
            status = STATUS_INVALID_PARAMETER;
            break;
        }
    }

    CompleteRequest(Irp, status, information);
    DecrementIoCount(DeviceObject);
    return status;
}

NTSTATUS ResetPipe(PDEVICE_OBJECT DeviceObject, PUSBD_PIPE_INFORMATION Pipe)
{
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_PIPE_REQUEST));
    if (!urb)
        return STATUS_INSUFFICIENT_RESOURCES;
    urb->UrbHeader.Length = (USHORT)sizeof(struct _URB_PIPE_REQUEST);
    urb->UrbHeader.Function = URB_FUNCTION_RESET_PIPE;
    urb->UrbPipeRequest.PipeHandle = Pipe->PipeHandle;
    NTSTATUS status = SubmitUrbSync(DeviceObject, urb);
    FreePool(urb);
    return status;
}

// Resets the hub port only when the device is connected but its port has been disabled (after
// an error on the bus); an enabled port is left alone.
NTSTATUS ResetDevice(PDEVICE_OBJECT DeviceObject)
{
    ULONG portStatus = 0;
    NTSTATUS status = CallUsbdSync(DeviceObject, IOCTL_INTERNAL_USB_GET_PORT_STATUS, &portStatus);
    if (!NT_SUCCESS(status))
        return status;
    if (!(portStatus & USBD_PORT_ENABLED) && (portStatus & USBD_PORT_CONNECTED))
        return ResetParentPort(DeviceObject);
    return status;
}

NTSTATUS ResetParentPort(PDEVICE_OBJECT DeviceObject)
{
    return CallUsbdSync(DeviceObject, IOCTL_INTERNAL_USB_RESET_PORT, nullptr);
}
