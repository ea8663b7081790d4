#include "WdmTestFixture.h"

#include <memory>
#include <thread>

#include "SimUsbDevice.h"
#include "WdmFile.h"
#include "WdmRequest.h"
#include "usbioctl.h"

namespace {

class TWdmFileTest : public TWdmTest {
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

    std::unique_ptr<TSimUsbDevice> Device;
    std::u16string Link;
};

TEST_F(TWdmFileTest, HandleOpensOnTheInterfaceAndHoldsTheDevice)
{
    TWdmFile file;
    EXPECT_EQ(file.Open(Link + u"\\7"), STATUS_SUCCESS);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.FileObject()->DeviceObject, Device->Pdo());
    EXPECT_EQ(std::u16string(file.FileObject()->FileName.Buffer, file.FileObject()->FileName.Length / 2), u"\\7");
    EXPECT_EQ(Device->Pdo()->ReferenceCount, 1);
    file.Close();
    EXPECT_EQ(Device->Pdo()->ReferenceCount, 0);
    EXPECT_EQ(file.Open(u"\\??\\nothing"), STATUS_OBJECT_NAME_NOT_FOUND);
}

// The I/O manager sends the close request only once every request on the file has completed;
// the stand-in refuses a close before that rather than send it early.
TEST_F(TWdmFileTest, CloseWithARequestOutstandingIsRefused)
{
    TWdmFile file;
    ASSERT_EQ(file.Open(Link), STATUS_SUCCESS);
    Device->SetTiming(TSimUsbDevice::TTiming::Held);
    ULONG portStatus = 0;
    TWdmRequest request(Device->Pdo(), IRP_MJ_INTERNAL_DEVICE_CONTROL);
    request.Stack()->FileObject = file.FileObject();
    request.Stack()->Parameters.DeviceIoControl.IoControlCode = IOCTL_INTERNAL_USB_GET_PORT_STATUS;
    request.Stack()->Parameters.Others.Argument1 = &portStatus;
    request.Send();
    ASSERT_EQ(Device->HeldCount(), 1u);

    EXPECT_DEATH(file.Close(), "order refused.*still outstanding");
    Device->ReleaseHeld();
    ASSERT_TRUE(request.Wait());
    EXPECT_EQ(request.Status(), STATUS_SUCCESS);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
