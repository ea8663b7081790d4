#include "WdmPnpOrder_p.h"

#include <mutex>

#include "WdmDevice_p.h"
#include "WdmDiagnostics.h"

namespace {

// Guards the Plug and Play state of every physical device; requests complete on any thread.
std::mutex StateMutex;

bool NeedsQueryLocked(const TWdmDevicePrivate& State)
{
    return State.Started && !State.RemovePending && !State.SurpriseRemoved;
}

} // namespace

void WdmCheckPnpOrder(PDEVICE_OBJECT Pdo, UCHAR MajorFunction, UCHAR MinorFunction)
{
    if (MajorFunction != IRP_MJ_PNP || MinorFunction != IRP_MN_REMOVE_DEVICE)
        return;
    if (WdmStackFileReferences(Pdo) != 0)
        WdmRefuseOrder("IRP_MN_REMOVE_DEVICE with a handle still open on the device (the Plug and Play manager "
                       "removes a device only after its last handle is closed)");
    std::lock_guard lock(StateMutex);
    if (NeedsQueryLocked(WdmDevicePrivate(Pdo)))
        WdmRefuseOrder("IRP_MN_REMOVE_DEVICE to a started device that accepted no query-remove and was not "
                       "surprise-removed (use WdmRemoveDevice for an orderly removal)");
}

void WdmNotePnpOutcome(PDEVICE_OBJECT Pdo, UCHAR MajorFunction, UCHAR MinorFunction, NTSTATUS Status)
{
    if (MajorFunction != IRP_MJ_PNP)
        return;
    std::lock_guard lock(StateMutex);
    TWdmDevicePrivate& state = WdmDevicePrivate(Pdo);
    switch (MinorFunction) {
    case IRP_MN_START_DEVICE:
        state.Started = NT_SUCCESS(Status);
        break;
    case IRP_MN_QUERY_REMOVE_DEVICE:
        state.RemovePending = NT_SUCCESS(Status);
        break;
    case IRP_MN_CANCEL_REMOVE_DEVICE:
        state.RemovePending = false;
        break;
    case IRP_MN_SURPRISE_REMOVAL:
        state.SurpriseRemoved = true;
        break;
    case IRP_MN_REMOVE_DEVICE:
        state.Started = false;
        state.RemovePending = false;
        break;
    default:
        break;
    }
}

bool WdmRemoveNeedsQuery(PDEVICE_OBJECT Pdo)
{
    std::lock_guard lock(StateMutex);
    return NeedsQueryLocked(WdmDevicePrivate(Pdo));
}
