// vxdriver: WDM function driver for the handheld terminal's USB device.
//
// Entry points reach the driver only through the dispatch table that DriverEntry fills and the
// completion and power callbacks it registers. All per-device state lives in DEVICE_EXTENSION;
// every allocation is non-paged pool under VXDRIVER_POOL_TAG; errors are NTSTATUS values only.
#ifndef VXDRIVER_H
#define VXDRIVER_H

#include <wdm.h>
#include <usbdi.h>
// The USBD library has C linkage; not every edition of its header says so to C++ callers.
extern "C" {
#include <usbdlib.h>
}

#include "VxIoctl.h"

// Pool tag "Wdm ": the bytes 'W', 'd', 'm', ' ' in memory order, as pool dumps show tags.
#define VXDRIVER_POOL_TAG ((ULONG)'W' | ((ULONG)'d' << 8) | ((ULONG)'m' << 16) | ((ULONG)' ' << 24))

// The pipes' maximum transfer size, and the size of each stage of a longer read or write.
#define VXDRIVER_STAGE_SIZE 8192u

// The first configuration read asks for this many bytes; a configuration whose wTotalLength
// is larger is read again at its full length.
#define VXDRIVER_CONFIG_READ_SIZE 521u

// Characters of DEVICE_EXTENSION::InterfaceLinkName, terminator included.
#define VXDRIVER_LINK_NAME_CHARS 256u

// One stage of a staged read or write. The records of a transfer form an array ended by an
// all-empty record; they live until the last stage has completed.
typedef struct _STAGE_CONTEXT {
    PURB Urb;                    // the stage's bulk-or-interrupt URB
    PDEVICE_OBJECT DeviceObject; // the function device
    PIRP Irp;                    // the stage request; none until the stage is published
    PMDL Mdl;                    // the stage's partial MDL, sized for the stage; emptied when the stage completes
} STAGE_CONTEXT, *PSTAGE_CONTEXT;

// The function device's extension, zero-filled when the device object is created.
typedef struct _DEVICE_EXTENSION {
    PDEVICE_OBJECT TopOfStackDevice;     // device below; written once by AddDevice
    PDEVICE_OBJECT PhysicalDevice;       // target of the driver's power requests; written once by AddDevice
    DEVICE_POWER_STATE CurrentDevicePowerState; // power dispatch; one set-power request at a time
    USBD_CONFIGURATION_HANDLE ConfigurationHandle; // PnP thread (start)
    PUSB_CONFIGURATION_DESCRIPTOR ConfigurationDescriptor; // PnP thread; read by control requests
    PUSB_DEVICE_DESCRIPTOR DeviceDescriptor; // PnP thread; only stored and freed
    PUSBD_INTERFACE_INFORMATION InterfaceInfo; // PnP thread; pipe handles point into it
    DEVICE_CAPABILITIES DeviceCapabilities; // written once by AddDevice
    PIRP PendingSystemPowerIrp;          // power dispatch and its callback
    PIRP StagedIrp;                      // TransferLock
    PURB SingleTransferUrb;              // claimed and released with interlocked exchanges
    LONG StagesPending;                  // TransferLock
    ULONG StagedBytes;                   // TransferLock
    KEVENT RemoveEvent;                  // set when PendingIoCount reaches 0
    KEVENT StagesDoneEvent;              // TransferLock: cleared when a staged transfer starts, set when it ends
    KEVENT NoPendingIoEvent;             // set when PendingIoCount drops to 1
    KEVENT SelfPowerEvent;               // cleared before, set after a self-requested power change
    KSPIN_LOCK IoCountLock;              // guards PendingIoCount
    LONG PendingIoCount;                 // IoCountLock; 1 is the base reference held until removal
    ULONG OpenPipeCount;                 // TransferLock
    PUCHAR PipeOpenFlags;                // TransferLock for the bytes; one per pipe, 1 while a handle holds it
    PSTAGE_CONTEXT StageContexts;        // TransferLock
    WCHAR InterfaceLinkName[VXDRIVER_LINK_NAME_CHARS]; // written once by AddDevice
    BOOLEAN DeviceRemoved;               // PnP thread; read without a lock, never cleared
    BOOLEAN RemovePending;               // PnP thread; read without a lock
    BOOLEAN StopPending;                 // PnP thread; read without a lock
    BOOLEAN DeviceStarted;               // PnP thread; read without a lock
    BOOLEAN WaitWakeEnabled;             // power dispatch, while a wait-wake request is down
    BOOLEAN SelfPowerIrpPending;         // power dispatch, while RequestDevicePowerState runs
    DEVICE_POWER_STATE PowerDownLevel;   // power dispatch
    ULONG MaximumTransferSize;           // written once by AddDevice: VXDRIVER_STAGE_SIZE
    KSPIN_LOCK TransferLock;             // staged-transfer fields and pipe flags; taken before IoCountLock
    BOOLEAN StagesCancelled;             // TransferLock: set by the cancel walk; no stage of the transfer goes down after it
} DEVICE_EXTENSION, *PDEVICE_EXTENSION;

