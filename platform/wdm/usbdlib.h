// USBD helper library: building request blocks and walking configuration descriptors.
#ifndef WDM_USBDLIB_H
#define WDM_USBDLIB_H

#include "usbdi.h"

#define UsbBuildGetDescriptorRequest(urb, length, descriptorType, descriptorIndex, languageId, transferBuffer, \
                                     transferBufferMDL, transferBufferLength, link)                          \
    do {                                                                                                      \
        (urb)->UrbHeader.Function = URB_FUNCTION_GET_DESCRIPTOR_FROM_DEVICE;                                   \
        (urb)->UrbHeader.Length = (length);                                                                   \
        (urb)->UrbControlDescriptorRequest.TransferBufferLength = (transferBufferLength);                     \
        (urb)->UrbControlDescriptorRequest.TransferBufferMDL = (transferBufferMDL);                           \
        (urb)->UrbControlDescriptorRequest.TransferBuffer = (transferBuffer);                                 \
        (urb)->UrbControlDescriptorRequest.DescriptorType = (descriptorType);                                 \
        (urb)->UrbControlDescriptorRequest.Index = (descriptorIndex);                                         \
        (urb)->UrbControlDescriptorRequest.LanguageId = (languageId);                                         \
        (urb)->UrbControlDescriptorRequest.UrbLink = (link);                                                  \
    } while (0)

#define UsbBuildInterruptOrBulkTransferRequest(urb, length, pipeHandle, transferBuffer, transferBufferMDL,    \
                                               transferBufferLength, transferFlags, link)                    \
    do {                                                                                                      \
        (urb)->UrbHeader.Function = URB_FUNCTION_BULK_OR_INTERRUPT_TRANSFER;                                  \
        (urb)->UrbHeader.Length = (length);                                                                   \
        (urb)->UrbBulkOrInterruptTransfer.PipeHandle = (pipeHandle);                                          \
        (urb)->UrbBulkOrInterruptTransfer.TransferBufferLength = (transferBufferLength);                      \
        (urb)->UrbBulkOrInterruptTransfer.TransferBufferMDL = (transferBufferMDL);                            \
        (urb)->UrbBulkOrInterruptTransfer.TransferBuffer = (transferBuffer);                                  \
        (urb)->UrbBulkOrInterruptTransfer.TransferFlags = (transferFlags);                                    \
        (urb)->UrbBulkOrInterruptTransfer.UrbLink = (link);                                                   \
    } while (0)

extern "C" {
// Allocates (from pool, freed with ExFreePool) a select-configuration URB with one interface
// entry per interface of the configuration (alternate setting 0) and its pipe entries; *Siz
// receives the URB's size. None when the descriptor is malformed or memory is short.
PURB USBD_CreateConfigurationRequest(PUSB_CONFIGURATION_DESCRIPTOR ConfigurationDescriptor, PUSHORT Siz);

// The first interface descriptor at or after StartPosition that matches every criterion that
// is not -1; none when there is no such descriptor within wTotalLength.
PUSB_INTERFACE_DESCRIPTOR USBD_ParseConfigurationDescriptorEx(PUSB_CONFIGURATION_DESCRIPTOR ConfigurationDescriptor,
                                                              PVOID StartPosition, LONG InterfaceNumber,
                                                              LONG AlternateSetting, LONG InterfaceClass,
                                                              LONG InterfaceSubClass, LONG InterfaceProtocol);
}

#endif
