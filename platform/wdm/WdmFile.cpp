#include "WdmFile.h"

#include <cstring>
#include <map>
#include <mutex>

#include "WdmDiagnostics.h"
#include "WdmFile_p.h"
#include "WdmInterface.h"
#include "WdmMdl_p.h"
#include "WdmPool.h"

namespace {

const ULONG FileTag = WdmTag("File");

std::mutex ReferenceMutex;
std::map<PFILE_OBJECT, unsigned> RequestReferences; // requests in flight on each file object

unsigned ReferencesOf(PFILE_OBJECT File)
{
    std::lock_guard lock(ReferenceMutex);
    auto it = RequestReferences.find(File);
    return it == RequestReferences.end() ? 0 : it->second;
}

// A file object and its name in one block.
PFILE_OBJECT CreateFileObject(PDEVICE_OBJECT Device, const std::u16string& Name)
{
    SIZE_T nameBytes = Name.size() * sizeof(WCHAR);
    auto* file = static_cast<PFILE_OBJECT>(ExAllocatePoolWithTag(NonPagedPool, sizeof(FILE_OBJECT) + nameBytes, FileTag));
    if (!file)
        WdmBugCheck("no pool for a file object");
    std::memset(static_cast<void*>(file), 0, sizeof(FILE_OBJECT));
    file->Type = 5; // IO_TYPE_FILE
    file->Size = sizeof(FILE_OBJECT);
    file->DeviceObject = Device;
    file->FileName.Buffer = reinterpret_cast<PWCH>(file + 1);
    file->FileName.Length = static_cast<USHORT>(nameBytes);
    file->FileName.MaximumLength = static_cast<USHORT>(nameBytes);
    std::memcpy(file->FileName.Buffer, Name.data(), nameBytes);
    __atomic_add_fetch(&Device->ReferenceCount, 1, __ATOMIC_SEQ_CST);
    return file;
}

void DeleteFileObject(PFILE_OBJECT File)
{
    {
        std::lock_guard lock(ReferenceMutex);
        RequestReferences.erase(File);
    }
    __atomic_sub_fetch(&File->DeviceObject->ReferenceCount, 1, __ATOMIC_SEQ_CST);
    ExFreePoolWithTag(File, FileTag);
}

} // namespace

void WdmReferenceFile(PFILE_OBJECT File)
{
    std::lock_guard lock(ReferenceMutex);
    ++RequestReferences[File];
}

void WdmDereferenceFile(PFILE_OBJECT File)
{
    std::lock_guard lock(ReferenceMutex);
    auto it = RequestReferences.find(File);
    if (it == RequestReferences.end() || it->second == 0)
        WdmBugCheck("file object dereferenced more often than referenced");
    if (--it->second == 0)
        RequestReferences.erase(it);
}

TWdmFile::~TWdmFile()
{
    Close();
}

NTSTATUS TWdmFile::Open(const std::u16string& Path)
{
    if (FFile)
        WdmBugCheck("TWdmFile::Open on an open handle");
    // The longest enabled link name that starts the path names the device; the rest is the
    // name below it.
    PDEVICE_OBJECT device = nullptr;
    std::u16string below;
    for (std::size_t length = Path.size(); length > 0 && !device; --length) {
        std::u16string link = Path.substr(0, length);
        if (WdmInterfaceEnabled(link)) {
            device = WdmInterfaceDevice(link);
            below = Path.substr(length);
        }
    }
    if (!device)
        return STATUS_OBJECT_NAME_NOT_FOUND;

    PFILE_OBJECT file = CreateFileObject(device, below);
    TWdmRequest create(device, IRP_MJ_CREATE);
    create.Stack()->FileObject = file;
    create.Irp()->Tail.Overlay.OriginalFileObject = file;
    NTSTATUS status = SendAndWait(create, nullptr);
    if (NT_SUCCESS(status))
        FFile = file;
    else
        DeleteFileObject(file);
    return status;
}

void TWdmFile::Close()
{
    if (!FFile)
        return;
    if (ReferencesOf(FFile) != 0)
        WdmRefuseOrder("a handle closed while requests on it are still outstanding (the I/O manager sends the "
                       "close request only after the last of them has completed; wait for them first)");
    for (UCHAR major : {static_cast<UCHAR>(IRP_MJ_CLEANUP), static_cast<UCHAR>(IRP_MJ_CLOSE)}) {
        // The result is not examined: a handle is always closed.
        TWdmRequest request(FFile->DeviceObject, major);
        request.Stack()->FileObject = FFile;
        SendAndWait(request, nullptr);
    }
    DeleteFileObject(FFile);
    FFile = nullptr;
}

