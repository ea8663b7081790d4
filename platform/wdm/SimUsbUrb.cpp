// The bus driver's internal control requests: URBs (descriptors, configuration, bulk and
// interrupt transfers, pipe reset), port status and port reset, carried out against the
// simulated device.
#include <algorithm>
#include <cstring>

#include "SimUsbDevice_p.h"
#include "WdmDiagnostics.h"
#include "WdmUsbd_p.h"
#include "usbdlib.h"

namespace {

using TOp = TSimUsbDevice::TOp;

NTSTATUS StatusFor(USBD_STATUS Status)
{
    switch (Status) {
    case USBD_STATUS_SUCCESS:
        return STATUS_SUCCESS;
    case USBD_STATUS_CANCELED:
        return STATUS_CANCELLED;
    case USBD_STATUS_DEVICE_GONE:
        return STATUS_NO_SUCH_DEVICE;
    case USBD_STATUS_INVALID_URB_FUNCTION:
    case USBD_STATUS_INVALID_PARAMETER:
    case USBD_STATUS_INVALID_PIPE_HANDLE:
    case USBD_STATUS_INVALID_CONFIGURATION_DESCRIPTOR:
        return STATUS_INVALID_PARAMETER;
    default:
        return STATUS_UNSUCCESSFUL;
    }
}

// Refuses a request at once, in the dispatch routine, whatever the timing.
NTSTATUS Refuse(PIRP Irp, PURB Urb, USBD_STATUS Status)
{
    Urb->UrbHeader.Status = Status;
    NTSTATUS status = StatusFor(Status);
    SimCompleteRequest(Irp, status);
    return status;
}

// The buffer of a transfer: through its MDL when it has one. None when the URB's buffer
// cannot hold Length bytes.
PUCHAR BufferOf(PVOID TransferBuffer, PMDL Mdl, ULONG Length)
{
    if (Length == 0)
        return nullptr;
    if (Mdl) {
        if (MmGetMdlByteCount(Mdl) < Length)
            return nullptr;
        return static_cast<PUCHAR>(MmGetSystemAddressForMdlSafe(Mdl, NormalPagePriority));
    }
    return static_cast<PUCHAR>(TransferBuffer);
}

// The endpoint descriptors that follow an interface descriptor, up to the next interface.
std::vector<PUSB_ENDPOINT_DESCRIPTOR> EndpointsOf(PUSB_CONFIGURATION_DESCRIPTOR Configuration,
                                                   PUSB_INTERFACE_DESCRIPTOR Interface)
{
    std::vector<PUSB_ENDPOINT_DESCRIPTOR> endpoints;
    WdmWalkDescriptors(Configuration, reinterpret_cast<PUCHAR>(Interface) + Interface->bLength,
                       [&](PUSB_COMMON_DESCRIPTOR common) {
                           if (common->bDescriptorType == USB_INTERFACE_DESCRIPTOR_TYPE)
                               return false;
                           if (common->bDescriptorType == USB_ENDPOINT_DESCRIPTOR_TYPE &&
                               common->bLength >= sizeof(USB_ENDPOINT_DESCRIPTOR))
                               endpoints.push_back(reinterpret_cast<PUSB_ENDPOINT_DESCRIPTOR>(common));
                           return true;
                       });
    return endpoints;
}

ULONG TakeLimit(TSimEndpointState& Endpoint)
{
    if (Endpoint.Limits.empty())
        return ~0u;
    ULONG limit = Endpoint.Limits.front().first;
    if (--Endpoint.Limits.front().second == 0)
        Endpoint.Limits.pop_front();
    return limit;
}

USBD_STATUS TakeTransferFailure(TSimEndpointState& Endpoint)
{
    if (Endpoint.Stalled)
        return USBD_STATUS_STALL_PID;
    if (Endpoint.Failures.empty())
        return USBD_STATUS_SUCCESS;
    USBD_STATUS status = Endpoint.Failures.front().first;
    if (--Endpoint.Failures.front().second == 0)
        Endpoint.Failures.pop_front();
    if (status == USBD_STATUS_STALL_PID)
        Endpoint.Stalled = true; // stays until the pipe is reset
    return status;
}

} // namespace

