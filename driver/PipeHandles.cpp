// Opening and closing handles: a handle names one pipe of the selected interface, or none.
#include "vxdriver.h"

namespace {

// The pipe a handle's name selects: the character after the leading backslash, counted from
// '0' ("\0" is pipe 0, "\:" pipe 10). Characters below '0' wrap to large numbers, which no
// interface has. No pipe when the name has no second character.
BOOLEAN PipeIndexFromName(PFILE_OBJECT FileObject, ULONG* Index)
{
    if (FileObject->FileName.Length < 2 * sizeof(WCHAR))
        return FALSE;
    *Index = (ULONG)FileObject->FileName.Buffer[1] - (ULONG)'0';
    return TRUE;
}

NTSTATUS OpenPipe(PDEVICE_EXTENSION Extension, PFILE_OBJECT FileObject)
{
    ULONG index;
    PUSBD_INTERFACE_INFORMATION iface = Extension->InterfaceInfo;
    if (!PipeIndexFromName(FileObject, &index) || !iface || iface->NumberOfPipes == 0 || index >= iface->NumberOfPipes)
        return STATUS_INSUFFICIENT_RESOURCES;

    // Concurrent creates for one pipe must not both succeed: a pipe has one holder.
    NTSTATUS status = STATUS_SUCCESS;
    KIRQL irql;
    KeAcquireSpinLock(&Extension->TransferLock, &irql);
    if (Extension->PipeOpenFlags[index]) {
        status = STATUS_INVALID_PARAMETER;
    } else {
        Extension->PipeOpenFlags[index] = 1;
        Extension->OpenPipeCount++;
        FileObject->FsContext = &iface->Pipes[index];
    }
    KeReleaseSpinLock(&Extension->TransferLock, irql);
    return status;
}

void ClosePipe(PDEVICE_EXTENSION Extension, PFILE_OBJECT FileObject)
{
    ULONG index;
    KIRQL irql;
    KeAcquireSpinLock(&Extension->TransferLock, &irql);
    PUSBD_INTERFACE_INFORMATION iface = Extension->InterfaceInfo;
    if (PipeIndexFromName(FileObject, &index) && iface && Extension->PipeOpenFlags && index < iface->NumberOfPipes &&
        Extension->PipeOpenFlags[index]) {
        Extension->PipeOpenFlags[index] = 0;
        Extension->OpenPipeCount--;
    }
    KeReleaseSpinLock(&Extension->TransferLock, irql);
    FileObject->FsContext = nullptr;
}

} // namespace

// The pipe the request's handle holds. None for a control handle, and none for a request
// without a file object: a kernel-mode sender may build a read, write or control request
// without one, and such a request names no pipe.
PUSBD_PIPE_INFORMATION PipeOf(PIRP Irp)
{
    PFILE_OBJECT file = IoGetCurrentIrpStackLocation(Irp)->FileObject;
    return file ? (PUSBD_PIPE_INFORMATION)file->FsContext : nullptr;
}

NTSTATUS DispatchCreate(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PFILE_OBJECT file = IoGetCurrentIrpStackLocation(Irp)->FileObject;
    NTSTATUS status = STATUS_SUCCESS;
    IncrementIoCount(DeviceObject);

    if (!CanAcceptIo(ext)) {
        status = STATUS_DELETE_PENDING;
    } else {
        file->FsContext = nullptr;
        if (file->FileName.Length != 0) // the bare interface path: a handle for control requests
            status = OpenPipe(ext, file);
    }

    CompleteRequest(Irp, status, 0);
    DecrementIoCount(DeviceObject);
    return status;
}

// Close works in every state; transfers still in flight on the pipe are not cancelled.
NTSTATUS DispatchClose(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    IncrementIoCount(DeviceObject);
    if (PipeOf(Irp))
        ClosePipe(GetExtension(DeviceObject), IoGetCurrentIrpStackLocation(Irp)->FileObject);
    CompleteRequest(Irp, STATUS_SUCCESS, 0);
    DecrementIoCount(DeviceObject);
    return STATUS_SUCCESS;
}
