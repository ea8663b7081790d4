#include "WdmTestFixture.h"

#include <vector>

#include "SimUsbDevice.h"
#include "usbdlib.h"

namespace {

class TWdmUsbdTest : public TWdmTest {
protected:
    std::vector<UCHAR> Configuration(std::size_t extra = 0)
    {
        TSimUsbDevice::TSettings settings;
        settings.ExtraDescriptorBytes = extra;
        TSimUsbDevice device(settings);
        return device.ConfigurationDescriptor();
    }
    static PUSB_CONFIGURATION_DESCRIPTOR Descriptor(std::vector<UCHAR>& bytes)
    {
        return reinterpret_cast<PUSB_CONFIGURATION_DESCRIPTOR>(bytes.data());
    }
};

TEST_F(TWdmUsbdTest, ParseFindsTheFirstMatchingInterface)
{
    std::vector<UCHAR> bytes = Configuration(300);
    PUSB_CONFIGURATION_DESCRIPTOR configuration = Descriptor(bytes);
    PUSB_INTERFACE_DESCRIPTOR iface = USBD_ParseConfigurationDescriptorEx(configuration, configuration, -1, -1, -1, -1, -1);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(reinterpret_cast<PUCHAR>(iface), bytes.data() + 9);
    EXPECT_EQ(iface->bNumEndpoints, 3);
    EXPECT_EQ(USBD_ParseConfigurationDescriptorEx(configuration, configuration, -1, -1, 0x08, -1, -1), nullptr);
    EXPECT_EQ(USBD_ParseConfigurationDescriptorEx(configuration, iface + 1, -1, -1, -1, -1, -1), nullptr);
}

TEST_F(TWdmUsbdTest, ParseStopsAtAMalformedDescriptor)
{
    std::vector<UCHAR> bytes = {9, USB_CONFIGURATION_DESCRIPTOR_TYPE, 27, 0, 1, 1, 0, 0x80, 50,
                                0, 0x24, 0, 0, 0, 0, 0, 0, 0, // a descriptor of length 0
                                9, USB_INTERFACE_DESCRIPTOR_TYPE, 0, 0, 0, 0xFF, 0, 0, 0};
    PUSB_CONFIGURATION_DESCRIPTOR configuration = Descriptor(bytes);
    EXPECT_EQ(USBD_ParseConfigurationDescriptorEx(configuration, configuration, -1, -1, -1, -1, -1), nullptr);
    USHORT size = 1;
    EXPECT_EQ(USBD_CreateConfigurationRequest(configuration, &size), nullptr);
    EXPECT_EQ(size, 0);
}

TEST_F(TWdmUsbdTest, ConfigurationRequestHoldsEachInterfaceWithItsPipes)
{
    std::vector<UCHAR> bytes = Configuration(600);
    USHORT size = 0;
    PURB urb = USBD_CreateConfigurationRequest(Descriptor(bytes), &size);
    ASSERT_NE(urb, nullptr);
    EXPECT_EQ(size, GET_SELECT_CONFIGURATION_REQUEST_SIZE(1, 3));
    EXPECT_EQ(urb->UrbHeader.Length, size);
    EXPECT_EQ(urb->UrbHeader.Function, URB_FUNCTION_SELECT_CONFIGURATION);
    EXPECT_EQ(urb->UrbSelectConfiguration.ConfigurationDescriptor, Descriptor(bytes));
    const USBD_INTERFACE_INFORMATION& iface = urb->UrbSelectConfiguration.Interface;
    EXPECT_EQ(iface.NumberOfPipes, 3u);
    EXPECT_EQ(iface.Length, GET_USBD_INTERFACE_SIZE(3));
    EXPECT_EQ(iface.Pipes[2].MaximumTransferSize, ULONG(USBD_DEFAULT_MAXIMUM_TRANSFER_SIZE));
    ExFreePool(urb);
}

} // namespace