NTSTATUS TSimUsbDevicePrivate::DispatchInternalControl(PIRP Irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    PVOID argument = stack->Parameters.Others.Argument1;
    std::unique_lock lock(Mutex);
    TSimUsbDevice::TTiming timing = Timing;
    NTSTATUS status;
    switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case IOCTL_INTERNAL_USB_SUBMIT_URB:
        lock.unlock();
        if (!argument)
            WdmBugCheck("simulated bus: URB request without a URB");
        return SubmitUrb(Irp, static_cast<PURB>(argument));
    case IOCTL_INTERNAL_USB_GET_PORT_STATUS:
        if (!argument)
            WdmBugCheck("simulated bus: port status request without a status word");
        status = TakeFailure(TOp::PortStatus);
        if (NT_SUCCESS(status))
            *static_cast<PULONG>(argument) =
                (PortConnected ? USBD_PORT_CONNECTED : 0) | (PortEnabled ? USBD_PORT_ENABLED : 0);
        break;
    case IOCTL_INTERNAL_USB_RESET_PORT:
        status = TakeFailure(TOp::ResetPort);
        if (NT_SUCCESS(status) && !PortConnected)
            status = STATUS_NO_SUCH_DEVICE;
        if (NT_SUCCESS(status)) {
            // The hub resets the device and restores its configuration; stalls are gone.
            PortEnabled = true;
            ++PortResets;
            for (auto& [address, endpoint] : Endpoints)
                endpoint.Stalled = false;
        }
        break;
    default:
        status = STATUS_NOT_SUPPORTED;
        timing = TSimUsbDevice::TTiming::Now;
        break;
    }
    lock.unlock();
    return Finish(Irp, status, timing);
}

