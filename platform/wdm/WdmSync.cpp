// Dispatcher events, spin locks and the IRQL of each thread.
//
// Events are waited for with one process-wide mutex and condition variable: events are plain
// structures that drivers keep on the stack or in their extensions, so they can own no
// resource that would need releasing.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "WdmDiagnostics.h"
#include "WdmSync_p.h"

namespace {

thread_local KIRQL CurrentIrql = PASSIVE_LEVEL;
thread_local char ThreadToken; // its address identifies the thread that holds a spin lock

std::mutex EventMutex;
std::condition_variable EventChanged;
std::size_t Waiters = 0;

ULONG_PTR OwnToken()
{
    return reinterpret_cast<ULONG_PTR>(&ThreadToken);
}

} // namespace

KIRQL WdmRaiseIrql(KIRQL NewIrql)
{
    KIRQL old = CurrentIrql;
    if (NewIrql < old)
        WdmBugCheck("IRQL raised to a lower level");
    CurrentIrql = NewIrql;
    return old;
}

void WdmLowerIrql(KIRQL OldIrql)
{
    if (OldIrql > CurrentIrql)
        WdmBugCheck("IRQL lowered to a higher level");
    CurrentIrql = OldIrql;
}

std::size_t WdmSyncWaitingThreads()
{
    std::lock_guard lock(EventMutex);
    return Waiters;
}

extern "C" KIRQL KeGetCurrentIrql(void)
{
    return CurrentIrql;
}

extern "C" void KeInitializeSpinLock(PKSPIN_LOCK SpinLock)
{
    std::atomic_ref<ULONG_PTR>(*SpinLock).store(0);
}

extern "C" KIRQL KeAcquireSpinLockRaiseToDpc(PKSPIN_LOCK SpinLock)
{
    if (CurrentIrql > DISPATCH_LEVEL)
        WdmBugCheck("spin lock acquired above DISPATCH_LEVEL");
    std::atomic_ref<ULONG_PTR> lock(*SpinLock);
    if (lock.load() == OwnToken())
        WdmBugCheck("spin lock acquired again by the thread that holds it (deadlock)");
    KIRQL old = WdmRaiseIrql(DISPATCH_LEVEL);
    for (;;) {
        ULONG_PTR expected = 0;
        if (lock.compare_exchange_weak(expected, OwnToken(), std::memory_order_acquire))
            return old;
        std::this_thread::yield();
    }
}

extern "C" void KeReleaseSpinLock(PKSPIN_LOCK SpinLock, KIRQL NewIrql)
{
    std::atomic_ref<ULONG_PTR> lock(*SpinLock);
    if (lock.load() != OwnToken())
        WdmBugCheck("spin lock released by a thread that does not hold it");
    lock.store(0, std::memory_order_release);
    WdmLowerIrql(NewIrql);
}

extern "C" void KeInitializeEvent(PRKEVENT Event, EVENT_TYPE Type, BOOLEAN State)
{
    std::lock_guard lock(EventMutex);
    Event->Header.Type = static_cast<UCHAR>(Type);
    Event->Header.Size = sizeof(KEVENT) / sizeof(LONG);
    Event->Header.SignalState = State ? 1 : 0;
    Event->Header.WaitListHead.Flink = &Event->Header.WaitListHead;
    Event->Header.WaitListHead.Blink = &Event->Header.WaitListHead;
}

extern "C" LONG KeSetEvent(PRKEVENT Event, KPRIORITY Increment, BOOLEAN Wait)
{
    (void)Increment;
    (void)Wait;
    // The event may be freed as soon as a waiter sees it set, so nothing touches it once the
    // mutex is released.
    std::lock_guard lock(EventMutex);
    LONG previous = Event->Header.SignalState;
    Event->Header.SignalState = 1;
    EventChanged.notify_all();
    return previous;
}

extern "C" void KeClearEvent(PRKEVENT Event)
{
    std::lock_guard lock(EventMutex);
    Event->Header.SignalState = 0;
}

extern "C" LONG KeReadStateEvent(PRKEVENT Event)
{
    std::lock_guard lock(EventMutex);
    return Event->Header.SignalState;
}

extern "C" NTSTATUS KeWaitForSingleObject(PVOID Object, KWAIT_REASON WaitReason, KPROCESSOR_MODE WaitMode,
                                          BOOLEAN Alertable, PLARGE_INTEGER Timeout)
{
    (void)WaitReason;
    (void)WaitMode;
    (void)Alertable;
    auto* event = static_cast<PRKEVENT>(Object);
    bool poll = Timeout && Timeout->QuadPart == 0;
    if (!poll && CurrentIrql >= DISPATCH_LEVEL)
        WdmBugCheck("wait at DISPATCH_LEVEL");

    std::unique_lock lock(EventMutex);
    auto signalled = [event] { return event->Header.SignalState != 0; };
    bool satisfied = signalled();
    if (!satisfied && !poll) {
        ++Waiters;
        if (Timeout) {
            // Relative timeouts are negative, in 100-ns units; absolute ones are not used here.
            auto limit = std::chrono::microseconds(Timeout->QuadPart < 0 ? -Timeout->QuadPart / 10 : 0);
            satisfied = EventChanged.wait_for(lock, limit, signalled);
        } else {
            satisfied = EventChanged.wait_for(lock, WdmHangLimit(), signalled);
            if (!satisfied) {
                lock.unlock();
                WdmBugCheck("a wait without timeout was not satisfied within the hang limit (deadlock)");
            }
        }
        --Waiters;
    }
    if (!satisfied)
        return STATUS_TIMEOUT;
    if (event->Header.Type == SynchronizationEvent)
        event->Header.SignalState = 0;
    return STATUS_SUCCESS;
}
