// Power: the driver owns its device's power policy. It maps system power changes to device
// states, asks the power manager for the device request that goes with each system request,
// keeps CurrentDevicePowerState as device requests pass, and powers the device up again after
// a wake-up while a pipe is open. It never arms wake-up or powers the device down on its own.
#include "vxdriver.h"

namespace {

NTSTATUS PassOn(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PoStartNextPowerIrp(Irp);
    IoCopyCurrentIrpStackLocationToNext(Irp);
    NTSTATUS status = PoCallDriver(GetExtension(DeviceObject)->TopOfStackDevice, Irp);
    DecrementIoCount(DeviceObject);
    return status;
}

// Sends the held system request on once its device request is done (or refused), and
// releases the count its dispatch took.
void FinishSystemPowerIrp(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    PIRP irp = ext->PendingSystemPowerIrp;
    // Cleared before the request goes on: its completion lets the power manager send the next.
    ext->PendingSystemPowerIrp = nullptr;
    IoCopyCurrentIrpStackLocationToNext(irp);
    PoStartNextPowerIrp(irp);
    PoCallDriver(ext->TopOfStackDevice, irp);
    DecrementIoCount(DeviceObject);
}

BOOLEAN PipeOpen(PDEVICE_EXTENSION Extension)
{
    KIRQL irql;
    KeAcquireSpinLock(&Extension->TransferLock, &irql);
    BOOLEAN open = Extension->OpenPipeCount != 0;
    KeReleaseSpinLock(&Extension->TransferLock, irql);
    return open;
}

NTSTATUS WaitWake(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    ext->PowerDownLevel = ext->DeviceCapabilities.DeviceWake;
    if (ext->CurrentDevicePowerState == PowerDeviceD0 ||
        ext->DeviceCapabilities.DeviceWake > ext->CurrentDevicePowerState) {
        PoStartNextPowerIrp(Irp);
        CompleteRequest(Irp, STATUS_INVALID_DEVICE_STATE, 0);
        DecrementIoCount(DeviceObject);
        return STATUS_INVALID_DEVICE_STATE;
    }

    // Blocks until the bus driver completes the wake-up request (the device signalled) or it
    // is cancelled.
    ext->WaitWakeEnabled = TRUE;
    PoStartNextPowerIrp(Irp);
    NTSTATUS status = CallLowerSync(DeviceObject, Irp, TRUE);

    if (CanAcceptIo(ext) && !ext->PendingSystemPowerIrp && !ext->SelfPowerIrpPending && PipeOpen(ext) &&
        ext->PowerDownLevel >= PowerDeviceD1 && ext->PowerDownLevel <= PowerDeviceD3)
        RequestDevicePowerState(DeviceObject, PowerDeviceD0);

    ext->WaitWakeEnabled = FALSE;
    IofCompleteRequest(Irp, IO_NO_INCREMENT);
    DecrementIoCount(DeviceObject);
    return status;
}

NTSTATUS SetSystemPower(PDEVICE_OBJECT DeviceObject, PIRP Irp, SYSTEM_POWER_STATE SystemState)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    DEVICE_POWER_STATE state = PowerDeviceD3;
    if (SystemState == PowerSystemWorking)
        state = PowerDeviceD0;
    else if (ext->WaitWakeEnabled && SystemState > PowerSystemUnspecified && SystemState < PowerSystemMaximum)
        state = ext->DeviceCapabilities.DeviceState[SystemState]; // the deepest state it can wake from
    if (state == ext->CurrentDevicePowerState)
        return PassOn(DeviceObject, Irp);

    // The system request is held until the device request made for it completes, so it
    // outlives this call and is marked pending.
    ext->PendingSystemPowerIrp = Irp;
    IoMarkIrpPending(Irp);
    POWER_STATE powerState;
    powerState.DeviceState = state;
    NTSTATUS status = PoRequestPowerIrp(ext->PhysicalDevice, IRP_MN_SET_POWER, powerState, SystemPowerRequestDone,
                                        DeviceObject, nullptr);
    if (status != STATUS_PENDING) {
        // No device request was made: the system request still goes down, as the callback
        // would have sent it, since a system power change cannot be refused.
        FinishSystemPowerIrp(DeviceObject);
    }
    return STATUS_PENDING;
}

