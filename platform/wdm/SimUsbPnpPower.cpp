// Plug and Play and power requests that reach the simulated device's physical device object.
#include "SimUsbDevice_p.h"

namespace {

using TOp = TSimUsbDevice::TOp;

// What the hub reports about the device: its power mappings and wake-up from the settings. It
// does not promise surprise removal, so a function driver that wants it must say so itself.
void FillCapabilities(PDEVICE_CAPABILITIES Capabilities, const TSimUsbDevice::TSettings& Settings)
{
    for (int s = 0; s < PowerSystemMaximum; ++s)
        Capabilities->DeviceState[s] = Settings.DeviceState[s];
    Capabilities->DeviceWake = Settings.DeviceWake;
    Capabilities->SystemWake = Settings.SystemWake;
    Capabilities->DeviceD1 = TRUE;
    Capabilities->DeviceD2 = TRUE;
    Capabilities->WakeFromD2 = Settings.DeviceWake >= PowerDeviceD2;
    Capabilities->Removable = TRUE;
    Capabilities->UniqueID = TRUE;
    Capabilities->SurpriseRemovalOK = FALSE;
}

} // namespace

NTSTATUS TSimUsbDevicePrivate::DispatchPnp(PIRP Irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    NTSTATUS status = Irp->IoStatus.Status; // requests the bus does not handle keep their status
    bool gone = false;
    {
        std::lock_guard lock(Mutex);
        PnpRequests.push_back(stack->MinorFunction);
        switch (stack->MinorFunction) {
        case IRP_MN_START_DEVICE:
            status = TakeFailure(TOp::Start);
            break;
        case IRP_MN_QUERY_CAPABILITIES:
            status = TakeFailure(TOp::QueryCapabilities);
            if (NT_SUCCESS(status))
                FillCapabilities(stack->Parameters.DeviceCapabilities.Capabilities, Settings);
            break;
        case IRP_MN_SURPRISE_REMOVAL:
            PortConnected = false;
            PortEnabled = false;
            [[fallthrough]];
        case IRP_MN_REMOVE_DEVICE:
            Gone = true;
            Configured = false;
            Pipes.clear();
            gone = true;
            status = STATUS_SUCCESS;
            break;
        case IRP_MN_QUERY_REMOVE_DEVICE:
        case IRP_MN_CANCEL_REMOVE_DEVICE:
        case IRP_MN_STOP_DEVICE:
        case IRP_MN_QUERY_STOP_DEVICE:
        case IRP_MN_CANCEL_STOP_DEVICE:
            status = STATUS_SUCCESS;
            break;
        default:
            break;
        }
    }
    // Transfers still waiting end when the device goes away.
    if (gone)
        Flush(STATUS_NO_SUCH_DEVICE, USBD_STATUS_DEVICE_GONE);
    SimCompleteRequest(Irp, status);
    return status;
}

NTSTATUS TSimUsbDevicePrivate::DispatchPower(PIRP Irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    {
        std::lock_guard lock(Mutex);
        PowerRequests.push_back({stack->MinorFunction, stack->Parameters.Power.Type, stack->Parameters.Power.State});
    }
    if (Owner.OnPowerRequest)
        Owner.OnPowerRequest(Irp);

    std::unique_lock lock(Mutex);
    NTSTATUS status = Irp->IoStatus.Status;
    TSimUsbDevice::TTiming timing = TSimUsbDevice::TTiming::Now;
    switch (stack->MinorFunction) {
    case IRP_MN_SET_POWER:
        status = STATUS_SUCCESS;
        if (stack->Parameters.Power.Type == DevicePowerState) {
            status = TakeFailure(TOp::SetDevicePower);
            if (NT_SUCCESS(status))
                DevicePower = stack->Parameters.Power.State.DeviceState;
        }
        timing = PowerTiming;
        break;
    case IRP_MN_QUERY_POWER:
        status = STATUS_SUCCESS;
        break;
    case IRP_MN_WAIT_WAKE:
        if (WaitWakeIrp) {
            status = STATUS_DEVICE_BUSY;
            break;
        }
        // Stays out until the device signals wake-up or the request is cancelled.
        if (HoldLocked(Irp, {Irp, false, STATUS_PENDING, 0, false})) {
            WaitWakeIrp = Irp;
            return STATUS_PENDING;
        }
        status = STATUS_CANCELLED;
        break;
    default:
        break;
    }
    lock.unlock();
    PoStartNextPowerIrp(Irp);
    return Finish(Irp, status, timing);
}
