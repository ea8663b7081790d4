// Configuring the terminal's USB device: descriptors, the first interface and its pipes.
#include "vxdriver.h"

namespace {

void FreeAndClear(PVOID* Block)
{
    if (*Block) {
        FreePool(*Block);
        *Block = nullptr;
    }
}

// A start after a stop selects the configuration again while pipe handles may still be open:
// they point into the interface copy and hold their pipes' flags. An unchanged interface keeps
// both (and takes the new pipe handles when it is selected); a changed one is replaced, which
// is possible only while no pipe is open.
NTSTATUS PreparePipeFlags(PDEVICE_EXTENSION Extension, PUSBD_INTERFACE_INFORMATION Interface)
{
    PUSBD_INTERFACE_INFORMATION held = Extension->InterfaceInfo;
    if (held && (held->Length != Interface->Length || held->NumberOfPipes != Interface->NumberOfPipes)) {
        if (Extension->OpenPipeCount != 0)
            return STATUS_DEVICE_CONFIGURATION_ERROR;
        FreeAndClear((PVOID*)&Extension->InterfaceInfo);
        FreeAndClear((PVOID*)&Extension->PipeOpenFlags);
    }
    if (!Extension->InterfaceInfo && Extension->PipeOpenFlags) {
        // Left by a start whose interface copy could not be made: no pipe was ever opened.
        FreeAndClear((PVOID*)&Extension->PipeOpenFlags);
    }
    if (!Extension->PipeOpenFlags) {
        ULONG pipes = Interface->NumberOfPipes;
        Extension->PipeOpenFlags = (PUCHAR)AllocateZeroedPool(pipes ? pipes : 1);
        if (!Extension->PipeOpenFlags)
            return STATUS_INSUFFICIENT_RESOURCES;
    }
    return STATUS_SUCCESS;
}

void KeepInterfaceInfo(PDEVICE_EXTENSION Extension, PUSBD_INTERFACE_INFORMATION Interface)
{
    if (!Extension->InterfaceInfo) {
        Extension->InterfaceInfo = (PUSBD_INTERFACE_INFORMATION)AllocatePool(Interface->Length);
        if (!Extension->InterfaceInfo)
            return; // no pipe can be opened
    }
    RtlCopyMemory(Extension->InterfaceInfo, Interface, Interface->Length);
}

} // namespace

NTSTATUS StartUsbDevice(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST));
    if (!urb)
        return STATUS_INSUFFICIENT_RESOURCES;
    PUSB_DEVICE_DESCRIPTOR descriptor = (PUSB_DEVICE_DESCRIPTOR)AllocateZeroedPool(sizeof(USB_DEVICE_DESCRIPTOR));
    if (!descriptor) {
        FreePool(urb);
        return STATUS_INSUFFICIENT_RESOURCES;
    }

    UsbBuildGetDescriptorRequest(urb, (USHORT)sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST),
                                 USB_DEVICE_DESCRIPTOR_TYPE, 0, 0, descriptor, nullptr,
                                 sizeof(USB_DEVICE_DESCRIPTOR), nullptr);
    NTSTATUS status = SubmitUrbSync(DeviceObject, urb);
    FreePool(urb);
    if (!NT_SUCCESS(status)) {
        FreePool(descriptor);
        return status;
    }
    FreeAndClear((PVOID*)&ext->DeviceDescriptor); // read again by a start after a stop
    ext->DeviceDescriptor = descriptor;

    status = ReadConfigurationDescriptor(DeviceObject);
    if (NT_SUCCESS(status))
        ext->DeviceStarted = TRUE;
    return status;
}

