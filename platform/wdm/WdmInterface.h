// Device interfaces as user mode sees them: the enabled interfaces of a class, each by its
// symbolic link name, as SetupDi enumeration lists them.
#pragma once

#include <string>
#include <vector>

#include "wdm.h"

// Link names ("\??\USB#VID_0471&PID_0888#HH0001#{88f49320-...}") of the enabled interfaces of
// the class, in registration order.
std::vector<std::u16string> WdmEnabledInterfaces(const GUID& InterfaceClass);

// The physical device an interface was registered for; none for an unknown link.
PDEVICE_OBJECT WdmInterfaceDevice(const std::u16string& LinkName);

bool WdmInterfaceEnabled(const std::u16string& LinkName);

// Drops the interfaces registered for a physical device that is deleted.
void WdmForgetInterfacesOf(PDEVICE_OBJECT Pdo);
