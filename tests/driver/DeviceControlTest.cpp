#include "VxDriverFixture.h"

namespace {

using TDeviceControlTest = TVxDriverTest;

TEST_F(TDeviceControlTest, ConfigurationDescriptorNeedsRoomForItsTotalLength)
{
    Start();
    auto control = Open(u"");
    std::vector<UCHAR> expected = Device->ConfigurationDescriptor();
    ULONG total = static_cast<ULONG>(expected.size());

    std::vector<UCHAR> buffer(total, 0xEE);
    ULONG_PTR returned = 99;
    EXPECT_EQ(control->DeviceIoControl(IOCTL_GET_CONFIG_DESCRIPTOR, nullptr, 0, buffer.data(), total - 1, &returned),
              STATUS_INVALID_PARAMETER);
    EXPECT_EQ(returned, 0u);

    EXPECT_EQ(control->DeviceIoControl(IOCTL_GET_CONFIG_DESCRIPTOR, nullptr, 0, buffer.data(), total, &returned),
              STATUS_SUCCESS);
    EXPECT_EQ(returned, total);
    EXPECT_EQ(buffer, expected);
}

TEST_F(TDeviceControlTest, LongConfigurationDescriptorIsReturnedWhole)
{
    TSimUsbDevice::TSettings settings;
    settings.ExtraDescriptorBytes = 700;
    Start(settings);
    auto pipe = Open(u"\\0"); // pipe handles serve control requests too
    std::vector<UCHAR> expected = Device->ConfigurationDescriptor();
    std::vector<UCHAR> buffer(expected.size() + 50);
    ULONG_PTR returned = 0;
    EXPECT_EQ(pipe->DeviceIoControl(IOCTL_GET_CONFIG_DESCRIPTOR, nullptr, 0, buffer.data(),
                                    static_cast<ULONG>(buffer.size()), &returned),
              STATUS_SUCCESS);
    ASSERT_EQ(returned, expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin()));
}

TEST_F(TDeviceControlTest, ResetPipeNeedsAPipeHandle)
{
    Start();
    auto control = Open(u"");
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_PIPE, nullptr, 0, nullptr, 0), STATUS_INVALID_PARAMETER);
    EXPECT_EQ(Device->PipeResets(BulkIn), 0u);
}

TEST_F(TDeviceControlTest, ResetPipeClearsAStall)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->FailTransfers(BulkOut, USBD_STATUS_STALL_PID);
    std::vector<UCHAR> data = Pattern(32);
    ULONG_PTR written = 99;
    ASSERT_EQ(pipe->Write(data.data(), 32, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(Device->Stalled(BulkOut));

    EXPECT_EQ(pipe->DeviceIoControl(IOCTL_RESET_PIPE, nullptr, 0, nullptr, 0), STATUS_SUCCESS);
    EXPECT_FALSE(Device->Stalled(BulkOut));
    EXPECT_EQ(Device->PipeResets(BulkOut), 1u);
    ASSERT_EQ(pipe->Write(data.data(), 32, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 32u);
}

// A pipe whose reset failed is still stalled, and the caller is told.
TEST_F(TDeviceControlTest, FailedPipeResetIsReported)
{
    Start();
    auto pipe = Open(u"\\1");
    Device->Fail(TSimUsbDevice::TOp::ResetPipe, STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(pipe->DeviceIoControl(IOCTL_RESET_PIPE, nullptr, 0, nullptr, 0), STATUS_IO_DEVICE_ERROR);
}

TEST_F(TDeviceControlTest, ResetDeviceLeavesAnEnabledPortAlone)
{
    Start();
    auto control = Open(u"");
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_DEVICE, nullptr, 0, nullptr, 0), STATUS_SUCCESS);
    EXPECT_EQ(Device->PortResets(), 0u);
}

TEST_F(TDeviceControlTest, ResetDeviceResetsAConnectedPortThatIsDisabled)
{
    Start();
    auto control = Open(u"");
    Device->SetPort(true, false);
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_DEVICE, nullptr, 0, nullptr, 0), STATUS_SUCCESS);
    EXPECT_EQ(Device->PortResets(), 1u);
}

TEST_F(TDeviceControlTest, ResetDeviceReportsAFailedPortQueryOrReset)
{
    Start();
    auto control = Open(u"");
    Device->Fail(TSimUsbDevice::TOp::PortStatus, STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_DEVICE, nullptr, 0, nullptr, 0), STATUS_IO_DEVICE_ERROR);
    Device->SetPort(true, false);
    Device->Fail(TSimUsbDevice::TOp::ResetPort, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_DEVICE, nullptr, 0, nullptr, 0), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(Device->PortResets(), 0u);
}

TEST_F(TDeviceControlTest, UnknownCodeIsRefused)
{
    Start();
    auto control = Open(u"");
    EXPECT_EQ(control->DeviceIoControl(CTL_CODE(FILE_DEVICE_UNKNOWN, 3, METHOD_BUFFERED, FILE_ANY_ACCESS), nullptr, 0,
                                       nullptr, 0),
              STATUS_INVALID_PARAMETER);
}

TEST_F(TDeviceControlTest, ControlRequestsAreRefusedWhileTheDeviceDoesNotAcceptIo)
{
    Start();
    auto control = Open(u"");
    ASSERT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    std::vector<UCHAR> buffer(1024);
    EXPECT_EQ(control->DeviceIoControl(IOCTL_GET_CONFIG_DESCRIPTOR, nullptr, 0, buffer.data(), 1024),
              STATUS_DELETE_PENDING);
    EXPECT_EQ(PendingIoCount(), 1);
}

} // namespace
