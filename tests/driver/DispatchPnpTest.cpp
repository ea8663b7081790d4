#include "VxDriverFixture.h"

#include <thread>

#include "WdmFaults.h"

namespace {

using TDispatchPnpTest = TVxDriverTest;

TEST_F(TDispatchPnpTest, StartConfiguresTheDeviceAndAcceptsHandles)
{
    Start();
    EXPECT_TRUE(Ext()->DeviceStarted);
    EXPECT_TRUE(Device->Configured());
    ASSERT_NE(Ext()->DeviceDescriptor, nullptr);
    EXPECT_EQ(Ext()->DeviceDescriptor->idVendor, 0x0471);
    ASSERT_NE(Ext()->InterfaceInfo, nullptr);
    EXPECT_EQ(Ext()->InterfaceInfo->NumberOfPipes, 3u);
    EXPECT_EQ(Ext()->InterfaceInfo->Pipes[0].EndpointAddress, BulkIn);
    EXPECT_EQ(Device->MaximumTransferSizes(), (std::vector<ULONG>{8192, 8192, 8192}));
    EXPECT_NE(Ext()->ConfigurationHandle, nullptr);
    EXPECT_EQ(PendingIoCount(), 1);
    auto control = Open(u"");
    EXPECT_TRUE(control->IsOpen());
}

TEST_F(TDispatchPnpTest, ConfigurationOfAtMost521BytesIsReadOnce)
{
    Start();
    std::vector<std::pair<UCHAR, ULONG>> expected = {{USB_DEVICE_DESCRIPTOR_TYPE, 18}, {USB_CONFIGURATION_DESCRIPTOR_TYPE, 521}};
    EXPECT_EQ(Device->DescriptorRequests(), expected);
}

TEST_F(TDispatchPnpTest, ConfigurationLongerThan521BytesIsReadAgainWhole)
{
    TSimUsbDevice::TSettings settings;
    settings.ExtraDescriptorBytes = 600;
    Start(settings);
    ULONG total = static_cast<ULONG>(Device->ConfigurationDescriptor().size());
    ASSERT_GT(total, 521u);
    std::vector<std::pair<UCHAR, ULONG>> expected = {
        {USB_DEVICE_DESCRIPTOR_TYPE, 18}, {USB_CONFIGURATION_DESCRIPTOR_TYPE, 521}, {USB_CONFIGURATION_DESCRIPTOR_TYPE, total}};
    EXPECT_EQ(Device->DescriptorRequests(), expected);
    EXPECT_EQ(Ext()->ConfigurationDescriptor->wTotalLength, total);
    EXPECT_EQ(Ext()->InterfaceInfo->NumberOfPipes, 3u);
}

// A device that claims more configuration than it sends is refused rather than read past what
// it sent.
TEST_F(TDispatchPnpTest, ConfigurationShorterThanItsTotalLengthFailsTheStart)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    std::vector<UCHAR> descriptor = Device->ConfigurationDescriptor();
    descriptor.resize(descriptor.size() - 7); // the last endpoint is missing, wTotalLength unchanged
    Device->SetConfigurationDescriptor(descriptor);
    EXPECT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_DEVICE_DATA_ERROR);
    EXPECT_FALSE(Ext()->DeviceStarted);
    EXPECT_FALSE(Device->Configured());
}

TEST_F(TDispatchPnpTest, ConfigurationWithoutInterfaceFailsTheStart)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    Device->SetConfigurationDescriptor({9, USB_CONFIGURATION_DESCRIPTOR_TYPE, 9, 0, 0, 1, 0, 0x80, 50});
    EXPECT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_INSUFFICIENT_RESOURCES);
    EXPECT_FALSE(Ext()->DeviceStarted);
}

struct TStartFailure {
    const char* Name;
    TSimUsbDevice::TOp Op;
};

class TStartFailureTest : public TVxDriverTest, public ::testing::WithParamInterface<TStartFailure> {};

TEST_P(TStartFailureTest, FailedStepFailsTheStartWithItsStatus)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    Device->Fail(GetParam().Op, STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_IO_DEVICE_ERROR);
    EXPECT_FALSE(Ext()->DeviceStarted);
    Open(u"", STATUS_DELETE_PENDING);
    // The next start succeeds.
    EXPECT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_TRUE(Ext()->DeviceStarted);
}

INSTANTIATE_TEST_SUITE_P(Steps, TStartFailureTest,
                         ::testing::Values(TStartFailure{"LowerStart", TSimUsbDevice::TOp::Start},
                                           TStartFailure{"DeviceDescriptor", TSimUsbDevice::TOp::DeviceDescriptor},
                                           TStartFailure{"ConfigurationDescriptor", TSimUsbDevice::TOp::ConfigurationDescriptor},
                                           TStartFailure{"SelectConfiguration", TSimUsbDevice::TOp::SelectConfiguration}),
                         [](const ::testing::TestParamInfo<TStartFailure>& info) { return info.param.Name; });

