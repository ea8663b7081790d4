// Memory descriptor lists. The stand-in runs in one address space, so a page's frame number is
// simply its virtual page number; MDLs still carry their page arrays so that a partial MDL
// that does not describe its part of the source buffer is noticed.
#include <cstring>

#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmMdl_p.h"
#include "WdmPool.h"

namespace {

// The longest buffer one MDL describes, as on Windows 7 and later: 4 GB less a page.
constexpr ULONG_PTR MaximumMdlLength = 0xFFFFFFFFull - PAGE_SIZE + 1;

SIZE_T MdlBytes(PVOID VirtualAddress, ULONG Length)
{
    return sizeof(MDL) + static_cast<SIZE_T>(ADDRESS_AND_SIZE_TO_SPAN_PAGES(VirtualAddress, Length)) * sizeof(PFN_NUMBER);
}

// Fills the page array of an MDL whose pages stay resident.
void FillPageArray(PMDL Mdl)
{
    ULONG pages = ADDRESS_AND_SIZE_TO_SPAN_PAGES(MmGetMdlVirtualAddress(Mdl), Mdl->ByteCount);
    ULONG_PTR firstPage = reinterpret_cast<ULONG_PTR>(Mdl->StartVa) >> PAGE_SHIFT;
    PPFN_NUMBER pfns = MmGetMdlPfnArray(Mdl);
    for (ULONG i = 0; i < pages; ++i)
        pfns[i] = firstPage + i;
}

} // namespace

extern "C" PMDL IoAllocateMdl(PVOID VirtualAddress, ULONG Length, BOOLEAN SecondaryBuffer, BOOLEAN ChargeQuota,
                              PIRP Irp)
{
    (void)ChargeQuota;
    if (WdmCallFails(TWdmCall::AllocateMdl) || Length > MaximumMdlLength)
        return nullptr;
    SIZE_T bytes = MdlBytes(VirtualAddress, Length);
    auto* mdl = static_cast<PMDL>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("Mdl ")));
    if (!mdl)
        return nullptr;
    std::memset(static_cast<void*>(mdl), 0, bytes);
    mdl->Size = static_cast<CSHORT>(bytes); // wraps above about 16 MB; partial MDLs are checked against the block
    mdl->StartVa = PAGE_ALIGN(VirtualAddress);
    mdl->ByteOffset = BYTE_OFFSET(VirtualAddress);
    mdl->ByteCount = Length;
    if (Irp) {
        if (!SecondaryBuffer) {
            Irp->MdlAddress = mdl;
        } else {
            PMDL last = Irp->MdlAddress;
            if (!last)
                WdmBugCheck("secondary MDL for a request without a first one");
            while (last->Next)
                last = last->Next;
            last->Next = mdl;
        }
    }
    return mdl;
}

extern "C" void IoFreeMdl(PMDL Mdl)
{
    ExFreePoolWithTag(Mdl, WdmTag("Mdl "));
}

extern "C" void IoBuildPartialMdl(PMDL SourceMdl, PMDL TargetMdl, PVOID VirtualAddress, ULONG Length)
{
    auto* sourceStart = static_cast<unsigned char*>(MmGetMdlVirtualAddress(SourceMdl));
    auto* start = static_cast<unsigned char*>(VirtualAddress);
    if (start < sourceStart || start > sourceStart + SourceMdl->ByteCount)
        WdmBugCheck("IoBuildPartialMdl: address outside the source MDL");
    ULONG offset = static_cast<ULONG>(start - sourceStart);
    if (Length == 0)
        Length = SourceMdl->ByteCount - offset;
    if (Length > SourceMdl->ByteCount - offset)
        WdmBugCheck("IoBuildPartialMdl: range beyond the end of the source MDL");
    if (MdlBytes(VirtualAddress, Length) > WdmPoolBlockBytes(TargetMdl))
        WdmBugCheck("IoBuildPartialMdl: target MDL too small for the range");

    TargetMdl->StartVa = PAGE_ALIGN(VirtualAddress);
    TargetMdl->ByteOffset = BYTE_OFFSET(VirtualAddress);
    TargetMdl->ByteCount = Length;
    TargetMdl->MdlFlags =
        static_cast<CSHORT>((SourceMdl->MdlFlags & (MDL_PAGES_LOCKED | MDL_SOURCE_IS_NONPAGED_POOL)) | MDL_PARTIAL);
    TargetMdl->MappedSystemVa = nullptr;
    ULONG firstPage = static_cast<ULONG>((reinterpret_cast<ULONG_PTR>(PAGE_ALIGN(VirtualAddress)) -
                                          reinterpret_cast<ULONG_PTR>(SourceMdl->StartVa)) >> PAGE_SHIFT);
    ULONG pages = ADDRESS_AND_SIZE_TO_SPAN_PAGES(VirtualAddress, Length);
    std::memcpy(MmGetMdlPfnArray(TargetMdl), MmGetMdlPfnArray(SourceMdl) + firstPage, pages * sizeof(PFN_NUMBER));
}

extern "C" PVOID MmGetSystemAddressForMdlSafe(PMDL Mdl, ULONG Priority)
{
    (void)Priority;
    if (!(Mdl->MdlFlags & (MDL_PAGES_LOCKED | MDL_SOURCE_IS_NONPAGED_POOL)))
        WdmBugCheck("MDL mapped without its pages locked");
    // The buffer is mapped where the page array says it is.
    ULONG pages = ADDRESS_AND_SIZE_TO_SPAN_PAGES(MmGetMdlVirtualAddress(Mdl), Mdl->ByteCount);
    PPFN_NUMBER pfns = MmGetMdlPfnArray(Mdl);
    ULONG_PTR firstPage = reinterpret_cast<ULONG_PTR>(Mdl->StartVa) >> PAGE_SHIFT;
    for (ULONG i = 0; i < pages; ++i)
        if (pfns[i] != firstPage + i)
            WdmBugCheck("MDL page array does not describe its buffer");
    return MmGetMdlVirtualAddress(Mdl);
}

// Describes a buffer in non-paged pool, whose pages are always resident.
extern "C" void MmBuildMdlForNonPagedPool(PMDL MemoryDescriptorList)
{
    FillPageArray(MemoryDescriptorList);
    MemoryDescriptorList->MdlFlags |= MDL_SOURCE_IS_NONPAGED_POOL;
    MemoryDescriptorList->MappedSystemVa = MmGetMdlVirtualAddress(MemoryDescriptorList);
}

// Locks the pages of a caller's buffer described by a fresh MDL, as MmProbeAndLockPages would.
void WdmLockMdlPages(PMDL Mdl)
{
    FillPageArray(Mdl);
    Mdl->MdlFlags |= MDL_PAGES_LOCKED;
}
