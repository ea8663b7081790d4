// The simulated device's object: its physical device object and bus driver object, how requests
// it holds are completed (now, later on its own thread, or when released) and cancelled, and
// the test-facing controls.
#include "SimUsbDevice_p.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "WdmDevice_p.h"
#include "WdmDiagnostics.h"
#include "WdmDriver.h"
#include "WdmSync_p.h"

namespace {

TSimUsbDevicePrivate& SimOf(PDEVICE_OBJECT DeviceObject)
{
    return **static_cast<TSimUsbDevicePrivate**>(DeviceObject->DeviceExtension);
}

NTSTATUS CompleteWith(PIRP Irp, NTSTATUS Status)
{
    SimCompleteRequest(Irp, Status);
    return Status;
}

NTSTATUS DispatchPnp(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return SimOf(DeviceObject).DispatchPnp(Irp);
}

NTSTATUS DispatchPower(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return SimOf(DeviceObject).DispatchPower(Irp);
}

NTSTATUS DispatchInternalControl(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    return SimOf(DeviceObject).DispatchInternalControl(Irp);
}

// Handles opened on the interface reach the physical device once the function driver is gone.
NTSTATUS DispatchOpenClose(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    (void)DeviceObject;
    Irp->IoStatus.Information = 0;
    return CompleteWith(Irp, STATUS_SUCCESS);
}

// A physical device object leaves what it does not handle as it is.
NTSTATUS DispatchSystemControl(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    (void)DeviceObject;
    return CompleteWith(Irp, Irp->IoStatus.Status);
}

// The bus driver's driver object, shared by every simulated device.
PDRIVER_OBJECT BusDriver()
{
    static DRIVER_OBJECT object;
    static DRIVER_EXTENSION extension;
    static std::once_flag once;
    std::call_once(once, [] {
        WdmInitializeDriverObject(object, extension);
        object.MajorFunction[IRP_MJ_PNP] = DispatchPnp;
        object.MajorFunction[IRP_MJ_POWER] = DispatchPower;
        object.MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = DispatchInternalControl;
        object.MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
        object.MajorFunction[IRP_MJ_CLEANUP] = DispatchOpenClose;
        object.MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
        object.MajorFunction[IRP_MJ_SYSTEM_CONTROL] = DispatchSystemControl;
    });
    return &object;
}

// Cancel routine of every request the bus holds; runs with the cancel spin lock held.
void CancelInFlight(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    IoReleaseCancelSpinLock(Irp->CancelIrql);
    TSimUsbDevicePrivate& sim = SimOf(DeviceObject);
    NTSTATUS status = STATUS_CANCELLED;
    {
        std::lock_guard lock(sim.Mutex);
        auto entry = std::find_if(sim.InFlight.begin(), sim.InFlight.end(),
                                  [Irp](const TSimInFlight& e) { return e.Irp == Irp; });
        if (entry == sim.InFlight.end())
            WdmBugCheck("simulated bus: cancelled request is not in flight");
        // A request already carried out keeps its outcome; one still waiting moved nothing.
        if (entry->Ready)
            status = entry->Status;
        sim.InFlight.erase(entry);
        if (Irp == sim.WaitWakeIrp)
            sim.WaitWakeIrp = nullptr;
        sim.Changed.notify_all();
    }
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    if (stack->MajorFunction == IRP_MJ_INTERNAL_DEVICE_CONTROL && status == STATUS_CANCELLED) {
        auto* urb = static_cast<PURB>(stack->Parameters.Others.Argument1);
        urb->UrbHeader.Status = USBD_STATUS_CANCELED;
        if (urb->UrbHeader.Function == URB_FUNCTION_BULK_OR_INTERRUPT_TRANSFER)
            urb->UrbBulkOrInterruptTransfer.TransferBufferLength = 0;
    }
    if (stack->MajorFunction == IRP_MJ_POWER)
        PoStartNextPowerIrp(Irp);
    SimCompleteRequest(Irp, status);
}

} // namespace

void SimCompleteRequest(PIRP Irp, NTSTATUS Status)
{
    TWdmDispatchLevel dispatchLevel;
    Irp->IoStatus.Status = Status;
    IofCompleteRequest(Irp, IO_NO_INCREMENT);
}

TSimUsbDevicePrivate::TSimUsbDevicePrivate(TSimUsbDevice& Owner, TSimUsbDevice::TSettings Settings)
    : Owner(Owner), Settings(std::move(Settings))
{
}