// Every allocation of the start sequence, failed in turn: the start fails with
// STATUS_INSUFFICIENT_RESOURCES and whatever it had allocated is released at removal.
TEST_F(TDispatchPnpTest, EveryAllocationFailureOfTheStartIsReportedAndLeaksNothing)
{
    for (ULONG tag : {DriverTag, WdmTag("USBD"), WdmTag("Irp ")}) {
        for (unsigned pass = 0;; ++pass) {
            ASSERT_EQ(Add(), STATUS_SUCCESS);
            TWdmRequest start(Device->Pdo(), IRP_MJ_PNP, IRP_MN_START_DEVICE);
            WdmFailPoolAllocation(tag, pass);
            start.Send();
            ASSERT_TRUE(start.Wait());
            NTSTATUS status = start.Status();
            bool failed = status != STATUS_SUCCESS;
            WdmClearFaults();
            if (failed) {
                EXPECT_EQ(status, STATUS_INSUFFICIENT_RESOURCES) << WdmTagName(tag) << " " << pass;
                EXPECT_FALSE(Ext()->DeviceStarted);
            }
            EXPECT_EQ(Remove(), STATUS_SUCCESS);
            Device.reset();
            Driver.reset();
            ASSERT_EQ(WdmLeftovers(), "") << WdmTagName(tag) << " " << pass;
            if (!failed)
                break;
            ASSERT_LT(pass, 20u);
        }
    }
}

// Without its copy of the interface information the device starts, but no pipe can be opened.
TEST_F(TDispatchPnpTest, StartWithoutInterfaceCopyOpensNoPipe)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    // The driver's sixth allocation of the start is the interface copy.
    TWdmRequest start(Device->Pdo(), IRP_MJ_PNP, IRP_MN_START_DEVICE);
    WdmFailPoolAllocation(DriverTag, 5);
    start.Send();
    ASSERT_TRUE(start.Wait());
    ASSERT_EQ(start.Status(), STATUS_SUCCESS);
    EXPECT_EQ(Ext()->InterfaceInfo, nullptr);
    Open(u"\\0", STATUS_INSUFFICIENT_RESOURCES);
    Open(u"");
}

TEST_F(TDispatchPnpTest, QueriesOnADeviceNotStartedArePassedOnWithoutChangingIt)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    for (UCHAR minor : {IRP_MN_QUERY_REMOVE_DEVICE, IRP_MN_CANCEL_REMOVE_DEVICE, IRP_MN_QUERY_STOP_DEVICE, IRP_MN_CANCEL_STOP_DEVICE})
        EXPECT_EQ(Pnp(minor), STATUS_SUCCESS);
    EXPECT_FALSE(Ext()->RemovePending);
    EXPECT_FALSE(Ext()->StopPending);
    EXPECT_EQ(Device->PnpRequests(), (std::vector<UCHAR>{IRP_MN_QUERY_CAPABILITIES, IRP_MN_QUERY_REMOVE_DEVICE,
                                                        IRP_MN_CANCEL_REMOVE_DEVICE, IRP_MN_QUERY_STOP_DEVICE,
                                                        IRP_MN_CANCEL_STOP_DEVICE}));
}

