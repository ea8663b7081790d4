// Private to the kernel stand-in: what the object manager keeps about each device object.
#pragma once

#include <string>

#include "wdm.h"

struct TWdmDevicePrivate {
    PDEVICE_OBJECT AttachedTo = nullptr; // the device this one is attached above
    std::u16string InstancePath;         // physical devices: the bus's instance path, e.g. USB\VID_0471&PID_0888\HH0001
};

TWdmDevicePrivate& WdmDevicePrivate(PDEVICE_OBJECT DeviceObject);

// Marks a device object created by a bus driver as a physical device with its instance path,
// so that device interfaces can be registered for it.
void WdmSetInstancePath(PDEVICE_OBJECT Pdo, const std::u16string& InstancePath);