NTSTATUS TSimUsbDevicePrivate::TakeFailure(TSimUsbDevice::TOp Op)
{
    auto it = Failures.find(Op);
    if (it == Failures.end() || it->second.empty())
        return STATUS_SUCCESS;
    TFailure& failure = it->second.front();
    if (failure.PassFirst > 0) {
        --failure.PassFirst;
        return STATUS_SUCCESS;
    }
    NTSTATUS status = failure.Status;
    if (--failure.Count == 0)
        it->second.pop_front();
    return status;
}

bool TSimUsbDevicePrivate::HoldLocked(PIRP Irp, const TSimInFlight& Entry)
{
    IoMarkIrpPending(Irp);
    IoSetCancelRoutine(Irp, CancelInFlight);
    if (Irp->Cancel && IoSetCancelRoutine(Irp, nullptr)) {
        // Cancelled before it was queued; the caller completes it.
        return false;
    }
    InFlight.push_back(Entry);
    Changed.notify_all();
    return true;
}

bool TSimUsbDevicePrivate::TakeLocked(std::list<TSimInFlight>::iterator Entry)
{
    if (!IoSetCancelRoutine(Entry->Irp, nullptr))
        return false; // being cancelled: the cancel routine removes and completes it
    InFlight.erase(Entry);
    Changed.notify_all();
    return true;
}

NTSTATUS TSimUsbDevicePrivate::Finish(PIRP Irp, NTSTATUS Status, TSimUsbDevice::TTiming Timing, UCHAR Endpoint)
{
    if (Timing == TSimUsbDevice::TTiming::Now)
        return CompleteWith(Irp, Status);
    std::unique_lock lock(Mutex);
    if (!HoldLocked(Irp, {Irp, true, Status, Endpoint, Timing == TSimUsbDevice::TTiming::Held})) {
        lock.unlock();
        SimCompleteRequest(Irp, Status); // marked pending already
    }
    return STATUS_PENDING;
}

void TSimUsbDevicePrivate::Flush(NTSTATUS Status, USBD_STATUS UsbdStatus)
{
    std::vector<PIRP> flushed;
    {
        std::lock_guard lock(Mutex);
        for (auto entry = InFlight.begin(); entry != InFlight.end();) {
            auto next = std::next(entry);
            bool transfer = entry->Irp != WaitWakeIrp;
            if (transfer && !entry->Ready) {
                PIRP irp = entry->Irp;
                if (TakeLocked(entry))
                    flushed.push_back(irp);
            }
            entry = next;
        }
    }
    for (PIRP irp : flushed) {
        auto* urb = static_cast<PURB>(IoGetCurrentIrpStackLocation(irp)->Parameters.Others.Argument1);
        urb->UrbHeader.Status = UsbdStatus;
        urb->UrbBulkOrInterruptTransfer.TransferBufferLength = 0;
        SimCompleteRequest(irp, Status);
    }
}

void TSimUsbDevicePrivate::FinishWaitWake(NTSTATUS Status)
{
    PIRP irp = nullptr;
    {
        std::lock_guard lock(Mutex);
        auto entry = std::find_if(InFlight.begin(), InFlight.end(),
                                  [this](const TSimInFlight& e) { return e.Irp == WaitWakeIrp; });
        if (entry != InFlight.end() && TakeLocked(entry)) {
            irp = WaitWakeIrp;
            WaitWakeIrp = nullptr;
        }
    }
    if (!irp)
        return;
    if (Status == STATUS_CANCELLED)
        irp->Cancel = TRUE;
    PoStartNextPowerIrp(irp);
    SimCompleteRequest(irp, Status);
}

void TSimUsbDevicePrivate::WorkerLoop()
{
    std::unique_lock lock(Mutex);
    for (;;) {
        auto entry = std::find_if(InFlight.begin(), InFlight.end(),
                                  [](const TSimInFlight& e) { return e.Ready && !e.Held; });
        if (entry == InFlight.end()) {
            if (Stopping)
                return;
            Changed.wait(lock);
            continue;
        }
        PIRP irp = entry->Irp;
        NTSTATUS status = entry->Status;
        if (!TakeLocked(entry)) {
            // Its cancel routine completes it; wait until it has.
            Changed.wait(lock);
            continue;
        }
        lock.unlock();
        SimCompleteRequest(irp, status);
        lock.lock();
    }
}

TSimUsbDevice::TSimUsbDevice() : TSimUsbDevice(TSettings{})
{
}

