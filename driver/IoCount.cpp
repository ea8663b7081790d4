// The count of outstanding requests. The base reference taken by AddDevice keeps it above 0
// until removal; the remove routine waits for RemoveEvent, set when the count reaches 0.
#include "vxdriver.h"

LONG IncrementIoCount(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    KIRQL irql;
    KeAcquireSpinLock(&ext->IoCountLock, &irql);
    LONG count = InterlockedIncrement(&ext->PendingIoCount);
    KeReleaseSpinLock(&ext->IoCountLock, irql);
    return count;
}

LONG DecrementIoCount(PDEVICE_OBJECT DeviceObject)
{
    PDEVICE_EXTENSION ext = GetExtension(DeviceObject);
    KIRQL irql;
    KeAcquireSpinLock(&ext->IoCountLock, &irql);
    LONG count = InterlockedDecrement(&ext->PendingIoCount);
    if (count == 1)
        KeSetEvent(&ext->NoPendingIoEvent, IO_NO_INCREMENT, FALSE);
    KeReleaseSpinLock(&ext->IoCountLock, irql);
    // RemoveEvent is set only after the lock is released: once it is set the remove routine
    // deletes the device, and the lock with it. The caller must not touch the device after
    // the last decrement.
    if (count == 0)
        KeSetEvent(&ext->RemoveEvent, IO_NO_INCREMENT, FALSE);
    return count;
}

BOOLEAN CanAcceptIo(PDEVICE_EXTENSION Extension)
{
    return !Extension->DeviceRemoved && Extension->DeviceStarted && !Extension->RemovePending &&
           !Extension->StopPending;
}
