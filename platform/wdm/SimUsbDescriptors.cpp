// The descriptors the simulated device sends, built from its settings.
#include "SimUsbDevice_p.h"

namespace {

void PutWord(std::vector<UCHAR>& bytes, USHORT value)
{
    bytes.push_back(static_cast<UCHAR>(value & 0xFF));
    bytes.push_back(static_cast<UCHAR>(value >> 8));
}

// Vendor class-specific interface descriptors (type 0x24) of up to 255 bytes, filling Bytes.
void PutClassDescriptors(std::vector<UCHAR>& bytes, std::size_t Bytes)
{
    while (Bytes >= 3) {
        std::size_t length = Bytes > 255 ? 255 : Bytes;
        if (Bytes - length > 0 && Bytes - length < 3)
            length -= 3; // leave room for a last descriptor of at least three bytes
        bytes.push_back(static_cast<UCHAR>(length));
        bytes.push_back(0x24);
        for (std::size_t i = 2; i < length; ++i)
            bytes.push_back(static_cast<UCHAR>(i));
        Bytes -= length;
    }
}

} // namespace

std::vector<UCHAR> SimDeviceDescriptor(const TSimUsbDevice::TSettings& Settings)
{
    std::vector<UCHAR> bytes = {18, USB_DEVICE_DESCRIPTOR_TYPE};
    PutWord(bytes, 0x0200); // USB 2.0
    bytes.insert(bytes.end(), {0xFF, 0x00, 0x00, 64}); // vendor-specific class, control packet 64
    PutWord(bytes, Settings.VendorId);
    PutWord(bytes, Settings.ProductId);
    PutWord(bytes, 0x0100);
    bytes.insert(bytes.end(), {1, 2, 3, 1}); // strings: manufacturer, product, serial; one configuration
    return bytes;
}

std::vector<UCHAR> SimConfigurationDescriptor(const TSimUsbDevice::TSettings& Settings)
{
    std::vector<UCHAR> bytes = {9, USB_CONFIGURATION_DESCRIPTOR_TYPE, 0, 0, 1, 1, 0, 0x80, 50};
    bytes.insert(bytes.end(), {9, USB_INTERFACE_DESCRIPTOR_TYPE, 0, 0,
                               static_cast<UCHAR>(Settings.Endpoints.size()), 0xFF, 0x00, 0x00, 0});
    PutClassDescriptors(bytes, Settings.ExtraDescriptorBytes);
    for (const TSimUsbDevice::TEndpoint& endpoint : Settings.Endpoints) {
        bytes.insert(bytes.end(), {7, USB_ENDPOINT_DESCRIPTOR_TYPE, endpoint.Address, endpoint.Type});
        PutWord(bytes, endpoint.MaxPacketSize);
        bytes.push_back(endpoint.Interval);
    }
    USHORT total = static_cast<USHORT>(bytes.size());
    bytes[2] = static_cast<UCHAR>(total & 0xFF);
    bytes[3] = static_cast<UCHAR>(total >> 8);
    return bytes;
}