TSimUsbDevice::TSimUsbDevice(TSettings Settings) : d(std::make_unique<TSimUsbDevicePrivate>(*this, std::move(Settings)))
{
    d->DeviceDescriptor = SimDeviceDescriptor(d->Settings);
    d->ConfigurationDescriptor = SimConfigurationDescriptor(d->Settings);
    for (const TEndpoint& endpoint : d->Settings.Endpoints)
        d->Endpoints[endpoint.Address].Type = endpoint.Type;

    NTSTATUS status = IoCreateDevice(BusDriver(), sizeof(TSimUsbDevicePrivate*), nullptr, FILE_DEVICE_UNKNOWN,
                                     FILE_AUTOGENERATED_DEVICE_NAME, FALSE, &d->Pdo);
    if (!NT_SUCCESS(status))
        WdmBugCheck("simulated bus: no physical device object");
    *static_cast<TSimUsbDevicePrivate**>(d->Pdo->DeviceExtension) = d.get();
    d->Pdo->Flags |= DO_POWER_PAGABLE;
    d->Pdo->Flags &= ~DO_DEVICE_INITIALIZING;

    char ids[32];
    std::snprintf(ids, sizeof ids, "USB\\VID_%04X&PID_%04X\\", d->Settings.VendorId, d->Settings.ProductId);
    WdmSetInstancePath(d->Pdo, std::u16string(ids, ids + std::strlen(ids)) + d->Settings.SerialNumber);

    d->Worker = std::thread([this] { d->WorkerLoop(); });
}

TSimUsbDevice::~TSimUsbDevice()
{
    {
        std::lock_guard lock(d->Mutex);
        d->Stopping = true;
        d->Changed.notify_all();
    }
    d->Worker.join();
    if (!d->InFlight.empty())
        WdmBugCheck("simulated bus: device destroyed with requests still in flight");
    IoDeleteDevice(d->Pdo);
}

PDEVICE_OBJECT TSimUsbDevice::Pdo() const
{
    return d->Pdo;
}

const TSimUsbDevice::TSettings& TSimUsbDevice::Settings() const
{
    return d->Settings;
}

std::vector<UCHAR> TSimUsbDevice::ConfigurationDescriptor() const
{
    std::lock_guard lock(d->Mutex);
    return d->ConfigurationDescriptor;
}

void TSimUsbDevice::SetConfigurationDescriptor(std::vector<UCHAR> Descriptor)
{
    std::lock_guard lock(d->Mutex);
    d->ConfigurationDescriptor = std::move(Descriptor);
}

void TSimUsbDevice::SetTiming(TTiming Timing)
{
    std::lock_guard lock(d->Mutex);
    d->Timing = Timing;
}

void TSimUsbDevice::SetPowerTiming(TTiming Timing)
{
    std::lock_guard lock(d->Mutex);
    d->PowerTiming = Timing;
}

std::size_t TSimUsbDevice::HeldCount() const
{
    std::lock_guard lock(d->Mutex);
    return static_cast<std::size_t>(
        std::count_if(d->InFlight.begin(), d->InFlight.end(), [](const TSimInFlight& e) { return e.Held; }));
}

void TSimUsbDevice::ReleaseHeld()
{
    std::vector<std::pair<PIRP, NTSTATUS>> released;
    {
        std::lock_guard lock(d->Mutex);
        for (auto entry = d->InFlight.begin(); entry != d->InFlight.end();) {
            auto next = std::next(entry);
            if (entry->Held) {
                std::pair<PIRP, NTSTATUS> request{entry->Irp, entry->Status};
                if (d->TakeLocked(entry))
                    released.push_back(request);
            }
            entry = next;
        }
    }
    for (auto [irp, status] : released)
        SimCompleteRequest(irp, status);
}

void TSimUsbDevice::QueueInData(UCHAR Endpoint, std::vector<UCHAR> Message)
{
    std::vector<std::pair<PIRP, NTSTATUS>> satisfied;
    TTiming timing;
    {
        std::lock_guard lock(d->Mutex);
        d->Endpoints[Endpoint].InMessages.push_back(std::move(Message));
        satisfied = d->SatisfyWaitingLocked(Endpoint);
        timing = d->Timing;
    }
    for (auto [irp, status] : satisfied)
        d->Finish(irp, status, timing, Endpoint);
}

std::vector<std::vector<UCHAR>> TSimUsbDevice::OutTransfers(UCHAR Endpoint) const
{
    std::lock_guard lock(d->Mutex);
    auto it = d->Endpoints.find(Endpoint);
    return it == d->Endpoints.end() ? std::vector<std::vector<UCHAR>>{} : it->second.OutTransfers;
}

void TSimUsbDevice::Fail(TOp Op, NTSTATUS Status, unsigned Count, unsigned PassFirst)
{
    std::lock_guard lock(d->Mutex);
    d->Failures[Op].push_back({Status, Count, PassFirst});
}

