#include "WdmFaults.h"

#include <map>
#include <mutex>

namespace {

std::mutex FaultMutex;
std::map<TWdmCall, unsigned> CallFaults;  // calls still to let through
std::map<ULONG, unsigned> PoolFaults;     // allocations under a tag still to let through
std::map<TWdmCall, std::pair<std::function<void()>, unsigned>> CallHooks; // action, calls still to let through

template <typename Key>
bool Consume(std::map<Key, unsigned>& faults, Key key)
{
    std::lock_guard lock(FaultMutex);
    auto it = faults.find(key);
    if (it == faults.end())
        return false;
    if (it->second > 0) {
        --it->second;
        return false;
    }
    faults.erase(it);
    return true;
}

} // namespace

void WdmFailCall(TWdmCall call, unsigned passFirst)
{
    std::lock_guard lock(FaultMutex);
    CallFaults[call] = passFirst;
}

void WdmOnCall(TWdmCall call, std::function<void()> Action, unsigned passFirst)
{
    std::lock_guard lock(FaultMutex);
    CallHooks[call] = {std::move(Action), passFirst};
}

void WdmFailPoolAllocation(ULONG Tag, unsigned passFirst)
{
    std::lock_guard lock(FaultMutex);
    PoolFaults[Tag] = passFirst;
}

void WdmClearFaults()
{
    std::lock_guard lock(FaultMutex);
    CallFaults.clear();
    PoolFaults.clear();
    CallHooks.clear();
}

bool WdmCallFails(TWdmCall call)
{
    std::function<void()> action;
    {
        std::lock_guard lock(FaultMutex);
        auto it = CallHooks.find(call);
        if (it != CallHooks.end()) {
            if (it->second.second > 0) {
                --it->second.second;
            } else {
                action = std::move(it->second.first);
                CallHooks.erase(it);
            }
        }
    }
    if (action)
        action(); // without the lock: it may wait for the test, which may arm more faults
    return Consume(CallFaults, call);
}

bool WdmPoolAllocationFails(ULONG Tag)
{
    return Consume(PoolFaults, Tag);
}
