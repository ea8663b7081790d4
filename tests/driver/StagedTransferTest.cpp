#include "VxDriverFixture.h"

namespace {

using TStagedTransferTest = TVxDriverTest;

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

} // namespace