void TSimUsbDevice::FailTransfers(UCHAR Endpoint, USBD_STATUS Status, unsigned Count)
{
    std::lock_guard lock(d->Mutex);
    d->Endpoints[Endpoint].Failures.push_back({Status, Count});
}

void TSimUsbDevice::LimitTransfers(UCHAR Endpoint, ULONG MaxBytes, unsigned Count)
{
    std::lock_guard lock(d->Mutex);
    d->Endpoints[Endpoint].Limits.push_back({MaxBytes, Count});
}

void TSimUsbDevice::SetPort(bool Connected, bool Enabled)
{
    std::lock_guard lock(d->Mutex);
    d->PortConnected = Connected;
    d->PortEnabled = Enabled;
}

unsigned TSimUsbDevice::PortResets() const
{
    std::lock_guard lock(d->Mutex);
    return d->PortResets;
}

unsigned TSimUsbDevice::PipeResets(UCHAR Endpoint) const
{
    std::lock_guard lock(d->Mutex);
    auto it = d->Endpoints.find(Endpoint);
    return it == d->Endpoints.end() ? 0 : it->second.Resets;
}

bool TSimUsbDevice::Stalled(UCHAR Endpoint) const
{
    std::lock_guard lock(d->Mutex);
    auto it = d->Endpoints.find(Endpoint);
    return it != d->Endpoints.end() && it->second.Stalled;
}

bool TSimUsbDevice::Configured() const
{
    std::lock_guard lock(d->Mutex);
    return d->Configured;
}

std::vector<ULONG> TSimUsbDevice::MaximumTransferSizes() const
{
    std::lock_guard lock(d->Mutex);
    std::vector<ULONG> sizes;
    for (const TEndpoint& endpoint : d->Settings.Endpoints)
        for (const auto& [handle, pipe] : d->Pipes)
            if (pipe.Endpoint == endpoint.Address)
                sizes.push_back(pipe.MaximumTransferSize);
    return sizes;
}

std::vector<TSimUsbDevice::TTransferRecord> TSimUsbDevice::Transfers() const
{
    std::lock_guard lock(d->Mutex);
    return d->Transfers;
}

std::size_t TSimUsbDevicePrivate::PendingTransfersLocked() const
{
    return static_cast<std::size_t>(std::count_if(InFlight.begin(), InFlight.end(), [this](const TSimInFlight& e) {
        return e.Irp != WaitWakeIrp && IoGetCurrentIrpStackLocation(e.Irp)->MajorFunction != IRP_MJ_POWER;
    }));
}

std::size_t TSimUsbDevice::TransfersSubmitted() const
{
    std::lock_guard lock(d->Mutex);
    return d->TransfersSubmitted;
}

std::size_t TSimUsbDevice::PendingTransfers() const
{
    std::lock_guard lock(d->Mutex);
    return d->PendingTransfersLocked();
}

bool TSimUsbDevice::WaitForPendingTransfers(std::size_t Count, std::chrono::milliseconds Timeout) const
{
    std::unique_lock lock(d->Mutex);
    return d->Changed.wait_for(lock, Timeout, [this, Count] { return d->PendingTransfersLocked() == Count; });
}

std::vector<std::pair<UCHAR, ULONG>> TSimUsbDevice::DescriptorRequests() const
{
    std::lock_guard lock(d->Mutex);
    return d->DescriptorRequests;
}

std::vector<UCHAR> TSimUsbDevice::PnpRequests() const
{
    std::lock_guard lock(d->Mutex);
    return d->PnpRequests;
}

std::vector<TSimUsbDevice::TPowerRecord> TSimUsbDevice::PowerRequests() const
{
    std::lock_guard lock(d->Mutex);
    return d->PowerRequests;
}

DEVICE_POWER_STATE TSimUsbDevice::DevicePower() const
{
    std::lock_guard lock(d->Mutex);
    return d->DevicePower;
}

bool TSimUsbDevice::WaitForWaitWake(std::chrono::milliseconds Timeout) const
{
    std::unique_lock lock(d->Mutex);
    return d->Changed.wait_for(lock, Timeout, [this] { return d->WaitWakeIrp != nullptr; });
}

void TSimUsbDevice::SignalWake()
{
    d->FinishWaitWake(STATUS_SUCCESS);
}

void TSimUsbDevice::CancelWaitWake()
{
    // As the power manager's IoCancelIrp would: the request completes as cancelled.
    d->FinishWaitWake(STATUS_CANCELLED);
}
