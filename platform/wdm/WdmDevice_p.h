// Private to the kernel stand-in: what the object manager keeps about each device object.
#pragma once

#include <string>

#include "wdm.h"

struct TWdmDevicePrivate {
    PDEVICE_OBJECT AttachedTo = nullptr; // the device this one is attached above
    std::u16string InstancePath;         // physical devices: the bus's instance path, e.g. USB\VID_0471&PID_0888\HH0001
    // Physical devices: the device's Plug and Play state as the PnP manager keeps it
    // (WdmPnpOrder.cpp).
    bool Started = false;         // the last start request succeeded
    bool RemovePending = false;   // a query-remove was accepted and not cancelled since
    bool SurpriseRemoved = false;
};

TWdmDevicePrivate& WdmDevicePrivate(PDEVICE_OBJECT DeviceObject);

// The physical device at the bottom of the stack the device belongs to.
PDEVICE_OBJECT WdmPhysicalDeviceOf(PDEVICE_OBJECT DeviceObject);

// File objects open on the devices of the stack whose bottom is Pdo.
LONG WdmStackFileReferences(PDEVICE_OBJECT Pdo);

// Marks a device object created by a bus driver as a physical device with its instance path,
// so that device interfaces can be registered for it.
void WdmSetInstancePath(PDEVICE_OBJECT Pdo, const std::u16string& InstancePath);