inline PDEVICE_EXTENSION GetExtension(PDEVICE_OBJECT DeviceObject)
{
    return (PDEVICE_EXTENSION)DeviceObject->DeviceExtension;
}

extern "C" DRIVER_INITIALIZE DriverEntry;

// Device lifecycle (AddDevice.cpp, DispatchPnp.cpp, UsbConfiguration.cpp)
DRIVER_UNLOAD DriverUnload;
DRIVER_ADD_DEVICE AddDevice;
NTSTATUS CreateFunctionDevice(PDRIVER_OBJECT DriverObject, PDEVICE_OBJECT PhysicalDeviceObject,
                              PDEVICE_OBJECT* FunctionDevice);
NTSTATUS QueryDeviceCapabilities(PDEVICE_OBJECT LowerDevice, PDEVICE_CAPABILITIES Capabilities);
DRIVER_DISPATCH DispatchPnp;
DRIVER_DISPATCH DispatchSystemControl;
NTSTATUS HandleQueryCapabilities(PDEVICE_OBJECT DeviceObject, PIRP Irp);
NTSTATUS StartUsbDevice(PDEVICE_OBJECT DeviceObject);
NTSTATUS ReadConfigurationDescriptor(PDEVICE_OBJECT DeviceObject);
NTSTATUS SelectFirstInterface(PDEVICE_OBJECT DeviceObject, PUSB_CONFIGURATION_DESCRIPTOR Descriptor);
NTSTATUS StopUsbDevice(PDEVICE_OBJECT DeviceObject);
NTSTATUS ReleaseDeviceResources(PDEVICE_OBJECT DeviceObject);

// Outstanding-request count (IoCount.cpp)
LONG IncrementIoCount(PDEVICE_OBJECT DeviceObject);
LONG DecrementIoCount(PDEVICE_OBJECT DeviceObject);
BOOLEAN CanAcceptIo(PDEVICE_EXTENSION Extension);

// Requests to the driver below (LowerCalls.cpp)
IO_COMPLETION_ROUTINE SignalEventCompletion;
NTSTATUS PassDown(PDEVICE_OBJECT DeviceObject, PIRP Irp);
NTSTATUS SkipDown(PDEVICE_OBJECT DeviceObject, PIRP Irp);
NTSTATUS CallLowerSync(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN PowerRequest);
NTSTATUS CallUsbdSync(PDEVICE_OBJECT DeviceObject, ULONG IoControlCode, PVOID Argument1);
NTSTATUS SubmitUrbSync(PDEVICE_OBJECT DeviceObject, PURB Urb);
void SetUpTransfer(PIRP Irp, PURB Urb, PUSBD_PIPE_INFORMATION Pipe, PMDL Mdl, ULONG Length, BOOLEAN Read,
                   PIO_COMPLETION_ROUTINE Completion, PVOID Context);
PVOID AllocatePool(SIZE_T Bytes);
PVOID AllocateZeroedPool(SIZE_T Bytes);
void FreePool(PVOID Block);
NTSTATUS CompleteRequest(PIRP Irp, NTSTATUS Status, ULONG_PTR Information);

// Pipe handles, transfers and control requests (PipeHandles.cpp, ReadWrite.cpp,
// StagedTransfer.cpp, DeviceControl.cpp)
DRIVER_DISPATCH DispatchCreate;
DRIVER_DISPATCH DispatchClose;
DRIVER_DISPATCH DispatchRead;
DRIVER_DISPATCH DispatchWrite;
DRIVER_DISPATCH DispatchDeviceControl;
PUSBD_PIPE_INFORMATION PipeOf(PIRP Irp);
NTSTATUS ReadWrite(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read);
ULONG TransferredBytes(PIRP Irp, PURB Urb, ULONG Requested);
NTSTATUS SingleTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read);
IO_COMPLETION_ROUTINE SingleTransferCompletion;
NTSTATUS StagedTransfer(PDEVICE_OBJECT DeviceObject, PIRP Irp, BOOLEAN Read, ULONG Length);
IO_COMPLETION_ROUTINE StageTransferCompletion;
ULONG CancelPendingStages(PDEVICE_OBJECT DeviceObject);
NTSTATUS ResetPipe(PDEVICE_OBJECT DeviceObject, PUSBD_PIPE_INFORMATION Pipe);
NTSTATUS ResetDevice(PDEVICE_OBJECT DeviceObject);
NTSTATUS ResetParentPort(PDEVICE_OBJECT DeviceObject);

// Power (Power.cpp)
DRIVER_DISPATCH DispatchPower;
REQUEST_POWER_COMPLETE SystemPowerRequestDone;
IO_COMPLETION_ROUTINE DevicePowerUpCompletion;
NTSTATUS RequestDevicePowerState(PDEVICE_OBJECT DeviceObject, DEVICE_POWER_STATE State);
REQUEST_POWER_COMPLETE SelfPowerRequestDone;

#endif
