#include "WdmTestFixture.h"

#include <string>
#include <thread>

#include "WdmDriver.h"
#include "WdmPool.h"
#include "WdmRequest.h"

namespace {

// A two-driver stack: an upper device attached above a lower one. The lower driver completes
// requests at once or holds them; the upper one passes them down with or without a
// completion routine, as each test sets.
struct TStack {
    static inline std::string Trace;
    static inline PIRP Held = nullptr;
    static inline bool LowerPends = false;
    static inline bool UpperRoutine = false;
    static inline NTSTATUS UpperRoutineResult = STATUS_SUCCESS;
    static inline bool UpperMarksPending = true;

    DRIVER_OBJECT LowerDriver, UpperDriver;
    DRIVER_EXTENSION LowerExtension, UpperExtension;
    PDEVICE_OBJECT Lower = nullptr, Upper = nullptr;

    static NTSTATUS LowerDispatch(PDEVICE_OBJECT, PIRP Irp)
    {
        Trace += "lower ";
        if (LowerPends) {
            IoMarkIrpPending(Irp);
            Held = Irp;
            return STATUS_PENDING;
        }
        Irp->IoStatus.Status = STATUS_SUCCESS;
        IofCompleteRequest(Irp, IO_NO_INCREMENT);
        return STATUS_SUCCESS;
    }

    static NTSTATUS UpperCompletion(PDEVICE_OBJECT, PIRP Irp, PVOID)
    {
        Trace += "completion ";
        if (UpperMarksPending && Irp->PendingReturned)
            IoMarkIrpPending(Irp);
        return UpperRoutineResult;
    }

    static NTSTATUS UpperDispatch(PDEVICE_OBJECT Device, PIRP Irp)
    {
        Trace += "upper ";
        IoCopyCurrentIrpStackLocationToNext(Irp);
        if (UpperRoutine)
            IoSetCompletionRoutine(Irp, UpperCompletion, nullptr, TRUE, TRUE, TRUE);
        return IofCallDriver(*static_cast<PDEVICE_OBJECT*>(Device->DeviceExtension), Irp);
    }

    TStack()
    {
        Trace.clear();
        Held = nullptr;
        LowerPends = UpperRoutine = false;
        UpperRoutineResult = STATUS_SUCCESS;
        UpperMarksPending = true;
        WdmInitializeDriverObject(LowerDriver, LowerExtension);
        WdmInitializeDriverObject(UpperDriver, UpperExtension);
        LowerDriver.MajorFunction[IRP_MJ_READ] = LowerDispatch;
        UpperDriver.MajorFunction[IRP_MJ_READ] = UpperDispatch;
        IoCreateDevice(&LowerDriver, 0, nullptr, FILE_DEVICE_UNKNOWN, 0, FALSE, &Lower);
        IoCreateDevice(&UpperDriver, sizeof(PDEVICE_OBJECT), nullptr, FILE_DEVICE_UNKNOWN, 0, FALSE, &Upper);
        *static_cast<PDEVICE_OBJECT*>(Upper->DeviceExtension) = IoAttachDeviceToDeviceStack(Upper, Lower);
    }

