// The driver's interface to user mode: the device interface through which the communication
// library finds the terminal, and the three control codes it sends.
//
// Opening the interface path followed by "\" and one character names a pipe of the selected
// interface ("\0" pipe 0, "\1" pipe 1, ...); reads and writes on such a handle move bulk or
// interrupt data on that pipe. The bare interface path gives a handle for control requests.
#ifndef VXIOCTL_H
#define VXIOCTL_H

// {88F49320-16EF-11D2-AD51-006097B514DD}
DEFINE_GUID(GUID_DEVINTERFACE_HANDHELD, 0x88f49320L, 0x16ef, 0x11d2, 0xad, 0x51, 0x00, 0x60, 0x97, 0xb5, 0x14,
            0xdd);

// Output: the whole configuration descriptor (wTotalLength bytes); information = wTotalLength.
// A shorter output buffer fails with STATUS_INVALID_PARAMETER.
#define IOCTL_GET_CONFIG_DESCRIPTOR CTL_CODE(FILE_DEVICE_UNKNOWN, 0, METHOD_BUFFERED, FILE_ANY_ACCESS)
// Resets the terminal's hub port when the device is connected but its port is not enabled.
#define IOCTL_RESET_DEVICE CTL_CODE(FILE_DEVICE_UNKNOWN, 1, METHOD_BUFFERED, FILE_ANY_ACCESS)
// Resets the pipe of the handle (clears a stall); fails with STATUS_INVALID_PARAMETER on a
// handle that names no pipe.
#define IOCTL_RESET_PIPE CTL_CODE(FILE_DEVICE_UNKNOWN, 2, METHOD_BUFFERED, FILE_ANY_ACCESS)

#endif