NTSTATUS TWdmFile::SendAndWait(TWdmRequest& Request, ULONG_PTR* Information)
{
    Request.Send();
    if (!Request.Wait(WdmHangLimit()))
        WdmBugCheck("a user-mode request did not complete");
    if (Information)
        *Information = Request.Information();
    return Request.Status();
}

std::unique_ptr<TWdmRequest> TWdmFile::Transfer(UCHAR MajorFunction, void* Buffer, ULONG Length)
{
    if (!FFile)
        WdmBugCheck("transfer on a closed handle");
    auto request = std::make_unique<TWdmRequest>(FFile->DeviceObject, MajorFunction);
    PIO_STACK_LOCATION stack = request->Stack();
    stack->FileObject = FFile;
    stack->Parameters.Read.Length = Length; // Write.Length has the same place
    // Direct I/O: the caller's buffer is locked and described by an MDL; a zero-length
    // request has none.
    if (Length != 0) {
        PMDL mdl = IoAllocateMdl(Buffer, Length, FALSE, FALSE, request->Irp());
        if (!mdl)
            WdmBugCheck("no MDL for a user buffer");
        WdmLockMdlPages(mdl);
    }
    request->OnComplete = [](PIRP Irp) {
        if (Irp->MdlAddress) {
            IoFreeMdl(Irp->MdlAddress);
            Irp->MdlAddress = nullptr;
        }
    };
    return request;
}

NTSTATUS TWdmFile::Read(void* Buffer, ULONG Length, ULONG_PTR* Transferred)
{
    std::unique_ptr<TWdmRequest> request = Transfer(IRP_MJ_READ, Buffer, Length);
    return SendAndWait(*request, Transferred);
}

NTSTATUS TWdmFile::Write(const void* Buffer, ULONG Length, ULONG_PTR* Transferred)
{
    std::unique_ptr<TWdmRequest> request = Transfer(IRP_MJ_WRITE, const_cast<void*>(Buffer), Length);
    return SendAndWait(*request, Transferred);
}

std::unique_ptr<TWdmRequest> TWdmFile::ReadAsync(void* Buffer, ULONG Length)
{
    std::unique_ptr<TWdmRequest> request = Transfer(IRP_MJ_READ, Buffer, Length);
    request->SendAsync();
    return request;
}

std::unique_ptr<TWdmRequest> TWdmFile::WriteAsync(const void* Buffer, ULONG Length)
{
    std::unique_ptr<TWdmRequest> request = Transfer(IRP_MJ_WRITE, const_cast<void*>(Buffer), Length);
    request->SendAsync();
    return request;
}

NTSTATUS TWdmFile::DeviceIoControl(ULONG IoControlCode, const void* Input, ULONG InputLength, void* Output,
                                   ULONG OutputLength, ULONG_PTR* Returned)
{
    if (!FFile)
        WdmBugCheck("control request on a closed handle");
    if ((IoControlCode & 3) != METHOD_BUFFERED)
        WdmBugCheck("TWdmFile::DeviceIoControl supports METHOD_BUFFERED control codes only");
    TWdmRequest request(FFile->DeviceObject, IRP_MJ_DEVICE_CONTROL);
    PIO_STACK_LOCATION stack = request.Stack();
    stack->FileObject = FFile;
    stack->Parameters.DeviceIoControl.IoControlCode = IoControlCode;
    stack->Parameters.DeviceIoControl.InputBufferLength = InputLength;
    stack->Parameters.DeviceIoControl.OutputBufferLength = OutputLength;

    // One system buffer holds the input on the way down and the output on the way back.
    ULONG bufferLength = InputLength > OutputLength ? InputLength : OutputLength;
    PVOID systemBuffer = nullptr;
    if (bufferLength != 0) {
        systemBuffer = ExAllocatePoolWithTag(NonPagedPool, bufferLength, WdmTag("Sbuf"));
        if (!systemBuffer)
            WdmBugCheck("no pool for a system buffer");
        if (InputLength != 0)
            std::memcpy(systemBuffer, Input, InputLength);
    }
    request.Irp()->AssociatedIrp.SystemBuffer = systemBuffer;
    request.OnComplete = [Output, OutputLength](PIRP Irp) {
        PVOID buffer = Irp->AssociatedIrp.SystemBuffer;
        if (!buffer)
            return;
        if (NT_SUCCESS(Irp->IoStatus.Status) && Output) {
            ULONG_PTR copy = Irp->IoStatus.Information < OutputLength ? Irp->IoStatus.Information : OutputLength;
            std::memcpy(Output, buffer, copy);
        }
        ExFreePoolWithTag(buffer, WdmTag("Sbuf"));
        Irp->AssociatedIrp.SystemBuffer = nullptr;
    };
    return SendAndWait(request, Returned);
}