    ~TStack()
    {
        IoDetachDevice(Lower);
        IoDeleteDevice(Upper);
        IoDeleteDevice(Lower);
    }
};

using TWdmIrpTest = TWdmTest;

TEST_F(TWdmIrpTest, AttachingStacksTheDevicesAndSizesTheStack)
{
    TStack stack;
    EXPECT_EQ(stack.Lower->AttachedDevice, stack.Upper);
    EXPECT_EQ(stack.Upper->StackSize, 2);
    EXPECT_EQ(IoGetAttachedDevice(stack.Lower), stack.Upper);
}

TEST_F(TWdmIrpTest, CompletionRoutineRunsAsTheRequestLeavesTheLowerDriver)
{
    TStack stack;
    TStack::UpperRoutine = true;
    TWdmRequest request(stack.Lower, IRP_MJ_READ);
    request.Send();
    ASSERT_TRUE(request.Wait());
    EXPECT_EQ(TStack::Trace, "upper lower completion ");
    EXPECT_EQ(request.Status(), STATUS_SUCCESS);
    EXPECT_FALSE(request.PendingReturned());
}

TEST_F(TWdmIrpTest, MoreProcessingRequiredStopsCompletionUntilTheDriverCompletesAgain)
{
    TStack stack;
    TStack::UpperRoutine = true;
    TStack::UpperRoutineResult = STATUS_MORE_PROCESSING_REQUIRED;
    PIRP irp;
    {
        TWdmRequest request(stack.Lower, IRP_MJ_READ);
        irp = request.Irp();
        request.SendAsync();
        // The upper driver returned the lower one's status without completing: a violation.
        while (!request.DispatchReturned())
            std::this_thread::yield();
        EXPECT_FALSE(request.Completed());
        IofCompleteRequest(irp, IO_NO_INCREMENT);
        ASSERT_TRUE(request.Wait());
    }
    EXPECT_EQ(WdmViolations().size(), 1u);
    WdmClearViolations();
}

TEST_F(TWdmIrpTest, PendingIsPropagatedToTheLocationsAbove)
{
    TStack stack;
    TStack::LowerPends = true;
    TWdmRequest request(stack.Lower, IRP_MJ_READ);
    request.Send();
    EXPECT_EQ(request.DispatchStatus(), STATUS_PENDING);
    ASSERT_NE(TStack::Held, nullptr);
    std::thread completer([] {
        TStack::Held->IoStatus.Status = STATUS_SUCCESS;
        IofCompleteRequest(TStack::Held, IO_NO_INCREMENT);
    });
    completer.join();
    ASSERT_TRUE(request.Wait());
    EXPECT_TRUE(request.PendingReturned());
}

TEST_F(TWdmIrpTest, PendingStatusWithoutPendingMarkIsAViolation)
{
    TStack stack;
    TStack::LowerPends = true;
    TStack::UpperRoutine = true;
    TStack::UpperMarksPending = false; // the routine forgets to propagate the mark
    TWdmRequest request(stack.Lower, IRP_MJ_READ);
    request.Send();
    TStack::Held->IoStatus.Status = STATUS_SUCCESS;
    IofCompleteRequest(TStack::Held, IO_NO_INCREMENT);
    ASSERT_TRUE(request.Wait());
    ASSERT_EQ(WdmViolations().size(), 1u);
    EXPECT_EQ(WdmViolations()[0], "dispatch returned STATUS_PENDING without marking the request pending");
    WdmClearViolations();
}

TEST_F(TWdmIrpTest, CompletingARequestTwiceStopsTheMachine)
{
    PIRP irp = IoAllocateIrp(1, FALSE);
    auto routine = [](PDEVICE_OBJECT, PIRP, PVOID) { return STATUS_MORE_PROCESSING_REQUIRED; };
    IoSetCompletionRoutine(irp, routine, nullptr, TRUE, TRUE, TRUE);
    IoSetNextIrpStackLocation(irp);
    IofCompleteRequest(irp, IO_NO_INCREMENT);
    EXPECT_DEATH(IofCompleteRequest(irp, IO_NO_INCREMENT), "completed twice");
    IoFreeIrp(irp);
}

TEST_F(TWdmIrpTest, RequestBuiltByTheIoManagerReportsToItsStatusBlockAndEvent)
{
    TStack stack;
    stack.LowerDriver.MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = TStack::LowerDispatch;
    KEVENT event;
    IO_STATUS_BLOCK ioStatus{};
    ioStatus.Status = STATUS_PENDING;
    KeInitializeEvent(&event, NotificationEvent, FALSE);
    PIRP irp = IoBuildDeviceIoControlRequest(CTL_CODE(FILE_DEVICE_UNKNOWN, 0, METHOD_NEITHER, FILE_ANY_ACCESS),
                                             stack.Lower, nullptr, 0, nullptr, 0, TRUE, &event, &ioStatus);
    ASSERT_NE(irp, nullptr);
    EXPECT_EQ(IoGetNextIrpStackLocation(irp)->MajorFunction, IRP_MJ_INTERNAL_DEVICE_CONTROL);
    EXPECT_EQ(IofCallDriver(stack.Lower, irp), STATUS_SUCCESS);
    EXPECT_EQ(ioStatus.Status, STATUS_SUCCESS);
    EXPECT_EQ(KeReadStateEvent(&event), 1);
}

TEST_F(TWdmIrpTest, CancelCallsTheCancelRoutineOnlyWhenOneIsSet)
{
    PIRP irp = IoAllocateIrp(1, FALSE);
    EXPECT_FALSE(IoCancelIrp(irp));
    EXPECT_TRUE(irp->Cancel);
    static bool called;
    called = false;
    IoSetCancelRoutine(irp, [](PDEVICE_OBJECT, PIRP Irp) {
        IoReleaseCancelSpinLock(Irp->CancelIrql);
        called = true;
    });
    EXPECT_TRUE(IoCancelIrp(irp));
    EXPECT_TRUE(called);
    EXPECT_EQ(irp->CancelRoutine, nullptr);
    IoFreeIrp(irp);
}

} // namespace
