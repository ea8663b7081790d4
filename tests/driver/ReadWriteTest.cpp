#include "VxDriverFixture.h"

#include <thread>

namespace {

using TReadWriteTest = TVxDriverTest;

TEST_F(TReadWriteTest, WriteUpTo8192BytesIsOneTransferInTheCallersRequest)
{
    Start();
    auto pipe = Open(u"\\1");
    std::vector<UCHAR> data = Pattern(8192);
    ULONG_PTR written = 0;
    ASSERT_EQ(pipe->Write(data.data(), 8192, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 8192u);
    ASSERT_EQ(Device->Transfers().size(), 1u);
    EXPECT_EQ(Device->Transfers()[0].Flags, ULONG(USBD_SHORT_TRANSFER_OK));
    EXPECT_EQ(Device->OutTransfers(BulkOut), (std::vector<std::vector<UCHAR>>{data}));
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TReadWriteTest, ReadOf8192BytesIsOneTransfer)
{
    Start();
    auto pipe = Open(u"\\0");
    std::vector<UCHAR> data = Pattern(8192);
    Device->QueueInData(BulkIn, data);
    std::vector<UCHAR> buffer(8192);
    ULONG_PTR read = 0;
    ASSERT_EQ(pipe->Read(buffer.data(), 8192, &read), STATUS_SUCCESS);
    EXPECT_EQ(read, 8192u);
    EXPECT_EQ(buffer, data);
    ASSERT_EQ(Device->Transfers().size(), 1u);
    EXPECT_EQ(Device->Transfers()[0].Flags, ULONG(USBD_TRANSFER_DIRECTION_IN | USBD_SHORT_TRANSFER_OK));
}

TEST_F(TReadWriteTest, ShortReadReportsTheBytesTheDeviceSent)
{
    Start();
    auto pipe = Open(u"\\0");
    Device->QueueInData(BulkIn, Pattern(100));
    std::vector<UCHAR> buffer(4096);
    ULONG_PTR read = 0;
    ASSERT_EQ(pipe->Read(buffer.data(), 4096, &read), STATUS_SUCCESS);
    EXPECT_EQ(read, 100u);
}

TEST_F(TReadWriteTest, ZeroLengthWriteSendsOneZeroLengthTransfer)
{
    Start();
    auto pipe = Open(u"\\1");
    ULONG_PTR written = 99;
    ASSERT_EQ(pipe->Write(nullptr, 0, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 0u);
    ASSERT_EQ(Device->Transfers().size(), 1u);
    EXPECT_EQ(Device->Transfers()[0].Requested, 0u);
}

TEST_F(TReadWriteTest, ControlHandleCannotTransfer)
{
    Start();
    auto control = Open(u"");
    std::vector<UCHAR> buffer(9000);
    EXPECT_EQ(control->Write(buffer.data(), 100), STATUS_INVALID_HANDLE);
    EXPECT_EQ(control->Read(buffer.data(), 9000), STATUS_INVALID_HANDLE);
    EXPECT_TRUE(Device->Transfers().empty());
}

TEST_F(TReadWriteTest, LoopbackDataComesBackOnTheInPipe)
{
    Start();
    auto out = Open(u"\\1");
    auto in = Open(u"\\0");
    std::vector<UCHAR> data = Pattern(300, 9);
    ASSERT_EQ(out->Write(data.data(), 300), STATUS_SUCCESS);
    std::vector<UCHAR> buffer(512);
    ULONG_PTR read = 0;
    ASSERT_EQ(in->Read(buffer.data(), 512, &read), STATUS_SUCCESS);
    ASSERT_EQ(read, 300u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin()));
}

// A read that waits for the terminal completes on the bus's thread when data arrives.
TEST_F(TReadWriteTest, ReadCompletesLaterOnAnotherThread)
{
    Start();
    Device->SetTiming(TSimUsbDevice::TTiming::Later);
    auto pipe = Open(u"\\2");
    std::vector<UCHAR> buffer(8);
    auto read = pipe->ReadAsync(buffer.data(), 8);
    ASSERT_TRUE(Device->WaitForPendingTransfers(1));
    EXPECT_FALSE(read->Completed());
    Device->QueueInData(InterruptIn, {1, 2, 3});
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->DispatchStatus(), STATUS_PENDING);
    EXPECT_TRUE(read->PendingReturned());
    EXPECT_EQ(read->Information(), 3u);
    EXPECT_EQ(buffer[2], 3);
}

// Bus errors are not reported as errors: the request succeeds with what moved.
TEST_F(TReadWriteTest, FailedTransferSucceedsWithTheBytesMoved)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->FailTransfers(BulkOut, USBD_STATUS_DEV_NOT_RESPONDING);
    std::vector<UCHAR> data = Pattern(64);
    ULONG_PTR written = 99;
    EXPECT_EQ(pipe->Write(data.data(), 64, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 0u);
}

TEST_F(TReadWriteTest, TransfersAreRefusedWhileTheDeviceDoesNotAcceptIo)
{
    Start();
    auto pipe = Open(u"\\1");
    std::vector<UCHAR> data = Pattern(10000);
    ASSERT_EQ(Pnp(IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(pipe->Write(data.data(), 100), STATUS_DELETE_PENDING);
    EXPECT_EQ(pipe->Write(data.data(), 10000), STATUS_DELETE_PENDING);
    EXPECT_TRUE(Device->Transfers().empty());
}

// The single transfer has one slot per device: a second one while the first is out is refused
// instead of overwriting it.
TEST_F(TReadWriteTest, OverlappingSingleTransferIsRefused)
{
    Start();
    auto in = Open(u"\\0");
    auto out = Open(u"\\1");
    std::vector<UCHAR> buffer(64);
    auto read = in->ReadAsync(buffer.data(), 64);
    ASSERT_TRUE(Device->WaitForPendingTransfers(1));
    std::vector<UCHAR> data = Pattern(16);
    EXPECT_EQ(out->Write(data.data(), 16), STATUS_DEVICE_BUSY);
    Device->QueueInData(BulkIn, Pattern(64));
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Information(), 64u);
    EXPECT_EQ(out->Write(data.data(), 16), STATUS_SUCCESS);
}

TEST_F(TReadWriteTest, TransferWithoutPoolFailsWithInsufficientResources)
{
    Start();
    auto pipe = Open(u"\\1");
    WdmFailPoolAllocation(DriverTag);
    std::vector<UCHAR> data = Pattern(16);
    EXPECT_EQ(pipe->Write(data.data(), 16), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_EQ(Ext()->SingleTransferUrb, nullptr);
}

// A transfer the bus refuses before anything moved reports no bytes: its URB still holds the
// length it asked for, and the untouched buffer must not reach the caller as data.
TEST_F(TReadWriteTest, TransferTheBusRefusesMovesNothing)
{
    Start();
    auto in = Open(u"\\0");
    auto out = Open(u"\\1");
    Device->Fail(TSimUsbDevice::TOp::RefuseTransfer, STATUS_IO_DEVICE_ERROR, 2);
    std::vector<UCHAR> buffer(512, 0xEE);
    ULONG_PTR moved = 99;
    EXPECT_EQ(in->Read(buffer.data(), 512, &moved), STATUS_SUCCESS);
    EXPECT_EQ(moved, 0u);
    moved = 99;
    EXPECT_EQ(out->Write(buffer.data(), 512, &moved), STATUS_SUCCESS);
    EXPECT_EQ(moved, 0u);
    EXPECT_TRUE(Device->OutTransfers(BulkOut).empty());
    EXPECT_EQ(Device->TransfersSubmitted(), 2u);
}

// A kernel-mode driver may send a read, write or control request without a file object. Such a
// request names no pipe: a transfer is refused as on a control handle, and of the control
// requests only those that need no pipe are carried out.
TEST_F(TReadWriteTest, RequestWithoutAFileObjectNamesNoPipe)
{
    Start();
    const ULONG tag = WdmTag("Test");
    for (UCHAR major : {UCHAR(IRP_MJ_READ), UCHAR(IRP_MJ_WRITE)}) {
        for (ULONG length : {0u, 100u, 9000u}) {
            TWdmRequest request(Device->Pdo(), major);
            request.Stack()->Parameters.Read.Length = length;
            PVOID buffer = length ? ExAllocatePoolWithTag(NonPagedPool, length, tag) : nullptr;
            if (buffer)
                MmBuildMdlForNonPagedPool(IoAllocateMdl(buffer, length, FALSE, FALSE, request.Irp()));
            request.OnComplete = [](PIRP Irp) {
                if (Irp->MdlAddress)
                    IoFreeMdl(Irp->MdlAddress);
                Irp->MdlAddress = nullptr;
            };
            request.Send();
            ASSERT_TRUE(request.Wait());
            EXPECT_EQ(request.Status(), STATUS_INVALID_HANDLE) << int(major) << " " << length;
            EXPECT_EQ(request.Information(), 0u);
            if (buffer)
                ExFreePoolWithTag(buffer, tag);
        }
    }
    for (ULONG code : {ULONG(IOCTL_RESET_PIPE), ULONG(IOCTL_RESET_DEVICE)}) {
        TWdmRequest request(Device->Pdo(), IRP_MJ_DEVICE_CONTROL);
        request.Stack()->Parameters.DeviceIoControl.IoControlCode = code;
        request.Send();
        ASSERT_TRUE(request.Wait());
        EXPECT_EQ(request.Status(), code == IOCTL_RESET_PIPE ? STATUS_INVALID_PARAMETER : STATUS_SUCCESS);
    }
    EXPECT_EQ(Device->TransfersSubmitted(), 0u);
    EXPECT_EQ(PendingIoCount(), 1);
}

} // namespace
