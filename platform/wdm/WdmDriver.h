// A driver loaded into the kernel stand-in: its driver object, filled by its entry routine.
// Every dispatch slot the driver leaves empty refuses requests with
// STATUS_INVALID_DEVICE_REQUEST, as the I/O manager's default does.
#pragma once

#include <string>

#include "wdm.h"

class TWdmDriver {
public:
    // Creates the driver object and calls the entry routine with the service's registry path.
    explicit TWdmDriver(PDRIVER_INITIALIZE Entry, const std::u16string& ServiceName = u"vxdriver");
    // Calls the unload routine; every device object of the driver must have been deleted.
    ~TWdmDriver();
    TWdmDriver(const TWdmDriver&) = delete;
    TWdmDriver& operator=(const TWdmDriver&) = delete;

    PDRIVER_OBJECT Object() const { return FObject; }

    // What the Plug and Play manager does for a device the driver is loaded for.
    NTSTATUS AddDevice(PDEVICE_OBJECT Pdo);

private:
    PDRIVER_OBJECT FObject;
    std::u16string FRegistryPath;
    NTSTATUS FEntryStatus;
};

// The default dispatch routine of a driver object.
NTSTATUS WdmInvalidDeviceRequest(PDEVICE_OBJECT DeviceObject, PIRP Irp);

// Initialises a driver object that the caller owns (used for the simulated bus driver).
void WdmInitializeDriverObject(DRIVER_OBJECT& Object, DRIVER_EXTENSION& Extension);
