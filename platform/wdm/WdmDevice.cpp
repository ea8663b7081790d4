// Device objects and device stacks.
#include <cstring>
#include <mutex>

#include "WdmDevice_p.h"
#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmInterface.h"
#include "WdmPool.h"

namespace {

// Guards attaching and detaching against walks up a stack from other threads.
std::mutex StackMutex;

PDEVICE_OBJECT TopOf(PDEVICE_OBJECT DeviceObject)
{
    while (DeviceObject->AttachedDevice)
        DeviceObject = DeviceObject->AttachedDevice;
    return DeviceObject;
}

} // namespace

TWdmDevicePrivate& WdmDevicePrivate(PDEVICE_OBJECT DeviceObject)
{
    if (!DeviceObject || DeviceObject->Type != 3 || !DeviceObject->DeviceObjectExtension)
        WdmBugCheck("not a device object");
    return *static_cast<TWdmDevicePrivate*>(DeviceObject->DeviceObjectExtension);
}

void WdmSetInstancePath(PDEVICE_OBJECT Pdo, const std::u16string& InstancePath)
{
    WdmDevicePrivate(Pdo).InstancePath = InstancePath;
}

PDEVICE_OBJECT WdmPhysicalDeviceOf(PDEVICE_OBJECT DeviceObject)
{
    std::lock_guard lock(StackMutex);
    while (PDEVICE_OBJECT below = WdmDevicePrivate(DeviceObject).AttachedTo)
        DeviceObject = below;
    return DeviceObject;
}

LONG WdmStackFileReferences(PDEVICE_OBJECT Pdo)
{
    std::lock_guard lock(StackMutex);
    LONG references = 0;
    for (PDEVICE_OBJECT device = Pdo; device; device = device->AttachedDevice)
        references += __atomic_load_n(&device->ReferenceCount, __ATOMIC_SEQ_CST);
    return references;
}

extern "C" NTSTATUS IoCreateDevice(PDRIVER_OBJECT DriverObject, ULONG DeviceExtensionSize, PUNICODE_STRING DeviceName,
                                   DEVICE_TYPE DeviceType, ULONG DeviceCharacteristics, BOOLEAN Exclusive,
                                   PDEVICE_OBJECT* DeviceObject)
{
    (void)Exclusive;
    *DeviceObject = nullptr;
    if (DeviceName)
        return STATUS_NOT_SUPPORTED; // devices here are reached through interfaces only
    if (WdmCallFails(TWdmCall::CreateDevice))
        return STATUS_INSUFFICIENT_RESOURCES;
    // The extension follows the object, aligned as pool is.
    SIZE_T objectBytes = (sizeof(DEVICE_OBJECT) + 15) & ~static_cast<SIZE_T>(15);
    SIZE_T bytes = objectBytes + DeviceExtensionSize;
    auto* device = static_cast<PDEVICE_OBJECT>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("Devi")));
    if (!device)
        return STATUS_INSUFFICIENT_RESOURCES;
    std::memset(static_cast<void*>(device), 0, bytes);
    device->Type = 3; // IO_TYPE_DEVICE
    device->Size = static_cast<USHORT>(sizeof(DEVICE_OBJECT));
    device->DriverObject = DriverObject;
    device->Flags = DO_DEVICE_INITIALIZING;
    device->Characteristics = DeviceCharacteristics;
    device->DeviceType = DeviceType;
    device->StackSize = 1;
    device->DeviceExtension = DeviceExtensionSize ? reinterpret_cast<unsigned char*>(device) + objectBytes : nullptr;
    device->DeviceObjectExtension = new TWdmDevicePrivate;
    device->NextDevice = DriverObject->DeviceObject;
    DriverObject->DeviceObject = device;
    *DeviceObject = device;
    return STATUS_SUCCESS;
}

extern "C" void IoDeleteDevice(PDEVICE_OBJECT DeviceObject)
{
    TWdmDevicePrivate& priv = WdmDevicePrivate(DeviceObject);
    {
        std::lock_guard lock(StackMutex);
        if (DeviceObject->AttachedDevice)
            WdmBugCheck("IoDeleteDevice of a device that another device is still attached to");
        if (priv.AttachedTo)
            WdmBugCheck("IoDeleteDevice of a device still attached to the device below it");
    }
    if (DeviceObject->ReferenceCount != 0)
        WdmReportViolation("device object deleted while file objects still refer to it");
    WdmForgetInterfacesOf(DeviceObject);

    PDEVICE_OBJECT* link = &DeviceObject->DriverObject->DeviceObject;
    while (*link && *link != DeviceObject)
        link = &(*link)->NextDevice;
    if (*link)
        *link = DeviceObject->NextDevice;
    delete &priv;
    DeviceObject->Type = 0;
    ExFreePoolWithTag(DeviceObject, WdmTag("Devi"));
}

extern "C" PDEVICE_OBJECT IoAttachDeviceToDeviceStack(PDEVICE_OBJECT SourceDevice, PDEVICE_OBJECT TargetDevice)
{
    if (WdmCallFails(TWdmCall::AttachDevice))
        return nullptr;
    std::lock_guard lock(StackMutex);
    PDEVICE_OBJECT top = TopOf(TargetDevice);
    top->AttachedDevice = SourceDevice;
    SourceDevice->StackSize = static_cast<CCHAR>(top->StackSize + 1);
    WdmDevicePrivate(SourceDevice).AttachedTo = top;
    return top;
}

extern "C" void IoDetachDevice(PDEVICE_OBJECT TargetDevice)
{
    std::lock_guard lock(StackMutex);
    PDEVICE_OBJECT source = TargetDevice->AttachedDevice;
    if (!source)
        WdmBugCheck("IoDetachDevice of a device with nothing attached");
    WdmDevicePrivate(source).AttachedTo = nullptr;
    TargetDevice->AttachedDevice = nullptr;
}

extern "C" PDEVICE_OBJECT IoGetAttachedDevice(PDEVICE_OBJECT DeviceObject)
{
    std::lock_guard lock(StackMutex);
    return TopOf(DeviceObject);
}
