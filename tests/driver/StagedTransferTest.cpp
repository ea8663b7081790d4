#include "VxDriverFixture.h"

#include <condition_variable>
#include <mutex>

namespace {

using TStagedTransferTest = TVxDriverTest;

// A driver above vxdriver that keeps reading, as one that streams from the terminal would: when
// the first read it passed down completes, its completion routine sends the next read down at
// once, at DISPATCH_LEVEL, into a buffer of its own in non-paged pool.
struct TStreamingFilter {
    static constexpr ULONG NextLength = 2 * 8192;
    static constexpr ULONG Tag = WdmTag("Strm");

    PDEVICE_OBJECT Lower;
    PVOID Buffer;
    PMDL Mdl;
    bool NextSent;
    KEVENT NextDone;
    NTSTATUS NextStatus;
    ULONG_PTR NextInformation;

    static TStreamingFilter& Of(PDEVICE_OBJECT Device) { return *static_cast<TStreamingFilter*>(Device->DeviceExtension); }

    static NTSTATUS PassDown(PDEVICE_OBJECT Device, PIRP Irp)
    {
        IoSkipCurrentIrpStackLocation(Irp);
        return IofCallDriver(Of(Device).Lower, Irp);
    }

    static NTSTATUS NextReadDone(PDEVICE_OBJECT, PIRP Irp, PVOID Context)
    {
        auto& filter = *static_cast<TStreamingFilter*>(Context);
        filter.NextStatus = Irp->IoStatus.Status;
        filter.NextInformation = Irp->IoStatus.Information;
        Irp->MdlAddress = nullptr;
        IoFreeIrp(Irp);
        KeSetEvent(&filter.NextDone, IO_NO_INCREMENT, FALSE);
        return STATUS_MORE_PROCESSING_REQUIRED;
    }

    static NTSTATUS ReadDone(PDEVICE_OBJECT Device, PIRP Irp, PVOID)
    {
        if (Irp->PendingReturned)
            IoMarkIrpPending(Irp);
        TStreamingFilter& filter = Of(Device);
        if (!filter.NextSent) {
            filter.NextSent = true;
            PIRP next = IoAllocateIrp(filter.Lower->StackSize, FALSE);
            next->MdlAddress = filter.Mdl;
            PIO_STACK_LOCATION stack = IoGetNextIrpStackLocation(next);
            stack->MajorFunction = IRP_MJ_READ;
            stack->FileObject = IoGetCurrentIrpStackLocation(Irp)->FileObject;
            stack->Parameters.Read.Length = NextLength;
            IoSetCompletionRoutine(next, NextReadDone, &filter, TRUE, TRUE, TRUE);
            IofCallDriver(filter.Lower, next);
        }
        return STATUS_SUCCESS;
    }

    static NTSTATUS DispatchRead(PDEVICE_OBJECT Device, PIRP Irp)
    {
        IoCopyCurrentIrpStackLocationToNext(Irp);
        IoSetCompletionRoutine(Irp, ReadDone, nullptr, TRUE, TRUE, TRUE);
        return IofCallDriver(Of(Device).Lower, Irp);
    }

    // Detaches before passing the remove down, so that the device below has nothing attached
    // when it deletes itself.
    static NTSTATUS DispatchPnp(PDEVICE_OBJECT Device, PIRP Irp)
    {
        if (IoGetCurrentIrpStackLocation(Irp)->MinorFunction != IRP_MN_REMOVE_DEVICE)
            return PassDown(Device, Irp);
        TStreamingFilter& filter = Of(Device);
        PDEVICE_OBJECT lower = filter.Lower;
        IoDetachDevice(lower);
        IoSkipCurrentIrpStackLocation(Irp);
        NTSTATUS status = IofCallDriver(lower, Irp);
        IoFreeMdl(filter.Mdl);
        ExFreePoolWithTag(filter.Buffer, Tag);
        IoDeleteDevice(Device);
        return status;
    }

    static NTSTATUS AddDevice(PDRIVER_OBJECT Driver, PDEVICE_OBJECT Pdo)
    {
        PDEVICE_OBJECT device = nullptr;
        NTSTATUS status = IoCreateDevice(Driver, sizeof(TStreamingFilter), nullptr, FILE_DEVICE_UNKNOWN, 0, FALSE, &device);
        if (!NT_SUCCESS(status))
            return status;
        TStreamingFilter& filter = Of(device);
        filter.Lower = IoAttachDeviceToDeviceStack(device, Pdo);
        filter.Buffer = ExAllocatePoolWithTag(NonPagedPool, NextLength, Tag);
        filter.Mdl = IoAllocateMdl(filter.Buffer, NextLength, FALSE, FALSE, nullptr);
        MmBuildMdlForNonPagedPool(filter.Mdl);
        filter.NextSent = false;
        KeInitializeEvent(&filter.NextDone, NotificationEvent, FALSE);
        device->Flags |= DO_DIRECT_IO;
        device->Flags &= ~DO_DEVICE_INITIALIZING;
        return STATUS_SUCCESS;
    }

