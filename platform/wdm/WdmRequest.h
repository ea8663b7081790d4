// One request that the I/O manager, the Plug and Play manager or the power manager sends to the
// top of a device stack, and its outcome.
//
// Usage: construct it for any device of the stack, fill in Stack() (the top driver's stack
// location), then Send() it on this thread or SendAsync() it on a thread of its own, and
// Wait() for its completion. The request is freed when it completes; Irp() and Stack() are
// valid only until it is sent.
//
// The rules of the I/O manager are checked as the request comes back: a dispatch routine that
// returns STATUS_PENDING must have marked the request pending, one that returns another status
// must have completed the request with that status, and a power request must have been given
// PoStartNextPowerIrp. Breaches are recorded as violations (WdmDiagnostics.h).
//
// A request on a file object holds a reference to it until it completes (see TWdmFile::Close).
// A Plug and Play request is sent only in an order the PnP manager produces: a removal the
// PnP manager never sends is refused (WdmManagers.h).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "wdm.h"

class TWdmRequest {
public:
    TWdmRequest(PDEVICE_OBJECT Device, UCHAR MajorFunction, UCHAR MinorFunction = 0);
    // Waits for the sending thread and for the completion of a request that was sent.
    ~TWdmRequest();
    TWdmRequest(const TWdmRequest&) = delete;
    TWdmRequest& operator=(const TWdmRequest&) = delete;

    PIRP Irp() const { return FIrp; }
    PIO_STACK_LOCATION Stack() const;

    // Runs when the request completes, before it is freed (copying a system buffer back,
    // releasing the caller's MDL).
    std::function<void(PIRP)> OnComplete;

    void Send();
    void SendAsync();
    // Until the request has completed; false on timeout.
    bool Wait(std::chrono::milliseconds Timeout = std::chrono::seconds(20));

    bool Completed() const;
    bool DispatchReturned() const;
    NTSTATUS DispatchStatus() const;
    NTSTATUS Status() const;
    ULONG_PTR Information() const;
    bool PendingReturned() const;

private:
    static NTSTATUS Completion(PDEVICE_OBJECT DeviceObject, PIRP Irp, PVOID Context);
    void BeginSend();
    void Dispatch();
    void CheckRulesLocked() const;

    PDEVICE_OBJECT FTop;
    PDEVICE_OBJECT FPdo; // the bottom of the stack, which outlives the drivers above it
    PIRP FIrp;
    UCHAR FMajorFunction;
    UCHAR FMinorFunction = 0;   // as sent
    PFILE_OBJECT FFile = nullptr; // as sent
    bool FSent = false;
    std::thread FThread;

    mutable std::mutex FMutex;
    std::condition_variable FChanged;
    bool FCompleted = false;
    bool FDispatchReturned = false;
    NTSTATUS FDispatchStatus = STATUS_PENDING;
    NTSTATUS FStatus = STATUS_PENDING;
    ULONG_PTR FInformation = 0;
    bool FPendingReturned = false;
};
