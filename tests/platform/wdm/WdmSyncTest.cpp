#include "WdmTestFixture.h"

#include <thread>

#include "wdm.h"

namespace {

using TWdmSyncTest = TWdmTest;

TEST_F(TWdmSyncTest, NotificationEventReleasesAWaiterAndStaysSet)
{
    KEVENT event;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    std::thread setter([&] {
        while (WdmWaitingThreads() == 0)
            std::this_thread::yield();
        KeSetEvent(&event, IO_NO_INCREMENT, FALSE);
    });
    EXPECT_EQ(KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr), STATUS_SUCCESS);
    setter.join();
    EXPECT_EQ(KeReadStateEvent(&event), 1);
    EXPECT_EQ(KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr), STATUS_SUCCESS);
    KeClearEvent(&event);
    EXPECT_EQ(KeReadStateEvent(&event), 0);
}

TEST_F(TWdmSyncTest, SynchronizationEventResetsWhenAWaitIsSatisfied)
{
    KEVENT event;
    KeInitializeEvent(&event, SynchronizationEvent, TRUE);
    EXPECT_EQ(KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr), STATUS_SUCCESS);
    EXPECT_EQ(KeReadStateEvent(&event), 0);
}

TEST_F(TWdmSyncTest, WaitWithTimeoutEndsWithStatusTimeout)
{
    KEVENT event;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    LARGE_INTEGER timeout;
    timeout.QuadPart = -10 * 1000; // 1 ms
    EXPECT_EQ(KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, &timeout), STATUS_TIMEOUT);
    timeout.QuadPart = 0;
    EXPECT_EQ(KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, &timeout), STATUS_TIMEOUT);
}

TEST_F(TWdmSyncTest, SpinLockRaisesToDispatchLevelAndExcludesOtherThreads)
{
    KSPIN_LOCK lock;
    KeInitializeSpinLock(&lock);
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            KIRQL irql;
            KeAcquireSpinLock(&lock, &irql);
            EXPECT_EQ(KeGetCurrentIrql(), DISPATCH_LEVEL);
            long value = counter;
            counter = value + 1;
            KeReleaseSpinLock(&lock, irql);
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
    EXPECT_EQ(KeGetCurrentIrql(), PASSIVE_LEVEL);
}

TEST_F(TWdmSyncTest, WaitingUnderASpinLockStopsTheMachine)
{
    KSPIN_LOCK lock;
    KeInitializeSpinLock(&lock);
    KEVENT event;
    KeInitializeEvent(&event, NotificationEvent, TRUE);
    EXPECT_DEATH(
        {
            KIRQL irql;
            KeAcquireSpinLock(&lock, &irql);
            KeWaitForSingleObject(&event, Executive, KernelMode, FALSE, nullptr);
        },
        "wait at DISPATCH_LEVEL");
}

TEST_F(TWdmSyncTest, TakingAHeldSpinLockAgainStopsTheMachine)
{
    KSPIN_LOCK lock;
    KeInitializeSpinLock(&lock);
    EXPECT_DEATH(
        {
            KIRQL irql;
            KeAcquireSpinLock(&lock, &irql);
            KeAcquireSpinLock(&lock, &irql);
        },
        "deadlock");
}

} // namespace
