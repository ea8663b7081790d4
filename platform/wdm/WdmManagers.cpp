#include "WdmManagers.h"

#include "WdmDiagnostics.h"
#include "WdmPnpOrder_p.h"

namespace {

NTSTATUS Finish(TWdmRequest& Request)
{
    if (!Request.Wait(WdmHangLimit()))
        WdmBugCheck("a Plug and Play or power request did not complete");
    return Request.Status();
}

} // namespace

std::unique_ptr<TWdmRequest> WdmSendPnpAsync(PDEVICE_OBJECT Pdo, UCHAR MinorFunction)
{
    auto request = std::make_unique<TWdmRequest>(Pdo, IRP_MJ_PNP, MinorFunction);
    request->SendAsync();
    return request;
}

NTSTATUS WdmSendPnp(PDEVICE_OBJECT Pdo, UCHAR MinorFunction)
{
    TWdmRequest request(Pdo, IRP_MJ_PNP, MinorFunction);
    request.Send();
    return Finish(request);
}

NTSTATUS WdmRemoveDevice(PDEVICE_OBJECT Pdo)
{
    if (WdmRemoveNeedsQuery(Pdo)) {
        NTSTATUS status = WdmSendPnp(Pdo, IRP_MN_QUERY_REMOVE_DEVICE);
        if (!NT_SUCCESS(status)) {
            WdmSendPnp(Pdo, IRP_MN_CANCEL_REMOVE_DEVICE);
            return status;
        }
    }
    return WdmSendPnp(Pdo, IRP_MN_REMOVE_DEVICE);
}

NTSTATUS WdmQueryCapabilities(PDEVICE_OBJECT Pdo, DEVICE_CAPABILITIES& Capabilities)
{
    TWdmRequest request(Pdo, IRP_MJ_PNP, IRP_MN_QUERY_CAPABILITIES);
    request.Stack()->Parameters.DeviceCapabilities.Capabilities = &Capabilities;
    request.Send();
    return Finish(request);
}

NTSTATUS WdmSendSystemControl(PDEVICE_OBJECT Pdo)
{
    TWdmRequest request(Pdo, IRP_MJ_SYSTEM_CONTROL);
    request.Send();
    return Finish(request);
}

std::unique_ptr<TWdmRequest> WdmSendPowerAsync(PDEVICE_OBJECT Pdo, UCHAR MinorFunction, POWER_STATE_TYPE Type,
                                               POWER_STATE State)
{
    auto request = std::make_unique<TWdmRequest>(Pdo, IRP_MJ_POWER, MinorFunction);
    request->Stack()->Parameters.Power.Type = Type;
    request->Stack()->Parameters.Power.State = State;
    request->SendAsync();
    return request;
}

NTSTATUS WdmSetSystemPower(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State)
{
    POWER_STATE state;
    state.SystemState = State;
    return Finish(*WdmSendPowerAsync(Pdo, IRP_MN_SET_POWER, SystemPowerState, state));
}

NTSTATUS WdmSetDevicePower(PDEVICE_OBJECT Pdo, DEVICE_POWER_STATE State)
{
    POWER_STATE state;
    state.DeviceState = State;
    return Finish(*WdmSendPowerAsync(Pdo, IRP_MN_SET_POWER, DevicePowerState, state));
}

NTSTATUS WdmQuerySystemPower(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State)
{
    POWER_STATE state;
    state.SystemState = State;
    return Finish(*WdmSendPowerAsync(Pdo, IRP_MN_QUERY_POWER, SystemPowerState, state));
}

std::unique_ptr<TWdmRequest> WdmWaitWakeAsync(PDEVICE_OBJECT Pdo, SYSTEM_POWER_STATE State)
{
    auto request = std::make_unique<TWdmRequest>(Pdo, IRP_MJ_POWER, IRP_MN_WAIT_WAKE);
    request->Stack()->Parameters.WaitWake.PowerState = State;
    request->SendAsync();
    return request;
}
