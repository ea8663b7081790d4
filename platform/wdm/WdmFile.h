// A user-mode handle on a device interface, as the communication library holds one: opened by
// the interface's link name with an optional path below it ("\0" names pipe 0 of the
// terminal's driver), then read, written, sent control requests and closed. Requests go to the
// top of the device stack, as the I/O manager sends them; reads and writes use direct I/O (an
// MDL over the caller's buffer), control requests METHOD_BUFFERED (a system buffer).
#pragma once

#include <memory>
#include <string>

#include "WdmRequest.h"
#include "wdm.h"

class TWdmFile {
public:
    TWdmFile() = default;
    ~TWdmFile(); // closes the handle, as Close()
    TWdmFile(const TWdmFile&) = delete;
    TWdmFile& operator=(const TWdmFile&) = delete;

    // Path: an enabled interface's link name followed by the name below it, if any. Fails with
    // STATUS_OBJECT_NAME_NOT_FOUND when no enabled interface matches, else with the create
    // request's status.
    NTSTATUS Open(const std::u16string& Path);
    // Sends the cleanup and close requests; closing a handle that is not open does nothing.
    // Closing while a request on the handle is still outstanding is refused (WdmRefuseOrder):
    // the I/O manager sends the close request only once the last one has completed, and the
    // stand-in does not defer it.
    void Close();
    bool IsOpen() const { return FFile != nullptr; }
    PFILE_OBJECT FileObject() const { return FFile; }

    NTSTATUS Read(void* Buffer, ULONG Length, ULONG_PTR* Transferred = nullptr);
    NTSTATUS Write(const void* Buffer, ULONG Length, ULONG_PTR* Transferred = nullptr);
    // Sent on a thread of their own; the buffer must outlive the request.
    std::unique_ptr<TWdmRequest> ReadAsync(void* Buffer, ULONG Length);
    std::unique_ptr<TWdmRequest> WriteAsync(const void* Buffer, ULONG Length);

    // Output is copied back for a successful request, up to OutputLength bytes.
    NTSTATUS DeviceIoControl(ULONG IoControlCode, const void* Input, ULONG InputLength, void* Output,
                             ULONG OutputLength, ULONG_PTR* Returned = nullptr);

private:
    std::unique_ptr<TWdmRequest> Transfer(UCHAR MajorFunction, void* Buffer, ULONG Length);
    NTSTATUS SendAndWait(TWdmRequest& Request, ULONG_PTR* Information);

    PFILE_OBJECT FFile = nullptr;
};
