// Non-paged and paged pool: every block carries a header with its tag, so that frees can be
// checked and outstanding blocks counted per tag.
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmPool.h"

namespace {

// Keeps the block after it 16-byte aligned, as the kernel's pool does.
struct alignas(16) TBlockHeader {
    ULONG Tag;
    ULONG Magic;
    SIZE_T Bytes;
};
constexpr ULONG LiveMagic = 0x4C6F6F50;  // "PooL"
constexpr ULONG FreedMagic = 0x65657246; // "Free"

struct TTagCount {
    std::size_t Blocks = 0;
    std::size_t Bytes = 0;
    std::size_t Allocations = 0;
    std::size_t PeakBytes = 0;
};

std::mutex PoolMutex;
std::map<ULONG, TTagCount> Tags;
std::unordered_map<void*, ULONG> LiveBlocks; // block -> tag

TBlockHeader* HeaderOf(PVOID P)
{
    return reinterpret_cast<TBlockHeader*>(static_cast<unsigned char*>(P) - sizeof(TBlockHeader));
}

void FreeBlock(PVOID P, const ULONG* expectedTag)
{
    if (!P)
        WdmBugCheck("ExFreePool of a null pointer");
    ULONG tag;
    {
        std::lock_guard lock(PoolMutex);
        auto it = LiveBlocks.find(P);
        if (it == LiveBlocks.end())
            WdmBugCheck("ExFreePool of a block that is not allocated (double free or foreign pointer)");
        tag = it->second;
        if (expectedTag && *expectedTag != tag)
            WdmBugCheck("ExFreePoolWithTag with tag '" + WdmTagName(*expectedTag) + "' on a block allocated as '" +
                        WdmTagName(tag) + "'");
        LiveBlocks.erase(it);
        TTagCount& count = Tags[tag];
        count.Blocks--;
        count.Bytes -= HeaderOf(P)->Bytes;
    }
    TBlockHeader* header = HeaderOf(P);
    header->Magic = FreedMagic;
    std::free(header);
}

} // namespace

std::string WdmTagName(ULONG Tag)
{
    std::string name;
    for (int i = 0; i < 4; ++i) {
        char c = static_cast<char>((Tag >> (8 * i)) & 0xFF);
        name += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return name;
}

std::vector<TWdmPoolUsage> WdmPoolOutstanding()
{
    std::lock_guard lock(PoolMutex);
    std::vector<TWdmPoolUsage> outstanding;
    for (const auto& [tag, count] : Tags)
        if (count.Blocks != 0)
            outstanding.push_back({tag, count.Blocks, count.Bytes});
    return outstanding;
}

std::size_t WdmPoolAllocations(ULONG Tag)
{
    std::lock_guard lock(PoolMutex);
    auto it = Tags.find(Tag);
    return it == Tags.end() ? 0 : it->second.Allocations;
}

std::size_t WdmPoolPeakBytes(ULONG Tag)
{
    std::lock_guard lock(PoolMutex);
    auto it = Tags.find(Tag);
    return it == Tags.end() ? 0 : it->second.PeakBytes;
}

std::size_t WdmPoolBlockBytes(PVOID Block)
{
    std::lock_guard lock(PoolMutex);
    if (LiveBlocks.find(Block) == LiveBlocks.end())
        WdmBugCheck("not an allocated pool block");
    return HeaderOf(Block)->Bytes;
}

void WdmForgetPool()
{
    std::lock_guard lock(PoolMutex);
    Tags.clear();
    LiveBlocks.clear();
}

extern "C" PVOID ExAllocatePoolWithTag(POOL_TYPE PoolType, SIZE_T NumberOfBytes, ULONG Tag)
{
    if (PoolType == PagedPool && KeGetCurrentIrql() > APC_LEVEL)
        WdmBugCheck("paged pool allocated at raised IRQL");
    if (Tag == 0)
        WdmBugCheck("pool allocated without a tag");
    if (WdmPoolAllocationFails(Tag))
        return nullptr;
    auto* header = static_cast<TBlockHeader*>(std::malloc(sizeof(TBlockHeader) + NumberOfBytes));
    if (!header)
        return nullptr;
    header->Tag = Tag;
    header->Magic = LiveMagic;
    header->Bytes = NumberOfBytes;
    PVOID block = header + 1;
    // Pool is not zeroed: a driver that relies on fresh pool being empty reads this pattern.
    std::memset(block, 0xCD, NumberOfBytes);
    std::lock_guard lock(PoolMutex);
    LiveBlocks.emplace(block, Tag);
    TTagCount& count = Tags[Tag];
    count.Blocks++;
    count.Bytes += NumberOfBytes;
    count.Allocations++;
    if (count.Bytes > count.PeakBytes)
        count.PeakBytes = count.Bytes;
    return block;
}

extern "C" void ExFreePool(PVOID P)
{
    FreeBlock(P, nullptr);
}

extern "C" void ExFreePoolWithTag(PVOID P, ULONG Tag)
{
    FreeBlock(P, &Tag);
}
