#include "VxDriverFixture.h"

namespace {

using TPowerTest = TVxDriverTest;

std::vector<DEVICE_POWER_STATE> DeviceRequests(const TSimUsbDevice& device)
{
    std::vector<DEVICE_POWER_STATE> states;
    for (const auto& request : device.PowerRequests())
        if (request.MinorFunction == IRP_MN_SET_POWER && request.Type == DevicePowerState)
            states.push_back(request.State.DeviceState);
    return states;
}

std::vector<SYSTEM_POWER_STATE> SystemRequests(const TSimUsbDevice& device)
{
    std::vector<SYSTEM_POWER_STATE> states;
    for (const auto& request : device.PowerRequests())
        if (request.MinorFunction == IRP_MN_SET_POWER && request.Type == SystemPowerState)
            states.push_back(request.State.SystemState);
    return states;
}

// Settings whose S3 mapping is D2 and which can wake from D2.
TSimUsbDevice::TSettings WakeFromD2()
{
    TSimUsbDevice::TSettings settings;
    settings.DeviceState[PowerSystemSleeping3] = PowerDeviceD2;
    settings.DeviceWake = PowerDeviceD2;
    return settings;
}

TEST_F(TPowerTest, PowerUpIsRecordedWhenTheBusHasDoneIt)
{
    Start();
    DEVICE_POWER_STATE seen = PowerDeviceMaximum;
    Device->OnPowerRequest = [&](PIRP) { seen = Ext()->CurrentDevicePowerState; };
    EXPECT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD0), STATUS_SUCCESS);
    EXPECT_EQ(seen, PowerDeviceUnspecified);
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD0);
    EXPECT_EQ(Device->DevicePower(), PowerDeviceD0);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TPowerTest, D2IsRecordedBeforeTheRequestGoesDown)
{
    Start();
    DEVICE_POWER_STATE seen = PowerDeviceMaximum;
    Device->OnPowerRequest = [&](PIRP) { seen = Ext()->CurrentDevicePowerState; };
    EXPECT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD2), STATUS_SUCCESS);
    EXPECT_EQ(seen, PowerDeviceD2);
    EXPECT_EQ(Device->DevicePower(), PowerDeviceD2);
}

TEST_F(TPowerTest, S0WhileInD0PassesStraightDown)
{
    Start();
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD0), STATUS_SUCCESS);
    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemWorking), STATUS_SUCCESS);
    EXPECT_EQ(DeviceRequests(*Device), (std::vector<DEVICE_POWER_STATE>{PowerDeviceD0}));
    EXPECT_EQ(SystemRequests(*Device), (std::vector<SYSTEM_POWER_STATE>{PowerSystemWorking}));
    EXPECT_EQ(PendingIoCount(), 1);
}

// The system request is held while the device request made for it runs, then goes down.
TEST_F(TPowerTest, S3WithoutWaitWakeTakesTheDeviceToD3First)
{
    Start();
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD0), STATUS_SUCCESS);
    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemSleeping3), STATUS_SUCCESS);
    EXPECT_EQ(DeviceRequests(*Device), (std::vector<DEVICE_POWER_STATE>{PowerDeviceD0, PowerDeviceD3}));
    EXPECT_EQ(SystemRequests(*Device), (std::vector<SYSTEM_POWER_STATE>{PowerSystemSleeping3}));
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD3);
    EXPECT_EQ(Ext()->PendingSystemPowerIrp, nullptr);
    EXPECT_EQ(PendingIoCount(), 1);

    // And back: S0 powers the device up before the system request goes down.
    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemWorking), STATUS_SUCCESS);
    EXPECT_EQ(DeviceRequests(*Device).back(), PowerDeviceD0);
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD0);
}

TEST_F(TPowerTest, DeviceRequestCompletingOnTheBusThreadStillSendsTheSystemRequestOn)
{
    Start();
    Device->SetPowerTiming(TSimUsbDevice::TTiming::Later);
    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemSleeping3), STATUS_SUCCESS);
    EXPECT_EQ(SystemRequests(*Device), (std::vector<SYSTEM_POWER_STATE>{PowerSystemSleeping3}));
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD3);
    EXPECT_EQ(PendingIoCount(), 1);
}

// A system power change cannot be refused: when the power manager will not make the device
// request, the held system request still goes down and its count is released.
TEST_F(TPowerTest, RefusedDeviceRequestStillFinishesTheSystemRequest)
{
    Start();
    WdmFailCall(TWdmCall::RequestPowerIrp);
    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemSleeping3), STATUS_SUCCESS);
    EXPECT_TRUE(DeviceRequests(*Device).empty());
    EXPECT_EQ(SystemRequests(*Device), (std::vector<SYSTEM_POWER_STATE>{PowerSystemSleeping3}));
    EXPECT_EQ(Ext()->PendingSystemPowerIrp, nullptr);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TPowerTest, FailedPowerUpIsStillRecordedAsD0)
{
    Start();
    Device->Fail(TSimUsbDevice::TOp::SetDevicePower, STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD0), STATUS_SUCCESS);
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD0);
}