NTSTATUS TSimUsbDevicePrivate::SubmitUrb(PIRP Irp, PURB Urb)
{
    TSimUsbDevice::TTiming timing;
    {
        std::lock_guard lock(Mutex);
        if (Urb->UrbHeader.Function == URB_FUNCTION_BULK_OR_INTERRUPT_TRANSFER)
            ++TransfersSubmitted;
        if (Gone)
            return Refuse(Irp, Urb, USBD_STATUS_DEVICE_GONE);
        timing = Timing;
    }

    switch (Urb->UrbHeader.Function) {
    case URB_FUNCTION_BULK_OR_INTERRUPT_TRANSFER:
        return Transfer(Irp, Urb);

    case URB_FUNCTION_GET_DESCRIPTOR_FROM_DEVICE: {
        auto& request = Urb->UrbControlDescriptorRequest;
        if (Urb->UrbHeader.Length < sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST))
            return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);
        std::vector<UCHAR> descriptor;
        NTSTATUS failure = STATUS_SUCCESS;
        {
            std::lock_guard lock(Mutex);
            DescriptorRequests.push_back({request.DescriptorType, request.TransferBufferLength});
            if (request.DescriptorType == USB_DEVICE_DESCRIPTOR_TYPE && request.Index == 0) {
                failure = TakeFailure(TOp::DeviceDescriptor);
                descriptor = DeviceDescriptor;
            } else if (request.DescriptorType == USB_CONFIGURATION_DESCRIPTOR_TYPE && request.Index == 0) {
                failure = TakeFailure(TOp::ConfigurationDescriptor);
                descriptor = ConfigurationDescriptor;
            } else {
                failure = STATUS_UNSUCCESSFUL; // the device stalls requests for what it lacks
            }
        }
        PUCHAR buffer = BufferOf(request.TransferBuffer, request.TransferBufferMDL, request.TransferBufferLength);
        if (!NT_SUCCESS(failure) || (request.TransferBufferLength != 0 && !buffer)) {
            request.TransferBufferLength = 0;
            Urb->UrbHeader.Status = NT_SUCCESS(failure) ? USBD_STATUS_INVALID_PARAMETER : USBD_STATUS_STALL_PID;
            return Finish(Irp, NT_SUCCESS(failure) ? STATUS_INVALID_PARAMETER : failure, timing);
        }
        ULONG copied = std::min<ULONG>(request.TransferBufferLength, static_cast<ULONG>(descriptor.size()));
        if (copied)
            std::memcpy(buffer, descriptor.data(), copied);
        request.TransferBufferLength = copied;
        Urb->UrbHeader.Status = USBD_STATUS_SUCCESS;
        return Finish(Irp, STATUS_SUCCESS, timing);
    }

    case URB_FUNCTION_SELECT_CONFIGURATION: {
        auto& select = Urb->UrbSelectConfiguration;
        if (Urb->UrbHeader.Length < sizeof(struct _URB_HEADER) + 2 * sizeof(PVOID))
            return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);
        if (!select.ConfigurationDescriptor) {
            NTSTATUS status;
            {
                std::lock_guard lock(Mutex);
                status = TakeFailure(TOp::Unconfigure);
                if (NT_SUCCESS(status)) {
                    Configured = false;
                    Pipes.clear();
                }
            }
            // Closing the pipes ends the transfers on them.
            if (NT_SUCCESS(status))
                Flush(STATUS_CANCELLED, USBD_STATUS_CANCELED);
            Urb->UrbHeader.Status = NT_SUCCESS(status) ? USBD_STATUS_SUCCESS : USBD_STATUS_STALL_PID;
            return Finish(Irp, status, timing);
        }

        std::unique_lock lock(Mutex);
        NTSTATUS failure = TakeFailure(TOp::SelectConfiguration);
        if (!NT_SUCCESS(failure)) {
            lock.unlock();
            Urb->UrbHeader.Status = USBD_STATUS_STALL_PID;
            return Finish(Irp, failure, timing);
        }
        // One interface entry per interface (alternate setting 0), each with one pipe entry per
        // endpoint, all within the URB's length.
        PUSB_CONFIGURATION_DESCRIPTOR configuration = select.ConfigurationDescriptor;
        auto* entry = reinterpret_cast<PUCHAR>(&select.Interface);
        PUCHAR urbEnd = reinterpret_cast<PUCHAR>(Urb) + Urb->UrbHeader.Length;
        std::map<PVOID, TSimPipe> pipes;
        PVOID start = configuration;
        bool any = false;
        while (PUSB_INTERFACE_DESCRIPTOR iface =
                   USBD_ParseConfigurationDescriptorEx(configuration, start, -1, 0, -1, -1, -1)) {
            any = true;
            auto* info = reinterpret_cast<PUSBD_INTERFACE_INFORMATION>(entry);
            std::vector<PUSB_ENDPOINT_DESCRIPTOR> endpoints = EndpointsOf(configuration, iface);
            if (entry + GET_USBD_INTERFACE_SIZE(0) > urbEnd || endpoints.size() != iface->bNumEndpoints ||
                info->NumberOfPipes != iface->bNumEndpoints ||
                info->Length < GET_USBD_INTERFACE_SIZE(info->NumberOfPipes) || entry + info->Length > urbEnd) {
                lock.unlock();
                return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);
            }
            info->InterfaceNumber = iface->bInterfaceNumber;
            info->AlternateSetting = iface->bAlternateSetting;
            info->Class = iface->bInterfaceClass;
            info->SubClass = iface->bInterfaceSubClass;
            info->Protocol = iface->bInterfaceProtocol;
            info->InterfaceHandle = reinterpret_cast<PVOID>(NextHandle++);
            for (ULONG i = 0; i < info->NumberOfPipes; ++i) {
                USBD_PIPE_INFORMATION& pipe = info->Pipes[i];
                pipe.MaximumPacketSize = endpoints[i]->wMaxPacketSize;
                pipe.EndpointAddress = endpoints[i]->bEndpointAddress;
                pipe.Interval = endpoints[i]->bInterval;
                pipe.PipeType = static_cast<USBD_PIPE_TYPE>(endpoints[i]->bmAttributes & USB_ENDPOINT_TYPE_MASK);
                pipe.PipeHandle = reinterpret_cast<PVOID>(NextHandle++);
                pipes[pipe.PipeHandle] = {pipe.EndpointAddress, pipe.MaximumTransferSize};
            }
            entry += info->Length;
            start = reinterpret_cast<PUCHAR>(iface) + iface->bLength;
        }
        if (!any) {
            lock.unlock();
            return Refuse(Irp, Urb, USBD_STATUS_INVALID_CONFIGURATION_DESCRIPTOR);
        }
        select.ConfigurationHandle = reinterpret_cast<PVOID>(NextHandle++);
        Pipes = std::move(pipes);
        Configured = true;
        lock.unlock();
        Urb->UrbHeader.Status = USBD_STATUS_SUCCESS;
        return Finish(Irp, STATUS_SUCCESS, timing);
    }

    case URB_FUNCTION_RESET_PIPE: {
        if (Urb->UrbHeader.Length < sizeof(struct _URB_PIPE_REQUEST))
            return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);
        std::unique_lock lock(Mutex);
        auto pipe = Pipes.find(Urb->UrbPipeRequest.PipeHandle);
        if (pipe == Pipes.end()) {
            lock.unlock();
            return Refuse(Irp, Urb, USBD_STATUS_INVALID_PIPE_HANDLE);
        }
        NTSTATUS status = TakeFailure(TOp::ResetPipe);
        if (NT_SUCCESS(status)) {
            TSimEndpointState& endpoint = Endpoints[pipe->second.Endpoint];
            endpoint.Stalled = false;
            ++endpoint.Resets;
        }
        lock.unlock();
        Urb->UrbHeader.Status = NT_SUCCESS(status) ? USBD_STATUS_SUCCESS : USBD_STATUS_STALL_PID;
        return Finish(Irp, status, timing);
    }

    default:
        return Refuse(Irp, Urb, USBD_STATUS_INVALID_URB_FUNCTION);
    }
}

