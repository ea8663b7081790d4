// The requests the Plug and Play manager and the power manager send to a device stack. Each
// goes to the top of the stack the physical device belongs to; the synchronous forms wait for
// completion and return the final status.
//
// Plug and Play requests are sent only in an order the PnP manager produces; the stand-in
// stops the process (WdmRefuseOrder) for IRP_MN_REMOVE_DEVICE while a handle is open on the
// device, or to a started device that has neither accepted a query-remove nor been
// surprise-removed. The real orders: an orderly removal (WdmRemoveDevice) with every handle
// closed; or a surprise removal while handles are still open, and the remove request after
// the last of them is closed.
#pragma once

#include <memory>

#include "WdmRequest.h"
#include "wdm.h"

NTSTATUS WdmSendPnp(PDEVICE_OBJECT Pdo, UCHAR MinorFunction);
std::unique_ptr<TWdmRequest> WdmSendPnpAsync(PDEVICE_OBJECT Pdo, UCHAR MinorFunction);

// An orderly removal, as the PnP manager carries one out: a started device is asked first with
// IRP_MN_QUERY_REMOVE_DEVICE (a refusal is answered with IRP_MN_CANCEL_REMOVE_DEVICE and
// returned), then IRP_MN_REMOVE_DEVICE is sent. A device that was surprise-removed, whose start
// failed or that has accepted a query-remove is removed at once. Returns the final status.
NTSTATUS WdmRemoveDevice(PDEVICE_OBJECT Pdo);
NTSTATUS WdmQueryCapabilities(PDEVICE_OBJECT Pdo, DEVICE_CAPABILITIES& Capabilities);
NTSTATUS WdmSendSystemControl(PDEVICE_OBJECT Pdo);

// IRP_MN_SET_POWER and IRP_MN_QUERY_POWER for a system or a device state.
std::unique_ptr<TWdmRequest> WdmSendPowerAsync(PDEVICE_OBJECT Pdo, UCHAR MinorFunction, POWER_STATE_TYPE Type,
                                               POWER_STATE State);
NTSTATUS WdmSetSystemPower(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State);
NTSTATUS WdmSetDevicePower(PDEVICE_OBJECT Pdo, DEVICE_POWER_STATE State);
NTSTATUS WdmQuerySystemPower(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State);

// A wait-wake request for wake-up from the given system state; it stays out until the device
// signals wake-up or the request is cancelled.
std::unique_ptr<TWdmRequest> WdmWaitWakeAsync(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State);
