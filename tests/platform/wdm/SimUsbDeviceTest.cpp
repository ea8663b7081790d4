#include "WdmTestFixture.h"

#include <cstring>
#include <memory>
#include <vector>

#include "SimUsbDevice.h"
#include "WdmManagers.h"
#include "usbdlib.h"

namespace {

// Sends URBs to the simulated device as a client driver does, and keeps the pipes of the
// selected configuration.
class TSimUsbDeviceTest : public TWdmTest {
protected:
    struct TCall {
        KEVENT Event;
        IO_STATUS_BLOCK Status;
        NTSTATUS Returned;
    };

    // Sends an internal request; the caller waits on the call's event when it pends.
    std::unique_ptr<TCall> Send(ULONG Code, PVOID Argument)
    {
        auto call = std::make_unique<TCall>();
        KeInitializeEvent(&call->Event, NotificationEvent, FALSE);
        PIRP irp = IoBuildDeviceIoControlRequest(Code, Device->Pdo(), nullptr, 0, nullptr, 0, TRUE, &call->Event,
                                                 &call->Status);
        IoGetNextIrpStackLocation(irp)->Parameters.Others.Argument1 = Argument;
        call->Returned = IofCallDriver(Device->Pdo(), irp);
        return call;
    }

    NTSTATUS Wait(TCall& Call)
    {
        if (Call.Returned != STATUS_PENDING)
            return Call.Returned;
        KeWaitForSingleObject(&Call.Event, Executive, KernelMode, FALSE, nullptr);
        return Call.Status.Status;
    }

    NTSTATUS Submit(PURB Urb) { return Wait(*Send(IOCTL_INTERNAL_USB_SUBMIT_URB, Urb)); }

    void SetUp() override
    {
        TWdmTest::SetUp();
        Device = std::make_unique<TSimUsbDevice>();
        Descriptor = Device->ConfigurationDescriptor();
    }

    void TearDown() override
    {
        Device.reset();
        TWdmTest::TearDown();
    }

    void Select()
    {
        USHORT size = 0;
        PURB urb = USBD_CreateConfigurationRequest(reinterpret_cast<PUSB_CONFIGURATION_DESCRIPTOR>(Descriptor.data()), &size);
        for (ULONG i = 0; i < 3; ++i)
            urb->UrbSelectConfiguration.Interface.Pipes[i].MaximumTransferSize = 8192;
        ASSERT_EQ(Submit(urb), STATUS_SUCCESS);
        for (ULONG i = 0; i < 3; ++i)
            Pipes[i] = urb->UrbSelectConfiguration.Interface.Pipes[i];
        ExFreePool(urb);
    }

    // A bulk or interrupt transfer through a plain buffer.
    struct TTransfer {
        URB Urb{};
        std::unique_ptr<TCall> Call;
    };

    std::unique_ptr<TTransfer> Start(int Pipe, void* Buffer, ULONG Length)
    {
        auto transfer = std::make_unique<TTransfer>();
        bool in = USB_ENDPOINT_DIRECTION_IN(Pipes[Pipe].EndpointAddress);
        UsbBuildInterruptOrBulkTransferRequest(&transfer->Urb, sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER),
                                               Pipes[Pipe].PipeHandle, Buffer, nullptr, Length,
                                               in ? (USBD_TRANSFER_DIRECTION_IN | USBD_SHORT_TRANSFER_OK) : 0, nullptr);
        transfer->Call = Send(IOCTL_INTERNAL_USB_SUBMIT_URB, &transfer->Urb);
        return transfer;
    }

    ULONG Moved(TTransfer& Transfer) const { return Transfer.Urb.UrbBulkOrInterruptTransfer.TransferBufferLength; }

    std::unique_ptr<TSimUsbDevice> Device;
    std::vector<UCHAR> Descriptor;
    USBD_PIPE_INFORMATION Pipes[3] = {};
};