NTSTATUS TSimUsbDevicePrivate::Transfer(PIRP Irp, PURB Urb)
{
    auto& transfer = Urb->UrbBulkOrInterruptTransfer;
    if (Urb->UrbHeader.Length < sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER))
        return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);

    std::unique_lock lock(Mutex);
    TSimUsbDevice::TTiming timing = Timing;
    NTSTATUS refused = TakeFailure(TOp::RefuseTransfer);
    if (!NT_SUCCESS(refused)) {
        lock.unlock();
        // Refused before anything moved: as with every refusal, the URB keeps the length it
        // asked for.
        Urb->UrbHeader.Status = USBD_STATUS_DEV_NOT_RESPONDING;
        SimCompleteRequest(Irp, refused);
        return refused;
    }
    auto pipe = Pipes.find(transfer.PipeHandle);
    if (pipe == Pipes.end()) {
        lock.unlock();
        return Refuse(Irp, Urb, USBD_STATUS_INVALID_PIPE_HANDLE);
    }
    UCHAR address = pipe->second.Endpoint;
    bool in = USB_ENDPOINT_DIRECTION_IN(address) != 0;
    ULONG length = transfer.TransferBufferLength;
    PUCHAR buffer = BufferOf(transfer.TransferBuffer, transfer.TransferBufferMDL, length);
    if (in != ((transfer.TransferFlags & USBD_TRANSFER_DIRECTION_IN) != 0) ||
        length > pipe->second.MaximumTransferSize || (length != 0 && !buffer)) {
        lock.unlock();
        return Refuse(Irp, Urb, USBD_STATUS_INVALID_PARAMETER);
    }

    TSimEndpointState& endpoint = Endpoints[address];
    USBD_STATUS failure = TakeTransferFailure(endpoint);
    if (USBD_ERROR(failure)) {
        transfer.TransferBufferLength = 0;
        Urb->UrbHeader.Status = failure;
        Transfers.push_back({address, transfer.TransferFlags, length, 0, failure});
        lock.unlock();
        return Finish(Irp, StatusFor(failure), timing, address);
    }

    if (in) {
        // Waits in line behind earlier transfers on the endpoint until data is there.
        if (!HoldLocked(Irp, {Irp, false, STATUS_PENDING, address, false})) {
            lock.unlock();
            transfer.TransferBufferLength = 0;
            Urb->UrbHeader.Status = USBD_STATUS_CANCELED;
            SimCompleteRequest(Irp, STATUS_CANCELLED);
            return STATUS_PENDING;
        }
        std::vector<std::pair<PIRP, NTSTATUS>> satisfied = SatisfyWaitingLocked(address);
        lock.unlock();
        for (auto [irp, status] : satisfied)
            Finish(irp, status, timing, address);
        return STATUS_PENDING;
    }

    // The device takes what it accepts of the data; with loopback it comes back on the first
    // IN endpoint of the same type.
    ULONG moved = std::min(length, TakeLimit(endpoint));
    endpoint.OutTransfers.emplace_back(buffer, buffer + moved);
    transfer.TransferBufferLength = moved;
    Urb->UrbHeader.Status = USBD_STATUS_SUCCESS;
    Transfers.push_back({address, transfer.TransferFlags, length, moved, USBD_STATUS_SUCCESS});
    std::vector<std::pair<PIRP, NTSTATUS>> satisfied;
    if (Settings.Loopback && moved != 0) {
        for (const TSimUsbDevice::TEndpoint& other : Settings.Endpoints) {
            if (USB_ENDPOINT_DIRECTION_IN(other.Address) && other.Type == endpoint.Type) {
                Endpoints[other.Address].InMessages.push_back(endpoint.OutTransfers.back());
                satisfied = SatisfyWaitingLocked(other.Address);
                break;
            }
        }
    }
    lock.unlock();
    for (auto [irp, status] : satisfied)
        Finish(irp, status, timing);
    return Finish(Irp, STATUS_SUCCESS, timing, address);
}