    static NTSTATUS Entry(PDRIVER_OBJECT Driver, PUNICODE_STRING)
    {
        for (PDRIVER_DISPATCH& slot : Driver->MajorFunction)
            slot = PassDown;
        Driver->MajorFunction[IRP_MJ_READ] = DispatchRead;
        Driver->MajorFunction[IRP_MJ_PNP] = DispatchPnp;
        Driver->DriverExtension->AddDevice = AddDevice;
        return STATUS_SUCCESS;
    }
};

std::vector<ULONG> Requested(const std::vector<TSimUsbDevice::TTransferRecord>& transfers)
{
    std::vector<ULONG> sizes;
    for (const auto& transfer : transfers)
        sizes.push_back(transfer.Requested);
    return sizes;
}

TEST_F(TStagedTransferTest, ReadOf8193BytesIsTwoStagesOf8192AndOne)
{
    Start();
    auto pipe = Open(u"\\0");
    std::vector<UCHAR> data = Pattern(8193);
    Device->QueueInData(BulkIn, data);
    std::vector<UCHAR> buffer(8193);
    ULONG_PTR read = 0;
    ASSERT_EQ(pipe->Read(buffer.data(), 8193, &read), STATUS_SUCCESS);
    EXPECT_EQ(read, 8193u);
    EXPECT_EQ(buffer, data);
    EXPECT_EQ(Requested(Device->Transfers()), (std::vector<ULONG>{8192, 1}));
    EXPECT_EQ(Ext()->StageContexts, nullptr);
    EXPECT_EQ(Ext()->StagedIrp, nullptr);
    EXPECT_EQ(Ext()->StagedBytes, 8193u);
    EXPECT_EQ(PendingIoCount(), 1);
}

// All stages are queued before the first completes, so the bus always holds the whole request.
TEST_F(TStagedTransferTest, StagesAreAllSentAtOnceAndLandAtTheirOffsets)
{
    Start();
    auto pipe = Open(u"\\0");
    std::vector<UCHAR> buffer(3 * 8192 + 100);
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(4));
    EXPECT_EQ(Ext()->StagesPending, 4);
    EXPECT_FALSE(read->Completed());
    EXPECT_EQ(read->DispatchStatus(), STATUS_PENDING);
    std::vector<UCHAR> data = Pattern(buffer.size(), 3);
    Device->QueueInData(BulkIn, data);
    ASSERT_TRUE(read->Wait());
    EXPECT_TRUE(read->PendingReturned());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), buffer.size());
    EXPECT_EQ(buffer, data);
}

TEST_F(TStagedTransferTest, LongWriteGoesOutInOrder)
{
    Start();
    auto pipe = Open(u"\\1");
    std::vector<UCHAR> data = Pattern(20000);
    ULONG_PTR written = 0;
    ASSERT_EQ(pipe->Write(data.data(), 20000, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 20000u);
    std::vector<std::vector<UCHAR>> stages = Device->OutTransfers(BulkOut);
    ASSERT_EQ(stages.size(), 3u);
    std::vector<UCHAR> joined;
    for (const auto& stage : stages)
        joined.insert(joined.end(), stage.begin(), stage.end());
    EXPECT_EQ(joined, data);
    EXPECT_EQ(Requested(Device->Transfers()), (std::vector<ULONG>{8192, 8192, 3616}));
}

TEST_F(TStagedTransferTest, StagesCompletingLaterOnTheBusThreadFinishTheRequest)
{
    Start();
    Device->SetTiming(TSimUsbDevice::TTiming::Later);
    auto pipe = Open(u"\\1");
    std::vector<UCHAR> data = Pattern(5 * 8192);
    ULONG_PTR written = 0;
    ASSERT_EQ(pipe->Write(data.data(), static_cast<ULONG>(data.size()), &written), STATUS_SUCCESS);
    EXPECT_EQ(written, data.size());
}

// After a short stage the later stages' data sits behind a gap: only the bytes in order count.
TEST_F(TStagedTransferTest, ShortStageEndsTheCountedData)
{
    Start();
    auto pipe = Open(u"\\0");
    Device->LimitTransfers(BulkIn, 100);
    std::vector<UCHAR> buffer(3 * 8192);
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(3));
    Device->QueueInData(BulkIn, Pattern(3 * 8192));
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), 100u);
    EXPECT_EQ(Ext()->StagedBytes, 100u + 8192u + 8192u);
}