TEST_F(TPowerTest, QueriesArePassedDown)
{
    Start();
    EXPECT_EQ(WdmQuerySystemPower(Device->Pdo(), PowerSystemSleeping3), STATUS_SUCCESS);
    ASSERT_EQ(Device->PowerRequests().size(), 1u);
    EXPECT_EQ(Device->PowerRequests()[0].MinorFunction, IRP_MN_QUERY_POWER);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TPowerTest, WaitWakeIsRefusedInD0AndNotPassedDown)
{
    Start();
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD0), STATUS_SUCCESS);
    auto wait = WdmWaitWakeAsync(Device->Pdo(), PowerSystemSleeping3);
    ASSERT_TRUE(wait->Wait());
    EXPECT_EQ(wait->Status(), STATUS_INVALID_DEVICE_STATE);
    for (const auto& request : Device->PowerRequests())
        EXPECT_NE(request.MinorFunction, IRP_MN_WAIT_WAKE);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TPowerTest, WaitWakeIsRefusedWhenTheDeviceCannotWakeFromItsState)
{
    Start(); // wakes from D2 at the deepest
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD1), STATUS_SUCCESS);
    auto wait = WdmWaitWakeAsync(Device->Pdo(), PowerSystemSleeping3);
    ASSERT_TRUE(wait->Wait());
    EXPECT_EQ(wait->Status(), STATUS_INVALID_DEVICE_STATE);
    EXPECT_EQ(Ext()->PowerDownLevel, PowerDeviceD2); // replaced by the wake state all the same
}

TEST_F(TPowerTest, S3WithWaitWakePendingMapsToTheCapabilitiesMapping)
{
    Start(WakeFromD2());
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD3), STATUS_SUCCESS);
    auto wait = WdmWaitWakeAsync(Device->Pdo(), PowerSystemSleeping3);
    ASSERT_TRUE(Device->WaitForWaitWake());
    EXPECT_TRUE(Ext()->WaitWakeEnabled);

    EXPECT_EQ(WdmSetSystemPower(Device->Pdo(), PowerSystemSleeping3), STATUS_SUCCESS);
    EXPECT_EQ(DeviceRequests(*Device), (std::vector<DEVICE_POWER_STATE>{PowerDeviceD3, PowerDeviceD2}));
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD2);

    Device->CancelWaitWake();
    ASSERT_TRUE(wait->Wait());
    EXPECT_EQ(wait->Status(), STATUS_CANCELLED);
    EXPECT_FALSE(Ext()->WaitWakeEnabled);
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD2); // no pipe open: no power-up
    EXPECT_EQ(PendingIoCount(), 1);
}

// After a wake-up the driver powers the device up again itself when a pipe is open.
TEST_F(TPowerTest, WakeUpWithAPipeOpenPowersTheDeviceUp)
{
    Start(WakeFromD2());
    auto pipe = Open(u"\\0");
    ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD2), STATUS_SUCCESS);
    auto wait = WdmWaitWakeAsync(Device->Pdo(), PowerSystemSleeping3);
    ASSERT_TRUE(Device->WaitForWaitWake());
    Device->SignalWake();
    ASSERT_TRUE(wait->Wait());
    EXPECT_EQ(wait->Status(), STATUS_SUCCESS);
    EXPECT_EQ(DeviceRequests(*Device), (std::vector<DEVICE_POWER_STATE>{PowerDeviceD2, PowerDeviceD0}));
    EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD0);
    EXPECT_FALSE(Ext()->SelfPowerIrpPending);
    EXPECT_EQ(PendingIoCount(), 1);
}

TEST_F(TPowerTest, WakeUpPowersUpEachTime)
{
    Start(WakeFromD2());
    auto pipe = Open(u"\\0");
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(WdmSetDevicePower(Device->Pdo(), PowerDeviceD2), STATUS_SUCCESS);
        auto wait = WdmWaitWakeAsync(Device->Pdo(), PowerSystemSleeping3);
        ASSERT_TRUE(Device->WaitForWaitWake());
        Device->SignalWake();
        ASSERT_TRUE(wait->Wait());
        // The power-up has completed by the time the wake-up request does.
        EXPECT_EQ(Device->DevicePower(), PowerDeviceD0) << round;
        EXPECT_EQ(Ext()->CurrentDevicePowerState, PowerDeviceD0) << round;
    }
}

} // namespace
