// The requests the Plug and Play manager and the power manager send to a device stack. Each
// goes to the top of the stack the physical device belongs to; the synchronous forms wait for
// completion and return the final status.
#pragma once

#include <memory>

#include "WdmRequest.h"
#include "wdm.h"

NTSTATUS WdmSendPnp(PDEVICE_OBJECT Pdo, UCHAR MinorFunction);
std::unique_ptr<TWdmRequest> WdmSendPnpAsync(PDEVICE_OBJECT Pdo, UCHAR MinorFunction);
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
