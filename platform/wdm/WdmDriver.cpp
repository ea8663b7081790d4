#include "WdmDriver.h"

#include <cstring>

#include "WdmDiagnostics.h"
#include "WdmPool.h"

NTSTATUS WdmInvalidDeviceRequest(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    (void)DeviceObject;
    Irp->IoStatus.Status = STATUS_INVALID_DEVICE_REQUEST;
    Irp->IoStatus.Information = 0;
    IofCompleteRequest(Irp, IO_NO_INCREMENT);
    return STATUS_INVALID_DEVICE_REQUEST;
}

void WdmInitializeDriverObject(DRIVER_OBJECT& Object, DRIVER_EXTENSION& Extension)
{
    std::memset(static_cast<void*>(&Object), 0, sizeof Object);
    std::memset(static_cast<void*>(&Extension), 0, sizeof Extension);
    Object.Type = 4; // IO_TYPE_DRIVER
    Object.Size = sizeof(DRIVER_OBJECT);
    Object.DriverExtension = &Extension;
    Extension.DriverObject = &Object;
    for (PDRIVER_DISPATCH& slot : Object.MajorFunction)
        slot = WdmInvalidDeviceRequest;
}

TWdmDriver::TWdmDriver(PDRIVER_INITIALIZE Entry, const std::u16string& ServiceName)
    : FRegistryPath(u"\\Registry\\Machine\\System\\CurrentControlSet\\Services\\" + ServiceName)
{
    SIZE_T bytes = sizeof(DRIVER_OBJECT) + sizeof(DRIVER_EXTENSION);
    FObject = static_cast<PDRIVER_OBJECT>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("Drv ")));
    if (!FObject)
        WdmBugCheck("no pool for a driver object");
    WdmInitializeDriverObject(*FObject, *reinterpret_cast<PDRIVER_EXTENSION>(FObject + 1));
    FObject->DriverInit = Entry;
    UNICODE_STRING registryPath;
    registryPath.Buffer = FRegistryPath.data();
    registryPath.Length = static_cast<USHORT>(FRegistryPath.size() * sizeof(WCHAR));
    registryPath.MaximumLength = registryPath.Length;
    FEntryStatus = Entry(FObject, &registryPath);
}

TWdmDriver::~TWdmDriver()
{
    if (FObject->DeviceObject)
        WdmReportViolation("driver unloaded while it still has device objects");
    if (NT_SUCCESS(FEntryStatus) && FObject->DriverUnload)
        FObject->DriverUnload(FObject);
    ExFreePoolWithTag(FObject, WdmTag("Drv "));
}

NTSTATUS TWdmDriver::AddDevice(PDEVICE_OBJECT Pdo)
{
    if (!FObject->DriverExtension->AddDevice)
        return STATUS_NOT_SUPPORTED;
    return FObject->DriverExtension->AddDevice(FObject, Pdo);
}
