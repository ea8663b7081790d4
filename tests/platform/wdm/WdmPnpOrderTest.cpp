#include "WdmTestFixture.h"

#include <memory>

#include "SimUsbDevice.h"
#include "WdmFile.h"
#include "WdmManagers.h"

namespace {

// Plug and Play requests to a simulated device without a function driver, in the orders the
// PnP manager produces; the stand-in refuses a removal it never sends.
class TWdmPnpOrderTest : public TWdmTest {
protected:
    void SetUp() override
    {
        TWdmTest::SetUp();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        Device = std::make_unique<TSimUsbDevice>();
        Link = EnableTestInterface(Device->Pdo());
    }
    void TearDown() override
    {
        Device.reset();
        TWdmTest::TearDown();
    }

    std::vector<UCHAR> Sent() const { return Device->PnpRequests(); }

    std::unique_ptr<TSimUsbDevice> Device;
    std::u16string Link;
};

TEST_F(TWdmPnpOrderTest, OrderlyRemovalOfAStartedDeviceAsksFirst)
{
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(WdmRemoveDevice(Device->Pdo()), STATUS_SUCCESS);
    EXPECT_EQ(Sent(), (std::vector<UCHAR>{IRP_MN_START_DEVICE, IRP_MN_QUERY_REMOVE_DEVICE, IRP_MN_REMOVE_DEVICE}));
}

TEST_F(TWdmPnpOrderTest, DeviceWhoseStartFailedIsRemovedAtOnce)
{
    Device->Fail(TSimUsbDevice::TOp::Start, STATUS_IO_DEVICE_ERROR);
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_START_DEVICE), STATUS_IO_DEVICE_ERROR);
    EXPECT_EQ(WdmRemoveDevice(Device->Pdo()), STATUS_SUCCESS);
    EXPECT_EQ(Sent(), (std::vector<UCHAR>{IRP_MN_START_DEVICE, IRP_MN_REMOVE_DEVICE}));
}

TEST_F(TWdmPnpOrderTest, RemoveOfAStartedDeviceWithoutQueryOrSurpriseRemovalIsRefused)
{
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_DEATH(WdmSendPnp(Device->Pdo(), IRP_MN_REMOVE_DEVICE), "order refused.*started device");
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_CANCEL_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_DEATH(WdmSendPnp(Device->Pdo(), IRP_MN_REMOVE_DEVICE), "order refused.*started device");
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
}

// A handle kept open through a surprise removal: the remove request follows its close.
TEST_F(TWdmPnpOrderTest, RemoveWithAHandleOpenIsRefused)
{
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_START_DEVICE), STATUS_SUCCESS);
    TWdmFile file;
    ASSERT_EQ(file.Open(Link), STATUS_SUCCESS);
    ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    EXPECT_DEATH(WdmRemoveDevice(Device->Pdo()), "order refused.*handle still open");
    file.Close();
    EXPECT_EQ(WdmRemoveDevice(Device->Pdo()), STATUS_SUCCESS);
    EXPECT_EQ(Sent(), (std::vector<UCHAR>{IRP_MN_START_DEVICE, IRP_MN_SURPRISE_REMOVAL, IRP_MN_REMOVE_DEVICE}));
}

} // namespace
