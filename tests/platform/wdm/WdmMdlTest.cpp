#include "WdmTestFixture.h"

#include <vector>

#include "WdmMdl_p.h"
#include "WdmPool.h"
#include "wdm.h"

namespace {

class TWdmMdlTest : public TWdmTest {
protected:
    void SetUp() override
    {
        TWdmTest::SetUp();
        Buffer.resize(4 * PAGE_SIZE);
        Start = Buffer.data() + 100; // not page-aligned
        Source = IoAllocateMdl(Start, Length, FALSE, FALSE, nullptr);
        WdmLockMdlPages(Source);
    }
    void TearDown() override
    {
        IoFreeMdl(Source);
        TWdmTest::TearDown();
    }

    std::vector<UCHAR> Buffer;
    PUCHAR Start = nullptr;
    ULONG Length = 3 * PAGE_SIZE;
    PMDL Source = nullptr;
};

TEST_F(TWdmMdlTest, MdlDescribesTheBuffer)
{
    EXPECT_EQ(MmGetMdlVirtualAddress(Source), Start);
    EXPECT_EQ(MmGetMdlByteCount(Source), Length);
    EXPECT_EQ(MmGetMdlByteOffset(Source), BYTE_OFFSET(Start));
    EXPECT_EQ(MmGetSystemAddressForMdlSafe(Source, NormalPagePriority), Start);
}

TEST_F(TWdmMdlTest, PartialMdlDescribesItsPartOfTheSource)
{
    PMDL partial = IoAllocateMdl(Start, Length, FALSE, FALSE, nullptr);
    IoBuildPartialMdl(Source, partial, Start + PAGE_SIZE + 10, 500);
    EXPECT_EQ(MmGetMdlVirtualAddress(partial), Start + PAGE_SIZE + 10);
    EXPECT_EQ(MmGetMdlByteCount(partial), 500u);
    EXPECT_TRUE(partial->MdlFlags & MDL_PARTIAL);
    EXPECT_EQ(MmGetSystemAddressForMdlSafe(partial, NormalPagePriority), Start + PAGE_SIZE + 10);
    IoFreeMdl(partial);
}

TEST_F(TWdmMdlTest, MdlOfARequestBecomesItsMdlAddress)
{
    PIRP irp = IoAllocateIrp(1, FALSE);
    PMDL mdl = IoAllocateMdl(Start, 10, FALSE, FALSE, irp);
    EXPECT_EQ(irp->MdlAddress, mdl);
    IoFreeMdl(mdl);
    IoFreeIrp(irp);
}

TEST_F(TWdmMdlTest, PartialMdlBeyondTheSourceStopsTheMachine)
{
    PMDL partial = IoAllocateMdl(Start, Length, FALSE, FALSE, nullptr);
    EXPECT_DEATH(IoBuildPartialMdl(Source, partial, Start + Length - 10, 11), "beyond the end");
    IoFreeMdl(partial);
}

TEST_F(TWdmMdlTest, PartialMdlInATooSmallMdlStopsTheMachine)
{
    PMDL partial = IoAllocateMdl(Start, 10, FALSE, FALSE, nullptr);
    EXPECT_DEATH(IoBuildPartialMdl(Source, partial, Start, Length), "too small");
    IoFreeMdl(partial);
}

// The longest buffer an MDL describes is 4 GB less a page; one above 16 MB, beyond what the
// 16-bit size field counts, still gets an MDL whose partial MDLs are checked by its real size.
TEST_F(TWdmMdlTest, MdlDescribesBuffersUpTo4GigabytesLessAPage)
{
    const ULONG length = 17 * 1024 * 1024;
    PMDL large = IoAllocateMdl(Start, length, FALSE, FALSE, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(MmGetMdlByteCount(large), length);
    PMDL partial = IoAllocateMdl(Start, 8192, FALSE, FALSE, nullptr);
    IoBuildPartialMdl(large, partial, Start + length - 8192, 8192);
    EXPECT_EQ(MmGetMdlVirtualAddress(partial), Start + length - 8192);
    EXPECT_DEATH(IoBuildPartialMdl(large, partial, Start, 3 * 8192), "too small");
    IoFreeMdl(partial);
    IoFreeMdl(large);
    EXPECT_EQ(IoAllocateMdl(Start, 0xFFFFFFFFu - PAGE_SIZE + 2, FALSE, FALSE, nullptr), nullptr);
}

TEST_F(TWdmMdlTest, MdlForNonPagedPoolDescribesTheBlock)
{
    PVOID block = ExAllocatePoolWithTag(NonPagedPool, 3000, WdmTag("Test"));
    PMDL mdl = IoAllocateMdl(block, 3000, FALSE, FALSE, nullptr);
    MmBuildMdlForNonPagedPool(mdl);
    EXPECT_TRUE(mdl->MdlFlags & MDL_SOURCE_IS_NONPAGED_POOL);
    EXPECT_EQ(MmGetSystemAddressForMdlSafe(mdl, NormalPagePriority), block);
    IoFreeMdl(mdl);
    ExFreePoolWithTag(block, WdmTag("Test"));
}

} // namespace
