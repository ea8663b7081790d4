// The USBD helper library: walking a configuration descriptor and building the
// select-configuration request for it.
#include <cstring>
#include <vector>

#include "WdmPool.h"
#include "WdmUsbd_p.h"
#include "usbdlib.h"

namespace {

bool Matches(LONG criterion, UCHAR value)
{
    return criterion == -1 || criterion == value;
}

} // namespace

extern "C" PUSB_INTERFACE_DESCRIPTOR USBD_ParseConfigurationDescriptorEx(
    PUSB_CONFIGURATION_DESCRIPTOR ConfigurationDescriptor, PVOID StartPosition, LONG InterfaceNumber,
    LONG AlternateSetting, LONG InterfaceClass, LONG InterfaceSubClass, LONG InterfaceProtocol)
{
    PUSB_INTERFACE_DESCRIPTOR found = nullptr;
    WdmWalkDescriptors(ConfigurationDescriptor, StartPosition, [&](PUSB_COMMON_DESCRIPTOR common) {
        if (common->bDescriptorType != USB_INTERFACE_DESCRIPTOR_TYPE || common->bLength < sizeof(USB_INTERFACE_DESCRIPTOR))
            return true;
        auto* iface = reinterpret_cast<PUSB_INTERFACE_DESCRIPTOR>(common);
        if (Matches(InterfaceNumber, iface->bInterfaceNumber) && Matches(AlternateSetting, iface->bAlternateSetting) &&
            Matches(InterfaceClass, iface->bInterfaceClass) && Matches(InterfaceSubClass, iface->bInterfaceSubClass) &&
            Matches(InterfaceProtocol, iface->bInterfaceProtocol)) {
            found = iface;
            return false;
        }
        return true;
    });
    return found;
}

extern "C" PURB USBD_CreateConfigurationRequest(PUSB_CONFIGURATION_DESCRIPTOR ConfigurationDescriptor, PUSHORT Siz)
{
    *Siz = 0;
    // Alternate setting 0 of every interface, in descriptor order.
    std::vector<PUSB_INTERFACE_DESCRIPTOR> interfaces;
    WdmWalkDescriptors(ConfigurationDescriptor, ConfigurationDescriptor, [&](PUSB_COMMON_DESCRIPTOR common) {
        if (common->bDescriptorType == USB_INTERFACE_DESCRIPTOR_TYPE && common->bLength >= sizeof(USB_INTERFACE_DESCRIPTOR)) {
            auto* iface = reinterpret_cast<PUSB_INTERFACE_DESCRIPTOR>(common);
            if (iface->bAlternateSetting == 0)
                interfaces.push_back(iface);
        }
        return true;
    });
    if (interfaces.empty())
        return nullptr;

    SIZE_T bytes = sizeof(struct _URB_SELECT_CONFIGURATION) - sizeof(USBD_INTERFACE_INFORMATION);
    for (PUSB_INTERFACE_DESCRIPTOR iface : interfaces)
        bytes += GET_USBD_INTERFACE_SIZE(iface->bNumEndpoints);
    if (bytes < sizeof(struct _URB_SELECT_CONFIGURATION))
        bytes = sizeof(struct _URB_SELECT_CONFIGURATION);
    if (bytes > 0xFFFF)
        return nullptr;

    auto* urb = static_cast<PURB>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("USBD")));
    if (!urb)
        return nullptr;
    std::memset(static_cast<void*>(urb), 0, bytes);
    urb->UrbHeader.Function = URB_FUNCTION_SELECT_CONFIGURATION;
    urb->UrbHeader.Length = static_cast<USHORT>(bytes);
    urb->UrbSelectConfiguration.ConfigurationDescriptor = ConfigurationDescriptor;
    auto* entry = reinterpret_cast<PUCHAR>(&urb->UrbSelectConfiguration.Interface);
    for (PUSB_INTERFACE_DESCRIPTOR iface : interfaces) {
        auto* info = reinterpret_cast<PUSBD_INTERFACE_INFORMATION>(entry);
        info->Length = static_cast<USHORT>(GET_USBD_INTERFACE_SIZE(iface->bNumEndpoints));
        info->InterfaceNumber = iface->bInterfaceNumber;
        info->AlternateSetting = iface->bAlternateSetting;
        info->NumberOfPipes = iface->bNumEndpoints;
        for (ULONG i = 0; i < info->NumberOfPipes; ++i)
            info->Pipes[i].MaximumTransferSize = USBD_DEFAULT_MAXIMUM_TRANSFER_SIZE;
        entry += info->Length;
    }
    *Siz = static_cast<USHORT>(bytes);
    return urb;
}