TEST_F(TStagedTransferTest, FailedStageCountsAsAShortOne)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->FailTransfers(BulkOut, USBD_STATUS_DEV_NOT_RESPONDING);
    std::vector<UCHAR> data = Pattern(2 * 8192);
    ULONG_PTR written = 99;
    EXPECT_EQ(pipe->Write(data.data(), static_cast<ULONG>(data.size()), &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 0u);
}

// A stage the bus refuses at once ends the sending and resets the pipe; the stages already out
// still finish the request.
TEST_F(TStagedTransferTest, RefusedStageStopsTheSendingAndResetsThePipe)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->Fail(TSimUsbDevice::TOp::RefuseTransfer, STATUS_IO_DEVICE_ERROR, 1, 1);
    std::vector<UCHAR> data = Pattern(4 * 8192);
    ULONG_PTR written = 0;
    EXPECT_EQ(pipe->Write(data.data(), static_cast<ULONG>(data.size()), &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 8192u);
    EXPECT_EQ(Device->OutTransfers(BulkOut).size(), 1u); // the third and fourth stages were never sent
    EXPECT_EQ(Device->PipeResets(BulkOut), 1u);
    EXPECT_EQ(Device->PortResets(), 0u);
    EXPECT_EQ(Ext()->StagesPending, 0);
    EXPECT_EQ(PendingIoCount(), 1);
}

// When the pipe reset fails too, the port is checked and reset if it has been disabled.
TEST_F(TStagedTransferTest, FailedPipeResetAfterARefusedStageResetsADisabledPort)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->Fail(TSimUsbDevice::TOp::RefuseTransfer, STATUS_IO_DEVICE_ERROR);
    Device->Fail(TSimUsbDevice::TOp::ResetPipe, STATUS_IO_DEVICE_ERROR);
    Device->SetPort(true, false);
    std::vector<UCHAR> data = Pattern(2 * 8192);
    ULONG_PTR written = 99;
    // The refused stage counts as one that moved nothing.
    EXPECT_EQ(pipe->Write(data.data(), static_cast<ULONG>(data.size()), &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(Device->PortResets(), 1u);
}

// Pool for a stage's request, MDL or URB runs out: the stages already out finish the request,
// or, when none went out, the request fails at once.
TEST_F(TStagedTransferTest, StageThatCannotBeBuiltEndsTheSending)
{
    Start();
    auto pipe = Open(u"\\1");
    std::vector<UCHAR> data = Pattern(3 * 8192);
    unsigned resets = 0;
    for (ULONG tag : {WdmTag("Irp "), WdmTag("Mdl "), DriverTag}) {
        // The first allocation under each tag is the caller's request, its MDL, or the stage
        // records; the second is the first stage's.
        WdmFailPoolAllocation(tag, 2);
        ULONG_PTR written = 0;
        EXPECT_EQ(pipe->Write(data.data(), static_cast<ULONG>(data.size()), &written), STATUS_SUCCESS);
        EXPECT_EQ(written, 8192u) << WdmTagName(tag);
        EXPECT_EQ(Device->PipeResets(BulkOut), ++resets);

        WdmFailPoolAllocation(tag, 1);
        auto write = pipe->WriteAsync(data.data(), static_cast<ULONG>(data.size()));
        ASSERT_TRUE(write->Wait());
        EXPECT_EQ(write->Status(), STATUS_INSUFFICIENT_RESOURCES) << WdmTagName(tag);
        EXPECT_EQ(write->DispatchStatus(), STATUS_INSUFFICIENT_RESOURCES);
        EXPECT_EQ(Device->PipeResets(BulkOut), ++resets);
    }
    EXPECT_EQ(Device->OutTransfers(BulkOut).size(), 3u);
    EXPECT_EQ(Ext()->StageContexts, nullptr);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TStagedTransferTest, StagedTransferWithoutRecordsFailsAtOnce)
{
    Start();
    auto pipe = Open(u"\\0");
    WdmFailPoolAllocation(DriverTag);
    std::vector<UCHAR> buffer(9000);
    EXPECT_EQ(pipe->Read(buffer.data(), 9000), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(Ext()->StageContexts, nullptr);
    EXPECT_TRUE(Device->Transfers().empty());
}

TEST_F(TStagedTransferTest, OverlappingStagedTransferIsRefused)
{
    Start();
    auto in = Open(u"\\0");
    auto out = Open(u"\\1");
    std::vector<UCHAR> buffer(2 * 8192);
    auto read = in->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(2));
    std::vector<UCHAR> data = Pattern(9000);
    EXPECT_EQ(out->Write(data.data(), 9000), STATUS_DEVICE_BUSY);
    Device->QueueInData(BulkIn, Pattern(buffer.size()));
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(out->Write(data.data(), 9000), STATUS_SUCCESS);
}

// Each stage maps only its own part of the caller's buffer: a long read holds one small MDL per
// stage, not one for the whole buffer in every stage. The buffer is longer than an MDL's 16-bit
// size field can count.
TEST_F(TStagedTransferTest, LongReadHoldsOneSmallMdlPerStage)
{
    Start();
    auto pipe = Open(u"\\0");
    const ULONG length = 17 * 1024 * 1024;
    const ULONG stages = length / 8192;
    std::vector<UCHAR> buffer(length);
    auto read = pipe->ReadAsync(buffer.data(), length);
    ASSERT_TRUE(Device->WaitForPendingTransfers(stages, std::chrono::seconds(60)));

    std::size_t callerMdl = sizeof(MDL) + (length / PAGE_SIZE + 1) * sizeof(PFN_NUMBER);
    std::size_t stageMdl = sizeof(MDL) + 3 * sizeof(PFN_NUMBER); // 8192 bytes span three pages at most
    EXPECT_LE(WdmPoolPeakBytes(WdmTag("Mdl ")), callerMdl + stages * stageMdl);

    std::vector<UCHAR> data = Pattern(length);
    for (ULONG k = 0; k < stages; ++k)
        Device->QueueInData(BulkIn, std::vector<UCHAR>(data.begin() + k * 8192, data.begin() + (k + 1) * 8192));
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Information(), length);
    EXPECT_TRUE(buffer == data);
}