NTSTATUS SetDevicePower(PDEVICE_OBJECT DeviceObject, PIRP Irp, DEVICE_POWER_STATE State)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    if (State == PowerDeviceD0) {
        // The device is in D0 only once the drivers below have powered it up.
        IoCopyCurrentIrpStackLocationToNext(Irp);
        IoSetCompletionRoutine(Irp, DevicePowerUpCompletion, DeviceObject, TRUE, TRUE, TRUE);
        PoStartNextPowerIrp(Irp);
        // As the completion routine reports the power-up as done, so does the dispatch routine
        // when the drivers below finished at once.
        NTSTATUS status = PoCallDriver(ext->TopOfStackDevice, Irp);
        return status == STATUS_PENDING ? STATUS_PENDING : STATUS_SUCCESS;
    }
    // Going down, the state is recorded before the drivers below act on it.
    if (State >= PowerDeviceD1 && State <= PowerDeviceD3)
        ext->CurrentDevicePowerState = State;
    return PassOn(DeviceObject, Irp);
}

} // namespace

NTSTATUS DispatchPower(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(Irp);
    IncrementIoCount(DeviceObject);
    switch (stack->MinorFunction) {
    case IRP_MN_WAIT_WAKE:
        return WaitWake(DeviceObject, Irp);
    case IRP_MN_SET_POWER:
        if (stack->Parameters.Power.Type == SystemPowerState)
            return SetSystemPower(DeviceObject, Irp, stack->Parameters.Power.State.SystemState);
        return SetDevicePower(DeviceObject, Irp, stack->Parameters.Power.State.DeviceState);
    default:
        // Queries are passed down and never refused.
        return PassOn(DeviceObject, Irp);
    }
}

void SystemPowerRequestDone(PDEVICE_OBJECT DeviceObject, UCHAR MinorFunction, POWER_STATE PowerState, PVOID Context,
                            PIO_STATUS_BLOCK IoStatus)
{
    (void)DeviceObject;
    (void)MinorFunction;
    (void)PowerState;
    (void)IoStatus; // the system request goes down whatever the device request's outcome
    FinishSystemPowerIrp((PDEVICE_OBJECT)Context);
}

// A power-up that the drivers below fail is still recorded as D0 and reported as success.
NTSTATUS DevicePowerUpCompletion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context)
{
    (void)DeviceObject;
    PDEVICE_OBJECT device = (PDEVICE_OBJECT)Context;
    if (Irp->PendingReturned)
        IoMarkIrpPending(Irp);
    GetExtension(device)->CurrentDevicePowerState = PowerDeviceD0;
    Irp->IoStatus.Status = STATUS_SUCCESS;
    DecrementIoCount(device);
    return STATUS_SUCCESS;
}

NTSTATUS RequestDevicePowerState(PDEVICE_OBJECT DeviceObject, DEVICE_POWER_STATE State)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    if (State == ext->CurrentDevicePowerState)
        return STATUS_SUCCESS;

    IncrementIoCount(DeviceObject);
    ext->SelfPowerIrpPending = TRUE;
    KeClearEvent(&ext->SelfPowerEvent); // set by this request's callback
    POWER_STATE powerState;
    powerState.DeviceState = State;
    NTSTATUS status = PoRequestPowerIrp(ext->PhysicalDevice, IRP_MN_SET_POWER, powerState, SelfPowerRequestDone,
                                        DeviceObject, nullptr);
    if (status != STATUS_PENDING) {
        ext->SelfPowerIrpPending = FALSE;
        DecrementIoCount(DeviceObject);
        return status;
    }
    // Powering up (to a state shallower than the power-down level) is waited for, so that
    // the device is working when this returns.
    if (State < ext->PowerDownLevel)
        KeWaitForSingleObject(&ext->SelfPowerEvent, Executive, KernelMode, FALSE, nullptr);
    ext->SelfPowerIrpPending = FALSE;
    return STATUS_SUCCESS;
}

void SelfPowerRequestDone(PDEVICE_OBJECT DeviceObject, UCHAR MinorFunction, POWER_STATE PowerState, PVOID Context,
                          PIO_STATUS_BLOCK IoStatus)
{
    (void)DeviceObject;
    (void)MinorFunction;
    (void)PowerState;
    (void)IoStatus;
    PDEVICE_OBJECT device = (PDEVICE_OBJECT)Context;
    // Set for every state: the requester decides whether it waits.
    KeSetEvent(&GetExtension(device)->SelfPowerEvent, IO_NO_INCREMENT, FALSE);
    DecrementIoCount(device);
}
