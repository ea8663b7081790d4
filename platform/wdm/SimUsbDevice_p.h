// Private to the simulated USB device: its state, shared by the files that carry out its
// Plug and Play, power and USB requests. May change without notice.
#pragma once

#include <condition_variable>
#include <deque>
#include <list>
#include <map>
#include <mutex>
#include <thread>

#include "SimUsbDevice.h"

// The descriptors of a device with the given settings, as it sends them.
std::vector<UCHAR> SimDeviceDescriptor(const TSimUsbDevice::TSettings& Settings);
std::vector<UCHAR> SimConfigurationDescriptor(const TSimUsbDevice::TSettings& Settings);

struct TSimEndpointState {
    UCHAR Type = USB_ENDPOINT_TYPE_BULK;
    bool Stalled = false;
    unsigned Resets = 0;
    std::deque<std::pair<USBD_STATUS, unsigned>> Failures; // USBD status, transfers left
    std::deque<std::pair<ULONG, unsigned>> Limits;         // bytes at most, transfers left
    std::deque<std::vector<UCHAR>> InMessages;
    std::vector<std::vector<UCHAR>> OutTransfers;
};

struct TSimPipe {
    UCHAR Endpoint;
    ULONG MaximumTransferSize;
};

// A request the bus holds: an IN transfer waiting for data, or a request carried out and
// waiting to be completed (Later or Held timing).
struct TSimInFlight {
    PIRP Irp;
    bool Ready;       // carried out; Status is final
    NTSTATUS Status;
    UCHAR Endpoint;   // transfers
    bool Held;        // Ready and held for ReleaseHeld
};

struct TSimUsbDevicePrivate {
    explicit TSimUsbDevicePrivate(TSimUsbDevice& Owner, TSimUsbDevice::TSettings Settings);

    TSimUsbDevice& Owner;
    const TSimUsbDevice::TSettings Settings;
    PDEVICE_OBJECT Pdo = nullptr;

    mutable std::mutex Mutex; // guards everything below
    mutable std::condition_variable Changed;
    std::vector<UCHAR> DeviceDescriptor;
    std::vector<UCHAR> ConfigurationDescriptor;
    TSimUsbDevice::TTiming Timing = TSimUsbDevice::TTiming::Now;
    TSimUsbDevice::TTiming PowerTiming = TSimUsbDevice::TTiming::Now;
    struct TFailure {
        NTSTATUS Status;
        unsigned Count;
        unsigned PassFirst;
    };
    std::map<TSimUsbDevice::TOp, std::deque<TFailure>> Failures;
    std::map<UCHAR, TSimEndpointState> Endpoints;
    std::map<PVOID, TSimPipe> Pipes; // of the selected configuration
    ULONG_PTR NextHandle = 0x1000;
    bool Configured = false;
    bool Gone = false; // surprise-removed or removed
    bool PortConnected = true;
    bool PortEnabled = true;
    unsigned PortResets = 0;
    std::list<TSimInFlight> InFlight;
    std::vector<TSimUsbDevice::TTransferRecord> Transfers;
    std::size_t TransfersSubmitted = 0;
    std::vector<std::pair<UCHAR, ULONG>> DescriptorRequests;
    std::vector<UCHAR> PnpRequests;
    std::vector<TSimUsbDevice::TPowerRecord> PowerRequests;
    DEVICE_POWER_STATE DevicePower = PowerDeviceD0;
    PIRP WaitWakeIrp = nullptr;

    // The bus's own thread, for Later timing.
    std::thread Worker;
    bool Stopping = false;

    // Takes one armed failure of the kind; STATUS_SUCCESS when none. Called with Mutex held.
    NTSTATUS TakeFailure(TSimUsbDevice::TOp Op);
    // Completes a request the bus has carried out, as the timing says; returns what the dispatch
    // routine returns. Called without Mutex.
    NTSTATUS Finish(PIRP Irp, NTSTATUS Status, TSimUsbDevice::TTiming Timing, UCHAR Endpoint = 0);
    // Queues a request as in flight with the cancel routine set; false if it was cancelled
    // before it could be queued (the caller then completes it). Called with Mutex held.
    bool HoldLocked(PIRP Irp, const TSimInFlight& Entry);
    // Takes a request out of flight for completion; false if its cancel routine owns it now.
    // Called with Mutex held.
    bool TakeLocked(std::list<TSimInFlight>::iterator Entry);
    // Completes every request in flight that is not carried out yet with the status (the device
    // went away or was unconfigured).
    void Flush(NTSTATUS Status, USBD_STATUS UsbdStatus);
    // Moves queued IN data into waiting transfers; returns the requests to complete.
    std::vector<std::pair<PIRP, NTSTATUS>> SatisfyWaitingLocked(UCHAR Endpoint);
    // Completes the wait-wake request, if one is out, with the status.
    void FinishWaitWake(NTSTATUS Status);
    void WorkerLoop();
    std::size_t PendingTransfersLocked() const;

    NTSTATUS DispatchPnp(PIRP Irp);
    NTSTATUS DispatchPower(PIRP Irp);
    NTSTATUS DispatchInternalControl(PIRP Irp);
    NTSTATUS SubmitUrb(PIRP Irp, PURB Urb);
    NTSTATUS Transfer(PIRP Irp, PURB Urb);
};

// Completes a request at DISPATCH_LEVEL, as the bus does from its DPC.
void SimCompleteRequest(PIRP Irp, NTSTATUS Status);
