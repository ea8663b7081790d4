// Private to the kernel stand-in: IRQL changes made by the stand-in itself (the simulated bus
// completes requests at DISPATCH_LEVEL, as from a DPC), and the count of waiting threads.
#pragma once

#include <cstddef>

#include "wdm.h"

KIRQL WdmRaiseIrql(KIRQL NewIrql);
void WdmLowerIrql(KIRQL OldIrql);
std::size_t WdmSyncWaitingThreads();

// Raises to DISPATCH_LEVEL for its lifetime.
class TWdmDispatchLevel {
public:
    TWdmDispatchLevel() : FOldIrql(WdmRaiseIrql(DISPATCH_LEVEL)) {}
    ~TWdmDispatchLevel() { WdmLowerIrql(FOldIrql); }
    TWdmDispatchLevel(const TWdmDispatchLevel&) = delete;
    TWdmDispatchLevel& operator=(const TWdmDispatchLevel&) = delete;

private:
    KIRQL FOldIrql;
};