TEST_F(TSimUsbDeviceTest, DescriptorRequestsReturnWhatFitsTheBuffer)
{
    UCHAR buffer[64] = {};
    URB urb{};
    UsbBuildGetDescriptorRequest(&urb, sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST), USB_DEVICE_DESCRIPTOR_TYPE, 0, 0,
                                 buffer, nullptr, sizeof buffer, nullptr);
    ASSERT_EQ(Submit(&urb), STATUS_SUCCESS);
    EXPECT_EQ(urb.UrbControlDescriptorRequest.TransferBufferLength, 18u);
    EXPECT_EQ(reinterpret_cast<PUSB_DEVICE_DESCRIPTOR>(buffer)->idProduct, 0x0888);

    UsbBuildGetDescriptorRequest(&urb, sizeof(struct _URB_CONTROL_DESCRIPTOR_REQUEST),
                                 USB_CONFIGURATION_DESCRIPTOR_TYPE, 0, 0, buffer, nullptr, 9, nullptr);
    ASSERT_EQ(Submit(&urb), STATUS_SUCCESS);
    EXPECT_EQ(urb.UrbControlDescriptorRequest.TransferBufferLength, 9u);
    EXPECT_EQ(reinterpret_cast<PUSB_CONFIGURATION_DESCRIPTOR>(buffer)->wTotalLength, Descriptor.size());
}

TEST_F(TSimUsbDeviceTest, SelectingTheConfigurationFillsThePipes)
{
    Select();
    EXPECT_TRUE(Device->Configured());
    EXPECT_EQ(Pipes[0].EndpointAddress, 0x81);
    EXPECT_EQ(Pipes[1].EndpointAddress, 0x02);
    EXPECT_EQ(Pipes[2].PipeType, UsbdPipeTypeInterrupt);
    EXPECT_EQ(Pipes[2].Interval, 10);
    EXPECT_NE(Pipes[0].PipeHandle, Pipes[1].PipeHandle);
    EXPECT_EQ(Device->MaximumTransferSizes(), (std::vector<ULONG>{8192, 8192, 8192}));
}

