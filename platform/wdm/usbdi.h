// USB driver interface: request blocks and the bus driver's internal control codes.
#ifndef WDM_USBDI_H
#define WDM_USBDI_H

#include "usb.h"
#include "usbioctl.h"

#endif