TEST_F(TDispatchPnpTest, QueryRemoveRefusesNewIoUntilCancelled)
{
    Start();
    EXPECT_EQ(Pnp(IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_TRUE(Ext()->RemovePending);
    Open(u"\\0", STATUS_DELETE_PENDING);
    EXPECT_EQ(Pnp(IRP_MN_CANCEL_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_FALSE(Ext()->RemovePending);
    Open(u"\\0");
}

TEST_F(TDispatchPnpTest, QueryStopRefusesIoAndStopUnconfiguresTheDevice)
{
    Start();
    auto pipe = Open(u"\\1");
    EXPECT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_TRUE(Ext()->StopPending);
    std::vector<UCHAR> data = Pattern(10);
    EXPECT_EQ(pipe->Write(data.data(), 10), STATUS_DELETE_PENDING);
    EXPECT_EQ(Pnp(IRP_MN_CANCEL_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(pipe->Write(data.data(), 10), STATUS_SUCCESS);

    EXPECT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_FALSE(Ext()->DeviceStarted);
    EXPECT_FALSE(Ext()->StopPending);
    EXPECT_FALSE(Device->Configured());
    EXPECT_EQ(pipe->Write(data.data(), 10), STATUS_DELETE_PENDING);
}

// A handle open across a stop and a new start keeps its pipe, which gets the new pipe handle.
TEST_F(TDispatchPnpTest, RestartKeepsOpenPipesWorking)
{
    Start();
    auto pipe = Open(u"\\1");
    PVOID oldHandle = Ext()->InterfaceInfo->Pipes[1].PipeHandle;
    ASSERT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_NE(Ext()->InterfaceInfo->Pipes[1].PipeHandle, oldHandle);
    std::vector<UCHAR> data = Pattern(100);
    ULONG_PTR written = 0;
    EXPECT_EQ(pipe->Write(data.data(), 100, &written), STATUS_SUCCESS);
    EXPECT_EQ(written, 100u);
    Open(u"\\1", STATUS_INVALID_PARAMETER); // still held
    EXPECT_EQ(Ext()->OpenPipeCount, 1u);
}

TEST_F(TDispatchPnpTest, StopWhoseUnconfigureFailsIsCompletedWithItsStatusAndNotPassedDown)
{
    Start();
    ASSERT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    Device->Fail(TSimUsbDevice::TOp::Unconfigure, STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(Pnp(IRP_MN_STOP_DEVICE), STATUS_IO_DEVICE_ERROR);
    EXPECT_FALSE(Ext()->StopPending);
    EXPECT_TRUE(Ext()->DeviceStarted);
    std::vector<UCHAR> seen = Device->PnpRequests();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), IRP_MN_STOP_DEVICE), 0);
}

TEST_F(TDispatchPnpTest, QueryStopIsRefusedWhileStagesArePending)
{
    Start();
    auto pipe = Open(u"\\0");
    std::vector<UCHAR> buffer(3 * 8192);
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(3));
    EXPECT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_UNSUCCESSFUL);
    EXPECT_FALSE(Ext()->StopPending);
    Device->QueueInData(BulkIn, Pattern(buffer.size()));
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Information(), buffer.size());
    EXPECT_EQ(Pnp(IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
}

TEST_F(TDispatchPnpTest, CapabilitiesAlwaysAllowSurpriseRemoval)
{
    Start();
    DEVICE_CAPABILITIES capabilities{};
    capabilities.Size = sizeof capabilities;
    capabilities.Version = 1;
    EXPECT_EQ(WdmQueryCapabilities(Device->Pdo(), capabilities), STATUS_SUCCESS);
    EXPECT_TRUE(capabilities.SurpriseRemovalOK); // the hub cleared it
    EXPECT_EQ(capabilities.DeviceWake, PowerDeviceD2);
}

TEST_F(TDispatchPnpTest, SystemControlIsPassedDown)
{
    Start();
    EXPECT_EQ(WdmSendSystemControl(Device->Pdo()), STATUS_SUCCESS);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TDispatchPnpTest, OtherMinorFunctionsArePassedDownUnchanged)
{
    Start();
    EXPECT_EQ(Pnp(IRP_MN_QUERY_DEVICE_RELATIONS), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(Device->PnpRequests().back(), IRP_MN_QUERY_DEVICE_RELATIONS);
}

TEST_F(TDispatchPnpTest, RemoveDisablesTheInterfaceAndDeletesTheDevice)
{
    Start();
    EXPECT_EQ(Remove(), STATUS_SUCCESS);
    EXPECT_EQ(Device->Pdo()->AttachedDevice, nullptr);
    EXPECT_TRUE(WdmEnabledInterfaces(GUID_DEVINTERFACE_HANDHELD).empty());
    EXPECT_EQ(Driver->Object()->DeviceObject, nullptr);
}

// A request the driver passed down and the bus has not completed yet holds the count: the
// remove waits for it, and finishes once it completes. Here a power-up that the bus holds while
// the terminal is pulled out.
TEST_F(TDispatchPnpTest, RemoveWaitsForTheOutstandingCount)
{
    Start();
    Device->SetPowerTiming(TSimUsbDevice::TTiming::Held);
    POWER_STATE d0;
    d0.DeviceState = PowerDeviceD0;
    auto powerUp = WdmSendPowerAsync(Device->Pdo(), IRP_MN_SET_POWER, DevicePowerState, d0);
    ASSERT_TRUE(WaitUntil([&] { return Device->HeldCount() == 1; }));
    ASSERT_EQ(Pnp(IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);

    Removed = true;
    auto remove = WdmSendPnpAsync(Device->Pdo(), IRP_MN_REMOVE_DEVICE);
    ASSERT_TRUE(WaitUntil([] { return WdmWaitingThreads() == 1; }));
    EXPECT_FALSE(remove->Completed() && remove->DispatchReturned());
    EXPECT_FALSE(powerUp->Completed());

    Device->ReleaseHeld();
    ASSERT_TRUE(powerUp->Wait());
    EXPECT_EQ(powerUp->Status(), STATUS_SUCCESS);
    ASSERT_TRUE(remove->Wait());
    EXPECT_EQ(remove->Status(), STATUS_SUCCESS);
    EXPECT_EQ(Device->Pdo()->AttachedDevice, nullptr);
}

TEST_F(TDispatchPnpTest, SurpriseRemovalDuringAStagedTransferCompletesItAndRefusesIo)
{
    Start();
    auto pipe = Open(u"\\0");
    std::vector<UCHAR> buffer(2 * 8192 + 5);
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(3));

    EXPECT_EQ(Pnp(IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), 0u);
    EXPECT_TRUE(Ext()->DeviceRemoved);
    EXPECT_EQ(Ext()->StageContexts, nullptr);
    EXPECT_EQ(Device->PendingTransfers(), 0u);
    EXPECT_EQ(pipe->Read(buffer.data(), 10), STATUS_DELETE_PENDING);
    Open(u"\\1", STATUS_DELETE_PENDING);
    pipe->Close(); // close works after removal
    EXPECT_EQ(Ext()->OpenPipeCount, 0u);
    EXPECT_EQ(Remove(), STATUS_SUCCESS);
}

// The order Windows follows when the terminal is pulled out during a staged read: the surprise
// removal comes while the handles are open and cancels the stages still out, the read ends with
// the stage that had completed, the handles refuse I/O, and the remove request comes after the
// last of them is closed.
TEST_F(TDispatchPnpTest, SurpriseRemovalCancelsTheStagesAndRemoveFollowsTheLastClose)
{
    Start();
    auto pipe = Open(u"\\0");
    auto control = Open(u"");
    std::vector<UCHAR> buffer(4 * 8192);
    Device->QueueInData(BulkIn, Pattern(8192)); // the first stage completes, the others wait
    auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
    ASSERT_TRUE(Device->WaitForPendingTransfers(3));

    EXPECT_EQ(Pnp(IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    ASSERT_TRUE(read->Wait());
    EXPECT_EQ(read->Status(), STATUS_SUCCESS);
    EXPECT_EQ(read->Information(), 8192u);
    EXPECT_EQ(Device->PendingTransfers(), 0u);
    read.reset();

    EXPECT_EQ(pipe->Read(buffer.data(), 10), STATUS_DELETE_PENDING);
    EXPECT_EQ(control->DeviceIoControl(IOCTL_RESET_DEVICE, nullptr, 0, nullptr, 0), STATUS_DELETE_PENDING);
    EXPECT_EQ(Driver->Object()->DeviceObject, Fdo); // kept until the remove request
    pipe->Close();
    control->Close();
    EXPECT_EQ(Ext()->OpenPipeCount, 0u);
    EXPECT_EQ(PendingIoCount(), 1);

    EXPECT_EQ(Remove(), STATUS_SUCCESS);
    EXPECT_EQ(Driver->Object()->DeviceObject, nullptr);
    EXPECT_EQ(Device->PnpRequests().back(), IRP_MN_REMOVE_DEVICE);
}

// The cancel walk runs while stages complete on the bus's thread: whatever the order, the
// caller's request completes once, with whole stages only, and nothing is left behind.
TEST_F(TDispatchPnpTest, SurpriseRemovalRacingStageCompletionsLeavesNothingBehind)
{
    for (int round = 0; round < 40; ++round) {
        Start();
        Device->SetTiming(TSimUsbDevice::TTiming::Later);
        auto pipe = Open(u"\\0");
        std::vector<UCHAR> buffer(8 * 8192);
        auto read = pipe->ReadAsync(buffer.data(), static_cast<ULONG>(buffer.size()));
        ASSERT_TRUE(Device->WaitForPendingTransfers(8));
        std::thread feeder([this] {
            for (int i = 0; i < 8; ++i)
                Device->QueueInData(BulkIn, Pattern(8192));
        });
        EXPECT_EQ(Pnp(IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
        feeder.join();
        ASSERT_TRUE(read->Wait());
        EXPECT_EQ(read->Status(), STATUS_SUCCESS);
        EXPECT_EQ(read->Information() % 8192, 0u);
        read.reset();
        pipe.reset();
        EXPECT_EQ(Remove(), STATUS_SUCCESS);
        Device.reset();
        Driver.reset();
        ASSERT_EQ(WdmLeftovers(), "") << "round " << round;
    }
}

TEST_F(TDispatchPnpTest, SurpriseRemovalThenRemoveReleaseTheCountOnceEachAndTheBaseReference)
{
    Start();
    EXPECT_EQ(PendingIoCount(), 1);
    EXPECT_EQ(Pnp(IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    EXPECT_EQ(PendingIoCount(), 1);
    EXPECT_EQ(Remove(), STATUS_SUCCESS);
}

} // namespace