TEST_F(TSimUsbDeviceTest, WrittenDataComesBackOnTheInPipeInMessages)
{
    Select();
    UCHAR data[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(Wait(*Start(1, data, 10)->Call), STATUS_SUCCESS);
    UCHAR buffer[64] = {};
    auto first = Start(0, buffer, 4); // the message is longer: the rest stays
    ASSERT_EQ(Wait(*first->Call), STATUS_SUCCESS);
    EXPECT_EQ(Moved(*first), 4u);
    auto second = Start(0, buffer, 64); // the rest is shorter: a short transfer
    ASSERT_EQ(Wait(*second->Call), STATUS_SUCCESS);
    EXPECT_EQ(Moved(*second), 6u);
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(Device->OutTransfers(0x02).size(), 1u);
}

TEST_F(TSimUsbDeviceTest, ReadWaitsForDataAndCanBeCancelled)
{
    Select();
    UCHAR buffer[8];
    auto read = Start(0, buffer, 8);
    EXPECT_EQ(read->Call->Returned, STATUS_PENDING);
    EXPECT_EQ(Device->PendingTransfers(), 1u);
    // The event of a request built by the I/O manager is set when it completes.
    PIRP irp = nullptr;
    (void)irp;
    Device->QueueInData(0x81, {7});
    EXPECT_EQ(Wait(*read->Call), STATUS_SUCCESS);
    EXPECT_EQ(Moved(*read), 1u);

    auto waiting = Start(0, buffer, 8);
    ASSERT_EQ(Device->PendingTransfers(), 1u);
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    EXPECT_EQ(Wait(*waiting->Call), STATUS_NO_SUCH_DEVICE);
    EXPECT_EQ(waiting->Urb.UrbHeader.Status, USBD_STATUS_DEVICE_GONE);
    EXPECT_EQ(Moved(*waiting), 0u);
}

TEST_F(TSimUsbDeviceTest, HeldRequestsCompleteWhenReleased)
{
    Select();
    Device->SetTiming(TSimUsbDevice::TTiming::Held);
    UCHAR data[3] = {1, 2, 3};
    auto write = Start(1, data, 3);
    EXPECT_EQ(write->Call->Returned, STATUS_PENDING);
    EXPECT_EQ(Device->HeldCount(), 1u);
    EXPECT_EQ(KeReadStateEvent(&write->Call->Event), 0);
    Device->ReleaseHeld();
    EXPECT_EQ(Wait(*write->Call), STATUS_SUCCESS);
    EXPECT_EQ(Moved(*write), 3u);
}

TEST_F(TSimUsbDeviceTest, StallStaysUntilThePipeIsReset)
{
    Select();
    Device->FailTransfers(0x02, USBD_STATUS_STALL_PID);
    UCHAR data[3] = {1, 2, 3};
    auto first = Start(1, data, 3);
    EXPECT_EQ(Wait(*first->Call), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(first->Urb.UrbHeader.Status, USBD_STATUS_STALL_PID);
    EXPECT_EQ(Wait(*Start(1, data, 3)->Call), STATUS_UNSUCCESSFUL);

    URB reset{};
    reset.UrbHeader.Length = sizeof(struct _URB_PIPE_REQUEST);
    reset.UrbHeader.Function = URB_FUNCTION_RESET_PIPE;
    reset.UrbPipeRequest.PipeHandle = Pipes[1].PipeHandle;
    EXPECT_EQ(Submit(&reset), STATUS_SUCCESS);
    EXPECT_EQ(Device->PipeResets(0x02), 1u);
    EXPECT_EQ(Wait(*Start(1, data, 3)->Call), STATUS_SUCCESS);
}

// A transfer refused before it is carried out moves nothing and leaves its URB's length as it
// was sent, as a real bus does; only its status tells.
TEST_F(TSimUsbDeviceTest, RefusedTransferKeepsTheLengthItWasSentWith)
{
    Select();
    Device->Fail(TSimUsbDevice::TOp::RefuseTransfer, STATUS_IO_DEVICE_ERROR);
    UCHAR data[3] = {1, 2, 3};
    auto write = Start(1, data, 3);
    EXPECT_EQ(Wait(*write->Call), STATUS_IO_DEVICE_ERROR);
    EXPECT_TRUE(USBD_ERROR(write->Urb.UrbHeader.Status));
    EXPECT_EQ(Moved(*write), 3u);
    EXPECT_TRUE(Device->OutTransfers(0x02).empty());
    EXPECT_TRUE(Device->Transfers().empty());
    EXPECT_EQ(Device->TransfersSubmitted(), 1u);
}

TEST_F(TSimUsbDeviceTest, TransfersAreCheckedAgainstTheirPipe)
{
    Select();
    std::vector<UCHAR> big(8193);
    EXPECT_EQ(Wait(*Start(1, big.data(), 8193)->Call), STATUS_INVALID_PARAMETER); // over the pipe's maximum
    Select(); // new pipe handles: the old ones are no longer valid
    URB urb{};
    UsbBuildInterruptOrBulkTransferRequest(&urb, sizeof(struct _URB_BULK_OR_INTERRUPT_TRANSFER), nullptr, big.data(),
                                           nullptr, 1, 0, nullptr);
    EXPECT_EQ(Submit(&urb), STATUS_INVALID_PARAMETER);
    EXPECT_EQ(urb.UrbHeader.Status, USBD_STATUS_INVALID_PIPE_HANDLE);
}

TEST_F(TSimUsbDeviceTest, PortStatusAndReset)
{
    ULONG status = 0;
    EXPECT_EQ(Wait(*Send(IOCTL_INTERNAL_USB_GET_PORT_STATUS, &status)), STATUS_SUCCESS);
    EXPECT_EQ(status, ULONG(USBD_PORT_CONNECTED | USBD_PORT_ENABLED));
    Device->SetPort(true, false);
    EXPECT_EQ(Wait(*Send(IOCTL_INTERNAL_USB_GET_PORT_STATUS, &status)), STATUS_SUCCESS);
    EXPECT_EQ(status, ULONG(USBD_PORT_CONNECTED));
    EXPECT_EQ(Wait(*Send(IOCTL_INTERNAL_USB_RESET_PORT, nullptr)), STATUS_SUCCESS);
    EXPECT_EQ(Device->PortResets(), 1u);
    EXPECT_EQ(Wait(*Send(IOCTL_INTERNAL_USB_GET_PORT_STATUS, &status)), STATUS_SUCCESS);
    EXPECT_EQ(status, ULONG(USBD_PORT_CONNECTED | USBD_PORT_ENABLED));
}

} // namespace
