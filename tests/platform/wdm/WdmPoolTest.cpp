#include "WdmTestFixture.h"

#include <cstring>

#include "WdmFaults.h"
#include "WdmPool.h"

namespace {

using TWdmPoolTest = TWdmTest;

TEST_F(TWdmPoolTest, TagsReadInMemoryOrder)
{
    EXPECT_EQ(WdmTag("Wdm "), 0x206D6457u);
    EXPECT_EQ(WdmTagName(WdmTag("Wdm ")), "Wdm ");
}

TEST_F(TWdmPoolTest, OutstandingBlocksAreCountedPerTag)
{
    PVOID a = ExAllocatePoolWithTag(NonPagedPool, 10, WdmTag("Aaaa"));
    PVOID b = ExAllocatePoolWithTag(NonPagedPool, 20, WdmTag("Aaaa"));
    PVOID c = ExAllocatePoolWithTag(NonPagedPool, 5, WdmTag("Bbbb"));
    std::vector<TWdmPoolUsage> usage = WdmPoolOutstanding();
    ASSERT_EQ(usage.size(), 2u);
    EXPECT_EQ(usage[0].Tag, WdmTag("Aaaa"));
    EXPECT_EQ(usage[0].Blocks, 2u);
    EXPECT_EQ(usage[0].Bytes, 30u);
    EXPECT_NE(WdmLeftovers().find("pool tag 'Bbbb': 1 block(s), 5 byte(s)"), std::string::npos);
    ExFreePoolWithTag(a, WdmTag("Aaaa"));
    ExFreePool(b);
    ExFreePool(c);
    EXPECT_TRUE(WdmPoolOutstanding().empty());
    EXPECT_EQ(WdmPoolAllocations(WdmTag("Aaaa")), 2u);
}

TEST_F(TWdmPoolTest, PeakIsTheMostOutstandingAtOnce)
{
    PVOID a = ExAllocatePoolWithTag(NonPagedPool, 100, WdmTag("Aaaa"));
    PVOID b = ExAllocatePoolWithTag(NonPagedPool, 50, WdmTag("Aaaa"));
    ExFreePool(a);
    PVOID c = ExAllocatePoolWithTag(NonPagedPool, 70, WdmTag("Aaaa"));
    EXPECT_EQ(WdmPoolPeakBytes(WdmTag("Aaaa")), 150u);
    EXPECT_EQ(WdmPoolBlockBytes(c), 70u);
    ExFreePool(b);
    ExFreePool(c);
    EXPECT_EQ(WdmPoolPeakBytes(WdmTag("Aaaa")), 150u);
    EXPECT_EQ(WdmPoolPeakBytes(WdmTag("Bbbb")), 0u);
}

// A hook holds the caller at the chosen call, before the call's own work and its fault.
TEST_F(TWdmPoolTest, HookRunsAtTheChosenCallBeforeItsFault)
{
    std::vector<int> seen;
    WdmOnCall(TWdmCall::AllocateIrp, [&] { seen.push_back(1); }, 1);
    WdmFailCall(TWdmCall::AllocateIrp, 1);
    PIRP first = IoAllocateIrp(1, FALSE);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(IoAllocateIrp(1, FALSE), nullptr);
    EXPECT_EQ(seen, std::vector<int>{1});
    PIRP third = IoAllocateIrp(1, FALSE);
    EXPECT_EQ(seen.size(), 1u);
    IoFreeIrp(first);
    IoFreeIrp(third);
}

TEST_F(TWdmPoolTest, FreshPoolIsNotZeroed)
{
    auto* block = static_cast<unsigned char*>(ExAllocatePoolWithTag(NonPagedPool, 16, WdmTag("Test")));
    EXPECT_EQ(block[0], 0xCD);
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(block) % 16, 0u);
    ExFreePool(block);
}

TEST_F(TWdmPoolTest, InjectedFailureHitsTheChosenAllocationOnce)
{
    WdmFailPoolAllocation(WdmTag("Test"), 1);
    PVOID first = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Test"));
    PVOID other = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Othr"));
    PVOID second = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Test"));
    PVOID third = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Test"));
    EXPECT_NE(first, nullptr);
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    ExFreePool(first);
    ExFreePool(other);
    ExFreePool(third);
}

TEST_F(TWdmPoolTest, FreeingWithTheWrongTagStopsTheMachine)
{
    PVOID block = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Test"));
    EXPECT_DEATH(ExFreePoolWithTag(block, WdmTag("Oops")), "allocated as 'Test'");
    ExFreePool(block);
}

TEST_F(TWdmPoolTest, DoubleFreeStopsTheMachine)
{
    PVOID block = ExAllocatePoolWithTag(NonPagedPool, 8, WdmTag("Test"));
    ExFreePool(block);
    EXPECT_DEATH(ExFreePool(block), "not allocated");
}

} // namespace
