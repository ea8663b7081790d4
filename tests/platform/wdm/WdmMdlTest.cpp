#include "WdmTestFixture.h"

#include <vector>

#include "WdmMdl_p.h"
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

} // namespace
