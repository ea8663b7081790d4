// Memory descriptor lists. The stand-in runs in one address space, so a page's frame number is
// simply its virtual page number; MDLs still carry their page arrays so that a partial MDL
// that does not describe its part of the source buffer is noticed.
#include <cstring>

#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmPool.h"

namespace {

// The largest MDL whose size still fits its CSHORT Size field.
constexpr SIZE_T MaximumMdlBytes = 0x7FFF;

SIZE_T MdlBytes(PVOID VirtualAddress, ULONG Length)
{
    return sizeof(MDL) + static_cast<SIZE_T>(ADDRESS_AND_SIZE_TO_SPAN_PAGES(VirtualAddress, Length)) * sizeof(PFN_NUMBER);
}

} // namespace

extern "C" PMDL IoAllocateMdl(PVOID VirtualAddress, ULONG Length, BOOLEAN SecondaryBuffer, BOOLEAN ChargeQuota,
                              PIRP Irp)
{
    (void)ChargeQuota;
    SIZE_T bytes = MdlBytes(VirtualAddress, Length);
    if (bytes > MaximumMdlBytes || WdmCallFails(TWdmCall::AllocateMdl))
        return nullptr;
    auto* mdl = static_cast<PMDL>(ExAllocatePoolWithTag(NonPagedPool, bytes, WdmTag("Mdl ")));
    if (!mdl)
        return nullptr;
    std::memset(static_cast<void*>(mdl), 0, bytes);
    mdl->Size = static_cast<CSHORT>(bytes);
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
    if (MdlBytes(VirtualAddress, Length) > static_cast<SIZE_T>(TargetMdl->Size))
        WdmBugCheck("IoBuildPartialMdl: target MDL too small for the range");

    TargetMdl->StartVa = PAGE_ALIGN(VirtualAddress);
    TargetMdl->ByteOffset = BYTE_OFFSET(VirtualAddress);
    TargetMdl->ByteCount = Length;
    TargetMdl->MdlFlags = static_cast<CSHORT>((SourceMdl->MdlFlags & MDL_PAGES_LOCKED) | MDL_PARTIAL);
    TargetMdl->MappedSystemVa = nullptr;
    ULONG firstPage = static_cast<ULONG>((reinterpret_cast<ULONG_PTR>(PAGE_ALIGN(VirtualAddress)) -
                                          reinterpret_cast<ULONG_PTR>(SourceMdl->StartVa)) >> PAGE_SHIFT);
    ULONG pages = ADDRESS_AND_SIZE_TO_SPAN_PAGES(VirtualAddress, Length);
    std::memcpy(MmGetMdlPfnArray(TargetMdl), MmGetMdlPfnArray(SourceMdl) + firstPage, pages * sizeof(PFN_NUMBER));
}

extern "C" PVOID MmGetSystemAddressForMdlSafe(PMDL Mdl, ULONG Priority)
{
    (void)Priority;
    if (!(Mdl->MdlFlags & MDL_PAGES_LOCKED))
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

// Locks the pages of a caller's buffer described by a fresh MDL, as MmProbeAndLockPages would.
void WdmLockMdlPages(PMDL Mdl)
{
    ULONG pages = ADDRESS_AND_SIZE_TO_SPAN_PAGES(MmGetMdlVirtualAddress(Mdl), Mdl->ByteCount);
    ULONG_PTR firstPage = reinterpret_cast<ULONG_PTR>(Mdl->StartVa) >> PAGE_SHIFT;
    PPFN_NUMBER pfns = MmGetMdlPfnArray(Mdl);
    for (ULONG i = 0; i < pages; ++i)
        pfns[i] = firstPage + i;
    Mdl->MdlFlags |= MDL_PAGES_LOCKED;
}
