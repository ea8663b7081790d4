// Private to the stand-in: walking the descriptors of a configuration, shared by the USBD
// library and the simulated bus driver. May change without notice.
#pragma once

#include "usbdi.h"

// Calls Visit for each descriptor of the configuration from StartPosition on, in order, as long
// as each one fits within wTotalLength; a descriptor with a zero length or one that runs past
// the end ends the walk, and so does Visit returning false.
template <typename Visit>
void WdmWalkDescriptors(PUSB_CONFIGURATION_DESCRIPTOR Configuration, PVOID StartPosition, Visit visit)
{
    auto* base = reinterpret_cast<PUCHAR>(Configuration);
    PUCHAR end = base + Configuration->wTotalLength;
    auto* position = static_cast<PUCHAR>(StartPosition);
    while (position >= base && position + sizeof(USB_COMMON_DESCRIPTOR) <= end) {
        auto* common = reinterpret_cast<PUSB_COMMON_DESCRIPTOR>(position);
        if (common->bLength < sizeof(USB_COMMON_DESCRIPTOR) || position + common->bLength > end)
            return;
        if (!visit(common))
            return;
        position += common->bLength;
    }
}