// The cancel walk of a removal and a sender building its next stage: the walk marks the
// transfer, the sender sends no stage after it, and the walk does not wait for a stage that
// would never be cancelled.
TEST_F(TStagedTransferTest, NoStageGoesDownAfterTheCancelWalk)
{
    Start();
    auto pipe = Open(u"\\0");
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    bool release = false;
    // The caller's read is the first request allocated; the fourth is the third stage's.
    WdmOnCall(
        TWdmCall::AllocateIrp,
        [&] {
            std::unique_lock lock(mutex);
            held = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
        },
        3);
    std::vector<UCHAR> buffer(4 * 8192);
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return held; }));
    }
    EXPECT_EQ(Device->TransfersSubmitted(), 2u);

    auto surprise = WdmSendPnpAsync(Device->Pdo(), IRP_MN_SURPRISE_REMOVAL);
    ASSERT_TRUE(WaitUntil([] { return WdmWaitingThreads() == 1; })); // the walk waits for the sender
    {
        std::lock_guard lock(mutex);
        release = true;
        changed.notify_all();
    }
    ASSERT_TRUE(surprise->Wait(std::chrono::seconds(5)));
    EXPECT_EQ(surprise->Status(), STATUS_SUCCESS);
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), 0u); // both stages that went down were cancelled
    EXPECT_EQ(Device->TransfersSubmitted(), 2u);
    EXPECT_EQ(Device->PendingTransfers(), 0u);
    EXPECT_EQ(Ext()->StageContexts, nullptr);

    read.reset();
    pipe->Close();
    EXPECT_EQ(Remove(), STATUS_SUCCESS);
}

// The staged read is completed after the transfer lock is released: the completion routine of
// a driver above may send the next read down at once, and that read takes the lock.
TEST_F(TStagedTransferTest, DriverAboveMaySendItsNextReadFromTheCompletion)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    TWdmDriver filterDriver(TStreamingFilter::Entry, u"vxstream");
    ASSERT_EQ(filterDriver.AddDevice(Device->Pdo()), STATUS_SUCCESS);
    TStreamingFilter& filter = TStreamingFilter::Of(IoGetAttachedDevice(Device->Pdo()));
    ASSERT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_SUCCESS);

    auto pipe = Open(u"\\0");
    std::vector<UCHAR> first = Pattern(3 * 8192);
    std::vector<UCHAR> buffer(first.size());
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(3));
    Device->QueueInData(BulkIn, first);
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), first.size());
    EXPECT_EQ(buffer, first);

    // The filter's next read is out in two stages.
    ASSERT_TRUE(filter.NextSent);
    ASSERT_TRUE(Device->WaitForPendingTransfers(2));
    std::vector<UCHAR> second = Pattern(TStreamingFilter::NextLength, 5);
    Device->QueueInData(BulkIn, second);
    LARGE_INTEGER timeout;
    timeout.QuadPart = -10LL * 1000 * 1000 * 10; // 10 s
    ASSERT_EQ(KeWaitForSingleObject(&filter.NextDone, Executive, KernelMode, FALSE, &timeout), STATUS_SUCCESS);
    EXPECT_EQ(filter.NextStatus, STATUS_SUCCESS);
    EXPECT_EQ(filter.NextInformation, second.size());
    EXPECT_TRUE(std::equal(second.begin(), second.end(), static_cast<PUCHAR>(filter.Buffer)));

    read.reset();
    pipe->Close();
    EXPECT_EQ(Remove(), STATUS_SUCCESS);
    Device.reset(); // before the filter's driver object goes
}

} // namespace
