// A USB device on a port of a simulated hub, with the bus driver beneath a function driver: it
// owns the physical device object, answers Plug and Play and power requests for it, and carries
// out the URBs and internal control requests of the USB driver interface against the device.
//
// The device has a device descriptor and one configuration with one interface whose endpoints
// the settings give; extra class-specific descriptors can lengthen the configuration (beyond
// 521 bytes, for instance). Its hub port is connected and enabled unless a test says otherwise.
//
// Data: what the host writes to an OUT endpoint is recorded transfer by transfer and, with
// loopback on, queued as one message on the first IN endpoint of the same type. Tests queue
// messages on IN endpoints too. An IN transfer takes up to its length from the oldest message
// (a shorter message ends it short, a longer one is left for the next transfer) and waits,
// cancellable, while no message is queued.
//
// Timing: requests the bus carries out complete in the dispatch routine (Now), on the bus's own
// thread (Later), or when the test releases them (Held). Completion routines run at
// DISPATCH_LEVEL, as from a DPC.
//
// Failures: the next requests of a kind fail with a given status (Fail), transfers on an
// endpoint complete with a USBD error (FailTransfers; a stall stays until the pipe is reset) or
// move at most some bytes (LimitTransfers). A URB the bus refuses before carrying it out (an
// invalid one, one for a device that is gone, RefuseTransfer) gets an error status and keeps
// the lengths it was sent with, as a real bus leaves it.
//
// The function driver must have been removed (detached from the physical device) before the
// object is destroyed.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "usbdi.h"

struct TSimUsbDevicePrivate;

class TSimUsbDevice {
public:
    struct TEndpoint {
        UCHAR Address;        // bit 7 set: IN
        UCHAR Type;           // USB_ENDPOINT_TYPE_BULK or USB_ENDPOINT_TYPE_INTERRUPT
        USHORT MaxPacketSize;
        UCHAR Interval;
    };

    struct TSettings {
        USHORT VendorId = 0x0471;
        USHORT ProductId = 0x0888;
        std::u16string SerialNumber = u"HH0001";
        std::vector<TEndpoint> Endpoints = {{0x81, USB_ENDPOINT_TYPE_BULK, 64, 0},
                                            {0x02, USB_ENDPOINT_TYPE_BULK, 64, 0},
                                            {0x83, USB_ENDPOINT_TYPE_INTERRUPT, 8, 10}};
        // Bytes of class-specific descriptors after the interface descriptor.
        std::size_t ExtraDescriptorBytes = 0;
        bool Loopback = true;
        // Capabilities: the deepest device state for each system state, and wake-up.
        DEVICE_POWER_STATE DeviceState[PowerSystemMaximum] = {PowerDeviceUnspecified, PowerDeviceD0, PowerDeviceD1,
                                                              PowerDeviceD2, PowerDeviceD3, PowerDeviceD3,
                                                              PowerDeviceD3};
        DEVICE_POWER_STATE DeviceWake = PowerDeviceD2;
        SYSTEM_POWER_STATE SystemWake = PowerSystemSleeping3;
    };

    enum class TTiming { Now, Later, Held };

    // Requests that Fail() makes fail.
    enum class TOp {
        Start,                   // IRP_MN_START_DEVICE
        QueryCapabilities,       // IRP_MN_QUERY_CAPABILITIES
        DeviceDescriptor,        // descriptor request for the device descriptor
        ConfigurationDescriptor, // descriptor request for the configuration descriptor
        SelectConfiguration,     // selecting the configuration
        Unconfigure,             // select-configuration without a descriptor
        RefuseTransfer,          // a bulk or interrupt transfer refused at once, before it is queued (its URB
                                 // keeps the length it asked for, as after every refusal)
        ResetPipe,
        PortStatus,
        ResetPort,
        SetDevicePower,          // device set-power requests
    };

    struct TTransferRecord {
        UCHAR Endpoint;
        ULONG Flags;
        ULONG Requested;
        ULONG Moved;
        USBD_STATUS Status;
    };

    struct TPowerRecord {
        UCHAR MinorFunction;
        POWER_STATE_TYPE Type;
        POWER_STATE State;
    };

    TSimUsbDevice();
    explicit TSimUsbDevice(TSettings Settings);
    ~TSimUsbDevice();
    TSimUsbDevice(const TSimUsbDevice&) = delete;
    TSimUsbDevice& operator=(const TSimUsbDevice&) = delete;

    PDEVICE_OBJECT Pdo() const;
    const TSettings& Settings() const;

    // The configuration descriptor as the device sends it; replacing it simulates a device that
    // sends a malformed one.
    std::vector<UCHAR> ConfigurationDescriptor() const;
    void SetConfigurationDescriptor(std::vector<UCHAR> Descriptor);

    void SetTiming(TTiming Timing);      // transfers and other URBs (default Now)
    void SetPowerTiming(TTiming Timing); // set-power requests (default Now)
    std::size_t HeldCount() const;
    // Completes every held request on the calling thread, oldest first.
    void ReleaseHeld();

    void QueueInData(UCHAR Endpoint, std::vector<UCHAR> Message);
    std::vector<std::vector<UCHAR>> OutTransfers(UCHAR Endpoint) const;

    // The Count requests of the kind after the first PassFirst fail with Status.
    void Fail(TOp Op, NTSTATUS Status, unsigned Count = 1, unsigned PassFirst = 0);
    void FailTransfers(UCHAR Endpoint, USBD_STATUS Status, unsigned Count = 1);
    void LimitTransfers(UCHAR Endpoint, ULONG MaxBytes, unsigned Count = 1);

    void SetPort(bool Connected, bool Enabled);
    unsigned PortResets() const;
    unsigned PipeResets(UCHAR Endpoint) const;
    bool Stalled(UCHAR Endpoint) const;
    bool Configured() const;
    // MaximumTransferSize of each pipe as the client selected it, in endpoint order.
    std::vector<ULONG> MaximumTransferSizes() const;

    // Transfers carried out, in order; transfers waiting for data or held in the bus.
    std::vector<TTransferRecord> Transfers() const;
    // Bulk and interrupt transfer requests that reached the bus, refused ones included.
    std::size_t TransfersSubmitted() const;
    std::size_t PendingTransfers() const;
    // Until PendingTransfers() reaches Count; false on timeout.
    bool WaitForPendingTransfers(std::size_t Count, std::chrono::milliseconds Timeout = std::chrono::seconds(10)) const;

    // Descriptor requests as sent: descriptor type and buffer length.
    std::vector<std::pair<UCHAR, ULONG>> DescriptorRequests() const;
    std::vector<UCHAR> PnpRequests() const;
    std::vector<TPowerRecord> PowerRequests() const;
    // Runs as each power request reaches the bus, before it is carried out.
    std::function<void(PIRP)> OnPowerRequest;
    DEVICE_POWER_STATE DevicePower() const;

    // Until the bus holds a wait-wake request; false on timeout.
    bool WaitForWaitWake(std::chrono::milliseconds Timeout = std::chrono::seconds(10)) const;
    // The device signals wake-up: the wait-wake request completes with success.
    void SignalWake();
    // The power manager cancels the wait-wake request.
    void CancelWaitWake();

private:
    std::unique_ptr<TSimUsbDevicePrivate> d;
};
