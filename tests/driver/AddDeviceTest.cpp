#include "VxDriverFixture.h"

#include "WdmFaults.h"

namespace {

using TAddDeviceTest = TVxDriverTest;

TEST_F(TAddDeviceTest, RegistersAndEnablesTheInterfaceAndAttachesAboveThePhysicalDevice)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    EXPECT_EQ(Link(), u"\\??\\USB#VID_0471&PID_0888#HH0001#{88f49320-16ef-11d2-ad51-006097b514dd}");
    EXPECT_EQ(std::u16string(Ext()->InterfaceLinkName), Link());
    EXPECT_EQ(Ext()->TopOfStackDevice, Device->Pdo());
    EXPECT_EQ(Ext()->PhysicalDevice, Device->Pdo());
    EXPECT_EQ(Fdo->Flags & (DO_DIRECT_IO | DO_POWER_PAGABLE | DO_DEVICE_INITIALIZING), ULONG(DO_DIRECT_IO | DO_POWER_PAGABLE));
    EXPECT_EQ(Fdo->DeviceType, ULONG(FILE_DEVICE_UNKNOWN));
    EXPECT_EQ(Ext()->MaximumTransferSize, 8192u);
    EXPECT_EQ(PendingIoCount(), 1);
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceUnspecified);
}

TEST_F(TAddDeviceTest, RefusesHandlesUntilStarted)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS);
    Open(u"", STATUS_DELETE_PENDING);
    Open(u"\\0", STATUS_DELETE_PENDING);
}

TEST_F(TAddDeviceTest, PowerDownLevelIsTheLastSleepMappingShallowerThanD3)
{
    ASSERT_EQ(Add(), STATUS_SUCCESS); // S1->D1, S2->D2, S3->D3
    EXPECT_EQ(Ext()->PowerDownLevel, PowerDeviceD2);
}

TEST_F(TAddDeviceTest, PowerDownLevelStaysUnspecifiedWhenEverySleepStateMapsToD3)
{
    TSimUsbDevice::TSettings settings;
    for (int s = PowerSystemSleeping1; s <= PowerSystemSleeping3; ++s)
        settings.DeviceState[s] = PowerDeviceD3;
    ASSERT_EQ(Add(settings), STATUS_SUCCESS);
    EXPECT_EQ(Ext()->PowerDownLevel, PowerDeviceUnspecified);
}

TEST_F(TAddDeviceTest, FailedCapabilitiesQueryLeavesThePresetRecord)
{
    Driver = std::make_unique<TWdmDriver>(DriverEntry);
    Device = std::make_unique<TSimUsbDevice>();
    Device->Fail(TSimUsbDevice::TOp::QueryCapabilities, STATUS_UNSUCCESSFUL);
    ASSERT_EQ(Driver->AddDevice(Device->Pdo()), STATUS_SUCCESS);
    Fdo = IoGetAttachedDevice(Device->Pdo());
    EXPECT_EQ(Ext()->PowerDownLevel, PowerDeviceUnspecified);
    EXPECT_EQ(Ext()->DeviceCapabilities.Size, sizeof(DEVICE_CAPABILITIES));
    EXPECT_EQ(Ext()->DeviceCapabilities.Address, 0xFFFFFFFFu);
    EXPECT_EQ(Ext()->DeviceCapabilities.DeviceState[PowerSystemSleeping3], PowerDeviceUnspecified);
}

// The link name is kept whole in the extension: 255 characters fit, 256 do not, and a device
// whose name does not fit is refused with its interface disabled again.
TEST_F(TAddDeviceTest, LinkNameMustFitTheExtension)
{
    const std::size_t fixed = std::u16string(u"\\??\\USB#VID_0471&PID_0888##{88f49320-16ef-11d2-ad51-006097b514dd}").size();
    for (std::size_t chars : {std::size_t(255), std::size_t(256)}) {
        TSimUsbDevice::TSettings settings;
        settings.SerialNumber = std::u16string(chars - fixed, u'7');
        NTSTATUS status = Add(settings);
        if (chars == 255) {
            ASSERT_EQ(status, STATUS_SUCCESS);
            EXPECT_EQ(std::u16string(Ext()->InterfaceLinkName).size(), 255u);
            EXPECT_EQ(Remove(), STATUS_SUCCESS);
        } else {
            EXPECT_EQ(status, STATUS_NAME_TOO_LONG);
            EXPECT_TRUE(WdmEnabledInterfaces(GUID_DEVINTERFACE_HANDHELD).empty());
        }
        Device.reset();
        Driver.reset();
        EXPECT_EQ(WdmLeftovers(), "") << chars;
    }
}

struct TAddFailure {
    const char* Name;
    TWdmCall Call;
    NTSTATUS Expected;
};

class TAddDeviceFailureTest : public TVxDriverTest, public ::testing::WithParamInterface<TAddFailure> {};

TEST_P(TAddDeviceFailureTest, FailureLeavesNoDeviceNoInterfaceAndNoPool)
{
    Driver = std::make_unique<TWdmDriver>(DriverEntry);
    Device = std::make_unique<TSimUsbDevice>();
    WdmFailCall(GetParam().Call);
    EXPECT_EQ(Driver->AddDevice(Device->Pdo()), GetParam().Expected);
    EXPECT_EQ(Device->Pdo()->AttachedDevice, nullptr);
    EXPECT_EQ(Driver->Object()->DeviceObject, nullptr);
    EXPECT_TRUE(WdmEnabledInterfaces(GUID_DEVINTERFACE_HANDHELD).empty());
}

INSTANTIATE_TEST_SUITE_P(Calls, TAddDeviceFailureTest,
                         ::testing::Values(TAddFailure{"RegisterInterface", TWdmCall::RegisterInterface, STATUS_INVALID_PARAMETER},
                                           TAddFailure{"EnableInterface", TWdmCall::SetInterfaceState, STATUS_OBJECT_NAME_NOT_FOUND},
                                           TAddFailure{"CreateDevice", TWdmCall::CreateDevice, STATUS_INSUFFICIENT_RESOURCES},
                                           TAddFailure{"AttachDevice", TWdmCall::AttachDevice, STATUS_NO_SUCH_DEVICE}),
                         [](const ::testing::TestParamInfo<TAddFailure>& info) { return info.param.Name; });

TEST_F(TAddDeviceTest, CapabilitiesRequestThatCannotBeAllocatedStillAddsTheDevice)
{
    Driver = std::make_unique<TWdmDriver>(DriverEntry);
    Device = std::make_unique<TSimUsbDevice>();
    WdmFailCall(TWdmCall::AllocateIrp);
    ASSERT_EQ(Driver->AddDevice(Device->Pdo()), STATUS_SUCCESS);
    Fdo = IoGetAttachedDevice(Device->Pdo());
    EXPECT_EQ(Ext()->PowerDownLevel, PowerDeviceUnspecified);
    EXPECT_EQ(PendingIoCount(), 1);
}

} // namespace