NTSTATUS ReadConfigurationDescriptor(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST));
    if (!urb)
        return STATUS_INSUFFICIENT_RESOURCES;
    FreeAndClear((PVOID*)&ext->ConfigurationDescriptor); // read again by a start after a stop

    // The first read asks for a size that holds a typical configuration; a longer one is read
    // again at its wTotalLength. The size grows with every repeat, so the loop ends.
    ULONG size = VXDRIVER_CONFIG_READ_SIZE;
    ULONG received = 0;
    for (;;) {
        ext->ConfigurationDescriptor = (PUSB_CONFIGURATION_DESCRIPTOR)AllocateZeroedPool(size);
        if (!ext->ConfigurationDescriptor) {
            FreePool(urb);
            return STATUS_INSUFFICIENT_RESOURCES;
        }
        UsbBuildGetDescriptorRequest(urb, (USHORT)sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST),
                                     USB_CONFIGURATION_DESCRIPTOR_TYPE, 0, 0, ext->ConfigurationDescriptor,
                                     nullptr, size, nullptr);
        NTSTATUS status = SubmitUrbSync(DeviceObject, urb);
        if (!NT_SUCCESS(status)) {
            FreePool(urb); // the buffer stays in the extension and is freed at removal
            return status;
        }
        received = urb->UrbControlDescriptorRequest.TransferBufferLength;
        if (received == 0 || ext->ConfigurationDescriptor->wTotalLength <= size)
            break;
        size = ext->ConfigurationDescriptor->wTotalLength;
        FreeAndClear((PVOID*)&ext->ConfigurationDescriptor);
    }
    FreePool(urb);

    // Everything after this reads wTotalLength bytes: the interface parse, and the descriptor
    // control request that copies them to user mode. A device that sent fewer is refused.
    PUSB_CONFIGURATION_DESCRIPTOR descriptor = ext->ConfigurationDescriptor;
    if (received < sizeof(USB_CONFIGURATION_DESCRIPTOR) || received > size ||
        descriptor->wTotalLength < sizeof(USB_CONFIGURATION_DESCRIPTOR) || descriptor->wTotalLength > received)
        return STATUS_DEVICE_DATA_ERROR;

    return SelectFirstInterface(DeviceObject, descriptor);
}

NTSTATUS SelectFirstInterface(PDEVICE_OBJECT DeviceObject, PUSB_CONFIGURATION_DESCRIPTOR Descriptor)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    USHORT size = 0;
    PURB urb = USBD_CreateConfigurationRequest(Descriptor, &size);
    if (!urb)
        return STATUS_INSUFFICIENT_RESOURCES;
    if (!USBD_ParseConfigurationDescriptorEx(Descriptor, Descriptor, -1, -1, -1, -1, -1)) {
        ExFreePool(urb);
        return STATUS_INSUFFICIENT_RESOURCES;
    }

    PUSBD_INTERFACE_INFORMATION iface = &urb->UrbSelectConfiguration.Interface;
    NTSTATUS status = PreparePipeFlags(ext, iface);
    if (!NT_SUCCESS(status)) {
        ExFreePool(urb);
        return status;
    }
    for (ULONG i = 0; i < iface->NumberOfPipes; ++i)
        iface->Pipes[i].MaximumTransferSize = ext->MaximumTransferSize;

    urb->UrbHeader.Function = URB_FUNCTION_SELECT_CONFIGURATION;
    urb->UrbHeader.Length = size;
    urb->UrbSelectConfiguration.ConfigurationDescriptor = Descriptor;
    status = SubmitUrbSync(DeviceObject, urb);
    ext->ConfigurationHandle = urb->UrbSelectConfiguration.ConfigurationHandle;
    if (NT_SUCCESS(status))
        KeepInterfaceInfo(ext, iface);
    ExFreePool(urb); // allocated by USBD
    return status;
}

NTSTATUS StopUsbDevice(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    NTSTATUS status = STATUS_INSUFFICIENT_RESOURCES;
    PURB urb = (PURB)AllocateZeroedPool(sizeof(struct _URB_SELECT_CONFIGURATION));
    if (urb) {
        // A select-configuration request without a descriptor unconfigures the device.
        urb->UrbHeader.Function = URB_FUNCTION_SELECT_CONFIGURATION;
        urb->UrbHeader.Length = (USHORT)sizeof(struct _URB_SELECT_CONFIGURATION);
        urb->UrbSelectConfiguration.ConfigurationDescriptor = nullptr;
        status = SubmitUrbSync(DeviceObject, urb);
        if (NT_SUCCESS(status))
            ext->DeviceStarted = FALSE;
        FreePool(urb);
    }
    ext->StopPending = FALSE;
    return status;
}

NTSTATUS ReleaseDeviceResources(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    UNICODE_STRING linkName;
    RtlInitUnicodeString(&linkName, ext->InterfaceLinkName);
    NTSTATUS status = IoSetDeviceInterfaceState(&linkName, FALSE);
    FreeAndClear((PVOID*)&ext->DeviceDescriptor);
    FreeAndClear((PVOID*)&ext->PipeOpenFlags);
    FreeAndClear((PVOID*)&ext->InterfaceInfo);
    FreeAndClear((PVOID*)&ext->ConfigurationDescriptor);
    FreeAndClear((PVOID*)&ext->StageContexts);
    return status;
}