std::vector<std::pair<PIRP, NTSTATUS>> TSimUsbDevicePrivate::SatisfyWaitingLocked(UCHAR Endpoint)
{
    std::vector<std::pair<PIRP, NTSTATUS>> done;
    TSimEndpointState& endpoint = Endpoints[Endpoint];
    for (auto entry = InFlight.begin(); entry != InFlight.end();) {
        auto next = std::next(entry);
        if (!entry->Ready && entry->Endpoint == Endpoint && entry->Irp != WaitWakeIrp) {
            PIRP irp = entry->Irp;
            auto* urb = static_cast<PURB>(IoGetCurrentIrpStackLocation(irp)->Parameters.Others.Argument1);
            auto& transfer = urb->UrbBulkOrInterruptTransfer;
            ULONG length = transfer.TransferBufferLength;
            // A zero-length read ends at once; others wait for a message.
            if ((length == 0 || !endpoint.InMessages.empty()) && TakeLocked(entry)) {
                ULONG moved = 0;
                if (length != 0) {
                    std::vector<UCHAR>& message = endpoint.InMessages.front();
                    moved = std::min({length, static_cast<ULONG>(message.size()), TakeLimit(endpoint)});
                    std::memcpy(BufferOf(transfer.TransferBuffer, transfer.TransferBufferMDL, length), message.data(),
                                moved);
                    message.erase(message.begin(), message.begin() + moved);
                    if (message.empty())
                        endpoint.InMessages.pop_front();
                }
                transfer.TransferBufferLength = moved;
                urb->UrbHeader.Status = USBD_STATUS_SUCCESS;
                Transfers.push_back({Endpoint, transfer.TransferFlags, length, moved, USBD_STATUS_SUCCESS});
                done.push_back({irp, STATUS_SUCCESS});
            }
        }
        entry = next;
    }
    return done;
}
